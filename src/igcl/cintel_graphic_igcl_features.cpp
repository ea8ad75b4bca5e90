// Power optimisation, LACE, sharpness, video processing and AUX access on the Control Library
// back-end, and the operations it does not offer. Each maps the interface's arguments onto one
// driver record and reads its answer back.
#include <cstddef>
#include <cstring>

#include "backend/saturating_truncation.h"
#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_exports.h"
#include "igcl/igcl_diagnostics.h"
#include "platform/platform.h"

namespace varnet {

using igcl::DebugPrintf;

namespace {

// Three lines of "<spades> Not Implemented... <spades>" in code page 949 (a spade is A2 BC).
constexpr char kNotImplemented[] =
    "\xA2\xBC\xA2\xBC\xA2\xBC Not Implemented... \xA2\xBC\xA2\xBC\xA2\xBC\n"
    "\xA2\xBC\xA2\xBC\xA2\xBC Not Implemented... \xA2\xBC\xA2\xBC\xA2\xBC\n"
    "\xA2\xBC\xA2\xBC\xA2\xBC Not Implemented... \xA2\xBC\xA2\xBC\xA2\xBC\n";

// Room for the run time's lux-to-aggressiveness map, which is never read back.
constexpr std::size_t kLaceMapBytes = 1032;

// The custom values of the video-processing features, as far as this back-end fills or reads
// them; the rest of each record stays zero.
struct AdaptiveContrastValue {
    uint8_t reserved0[8];
    uint8_t enable;
    uint8_t reserved1[3];
    uint32_t level;
    uint8_t secondFlag;
    uint8_t reserved2[67];
};
static_assert(sizeof(AdaptiveContrastValue) == 84);
static_assert(offsetof(AdaptiveContrastValue, enable) == 8);
static_assert(offsetof(AdaptiveContrastValue, level) == 12);
static_assert(offsetof(AdaptiveContrastValue, secondFlag) == 16);

struct StandardColorCorrectionValue {
    uint8_t reserved0[5];
    uint8_t enable;
    uint8_t reserved1[2];
    float values[4];
    uint8_t reserved2[64];
};
static_assert(sizeof(StandardColorCorrectionValue) == 88);
static_assert(offsetof(StandardColorCorrectionValue, enable) == 5);
static_assert(offsetof(StandardColorCorrectionValue, values) == 8);

struct TotalColorCorrectionValue {
    uint8_t reserved0[5];
    uint8_t enable;
    uint8_t reserved1[2];
    uint32_t values[6];
    uint8_t reserved2[64];
};
static_assert(sizeof(TotalColorCorrectionValue) == 96);
static_assert(offsetof(TotalColorCorrectionValue, enable) == 5);
static_assert(offsetof(TotalColorCorrectionValue, values) == 8);

// Total colour correction's neutral value, sent for every channel when it is switched off.
constexpr uint32_t kTccNeutral = 128;

template <class T> void Put(T* out, T value) {
    if (out != nullptr) {
        *out = value;
    }
}

// Anything outside what the 132-byte record holds is refused rather than cut short: half an
// AUX write could leave the panel in a state nobody asked for.
bool AuxSizeFits(int32_t size, const void* data) {
    return size >= 0 && size <= CTL_AUX_MAX_DATA_SIZE && (size == 0 || data != nullptr);
}

ctl_aux_access_args_t AuxArgs(uint32_t opType, uint32_t flags, uint32_t address,
                              uint32_t dataSize) {
    ctl_aux_access_args_t args;
    std::memset(&args, 0, sizeof args);
    args.Size = sizeof args;
    args.OpType = opType;
    args.Flags = flags;
    args.Address = address;
    args.DataSize = dataSize;
    return args;
}

} // namespace

ctl_result_t CIntelGraphicIGCL::QueryLace(ctl_lace_config_t* config) {
    alignas(8) uint8_t map[kLaceMapBytes] = {};
    *config = {};
    config->Size = sizeof(ctl_lace_config_t);
    config->Version = 0;
    config->OpTypeGet = CTL_GET_OPERATION_FLAG_CURRENT;
    config->LaceConfig.AggrLevelMap.pLuxToAggrMappingTable =
        reinterpret_cast<ctl_lace_lux_aggr_map_entry_t*>(map);
    const ctl_result_t result = ctlGetLACEConfig(m_hDisplay, config);
    // The map lives on this frame only.
    config->LaceConfig.AggrLevelMap.pLuxToAggrMappingTable = nullptr;
    return result;
}

ctl_device_adapter_handle_t CIntelGraphicIGCL::CurrentAdapter() const {
    if (m_phAdapters == nullptr || m_nAdapterIndex >= m_nAdapterCount) {
        return nullptr;
    }
    return m_phAdapters[m_nAdapterIndex];
}

ctl_result_t CIntelGraphicIGCL::VideoFeature(uint32_t feature, bool set, uint32_t valueType,
                                             ctl_property_t* value, void* custom,
                                             int32_t customSize) {
    ctl_video_processing_feature_getset_t args;
    std::memset(&args, 0, sizeof args);
    args.Size = sizeof args;
    args.FeatureType = feature;
    args.bSet = set;
    args.ValueType = valueType;
    if (value != nullptr) {
        args.Value = *value;
    }
    args.CustomValueSize = customSize;
    args.pCustomValue = custom;
    const ctl_result_t result = ctlGetSetVideoProcessingFeature(CurrentAdapter(), &args);
    if (value != nullptr) {
        *value = args.Value;
    }
    return result;
}

ctl_result_t CIntelGraphicIGCL::QueryPowerCaps(ctl_power_optimization_caps_t* caps) {
    std::memset(caps, 0, sizeof *caps);
    caps->Size = sizeof *caps;
    const ctl_result_t result = ctlGetPowerOptimizationCaps(m_hDisplay, caps);
    if (result != CTL_RESULT_SUCCESS) {
        DebugPrintf("Check: ctlGetPowerOptimizationCaps()\n");
    }
    return result;
}

// Only the sharpness group reaches this back-end; switching it off wins over setting it.
Bool CIntelGraphicIGCL::SetVideoQuality(int32_t /*a1*/, int32_t /*a2*/, int32_t /*a3*/,
                                        float /*a4*/, int32_t a5, int32_t a6, int32_t /*a7*/,
                                        float a8, int32_t /*a9*/, int32_t /*a10*/, float /*a11*/,
                                        int32_t /*a12*/) {
    if (a5 != 0) {
        SetVideoSharpness(0, 0.0f);
    } else if (a6 != 0) {
        SetVideoSharpness(1, a8);
    }
    return 1;
}

// The second output has no counterpart in the driver's record and is left alone.
Bool CIntelGraphicIGCL::GetLACE(uint32_t* enabled, uint32_t* /*second*/, uint32_t* level) {
    if (!Guard()) {
        return 0;
    }
    ctl_lace_config_t config = {};
    if (QueryLace(&config) != CTL_RESULT_SUCCESS) {
        return 0;
    }
    Put<uint32_t>(enabled, config.Enabled ? 1 : 0);
    Put<uint32_t>(level, config.LaceConfig.FixedAggressivenessLevelPercent);
    return 1;
}

Bool CIntelGraphicIGCL::SetLACE(uint32_t enable, uint32_t level) {
    if (!Guard()) {
        return 0;
    }
    ctl_lace_config_t config;
    std::memset(&config, 0, sizeof config);
    config.Size = sizeof config;
    config.Enabled = enable != 0;
    config.OpTypeSet = CTL_SET_OPERATION_CUSTOM;
    config.Trigger = CTL_LACE_TRIGGER_FLAG_FIXED_AGGRESSIVENESS;
    // The record holds a percentage byte.
    config.LaceConfig.FixedAggressivenessLevelPercent = static_cast<uint8_t>(level);
    const ctl_result_t result = ctlSetLACEConfig(m_hDisplay, &config);
    if (result != CTL_RESULT_SUCCESS) {
        DebugPrintf("ctlSetLACEConfig returned failure code: 0x%X\n", result);
        return 0;
    }
    return 1;
}

// Both outputs are written whatever the driver answered: 0 and 0 when it failed.
Bool CIntelGraphicIGCL::GetSharpness(uint32_t* enable, uint32_t* intensity) {
    if (!Guard()) {
        return 0;
    }
    ctl_sharpness_settings_t settings;
    std::memset(&settings, 0, sizeof settings);
    settings.Size = sizeof settings;
    const bool ok = ctlGetCurrentSharpness(m_hDisplay, &settings) == CTL_RESULT_SUCCESS;
    Put<uint32_t>(intensity, ok ? TruncateToUint32(settings.Intensity) : 0);
    Put<uint32_t>(enable, ok && settings.Enable ? 1 : 0);
    return ok ? 1 : 0;
}

// Read first so that the driver's filter type goes back unchanged.
Bool CIntelGraphicIGCL::SetSharpness(uint32_t enable, uint32_t intensity) {
    if (!Guard()) {
        return 0;
    }
    ctl_sharpness_settings_t settings;
    std::memset(&settings, 0, sizeof settings);
    settings.Size = sizeof settings;
    ctlGetCurrentSharpness(m_hDisplay, &settings);
    settings.Size = sizeof settings;
    settings.Version = 0;
    settings.Enable = enable != 0;
    settings.Intensity = static_cast<float>(intensity);
    return ctlSetCurrentSharpness(m_hDisplay, &settings) == CTL_RESULT_SUCCESS ? 1 : 0;
}

Bool CIntelGraphicIGCL::IsLACESupport() {
    if (!Guard()) {
        return 0;
    }
    ctl_lace_config_t config = {};
    return QueryLace(&config) == CTL_RESULT_SUCCESS ? 1 : 0;
}

Bool CIntelGraphicIGCL::ReservedQuery1() {
    return 0;
}

Bool CIntelGraphicIGCL::ReservedQuery2() {
    return 0;
}

Bool CIntelGraphicIGCL::SetStandardColorCorrection(uint32_t first, float a, float b, float c,
                                                   float d) {
    if (!Guard()) {
        return 0;
    }
    StandardColorCorrectionValue custom = {};
    custom.enable = first != 0 ? 1 : 0;
    custom.values[0] = a;
    custom.values[1] = b;
    custom.values[2] = c;
    custom.values[3] = d;
    return VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_STANDARD_COLOR_CORRECTION, true,
                        CTL_PROPERTY_VALUE_TYPE_CUSTOM, nullptr, &custom,
                        sizeof custom) == CTL_RESULT_SUCCESS
               ? 1
               : 0;
}

