// Gamma ramps on the Control Library back-end: the pipeline's 1D LUT of 3 x 256 samples in
// 0.0..1.0, read and written as a 768-entry ramp, and the gamma level and white point applied
// before a ramp is loaded.
#include <cstring>

#include "backend/gamma_level_curve.h"
#include "backend/saturating_truncation.h"
#include "backend/white_point_table.h"
#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_exports.h"

namespace varnet {

namespace {

constexpr uint32_t kSamplesPerChannel = 256;
constexpr uint32_t kChannels = 3;
// A driver that answers with its native sample count has not filled our 256-sample buffer.
constexpr uint32_t kNativeSamplesPerChannel = 1024;
constexpr double kRampMax = 65535.0;

} // namespace

Bool CIntelGraphicIGCL::ApplyGammaLevel(uint32_t level, const uint16_t* in, uint16_t* out) {
    if (in == nullptr || out == nullptr) {
        return 0;
    }
    // The curve reduces its source to 8-bit values in place; the caller's stays as it was.
    GammaRamp source;
    std::memcpy(source, in, sizeof source);
    ApplyGammaLevelCurve(level, source, out);
    return 1;
}

Bool CIntelGraphicIGCL::GetGammaRamp(uint16_t* ramp) {
    if (!Guard() || m_bPixTxCaps == 0 || m_hDisplay == nullptr) {
        return 0;
    }
    ctl_pixtx_1dlut_config_t& lut = m_oneDLutBlock.Config.OneDLutConfig;
    // Fewer than three channels would leave the ramp reading past the sample buffer.
    if (lut.pSampleValues == nullptr || lut.NumChannels < kChannels) {
        return 0;
    }
    m_pipeGetArgs.QueryType = CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT;
    m_pipeGetArgs.NumBlocks = 1;
    m_pipeGetArgs.pBlockConfigs = &m_oneDLutBlock;
    lut.NumSamplesPerChannel = kSamplesPerChannel;
    if (ctlPixelTransformationGetConfig(m_hDisplay, &m_pipeGetArgs) != CTL_RESULT_SUCCESS) {
        return 0;
    }
    if (lut.NumSamplesPerChannel == kNativeSamplesPerChannel) {
        lut.NumSamplesPerChannel = kSamplesPerChannel;
        for (std::size_t c = 0; c < kChannels; ++c) {
            for (std::size_t i = 0; i < kSamplesPerChannel && ramp != nullptr; ++i) {
                ramp[c * kSamplesPerChannel + i] = static_cast<uint16_t>(i * 257);
            }
        }
        return 1;
    }
    for (std::size_t k = 0; k < kGammaRampEntries && ramp != nullptr; ++k) {
        const uint32_t v = TruncateToUint32(lut.pSampleValues[k] * kRampMax + 0.5);
        ramp[k] = static_cast<uint16_t>(v < 0xFFFFu ? v : 0xFFFFu);
    }
    return 1;
}

// A null ramp puts the driver's own 1D LUT back.
Bool CIntelGraphicIGCL::SetGammaRamp(const uint16_t* ramp) {
    if (!Guard() || m_bPixTxCaps == 0 || m_hDisplay == nullptr) {
        return 0;
    }
    double samples[kGammaRampEntries] = {};
    ctl_pixtx_block_config_t block = m_oneDLutBlock;
    block.Size = sizeof block;
    ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
    lut.SamplingType = CTL_PIXTX_LUT_SAMPLING_TYPE_UNIFORM;
    lut.NumSamplesPerChannel = kSamplesPerChannel;
    lut.NumChannels = kChannels;
    lut.pSampleValues = samples;
    lut.pSamplePositions = nullptr;
    uint32_t opType = CTL_PIXTX_CONFIG_OPERTAION_TYPE_RESTORE_DEFAULT;
    if (ramp != nullptr) {
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            samples[k] = ramp[k] / kRampMax;
        }
        opType = CTL_PIXTX_CONFIG_OPERTAION_TYPE_SET_CUSTOM;
    }
    return SetPixelBlock(&block, opType, 0) == CTL_RESULT_SUCCESS ? 1 : 0;
}

Bool CIntelGraphicIGCL::SetGammaRampData(uint16_t* ramp, int32_t whitePointIndex,
                                         uint32_t gammaLevel) {
    // Refused before the caller's ramp is touched.
    if (ramp == nullptr || whitePointIndex < 0 ||
        whitePointIndex >= static_cast<int32_t>(kWhitePointCount)) {
        return 0;
    }
    if (!Guard()) {
        return 0;
    }
    if (gammaLevel != kNeutralGammaLevel) {
        GammaRamp adjusted = {};
        ApplyGammaLevel(gammaLevel, ramp, adjusted);
        std::memcpy(ramp, adjusted, sizeof adjusted);
    }
    if (whitePointIndex == kNeutralWhitePoint) {
        return SetGammaRamp(ramp);
    }
    GammaRamp tinted = {};
    ApplyWhitePoint(ramp, whitePointIndex, GammaMax, tinted);
    return SetGammaRamp(tinted);
}

} // namespace varnet
