#include "fake_controllib.h"

#include <algorithm>

#include "backend/graphics_types.h"
#include "config/settings_store.h"
#include "igcl/ctl_binding.h"
#include "platform/host/sandbox.h"

namespace varnet::test {

namespace {

namespace host = platform::host;

template <class T> std::vector<uint8_t> Bytes(const T* data, std::size_t count) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(data);
    return data == nullptr ? std::vector<uint8_t>{}
                           : std::vector<uint8_t>(bytes, bytes + count * sizeof(T));
}

// What a call points to beyond its record: copied as far as the record announces, so that a
// buffer smaller than announced shows up under the address sanitizer.
std::vector<uint8_t> Payload(const void*) {
    return {};
}
// A pipeline call's block, then for a set the samples it points to.
std::vector<uint8_t> Payload(const ctl_pixtx_pipe_get_config_t* args) {
    return Bytes(args->pBlockConfigs, args->pBlockConfigs != nullptr ? 1 : 0);
}
std::vector<uint8_t> Payload(const ctl_pixtx_pipe_set_config_t* args) {
    const ctl_pixtx_block_config_t& block = args->pBlockConfigs[0];
    std::vector<uint8_t> bytes = Bytes(&block, 1);
    std::vector<uint8_t> samples;
    if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
        const auto& lut = block.Config.OneDLutConfig;
        samples = Bytes(lut.pSampleValues, std::size_t{lut.NumChannels} * lut.NumSamplesPerChannel);
    } else if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_3D_LUT) {
        const std::size_t n = block.Config.ThreeDLutConfig.NumSamplesPerChannel;
        samples = Bytes(block.Config.ThreeDLutConfig.pSampleValues, n * n * n);
    }
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}
std::vector<uint8_t> Payload(const ctl_video_processing_feature_getset_t* a) {
    return Bytes(static_cast<const uint8_t*>(a->pCustomValue), std::max(a->CustomValueSize, 0));
}

// Answers that are not a plain copy of a record: the pipeline and the video custom buffers.
void Fill(ctl_pixtx_pipe_get_config_t* args) {
    FakeControlLib& f = Fake();
    ctl_pixtx_block_config_t* blocks = args->pBlockConfigs;
    if (args->QueryType == CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY) {
        args->NumBlocks =
            blocks == nullptr ? static_cast<uint32_t>(f.blocks.size()) : args->NumBlocks;
        std::copy_n(f.blocks.begin(), blocks == nullptr ? 0 : args->NumBlocks, blocks);
    } else if (blocks[0].BlockType == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
        ctl_pixtx_1dlut_config_t& lut = blocks[0].Config.OneDLutConfig;
        if (f.oneDAnswerSamples == lut.NumSamplesPerChannel) {
            std::copy_n(f.oneDSamples.begin(),
                        std::min<std::size_t>(f.oneDSamples.size(), lut.NumChannels * 256u),
                        lut.pSampleValues);
        }
        lut.NumSamplesPerChannel = f.oneDAnswerSamples;
    }
}
void Fill(ctl_video_processing_feature_getset_t* a) {
    const std::size_t room = static_cast<std::size_t>(std::max(a->CustomValueSize, 0));
    std::copy_n(Fake().videoCustom.begin(), std::min(room, Fake().videoCustom.size()),
                static_cast<uint8_t*>(a->pCustomValue));
}
void Fill(void*) {}

template <class H, class R, const char* Name> ctl_result_t Entry(H handle, R* record) {
    FakeControlLib& f = Fake();
    f.calls.push_back({Name, handle, Bytes(record, 1), Payload(record)});
    const auto result = f.results.count(Name) != 0 ? f.results[Name] : CTL_RESULT_SUCCESS;
    if (result == CTL_RESULT_SUCCESS) {
        Fill(record);
        if (f.answers.count(Name) != 0) {
            std::memcpy(record, f.answers[Name].data(),
                        std::min(sizeof(R), f.answers[Name].size()));
        }
    }
    return result;
}

ctl_result_t Init(ctl_init_args_t*, ctl_api_handle_t* handle) {
    *handle = reinterpret_cast<ctl_api_handle_t>(uintptr_t{0xA91});
    return CTL_RESULT_SUCCESS;
}
ctl_result_t Close(ctl_api_handle_t) {
    return CTL_RESULT_SUCCESS;
}
ctl_result_t Devices(ctl_api_handle_t, uint32_t* count, ctl_device_adapter_handle_t* out) {
    for (uint32_t a = 0; out != nullptr && a < std::min(*count, Fake().adapterCount); ++a) {
        out[a] = reinterpret_cast<ctl_device_adapter_handle_t>(uintptr_t{0x1000} + a);
    }
    *count = Fake().adapterCount;
    return CTL_RESULT_SUCCESS;
}
// Every adapter has one display; the built-in panel's encoder id is answered for all.
ctl_result_t Displays(ctl_device_adapter_handle_t, uint32_t* count,
                      ctl_display_output_handle_t* out) {
    if (out != nullptr && *count > 0) {
        out[0] = reinterpret_cast<ctl_display_output_handle_t>(uintptr_t{0xD15});
    }
    *count = 1;
    return CTL_RESULT_SUCCESS;
}
ctl_result_t Properties(ctl_display_output_handle_t, ctl_display_properties_t* p) {
    p->Os_display_encoder_handle.WindowsDisplayEncoderID = 0x00800050;
    return CTL_RESULT_SUCCESS;
}