// A switched-off feature reports its level negated. The skin-tone output is never written.
Bool CIntelGraphicIGCL::GetContrastSkinTone(int32_t* contrast, int32_t* /*skinTone*/) {
    if (!Guard()) {
        return 0;
    }
    AdaptiveContrastValue custom = {};
    if (VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_ADAPTIVE_CONTRAST_ENHANCEMENT, false,
                     CTL_PROPERTY_VALUE_TYPE_CUSTOM, nullptr, &custom,
                     sizeof custom) != CTL_RESULT_SUCCESS) {
        return 0;
    }
    // Negated in unsigned arithmetic: a level of 0x80000000 must not overflow.
    Put(contrast, static_cast<int32_t>(custom.enable != 0 ? custom.level : 0u - custom.level));
    m_nAceSecondFlag = custom.secondFlag;
    return 1;
}

// A level below 1 switches a feature off; level n switches it on with n - 1. Neither driver
// answer changes the result.
Bool CIntelGraphicIGCL::SetContrastSkinTone(int32_t contrast, int32_t skinTone) {
    if (!Guard()) {
        return 0;
    }
    AdaptiveContrastValue custom = {};
    custom.enable = contrast >= 1 ? 1 : 0;
    custom.level = contrast >= 1 ? static_cast<uint32_t>(contrast) - 1 : 0;
    custom.secondFlag = m_nAceSecondFlag != 0 ? 1 : 0;
    VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_ADAPTIVE_CONTRAST_ENHANCEMENT, true,
                 CTL_PROPERTY_VALUE_TYPE_CUSTOM, nullptr, &custom, sizeof custom);

    ctl_property_t value;
    std::memset(&value, 0, sizeof value);
    value.UIntType.Enable = skinTone >= 1;
    value.UIntType.Value = skinTone >= 1 ? static_cast<uint32_t>(skinTone) - 1 : 0;
    VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_SKIN_TONE_ENHANCEMENT, true,
                 CTL_PROPERTY_VALUE_TYPE_UINT32, &value, nullptr, 0);
    return 1;
}

