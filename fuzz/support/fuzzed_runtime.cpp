// The fuzzed Control Library run time. Only the entries the library's back-end and loader call
// answer; every other name is missing, as a run time older than the library would leave it.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <string_view>
#include <utility>

#include "igcl/ctl_exports.h"
#include "platform/host/sandbox.h"
#include "support/fuzz_input.h"
#include "support/fuzzed_driver.h"

namespace varnet::fuzz {
namespace {

std::atomic<long> openSessions{0};
volatile uint8_t sink = 0;

FuzzInput& In() {
    return Input();
}

// Reads every byte the caller claims to hand over.
void Touch(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint8_t sum = 0;
    for (std::size_t i = 0; data != nullptr && i < size; ++i) {
        sum = static_cast<uint8_t>(sum + bytes[i]);
    }
    sink = sum;
}

ctl_result_t Result() {
    static constexpr ctl_result_t kCodes[] = {CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER,
                                              CTL_RESULT_ERROR_NOT_INITIALIZED,
                                              CTL_RESULT_ERROR_UNSUPPORTED_FEATURE,
                                              CTL_RESULT_ERROR_INVALID_ARGUMENT,
                                              CTL_RESULT_ERROR_INVALID_SIZE,
                                              CTL_RESULT_ERROR_DATA_READ,
                                              CTL_RESULT_ERROR_UNKNOWN};
    const uint8_t b = In().Byte();
    if (b < 208) {
        return CTL_RESULT_SUCCESS;
    }
    if (b == 0xFF) {
        return In().Value<uint32_t>();
    }
    return kCodes[b % std::size(kCodes)];
}

template <class Handle> Handle FuzzHandle() {
    // Opaque to the library: it only hands them back. 0xFF gives a null handle.
    return reinterpret_cast<Handle>((static_cast<uintptr_t>(In().Byte()) + 1) % 256 * 64);
}

// A colour sample: mostly inside 0..1, now and then any double (NaN and infinities included).
double Sample() {
    const uint8_t b = In().Byte();
    return b < 0xF8 ? b / 247.0 : In().Value<double>();
}

template <class Handle> ctl_result_t Enumerate(uint32_t* count, Handle* handles) {
    const ctl_result_t result = Result();
    if (count == nullptr) {
        return result;
    }
    if (handles != nullptr) {
        const uint32_t room = *count;
        const uint32_t written = std::min(room, In().Count());
        for (uint32_t i = 0; i < written; ++i) {
            handles[i] = FuzzHandle<Handle>();
        }
    }
    *count = In().Count();
    return result;
}

ctl_result_t Init(ctl_init_args_t* args, ctl_api_handle_t* handle) {
    const ctl_result_t result = Result();
    if (handle != nullptr) {
        *handle = FuzzHandle<ctl_api_handle_t>();
    }
    if (args != nullptr) {
        args->SupportedVersion = In().Value<uint32_t>();
    }
    if (result == CTL_RESULT_SUCCESS) {
        ++openSessions;
    }
    return result;
}

// The library closes after a failed ctlInit too; only closes of open sessions count.
void CountClose() {
    long open = openSessions.load();
    while (open > 0 && !openSessions.compare_exchange_weak(open, open - 1)) {
    }
}

ctl_result_t Close(ctl_api_handle_t) {
    CountClose();
    return Result();
}

ctl_result_t SetRuntimePath(ctl_runtime_path_args_t* args) {
    if (args != nullptr && args->pRuntimePath != nullptr) {
        Touch(args->pRuntimePath, (std::wcslen(args->pRuntimePath) + 1) * sizeof(wchar_t));
    }
    return Result();
}

ctl_result_t EnumerateDevices(ctl_api_handle_t, uint32_t* count,
                              ctl_device_adapter_handle_t* devices) {
    return Enumerate(count, devices);
}

ctl_result_t EnumerateDisplayOutputs(ctl_device_adapter_handle_t, uint32_t* count,
                                     ctl_display_output_handle_t* displays) {
    return Enumerate(count, displays);
}

ctl_result_t GetDisplayProperties(ctl_display_output_handle_t, ctl_display_properties_t* p) {
    const ctl_result_t result = Result();
    if (p != nullptr) {
        In().Bytes(reinterpret_cast<uint8_t*>(p) + 8, sizeof *p - 8);
        // Mostly the built-in panel's encoder, so that the search goes on past it.
        if (In().Byte() < 192) {
            p->Os_display_encoder_handle.WindowsDisplayEncoderID = 0x00800050;
        }
    }
    return result;
}

ctl_result_t PanelDescriptorAccess(ctl_display_output_handle_t,
                                   ctl_panel_descriptor_access_args_t* args) {
    const ctl_result_t result = Result();
    if (args == nullptr) {
        return result;
    }
    if (args->OpType == CTL_OPERATION_TYPE_WRITE) {
        Touch(args->pDescriptorData, args->DescriptorDataSize);
        return result;
    }
    if (args->pDescriptorData != nullptr) {
        In().Bytes(args->pDescriptorData, args->DescriptorDataSize);
    }
    const uint8_t b = In().Byte();
    if (args->pDescriptorData == nullptr || b >= 0xE0) {
        args->DescriptorDataSize = b < 0x80 ? 128 : b < 0xE0 ? 256 : In().Value<uint32_t>();
    }
    return result;
}

void FillCapability(ctl_pixtx_block_config_t& block) {
    block.BlockId = In().Byte();
    const uint8_t type = In().Byte();
    block.BlockType = type < 0xF0 ? type % 5 + 1 : In().Value<uint32_t>();
    switch (block.BlockType) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT: {
        ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
        lut.SamplingType = In().Byte() % 3;
        lut.NumSamplesPerChannel = In().Bool() ? 1024 : In().Count();
        lut.NumChannels = In().Byte() < 0xC0 ? 3 : In().Count();
        break;
    }
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT:
        block.Config.ThreeDLutConfig.NumSamplesPerChannel = In().Bool() ? 17 : In().Count();
        break;
    default:
        In().Bytes(&block.Config.MatrixConfig.PreOffsets, sizeof(double) * 15);
        break;
    }
}

void FillCurrent(ctl_pixtx_block_config_t& block) {
    switch (block.BlockType) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT: {
        ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
        const std::size_t n = static_cast<std::size_t>(lut.NumChannels) * lut.NumSamplesPerChannel;
        for (std::size_t i = 0; lut.pSampleValues != nullptr && i < n; ++i) {
            lut.pSampleValues[i] = Sample();
        }
        if (In().OneIn(8)) {
            lut.NumSamplesPerChannel = In().Bool() ? 1024 : In().Count();
        }
        break;
    }
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT: {
        ctl_pixtx_3dlut_config_t& lut = block.Config.ThreeDLutConfig;
        const std::size_t points = lut.NumSamplesPerChannel;
        const std::size_t n = points * points * points;
        for (std::size_t i = 0; lut.pSampleValues != nullptr && i < n; ++i) {
            lut.pSampleValues[i] = {Sample(), Sample(), Sample()};
        }
        if (In().OneIn(8)) {
            lut.NumSamplesPerChannel = In().Count();
        }
        break;
    }
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX:
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX_AND_OFFSETS: {
        ctl_pixtx_matrix_config_t& m = block.Config.MatrixConfig;
        for (double* v : {&m.PreOffsets[0], &m.PostOffsets[0], &m.Matrix[0][0]}) {
            const std::size_t count = v == &m.Matrix[0][0] ? 9 : 3;
            for (std::size_t i = 0; i < count; ++i) {
                v[i] = Sample();
            }
        }
        break;
    }
    default:
        break;
    }
}