using D = ctl_display_output_handle_t;
constexpr char kPixGet[] = "ctlPixelTransformationGetConfig";
constexpr char kPixSet[] = "ctlPixelTransformationSetConfig";
constexpr char kVideo[] = "ctlGetSetVideoProcessingFeature";
constexpr char kGetLace[] = "ctlGetLACEConfig";
constexpr char kSetLace[] = "ctlSetLACEConfig";
constexpr char kGetSharp[] = "ctlGetCurrentSharpness";
constexpr char kSetSharp[] = "ctlSetCurrentSharpness";
constexpr char kCaps[] = "ctlGetPowerOptimizationCaps";
constexpr char kGetPower[] = "ctlGetPowerOptimizationSetting";
constexpr char kSetPower[] = "ctlSetPowerOptimizationSetting";
constexpr char kAux[] = "ctlAUXAccess";

template <class Fn> void* Address(Fn* fn) {
    return reinterpret_cast<void*>(fn);
}

void* Lookup(const char* name) {
    using Power = ctl_power_optimization_settings_t;
    static const std::map<std::string, void*> entries = {
        {"ctlInit", Address(&Init)},
        {"ctlClose", Address(&Close)},
        {"ctlEnumerateDevices", Address(&Devices)},
        {"ctlEnumerateDisplayOutputs", Address(&Displays)},
        {"ctlGetDisplayProperties", Address(&Properties)},
        {kPixGet, Address(&Entry<D, ctl_pixtx_pipe_get_config_t, kPixGet>)},
        {kPixSet, Address(&Entry<D, ctl_pixtx_pipe_set_config_t, kPixSet>)},
        {kVideo,
         Address(
             &Entry<ctl_device_adapter_handle_t, ctl_video_processing_feature_getset_t, kVideo>)},
        {kGetLace, Address(&Entry<D, ctl_lace_config_t, kGetLace>)},
        {kSetLace, Address(&Entry<D, ctl_lace_config_t, kSetLace>)},
        {kGetSharp, Address(&Entry<D, ctl_sharpness_settings_t, kGetSharp>)},
        {kSetSharp, Address(&Entry<D, ctl_sharpness_settings_t, kSetSharp>)},
        {kCaps, Address(&Entry<D, ctl_power_optimization_caps_t, kCaps>)},
        {kGetPower, Address(&Entry<D, Power, kGetPower>)},
        {kSetPower, Address(&Entry<D, Power, kSetPower>)},
        {kAux, Address(&Entry<D, ctl_aux_access_args_t, kAux>)},
    };
    const auto it = entries.find(name);
    return it == entries.end() || Fake().missing.count(name) != 0 ? nullptr : it->second;
}

} // namespace

std::vector<const FakeCall*> FakeControlLib::Calls(const char* name) const {
    std::vector<const FakeCall*> list;
    for (const FakeCall& call : calls) {
        if (call.name == name) {
            list.push_back(&call);
        }
    }
    return list;
}

FakeControlLib& Fake() {
    static FakeControlLib fake;
    return fake;
}

ctl_pixtx_block_config_t FakeBlock(uint32_t id, uint32_t type, uint32_t samples) {
    ctl_pixtx_block_config_t block = {};
    block.Size = sizeof block;
    block.BlockId = id;
    block.BlockType = type;
    if (type == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
        block.Config.OneDLutConfig.NumChannels = 3;
        block.Config.OneDLutConfig.NumSamplesPerChannel = samples;
    } else if (type == CTL_PIXTX_BLOCK_TYPE_3D_LUT) {
        block.Config.ThreeDLutConfig.NumSamplesPerChannel = samples;
    }
    return block;
}

void FakeControlLibTest::SetUp() {
    root_ = std::filesystem::path(::testing::TempDir()) /
            ("varnet-igcl-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(root_);
    host::SetRoot(root_.string());
    host::ResetState();
    ResetBindingForTesting();
    GammaMax = kGammaMaxDefault;
    Fake() = {};
    Fake().blocks = {FakeBlock(7, CTL_PIXTX_BLOCK_TYPE_1D_LUT, 1024),
                     FakeBlock(9, CTL_PIXTX_BLOCK_TYPE_3D_LUT, 17),
                     FakeBlock(12, CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX, 0)};
    host::UnregisterModule("ControlLib.dll");
    host::RegisterModule("ControlLib.dll", Lookup);
}

void FakeControlLibTest::TearDown() {
    ResetBindingForTesting();
    host::UnregisterModule("ControlLib.dll");
    host::ResetState();
    GammaMax = kGammaMaxDefault;
    std::filesystem::remove_all(root_);
}

uint32_t FakeControlLibTest::Setting(const char* name) {
    uint32_t value = 0xFFFFFFFFu;
    ReadSettingDword(name, &value);
    return value;
}

} // namespace varnet::test