Bool CIntelGraphicIGCL::GetMediaTcc(uint32_t* enable, float* v1, float* v2, float* v3, float* v4,
                                    float* v5, float* v6) {
    if (!Guard()) {
        return 0;
    }
    float* outputs[6] = {v1, v2, v3, v4, v5, v6};
    TotalColorCorrectionValue custom = {};
    if (VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_TOTAL_COLOR_CORRECTION, false,
                     CTL_PROPERTY_VALUE_TYPE_CUSTOM, nullptr, &custom,
                     sizeof custom) != CTL_RESULT_SUCCESS) {
        for (float* out : outputs) {
            Put(out, -1.0f);
        }
        return 0;
    }
    Put<uint32_t>(enable, custom.enable);
    for (int i = 0; i < 6; ++i) {
        Put(outputs[i], static_cast<float>(custom.values[i]));
    }
    return 1;
}

Bool CIntelGraphicIGCL::SetMediaTcc(uint32_t enable, float v1, float v2, float v3, float v4,
                                    float v5, float v6) {
    if (!Guard()) {
        return 0;
    }
    const float inputs[6] = {v1, v2, v3, v4, v5, v6};
    TotalColorCorrectionValue custom = {};
    custom.enable = enable != 0 ? 1 : 0;
    for (int i = 0; i < 6; ++i) {
        custom.values[i] = enable != 0 ? TruncateToUint32(inputs[i]) : kTccNeutral;
    }
    return VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_TOTAL_COLOR_CORRECTION, true,
                        CTL_PROPERTY_VALUE_TYPE_CUSTOM, nullptr, &custom,
                        sizeof custom) == CTL_RESULT_SUCCESS
               ? 1
               : 0;
}

