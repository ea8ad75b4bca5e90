// Video features of the CUI back-end: the video-quality block (sharpness, contrast and skin-tone
// enhancement and the first group) and the media colour block (colour correction, total colour
// control). Most writes read the block first and send it back with a few fields changed.
#include <cstring>
#include <iterator>

#include "backend/cintel_graphic.h"
#include "backend/cui_blocks.h"
#include "backend/cui_device_calls.h"
#include "backend/saturating_truncation.h"

namespace varnet {

namespace {

// Marks a colour-correction value the caller leaves as the driver has it.
constexpr float kKeepValue = -9999.0f;

constexpr char kVideoWriteError[] =
    "INTEL: SetDeviceData (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error : 0x%x\r\n";

// The caller has started the object. False after the error line when the driver refuses.
bool ReadVideoQuality(cui::ICUIExternal8* sdk, cui::VideoQualityBlock& block) {
    block = {};
    block.version = cui::kVideoQualityVersion;
    int32_t error = 0;
    if (ReadCuiBlock(sdk, cui::kVideoQualityGuid, block, &error) != 0) {
        DebugErrorValue("GetDeviceData (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error : 0x%x\r\n",
                        error);
        return false;
    }
    return true;
}

// A level as the driver keeps it, negative while its feature is off.
int32_t SignedLevel(uint32_t enable, float value) {
    return TruncateToInt32(enable == 0 ? -static_cast<double>(value) : static_cast<double>(value));
}

cui::MediaColorBlock MediaColorRequest() {
    cui::MediaColorBlock block;
    block.version = cui::kMediaColorVersion;
    return block;
}

} // namespace

Bool CIntelGraphic::SetVideoQuality(int32_t a1, int32_t a2, int32_t a3, float a4, int32_t a5,
                                    int32_t a6, int32_t a7, float a8, int32_t a9, int32_t a10,
                                    float a11, int32_t a12) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::VideoQualityBlock block;
    if (!ReadVideoQuality(m_pCUIExternal8, block)) {
        return 0;
    }
    if (a1 != 0) {
        block.firstEnable = 0;
        block.firstMode = 1;
        block.firstValue = block.firstDefault;
    } else if (a2 != 0) {
        block.firstEnable = 1;
        block.firstMode = static_cast<uint32_t>(a3);
        if (a3 == 0) {
            block.firstValue = a4;
        }
    }
    if (a5 != 0) {
        block.sharpnessEnable = 0;
        block.sharpnessMode = 1;
        block.sharpnessValue = block.sharpnessDefault;
    } else if (a6 != 0) {
        block.sharpnessEnable = 1;
        block.sharpnessMode = static_cast<uint32_t>(a7);
        if (a7 == 0) {
            block.sharpnessValue = a8;
        }
    }
    if (a9 != 0) {
        block.skinToneEnable = static_cast<uint32_t>(a10);
        if (a10 != 0) {
            block.skinToneValue = a11;
        }
    }
    if (a12 == 0 || a12 == 1) {
        block.contrastEnable = static_cast<uint32_t>(a12);
    }
    int32_t error = 0;
    if (WriteCuiBlock(m_pCUIExternal8, cui::kVideoQualityGuid, block, &error) != 0) {
        platform::OutputDebugString(" (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error\n");
        return 0;
    }
    return 1;
}

Bool CIntelGraphic::GetContrastSkinTone(int32_t* contrast, int32_t* skinTone) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::VideoQualityBlock block;
    if (!ReadVideoQuality(m_pCUIExternal8, block)) {
        return 0;
    }
    PutOut(contrast, SignedLevel(block.contrastEnable, block.contrastValue));
    PutOut(skinTone, SignedLevel(block.skinToneEnable, block.skinToneValue));
    return 1;
}

Bool CIntelGraphic::SetContrastSkinTone(int32_t contrast, int32_t skinTone) {
    // A start that goes on regardless, then the block read's own: a connection that fails is
    // tried twice.
    if (m_bInitialized == 0) {
        InitLib();
    }
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::VideoQualityBlock block;
    if (!ReadVideoQuality(m_pCUIExternal8, block)) {
        return 0;
    }
    // Level n switches the feature on at n - 1; below 1 switches it off and keeps the value.
    block.contrastEnable = contrast >= 1 ? 1 : 0;
    if (contrast >= 1) {
        block.contrastValue = static_cast<float>(contrast - 1);
    }
    block.skinToneEnable = skinTone >= 1 ? 1 : 0;
    if (skinTone >= 1) {
        block.skinToneValue = static_cast<float>(skinTone - 1);
    }
    int32_t error = 0;
    if (WriteCuiBlockCatching(m_pCUIExternal8, cui::kVideoQualityGuid, block, &error, kCuiCallThrew,
                              true) != 0) {
        DebugErrorValue(kVideoWriteError, error);
        return 0;
    }
    return 1;
}

