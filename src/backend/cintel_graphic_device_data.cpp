// Device data of the CUI back-end for the desktop picture and the panel: hue and saturation,
// LACE, DPST and the panel size. The video features, the colour controls and AUX access have
// files of their own.
#include <cstring>

#include "backend/cintel_graphic.h"
#include "backend/cui_blocks.h"
#include "backend/cui_device_calls.h"
#include "config/diagnostic_log.h"
#include "config/settings_store.h"
#include "platform/platform.h"

namespace varnet {

namespace {

constexpr uint32_t kLaceBlockVersion = 1;
// What GetDPST reports as the level when it has none.
constexpr uint32_t kNoDpstLevel = static_cast<uint32_t>(-99);
// The panel size when neither the settings nor the driver give one.
constexpr uint32_t kFallbackWidth = 1920;
constexpr uint32_t kFallbackHeight = 1080;

bool OffersDpst(const cui::DpstBlock& block) {
    return (block.supported & cui::kDpstFeatureBit) != 0;
}

} // namespace

Bool CIntelGraphic::SetHueSat(float hue, float saturation) {
    static_assert(sizeof m_hueSatBlock == sizeof(cui::HueSatBlock));
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    const uint32_t uid = CurrentUid();
    // No display to address is nothing to do, not a failure.
    if (uid == 0) {
        return 1;
    }
    if (m_pCUIExternal8 == nullptr) {
        return 0;
    }
    cui::HueSatBlock block;
    block.uid = uid;
    int32_t error = 0;
    const cui::HResult read = ReadCuiBlock(m_pCUIExternal8, cui::kHueSatGuid, block, &error);
    std::memcpy(m_hueSatBlock, &block, sizeof block);
    if (read != 0) {
        DebugErrorValue("GetDeviceData (IGFX_GET_SET_HUESAT_INFO_GUID) Error : 0x%x\r\n", error);
        return 0;
    }
    block.hue = hue;
    block.saturation = saturation;
    const cui::HResult written = WriteCuiBlockCatching(m_pCUIExternal8, cui::kHueSatGuid, block,
                                                       &error, kCuiCallThrew, true);
    std::memcpy(m_hueSatBlock, &block, sizeof block);
    if (written != 0) {
        DebugErrorValue("SetDeviceData Error : 0x%x\r\n", error);
        return 0;
    }
    return 1;
}

Bool CIntelGraphic::SetSaturation(float saturation) {
    return SetHueSat(0.0f, saturation);
}

// The saturation goes out on every path: the last value known when the driver cannot be asked.
Bool CIntelGraphic::GetHueSat(float* saturation) {
    cui::HueSatBlock block;
    std::memcpy(&block, m_hueSatBlock, sizeof block);
    Bool result = 0;
    if (m_bInitialized == 0 && InitLib() == 0) {
        // result stays 0
    } else if (m_pCUIExternal8 == nullptr) {
        platform::OutputDebugString("GetHueSat : NULL == m_pCUIExternal8\r\n");
    } else {
        block = {};
        block.uid = CurrentUid();
        int32_t error = 0;
        if (ReadCuiBlock(m_pCUIExternal8, cui::kHueSatGuid, block, &error) != 0) {
            DebugErrorValue("GetDeviceData (IGFX_GET_SET_HUESAT_INFO_GUID) Error : 0x%x\r\n",
                            error);
        } else {
            result = 1;
        }
        std::memcpy(m_hueSatBlock, &block, sizeof block);
    }
    PutOut(saturation, block.saturation);
    return result;
}

// A failed read reports LACE off with zeros; the result is 1 either way.
Bool CIntelGraphic::GetLACE(uint32_t* enabled, uint32_t* second, uint32_t* level) {
    cui::LaceBlock block;
    block.version = kLaceBlockVersion;
    block.uid = CurrentUid();
    int32_t error = 0;
    const bool read =
        CuiGetDeviceData(m_pCUIExternal8, cui::kLaceGuid, sizeof block, &block, &error) == 0;
    PutOut(enabled, read ? block.enabled : 0u);
    PutOut(second, read ? block.enableValue : 0u);
    PutOut(level, read ? block.level : 0u);
    return 1;
}

// Any non-zero argument switches LACE on: a level alone is enough.
Bool CIntelGraphic::SetLACE(uint32_t enable, uint32_t level) {
    cui::LaceBlock block;
    block.version = kLaceBlockVersion;
    block.uid = CurrentUid();
    int32_t error = 0;
    CuiGetDeviceData(m_pCUIExternal8, cui::kLaceGuid, sizeof block, &block, &error);
    block.enabled = enable == 0 && level == 0 ? 0 : 1;
    block.enableValue = enable;
    block.level = level;
    CuiSetDeviceData(m_pCUIExternal8, cui::kLaceGuid, sizeof block, &block, &error);
    return 1;
}

// The supported field is passed on as the driver gave it: some drivers answer 2.
Bool CIntelGraphic::IsLACESupport() {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::LaceBlock block;
    block.version = kLaceBlockVersion;
    block.uid = CurrentUid();
    int32_t error = 0;
    if (CuiGetDeviceData(m_pCUIExternal8, cui::kLaceGuid, sizeof block, &block, &error) != 0) {
        return 0;
    }
    return static_cast<Bool>(block.supported);
}

Bool CIntelGraphic::GetDPST(uint32_t* enabled, uint32_t* level) {
    if (m_bInitialized == 0) {
        InitLib();
    }
    cui::DpstBlock block = cui::DpstReadRequest();
    int32_t error = 0;
    if (ReadCuiBlock(m_pCUIExternal8, cui::kDpstGuid, block, &error) == 0 && OffersDpst(block)) {
        PutOut(enabled, (block.enabled & cui::kDpstFeatureBit) != 0 ? 1u : 0u);
        PutOut(level, block.level);
        return 1;
    }
    PutOut(enabled, 0u);
    PutOut(level, kNoDpstLevel);
    WriteLog("check: GetDPST()");
    return 0;
}

Bool CIntelGraphic::SetDPST(uint32_t enable, uint32_t level) {
    if (m_bInitialized == 0) {
        InitLib();
    }
    cui::DpstBlock block = cui::DpstReadRequest();
    int32_t error = 0;
    if (ReadCuiBlock(m_pCUIExternal8, cui::kDpstGuid, block, &error) != 0 || !OffersDpst(block)) {
        WriteLog("check: SetDPST()");
        return 0;
    }
    if (enable != 0) {
        block.enabled |= cui::kDpstFeatureBit;
    } else {
        block.enabled &= ~cui::kDpstFeatureBit;
    }
    block.level = level;
    block.changeMask = cui::kDpstFeatureBit;
    return WriteCuiBlock(m_pCUIExternal8, cui::kDpstGuid, block, &error) == 0 ? 1 : 0;
}

// The settings key caches the driver's answer; a stored width of 0 counts as nothing stored.
Bool CIntelGraphic::GetPanelSize(uint32_t* width, uint32_t* height) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    uint32_t storedWidth = 0;
    ReadSettingDword("LCDW", &storedWidth);
    if (storedWidth != 0) {
        uint32_t storedHeight = 0;
        ReadSettingDword("LCDH", &storedHeight);
        PutOut(width, storedWidth);
        PutOut(height, storedHeight);
        return 1;
    }

    const uint32_t uid = CurrentUid();
    cui::PanelSizeBlock block;
    block.first.uid = uid;
    int32_t error = 0;
    if (ReadCuiBlock(m_pCUIExternal8, cui::kPanelSizeGuid, block, &error) == 0) {
        const cui::PanelSizeBlock::Record* found = nullptr;
        if (block.first.uid == uid) {
            found = &block.first;
        } else if (block.second.uid == uid) {
            found = &block.second;
        }
        if (found != nullptr) {
            PutOut(width, found->width);
            PutOut(height, found->height);
            WriteSettingDword("LCDW", found->width);
            WriteSettingDword("LCDH", found->height);
            return 1;
        }
    }
    PutOut(width, kFallbackWidth);
    PutOut(height, kFallbackHeight);
    return 1;
}

} // namespace varnet