Bool CIntelGraphicIGCL::GetVideoSharpness(uint32_t* mode, float* value) {
    if (!Guard()) {
        return 0;
    }
    ctl_property_t property;
    std::memset(&property, 0, sizeof property);
    if (VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_SHARPNESS, false, CTL_PROPERTY_VALUE_TYPE_UINT32,
                     &property, nullptr, 0) != CTL_RESULT_SUCCESS) {
        return 0;
    }
    Put<uint32_t>(mode, property.UIntType.Enable ? 1 : 0);
    Put(value, static_cast<float>(property.UIntType.Value));
    return 1;
}

Bool CIntelGraphicIGCL::SetVideoSharpness(uint32_t mode, float value) {
    if (!Guard()) {
        return 0;
    }
    ctl_property_t property;
    std::memset(&property, 0, sizeof property);
    property.UIntType.Enable = mode != 0;
    property.UIntType.Value = TruncateToUint32(value);
    return VideoFeature(CTL_VIDEO_PROCESSING_FEATURE_SHARPNESS, true,
                        CTL_PROPERTY_VALUE_TYPE_UINT32, &property, nullptr, 0) == CTL_RESULT_SUCCESS
               ? 1
               : 0;
}

// A failure to read the caps answers with the driver's code itself, which callers testing for
// exactly 1 see as a failure.
Bool CIntelGraphicIGCL::GetDPST(uint32_t* enabled, uint32_t* level) {
    if (!Guard()) {
        return 0;
    }
    Put<uint32_t>(enabled, 0);
    Put<uint32_t>(level, 0);
    ctl_power_optimization_caps_t caps;
    const ctl_result_t capsResult = QueryPowerCaps(&caps);
    if (capsResult != CTL_RESULT_SUCCESS) {
        return static_cast<Bool>(capsResult);
    }
    if ((caps.SupportedFeatures & CTL_POWER_OPTIMIZATION_FLAG_DPST) == 0) {
        return 0;
    }
    ctl_power_optimization_settings_t settings;
    std::memset(&settings, 0, sizeof settings);
    settings.Size = sizeof settings;
    settings.PowerOptimizationPlan = 0;
    settings.PowerOptimizationFeature = CTL_POWER_OPTIMIZATION_FLAG_DPST;
    if (ctlGetPowerOptimizationSetting(m_hDisplay, &settings) != CTL_RESULT_SUCCESS) {
        igcl::StdoutPrintf("check: ctlGetPowerOptimizationSetting(DPST) \n");
        return 0;
    }
    Put<uint32_t>(enabled, settings.Enable ? 1 : 0);
    Put<uint32_t>(level, settings.FeatureSpecificData.DPSTInfo.Level);
    return 1;
}

Bool CIntelGraphicIGCL::SetDPST(uint32_t enable, uint32_t level) {
    if (!Guard()) {
        return 0;
    }
    ctl_power_optimization_caps_t caps;
    const ctl_result_t capsResult = QueryPowerCaps(&caps);
    if (capsResult != CTL_RESULT_SUCCESS) {
        return static_cast<Bool>(capsResult);
    }
    if ((caps.SupportedFeatures & CTL_POWER_OPTIMIZATION_FLAG_DPST) == 0) {
        return 0;
    }
    ctl_power_optimization_settings_t settings;
    std::memset(&settings, 0, sizeof settings);
    settings.Size = sizeof settings;
    settings.PowerOptimizationPlan = 0;
    settings.PowerOptimizationFeature = CTL_POWER_OPTIMIZATION_FLAG_DPST;
    settings.Enable = enable != 0;
    settings.FeatureSpecificData.DPSTInfo.Level = static_cast<uint8_t>(level);
    if (ctlSetPowerOptimizationSetting(m_hDisplay, &settings) != CTL_RESULT_SUCCESS) {
        DebugPrintf("check: ctlSetPowerOptimizationSetting(DPST) \n");
        return 0;
    }
    return 1;
}

