#include "fake_controllib.h"

#include <algorithm>

#include "backend/graphics_types.h"
#include "config/settings_store.h"
#include "igcl/ctl_binding.h"
#include "platform/host/sandbox.h"

namespace varnet::test {

namespace {

namespace host = platform::host;

constexpr char kModule[] = "ControlLib.dll";
const auto kDisplay = reinterpret_cast<ctl_display_output_handle_t>(uintptr_t{0xD15});

ctl_result_t Result(const std::string& name) {
    const auto it = Fake().results.find(name);
    return it == Fake().results.end() ? CTL_RESULT_SUCCESS : it->second;
}

template <class R> void Keep(const char* name, const R* record) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(record);
    Fake().sent.emplace_back(name, std::vector<uint8_t>(bytes, bytes + sizeof *record));
}

// Records that the back-end only sends or only gets answered in.
template <class H, class R, const char* Name> ctl_result_t Generic(H, R* record) {
    Keep(Name, record);
    const ctl_result_t result = Result(Name);
    const auto answer = Fake().answers.find(Name);
    if (result == CTL_RESULT_SUCCESS && answer != Fake().answers.end()) {
        std::memcpy(record, answer->second.data(), std::min(sizeof *record, answer->second.size()));
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
        out[a] = FakeAdapter(a);
    }
    *count = Fake().adapterCount;
    return CTL_RESULT_SUCCESS;
}

ctl_result_t Displays(ctl_device_adapter_handle_t a, uint32_t* count,
                      ctl_display_output_handle_t* out) {
    if (out != nullptr && *count > 0) {
        out[0] = kDisplay;
    }
    *count = a == FakeAdapter(0) ? 1 : 0;
    return CTL_RESULT_SUCCESS;
}

ctl_result_t Properties(ctl_display_output_handle_t, ctl_display_properties_t* p) {
    p->Os_display_encoder_handle.WindowsDisplayEncoderID = 0x00800050;
    return CTL_RESULT_SUCCESS;
}

// Capability queries always succeed; the scripted result is for current-state reads.
ctl_result_t PixGet(ctl_display_output_handle_t, ctl_pixtx_pipe_get_config_t* args) {
    FakeControlLib& f = Fake();
    if (args->QueryType == CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY) {
        if (args->pBlockConfigs == nullptr) {
            args->NumBlocks = static_cast<uint32_t>(f.blocks.size());
        }
        for (uint32_t i = 0; args->pBlockConfigs != nullptr && i < args->NumBlocks; ++i) {
            args->pBlockConfigs[i] = f.blocks.at(i);
        }
        return CTL_RESULT_SUCCESS;
    }
    ctl_pixtx_block_config_t& block = args->pBlockConfigs[0];
    f.pixGets.push_back(block);
    const ctl_result_t result = Result("ctlPixelTransformationGetConfig");
    if (result != CTL_RESULT_SUCCESS) {
        return result;
    }
    if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
        ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
        if (f.oneDAnswerSamples == lut.NumSamplesPerChannel) {
            const std::size_t room = std::size_t{lut.NumChannels} * lut.NumSamplesPerChannel;
            std::copy_n(f.oneDSamples.begin(), std::min(room, f.oneDSamples.size()),
                        lut.pSampleValues);
        }
        lut.NumSamplesPerChannel = f.oneDAnswerSamples;
    } else {
        const std::size_t n = block.Config.ThreeDLutConfig.NumSamplesPerChannel;
        std::copy_n(f.lut.begin(), std::min(n * n * n, f.lut.size()),
                    block.Config.ThreeDLutConfig.pSampleValues);
    }
    return CTL_RESULT_SUCCESS;
}

// Copies as many samples as the block announces: a buffer smaller than that shows up under
// the address sanitizer.
ctl_result_t PixSet(ctl_display_output_handle_t, ctl_pixtx_pipe_set_config_t* args) {
    EXPECT_EQ(args->Size, 32u);
    EXPECT_EQ(args->NumBlocks, 1u);
    const ctl_pixtx_block_config_t& block = args->pBlockConfigs[0];
    FakeControlLib::PixSet set{args->OpertaionType, args->Flags, block, {}, {}};
    if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
        const auto& lut = block.Config.OneDLutConfig;
        set.samples.assign(lut.pSampleValues,
                           lut.pSampleValues + lut.NumChannels * lut.NumSamplesPerChannel);
    } else if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_3D_LUT) {
        const std::size_t n = block.Config.ThreeDLutConfig.NumSamplesPerChannel;
        set.lut.assign(block.Config.ThreeDLutConfig.pSampleValues,
                       block.Config.ThreeDLutConfig.pSampleValues + n * n * n);
    }
    Fake().pixSets.push_back(set);
    return Result("ctlPixelTransformationSetConfig");
}