Bool CIntelGraphic::GetVideoSharpness(uint32_t* mode, float* value) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::VideoQualityBlock block;
    if (!ReadVideoQuality(m_pCUIExternal8, block)) {
        return 0;
    }
    // 0 off, 1 the driver's default strength, 2 the caller's value.
    uint32_t reported = 0;
    if (block.sharpnessEnable != 0) {
        reported = block.sharpnessMode != 0 ? 1 : 2;
    }
    PutOut(mode, reported);
    PutOut(value, block.sharpnessValue);
    return 1;
}

Bool CIntelGraphic::SetVideoSharpness(uint32_t mode, float value) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::VideoQualityBlock block;
    if (!ReadVideoQuality(m_pCUIExternal8, block)) {
        return 0;
    }
    if (mode == 0) {
        block.sharpnessEnable = 0;
    } else if (mode == 1) {
        block.sharpnessEnable = 1;
        block.sharpnessMode = 1;
        block.sharpnessValue = block.sharpnessDefault;
    } else {
        block.sharpnessEnable = 1;
        block.sharpnessMode = 0;
        block.sharpnessValue = value;
    }
    int32_t error = 0;
    if (WriteCuiBlockCatching(m_pCUIExternal8, cui::kVideoQualityGuid, block, &error, kCuiCallThrew,
                              false) != 0) {
        DebugErrorValue(kVideoWriteError, error);
        return 0;
    }
    return 1;
}

// The four values land at 84, 64, 24 and 44 in the order a, b, c, d; the driver's, not ours.
Bool CIntelGraphic::SetStandardColorCorrection(uint32_t first, float a, float b, float c, float d) {
    static_assert(sizeof m_mediaColorBlock == sizeof(cui::MediaColorBlock));
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::MediaColorBlock block = MediaColorRequest();
    int32_t error = 0;
    ReadCuiBlock(m_pCUIExternal8, cui::kMediaColorGuid, block, &error);
    block.first = first;
    const float values[] = {c, d, b, a}; // fields 24, 44, 64, 84
    for (std::size_t i = 0; i < std::size(values); ++i) {
        if (values[i] != kKeepValue) {
            block.correction[i].value = values[i];
        }
    }
    WriteCuiBlock(m_pCUIExternal8, cui::kMediaColorGuid, block, &error);
    std::memcpy(m_mediaColorBlock, &block, sizeof block);
    return 1;
}

Bool CIntelGraphic::GetMediaTcc(uint32_t* enable, float* v1, float* v2, float* v3, float* v4,
                                float* v5, float* v6) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::MediaColorBlock block = MediaColorRequest();
    int32_t error = 0;
    const cui::HResult read = ReadCuiBlock(m_pCUIExternal8, cui::kMediaColorGuid, block, &error);
    std::memcpy(m_mediaColorBlock, &block, sizeof block);
    if (read != 0) {
        DebugErrorValue("GetDeviceData (IGFX_GET_SET_MEDIA_COLOR_EX2_GUID) Error : 0x%x\r\n",
                        error);
        return 0;
    }
    PutOut(enable, block.tccEnable);
    float* const outputs[cui::kMediaTccValues] = {v1, v2, v3, v4, v5, v6};
    for (std::size_t i = 0; i < cui::kMediaTccValues; ++i) {
        PutOut(outputs[i], block.tcc[i].value);
    }
    return 1;
}

Bool CIntelGraphic::SetMediaTcc(uint32_t enable, float v1, float v2, float v3, float v4, float v5,
                                float v6) {
    if (m_pCUIExternal8 == nullptr) {
        return 0;
    }
    cui::MediaColorBlock block = MediaColorRequest();
    int32_t error = 0;
    const cui::HResult read = ReadCuiBlock(m_pCUIExternal8, cui::kMediaColorGuid, block, &error);
    block.tccEnable = enable;
    const float values[cui::kMediaTccValues] = {v1, v2, v3, v4, v5, v6};
    for (std::size_t i = 0; i < cui::kMediaTccValues; ++i) {
        block.tcc[i].value = values[i];
    }
    // A write that throws is judged by the read before it.
    const cui::HResult result =
        WriteCuiBlockCatching(m_pCUIExternal8, cui::kMediaColorGuid, block, &error, read, true);
    std::memcpy(m_mediaColorBlock, &block, sizeof block);
    return result == 0 ? 1 : 0;
}

} // namespace varnet