ctl_result_t PixelGetConfig(ctl_display_output_handle_t, ctl_pixtx_pipe_get_config_t* args) {
    const ctl_result_t result = Result();
    if (args == nullptr) {
        return result;
    }
    const uint32_t room = args->NumBlocks;
    for (uint32_t i = 0; args->pBlockConfigs != nullptr && i < room; ++i) {
        if (args->QueryType == CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY) {
            FillCapability(args->pBlockConfigs[i]);
        } else {
            FillCurrent(args->pBlockConfigs[i]);
        }
    }
    if (args->QueryType == CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY) {
        args->NumBlocks = In().Count();
    }
    return result;
}

ctl_result_t PixelSetConfig(ctl_display_output_handle_t, ctl_pixtx_pipe_set_config_t* args) {
    const ctl_result_t result = Result();
    for (uint32_t i = 0; args != nullptr && args->pBlockConfigs != nullptr && i < args->NumBlocks;
         ++i) {
        const ctl_pixtx_block_config_t& block = args->pBlockConfigs[i];
        Touch(&block, sizeof block);
        if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
            const ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
            Touch(lut.pSampleValues, sizeof(double) * lut.NumChannels * lut.NumSamplesPerChannel);
        } else if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_3D_LUT) {
            const std::size_t n = block.Config.ThreeDLutConfig.NumSamplesPerChannel;
            Touch(block.Config.ThreeDLutConfig.pSampleValues,
                  sizeof(ctl_pixtx_3dlut_sample_t) * n * n * n);
        }
    }
    return result;
}