constexpr char kVideo[] = "ctlGetSetVideoProcessingFeature";

ctl_result_t Video(ctl_device_adapter_handle_t adapter, ctl_video_processing_feature_getset_t* a) {
    auto* custom = static_cast<uint8_t*>(a->pCustomValue);
    const auto size = static_cast<std::size_t>(std::max(a->CustomValueSize, 0));
    Fake().videoCustomSent.emplace_back(custom, custom + (custom != nullptr ? size : 0));
    Fake().videoAdapters.push_back(adapter);
    const bool set = a->bSet;
    const ctl_result_t result =
        Generic<ctl_device_adapter_handle_t, ctl_video_processing_feature_getset_t, kVideo>(adapter,
                                                                                            a);
    if (result == CTL_RESULT_SUCCESS && !set && custom != nullptr) {
        std::copy_n(Fake().videoCustom.begin(), std::min(size, Fake().videoCustom.size()), custom);
    }
    return result;
}

using D = ctl_display_output_handle_t;
constexpr char kGetLace[] = "ctlGetLACEConfig";
constexpr char kSetLace[] = "ctlSetLACEConfig";
constexpr char kGetSharpness[] = "ctlGetCurrentSharpness";
constexpr char kSetSharpness[] = "ctlSetCurrentSharpness";
constexpr char kCaps[] = "ctlGetPowerOptimizationCaps";
constexpr char kGetPower[] = "ctlGetPowerOptimizationSetting";
constexpr char kSetPower[] = "ctlSetPowerOptimizationSetting";
constexpr char kAux[] = "ctlAUXAccess";

void* Lookup(const char* name) {
    static const std::map<std::string, void*> entries = {
        {"ctlInit", reinterpret_cast<void*>(&Init)},
        {"ctlClose", reinterpret_cast<void*>(&Close)},
        {"ctlEnumerateDevices", reinterpret_cast<void*>(&Devices)},
        {"ctlEnumerateDisplayOutputs", reinterpret_cast<void*>(&Displays)},
        {"ctlGetDisplayProperties", reinterpret_cast<void*>(&Properties)},
        {"ctlPixelTransformationGetConfig", reinterpret_cast<void*>(&PixGet)},
        {"ctlPixelTransformationSetConfig", reinterpret_cast<void*>(&PixSet)},
        {kVideo, reinterpret_cast<void*>(&Video)},
        {kGetLace, reinterpret_cast<void*>(&Generic<D, ctl_lace_config_t, kGetLace>)},
        {kSetLace, reinterpret_cast<void*>(&Generic<D, ctl_lace_config_t, kSetLace>)},
        {kGetSharpness,
         reinterpret_cast<void*>(&Generic<D, ctl_sharpness_settings_t, kGetSharpness>)},
        {kSetSharpness,
         reinterpret_cast<void*>(&Generic<D, ctl_sharpness_settings_t, kSetSharpness>)},
        {kCaps, reinterpret_cast<void*>(&Generic<D, ctl_power_optimization_caps_t, kCaps>)},
        {kGetPower,
         reinterpret_cast<void*>(&Generic<D, ctl_power_optimization_settings_t, kGetPower>)},
        {kSetPower,
         reinterpret_cast<void*>(&Generic<D, ctl_power_optimization_settings_t, kSetPower>)},
        {kAux, reinterpret_cast<void*>(&Generic<D, ctl_aux_access_args_t, kAux>)},
    };
    const auto it = entries.find(name);
    return it == entries.end() || Fake().missing.count(name) != 0 ? nullptr : it->second;
}

} // namespace

std::size_t FakeControlLib::Count(const char* name) const {
    return static_cast<std::size_t>(std::count_if(
        sent.begin(), sent.end(), [name](const auto& entry) { return entry.first == name; }));
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

ctl_device_adapter_handle_t FakeAdapter(uint32_t index) {
    return reinterpret_cast<ctl_device_adapter_handle_t>(uintptr_t{0x1000} + index);
}

void FakeControlLibTest::SetUp() {
    root_ = std::filesystem::path(::testing::TempDir()) /
            (std::string("varnet-igcl-") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    host::SetRoot(root_.string());
    host::ResetState();
    ResetBindingForTesting();
    GammaMax = kGammaMaxDefault;
    Fake() = {};
    Fake().blocks = {FakeBlock(7, CTL_PIXTX_BLOCK_TYPE_1D_LUT, 1024),
                     FakeBlock(9, CTL_PIXTX_BLOCK_TYPE_3D_LUT, 17),
                     FakeBlock(12, CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX, 0)};
    host::UnregisterModule(kModule);
    host::RegisterModule(kModule, Lookup);
}

void FakeControlLibTest::TearDown() {
    ResetBindingForTesting();
    host::UnregisterModule(kModule);
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
