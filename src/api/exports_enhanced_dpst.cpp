// The enhanced DPST pair: DPST on at level 5 with the driver's enhanced setting, handing back the
// state before; and that state put back. Each call creates its own SDK object and reads and
// writes the DPST block directly, whichever back-end the other exports would use.
#include "api/export_guard.h"
#include "backend/cui_blocks.h"
#include "platform/platform.h"
#include "varnet/varnet.h"

namespace {

namespace cui = varnet::cui;
namespace platform = varnet::platform;

constexpr uint32_t kEnhancedLevel = 5;
constexpr uint32_t kEnhancedValueOn = 1;

// The SDK object of one call, released on every path once created.
class DpstSdk {
public:
    DpstSdk() {
        platform::Guid clsid;
        if (platform::ClsidFromProgId(cui::kProgId, &clsid) != platform::kSOk) {
            platform::OutputDebugString("CLSIDFromProgID Fail\r\n");
            return;
        }
        void* object = nullptr;
        if (platform::CreateComInstance(clsid, platform::kClsCtxServer, cui::kIidCuiExternal8,
                                        &object) != platform::kSOk ||
            object == nullptr) {
            platform::OutputDebugString("CoCreateInstance Fail\r\n");
            return;
        }
        sdk_ = static_cast<cui::ICUIExternal8*>(object);
    }
    DpstSdk(const DpstSdk&) = delete;
    DpstSdk& operator=(const DpstSdk&) = delete;
    ~DpstSdk() {
        if (sdk_ == nullptr) {
            return;
        }
        try {
            sdk_->Release();
        } catch (...) {
            // Nothing more can be done with an object that fails to let go.
        }
    }

    bool Created() const { return sdk_ != nullptr; }

    // The block as the driver has it, when it reads and offers DPST. A driver that throws has
    // not answered.
    bool Read(cui::DpstBlock& block) {
        block = cui::DpstReadRequest();
        int32_t error = 0;
        try {
            if (sdk_->GetDeviceData(cui::kDpstGuid, sizeof block,
                                    reinterpret_cast<uint8_t*>(&block), &error) < 0) {
                return false;
            }
        } catch (...) {
            return false;
        }
        return (block.supported & cui::kDpstFeatureBit) != 0;
    }

    // Negative results are failures; an exception counts as one.
    bool Write(cui::DpstBlock& block) {
        int32_t error = 0;
        try {
            return sdk_->SetDeviceData(cui::kDpstGuid, sizeof block,
                                       reinterpret_cast<uint8_t*>(&block), &error) >= 0;
        } catch (...) {
            return false;
        }
    }

private:
    cui::ICUIExternal8* sdk_ = nullptr;
};

} // namespace

extern "C" bool SetLevelEnhancedDPST(EnhancedDpstSavedState* saved) {
    if (saved == nullptr) {
        return false;
    }
    return varnet::GuardExport(false, [saved] {
        DpstSdk sdk;
        cui::DpstBlock block;
        if (!sdk.Created() || !sdk.Read(block)) {
            return false;
        }
        // The caller's array is filled before the write, so it holds the old state even when
        // the write fails.
        saved->values[0] = (block.enabled & cui::kDpstFeatureBit) != 0 ? 1 : 0;
        block.changeMask = cui::kDpstFeatureBit;
        block.enabled |= cui::kDpstFeatureBit;
        saved->values[1] = static_cast<int32_t>(block.level);
        block.level = kEnhancedLevel;
        if (block.enhancedOffered != 0) {
            saved->values[2] = static_cast<int32_t>(block.enhancedValue);
            block.enhancedValue = kEnhancedValueOn;
        }
        if (!sdk.Write(block)) {
            platform::OutputDebugString("SetLevelEnhancedDPST SetDeviceData Fail\r\n");
            return false;
        }
        return true;
    });
}

// A null state has nothing to restore: false, and no SDK object is created.
extern "C" bool RestoreLevelEnhancedDPST(const EnhancedDpstSavedState* saved) {
    if (saved == nullptr) {
        return false;
    }
    return varnet::GuardExport(false, [saved] {
        DpstSdk sdk;
        cui::DpstBlock block;
        if (!sdk.Created() || !sdk.Read(block)) {
            return false;
        }
        // Only DPST's own bit changes; the change mask goes back as the driver reported it.
        if (saved->values[0] == 1) {
            block.enabled |= cui::kDpstFeatureBit;
        } else {
            block.enabled &= ~cui::kDpstFeatureBit;
        }
        block.level = static_cast<uint32_t>(saved->values[1]);
        if (block.enhancedOffered != 0) {
            block.enhancedValue = static_cast<uint32_t>(saved->values[2]);
        }
        if (!sdk.Write(block)) {
            platform::OutputDebugString("RestoreLevelEnhancedDPST SetDeviceData Fail\r\n");
            return false;
        }
        return true;
    });
}