ctl_result_t GetLace(ctl_display_output_handle_t, ctl_lace_config_t* config) {
    const ctl_result_t result = Result();
    if (config != nullptr) {
        config->Enabled = In().Bool();
        config->Trigger = In().Value<uint32_t>();
        config->LaceConfig.FixedAggressivenessLevelPercent = In().Byte();
    }
    return result;
}

ctl_result_t SetLace(ctl_display_output_handle_t, ctl_lace_config_t* config) {
    Touch(config, config != nullptr ? sizeof *config : 0);
    return Result();
}

ctl_result_t GetSharpness(ctl_display_output_handle_t, ctl_sharpness_settings_t* settings) {
    const ctl_result_t result = Result();
    if (settings != nullptr) {
        settings->Enable = In().Bool();
        settings->FilterType = In().Value<uint32_t>();
        settings->Intensity = In().Value<float>();
    }
    return result;
}

ctl_result_t SetSharpness(ctl_display_output_handle_t, ctl_sharpness_settings_t* settings) {
    Touch(settings, settings != nullptr ? sizeof *settings : 0);
    return Result();
}

ctl_result_t GetPowerCaps(ctl_display_output_handle_t, ctl_power_optimization_caps_t* caps) {
    const ctl_result_t result = Result();
    if (caps != nullptr) {
        caps->SupportedFeatures = In().Value<uint32_t>();
    }
    return result;
}

ctl_result_t GetPowerSetting(ctl_display_output_handle_t,
                             ctl_power_optimization_settings_t* settings) {
    const ctl_result_t result = Result();
    if (settings != nullptr) {
        settings->Enable = In().Bool();
        ctl_power_optimization_dpst_t& dpst = settings->FeatureSpecificData.DPSTInfo;
        dpst.MinLevel = In().Byte();
        dpst.MaxLevel = In().Byte();
        dpst.Level = In().Byte();
        dpst.SupportedFeatures = In().Value<uint32_t>();
        dpst.EnabledFeatures = In().Value<uint32_t>();
        settings->PowerSource = In().Value<uint32_t>();
    }
    return result;
}

ctl_result_t SetPowerSetting(ctl_display_output_handle_t,
                             ctl_power_optimization_settings_t* settings) {
    Touch(settings, settings != nullptr ? sizeof *settings : 0);
    return Result();
}