// The colour matrix and saved-ramp operations exist only on the CUI back-end; callers get a
// success so that a colour mode carries on without them.
Bool CIntelGraphicIGCL::GetColorMatrix(Bool /*secondDisplay*/, uint32_t* /*enabled*/,
                                       uint32_t* /*value*/, uint32_t* /*third*/,
                                       uint32_t* /*fourth*/, float* /*matrix*/) {
    platform::OutputDebugString(kNotImplemented);
    return 1;
}

Bool CIntelGraphicIGCL::SetColorMatrix(Bool /*secondDisplay*/, uint32_t /*value*/,
                                       uint32_t /*third*/, Bool /*withMatrix*/,
                                       const float* /*matrix*/) {
    platform::OutputDebugString(kNotImplemented);
    return 1;
}

Bool CIntelGraphicIGCL::SaveGammaRamp() {
    platform::OutputDebugString(kNotImplemented);
    return 1;
}

Bool CIntelGraphicIGCL::SetColorTempGamnmaLUT(int32_t /*whitePointIndex*/) {
    platform::OutputDebugString(kNotImplemented);
    return 1;
}

Bool CIntelGraphicIGCL::WriteDPAuxData(uint32_t address, uint32_t value) {
    if (!Guard()) {
        return 0;
    }
    ctl_aux_access_args_t args =
        AuxArgs(CTL_OPERATION_TYPE_WRITE, CTL_AUX_FLAG_NATIVE_AUX, address, 1);
    args.Data[0] = static_cast<uint8_t>(value);
    if (ctlAUXAccess(m_hDisplay, &args) != CTL_RESULT_SUCCESS) {
        DebugPrintf("Check: WriteDPAuxData()\n");
        return 0;
    }
    return 1;
}

Bool CIntelGraphicIGCL::ReadDPAuxData(uint32_t address, uint8_t* value) {
    if (!Guard()) {
        return 0;
    }
    ctl_aux_access_args_t args =
        AuxArgs(CTL_OPERATION_TYPE_READ, CTL_AUX_FLAG_NATIVE_AUX, address, 1);
    if (ctlAUXAccess(m_hDisplay, &args) != CTL_RESULT_SUCCESS) {
        DebugPrintf("Check: ReadDPAuxData()\n");
        Put<uint8_t>(value, 0);
        return 0;
    }
    Put(value, args.Data[0]);
    return 1;
}

Bool CIntelGraphicIGCL::WriteDPAuxDataEx(uint32_t mode, uint32_t address, const uint8_t* data,
                                         int32_t size) {
    if (!Guard()) {
        return 0;
    }
    if (!AuxSizeFits(size, data)) {
        DebugPrintf("Check: WriteDPAuxDataEx()\n");
        return 0;
    }
    ctl_aux_access_args_t args =
        AuxArgs(CTL_OPERATION_TYPE_WRITE, mode, address, static_cast<uint32_t>(size));
    if (size > 0) {
        std::memcpy(args.Data, data, static_cast<std::size_t>(size));
    }
    if (ctlAUXAccess(m_hDisplay, &args) != CTL_RESULT_SUCCESS) {
        DebugPrintf("Check: WriteDPAuxDataEx()\n");
        return 0;
    }
    return 1;
}

// Always a native AUX read, whatever the mode says. A refused size leaves data untouched; a
// failed read zero-fills it.
Bool CIntelGraphicIGCL::ReadDPAuxDataEx(uint32_t /*mode*/, uint32_t address, uint8_t* data,
                                        int32_t size) {
    if (!Guard()) {
        return 0;
    }
    if (!AuxSizeFits(size, data)) {
        DebugPrintf("Check: ReadDPAuxDataEx()\n");
        return 0;
    }
    const auto count = static_cast<std::size_t>(size);
    ctl_aux_access_args_t args = AuxArgs(CTL_OPERATION_TYPE_READ, CTL_AUX_FLAG_NATIVE_AUX, address,
                                         static_cast<uint32_t>(size));
    if (ctlAUXAccess(m_hDisplay, &args) != CTL_RESULT_SUCCESS) {
        DebugPrintf("Check: ReadDPAuxDataEx()\n");
        if (count > 0) {
            std::memset(data, 0, count);
        }
        return 0;
    }
    if (count > 0) {
        std::memcpy(data, args.Data, count);
    }
    return 1;
}

} // namespace varnet