ctl_result_t VideoFeature(ctl_device_adapter_handle_t,
                          ctl_video_processing_feature_getset_t* args) {
    const ctl_result_t result = Result();
    if (args == nullptr) {
        return result;
    }
    const std::size_t custom = args->CustomValueSize > 0 ? args->CustomValueSize : 0;
    if (args->bSet) {
        Touch(args->pCustomValue, custom);
    } else {
        args->Value.UIntType.Enable = In().Bool();
        args->Value.UIntType.Value = In().Value<uint32_t>();
        if (args->pCustomValue != nullptr) {
            In().Bytes(args->pCustomValue, custom);
        }
    }
    return result;
}

ctl_result_t AuxAccess(ctl_display_output_handle_t, ctl_aux_access_args_t* args) {
    const ctl_result_t result = Result();
    if (args == nullptr) {
        return result;
    }
    const uint32_t size = std::min<uint32_t>(args->DataSize, CTL_AUX_MAX_DATA_SIZE);
    if (args->OpType == CTL_OPERATION_TYPE_READ) {
        In().Bytes(args->Data, size);
    } else {
        Touch(args->Data, size);
    }
    if (In().OneIn(16)) {
        args->DataSize = In().Value<uint32_t>();
    }
    return result;
}

const std::pair<std::string_view, void*> kEntries[] = {
    {"ctlInit", reinterpret_cast<void*>(&Init)},
    {"ctlClose", reinterpret_cast<void*>(&Close)},
    {"ctlSetRuntimePath", reinterpret_cast<void*>(&SetRuntimePath)},
    {"ctlEnumerateDevices", reinterpret_cast<void*>(&EnumerateDevices)},
    {"ctlEnumerateDisplayOutputs", reinterpret_cast<void*>(&EnumerateDisplayOutputs)},
    {"ctlGetDisplayProperties", reinterpret_cast<void*>(&GetDisplayProperties)},
    {"ctlPanelDescriptorAccess", reinterpret_cast<void*>(&PanelDescriptorAccess)},
    {"ctlPixelTransformationGetConfig", reinterpret_cast<void*>(&PixelGetConfig)},
    {"ctlPixelTransformationSetConfig", reinterpret_cast<void*>(&PixelSetConfig)},
    {"ctlGetLACEConfig", reinterpret_cast<void*>(&GetLace)},
    {"ctlSetLACEConfig", reinterpret_cast<void*>(&SetLace)},
    {"ctlGetCurrentSharpness", reinterpret_cast<void*>(&GetSharpness)},
    {"ctlSetCurrentSharpness", reinterpret_cast<void*>(&SetSharpness)},
    {"ctlGetPowerOptimizationCaps", reinterpret_cast<void*>(&GetPowerCaps)},
    {"ctlGetPowerOptimizationSetting", reinterpret_cast<void*>(&GetPowerSetting)},
    {"ctlSetPowerOptimizationSetting", reinterpret_cast<void*>(&SetPowerSetting)},
    {"ctlGetSetVideoProcessingFeature", reinterpret_cast<void*>(&VideoFeature)},
    {"ctlAUXAccess", reinterpret_cast<void*>(&AuxAccess)},
};

void* Lookup(const char* name) {
    // Now and then an entry is missing, as in an older run time. A close that finds no entry
    // still counts as closing: the library did all it could.
    if (In().OneIn(32)) {
        if (std::string_view(name) == "ctlClose") {
            CountClose();
        }
        return nullptr;
    }
    for (const auto& [entry, function] : kEntries) {
        if (entry == name) {
            return function;
        }
    }
    return nullptr;
}

} // namespace

void RegisterFuzzedRuntime() {
    platform::host::RegisterModule("ControlLib.dll", &Lookup);
}

void UnregisterFuzzedRuntime() {
    platform::host::UnregisterModule("ControlLib.dll");
}

long OpenFuzzedRuntimeSessions() {
    return openSessions.load();
}

void ResetFuzzedDriverCounts() {
    openSessions = 0;
}

} // namespace varnet::fuzz
