// The simulated driver's settings, reached through both simulators: what each call refuses
// before touching anything, and one machine behind both APIs that survives the modules being
// unloaded.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <vector>

#include "common/driver_state_summary.h"
#include "common/journal.h"
#include "common/sim_context.h"
#include "controllib/controllib_calls.h"
#include "cui/cui_blocks.h"
#include "cui/cui_object.h"
#include "support/test_machine.h"

namespace varnet::sim {
namespace {

using namespace controllib;
using nlohmann::json;

constexpr uint32_t kUid = 0x1000;
constexpr uint8_t kGuard = 0xEE;

// A block of the default pipeline: 1D LUT 1, matrix 2, 3D LUT 3 (n points per axis).
ctl_pixtx_block_config_t Block(uint32_t id, uint32_t type, uint32_t n = 0, void* values = nullptr,
                               uint32_t channels = 3) {
    ctl_pixtx_block_config_t b{};
    b.Size = sizeof b;
    b.BlockId = id;
    b.BlockType = type;
    if (type == CTL_PIXTX_BLOCK_TYPE_1D_LUT)
        b.Config.OneDLutConfig = {40, 0, 0, n, channels, static_cast<double*>(values), nullptr};
    if (type == CTL_PIXTX_BLOCK_TYPE_3D_LUT)
        b.Config.ThreeDLutConfig = {24, 0, n, static_cast<ctl_pixtx_3dlut_sample_t*>(values)};
    return b;
}

class SimDriverSettings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(machine.Installed()) << machine.InstallError();
        Open();
    }
    void TearDown() override { sdk->Release(); }

    // As after the run time and the SDK object were unloaded and loaded again.
    void Open() {
        ResetSimulatorMemory();
        ctl_init_args_t args{sizeof(ctl_init_args_t), 0, CTL_MAKE_VERSION(1, 0)};
        ctl_api_handle_t api = nullptr;
        uint32_t count = 1;
        ASSERT_EQ(CtlInit(&args, &api), CTL_RESULT_SUCCESS);
        ASSERT_EQ(CtlEnumerateDevices(api, &count, &adapter), CTL_RESULT_SUCCESS);
        ASSERT_EQ(CtlEnumerateDisplayOutputs(adapter, &count, &panel), CTL_RESULT_SUCCESS);
        if (sdk)
            sdk->Release();
        ASSERT_EQ(cui::CreateCuiObject(varnet::cui::kIidCuiExternal8, (void**)&sdk), cui::kSOk);
    }

    ctl_result_t Set(ctl_pixtx_block_config_t block, uint32_t op = 2, uint32_t size = 32) {
        ctl_pixtx_pipe_set_config_t args{size, 0, op, 0, 1, &block};
        return CtlPixelTransformationSetConfig(panel, &args);
    }
    ctl_result_t Get(ctl_pixtx_block_config_t& block) {
        ctl_pixtx_pipe_get_config_t args{};
        args = {sizeof args, 0, CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT};
        args.NumBlocks = 1;
        args.pBlockConfigs = &block;
        return CtlPixelTransformationGetConfig(panel, &args);
    }
    ctl_result_t Get(ctl_pixtx_block_config_t&& block) { return Get(block); }
    ctl_result_t Aux(uint32_t op, uint32_t flags, uint32_t address, uint32_t size,
                     uint8_t* byte = nullptr) {
        ctl_aux_access_args_t args{sizeof args, 0, op, flags, address, 0, 0, size, {}};
        if (byte)
            args.Data[0] = *byte;
        return CtlAUXAccess(panel, &args);
    }
    // The SDK's AUX transfer; its error value.
    uint32_t CuiAux(uint32_t uid, uint32_t operation, uint32_t size, uint32_t address,
                    bool write = false) {
        cui::AuxBlock aux{uid, operation, size, address, {}};
        return static_cast<uint32_t>(Cui(cui::kAuxGuid, write, aux).second);
    }
    template <typename Block>
    std::pair<cui::HResult, int32_t> Cui(const cui::Guid& guid, bool write, Block& block) {
        int32_t error = -1;
        auto* bytes = reinterpret_cast<uint8_t*>(&block);
        const auto result = write ? sdk->SetDeviceData(guid, sizeof block, bytes, &error)
                                  : sdk->GetDeviceData(guid, sizeof block, bytes, &error);
        return {result, error};
    }
    cui::HResult Lut(bool write, cui::Lut3dHeader& header, void* data, uint32_t headerSize = 44) {
        int32_t error = -1;
        auto* h = reinterpret_cast<uint8_t*>(&header);
        auto* d = static_cast<uint8_t*>(data);
        return write ? sdk->SetDeviceDataEx(cui::kLut3dGuid, headerSize, h, 19652, d, &error)
                     : sdk->GetDeviceDataEx(cui::kLut3dGuid, headerSize, h, 19652, d, &error);
    }

    test::TestMachine machine;
    ctl_device_adapter_handle_t adapter = nullptr;
    ctl_display_output_handle_t panel = nullptr;
    varnet::cui::ICUIExternal8* sdk = nullptr;
};

TEST_F(SimDriverSettings, RecordsAreCheckedBeforeAnythingIsWritten) {
    double samples[768 + 1] = {};
    std::vector<ctl_pixtx_3dlut_sample_t> table(17 * 17 * 17);
    table[5].Red = NAN;
    const auto sharp = [&](uint32_t size, uint32_t filter, float intensity) {
        ctl_sharpness_settings_t s{size, 0, true, filter, intensity};
        return CtlSetCurrentSharpness(panel, &s);
    };
    const auto power = [&](uint32_t size, uint32_t feature) {
        ctl_power_optimization_settings_t s{size, 0, 0, feature};
        return CtlGetPowerOptimizationSetting(panel, &s);
    };
    uint8_t ramp[1536 + 1];
    const auto Ramp = [&](uint32_t uid, uint32_t size) -> uint32_t {
        int32_t error = 0;
        return sdk->GetGammaRamp(uid, size, ramp, &error);
    };
    uint8_t custom[84 + 1];
    const auto video = [&](void* handle, uint32_t feature, uint32_t type, int32_t size) {
        ctl_video_processing_feature_getset_t v{120, 0,    feature, nullptr, 0,
                                                0,   type, {},      size,    custom};
        return CtlGetSetVideoProcessingFeature(static_cast<ctl_device_adapter_handle_t>(handle),
                                               &v);
    };
    const struct {
        const char* name;
        std::function<uint32_t()> call;
        uint32_t expected;
    } cases[] = {
        {"set record short", [&] { return Set(Block(1, 1, 256, samples), 2, 31); }, 0x4000000f},
        {"unknown operation", [&] { return Set(Block(1, 1, 256, samples), 3); }, 0x48000008},
        {"unknown block", [&] { return Set(Block(9, 1, 256, samples)); }, 0x4800000a},
        {"other type", [&] { return Set(Block(1, 2, 17, table.data())); }, 0x4800000b},
        {"one sample", [&] { return Set(Block(1, 1, 1, samples)); }, 0x48000009},
        {"no samples", [&] { return Set(Block(1, 1, 256)); }, 0x4000000e},
        {"3D off the grid", [&] { return Set(Block(3, 2, 9, table.data())); }, 0x48000009},
        {"3D not a number", [&] { return Set(Block(3, 2, 17, table.data())); }, 0x4800000f},
        {"restore", [&] { return Set(Block(2, 3), 1); }, CTL_RESULT_SUCCESS},
        {"read no channels", [&] { return Get(Block(1, 1, 256, samples, 0)); }, 0x4000000f},
        {"sharpness short", [&] { return sharp(15, 1, 10); }, 0x4000000f},
        {"two filters", [&] { return sharp(16, 3, 10); }, 0x48000002},
        {"intensity 101", [&] { return sharp(16, 1, 101); }, CTL_RESULT_ERROR_INVALID_ARGUMENT},
        {"power short", [&] { return power(43, 4); }, 0x4000000f},
        {"two features", [&] { return power(44, 6); }, 0x48000005},
        {"LRR not offered", [&] { return power(44, 8); }, CTL_RESULT_ERROR_UNSUPPORTED_FEATURE},
        {"video on a display", [&] { return video(panel, 3, 5, 84); }, 0x4000000b},
        {"contrast short", [&] { return video(adapter, 3, 5, 83); }, 0x4000000f},
        {"contrast as number", [&] { return video(adapter, 3, 3, 84); }, 0x4000000b},
        {"contrast read of 84", [&] { return video(adapter, 3, 5, 84); }, 0},
        {"super resolution", [&] { return video(adapter, 4, 3, 0); }, 0x4000000a},
        {"AUX of 133", [&] { return Aux(1, 1, 0, 133); }, 0x4000000f},
        {"AUX op 3", [&] { return Aux(3, 1, 0, 1); }, CTL_RESULT_ERROR_INVALID_OPERATION_TYPE},
        {"AUX no flags", [&] { return Aux(1, 0, 0, 1); }, 0x48000001},
        {"I2C over AUX", [&] { return Aux(1, 2, 0x50, 1); }, 0x48000017},
        {"past the DPCD", [&] { return Aux(2, 1, 0xFFFFF, 2); }, 0x4000000b},
        // The SDK's AUX refusals are error values.
        {"SDK AUX of 133", [&] { return CuiAux(kUid, 9, 133, 0); }, 69},
        {"SDK read as write", [&] { return CuiAux(kUid, 9, 1, 0x10, true); }, 54},
        {"SDK past the DPCD", [&] { return CuiAux(kUid, 9, 2, 0xFFFFF); }, 68},
        {"SDK no such panel", [&] { return CuiAux(0x2000, 9, 1, 0); }, 67},
        {"SDK ramp", [&] { return Ramp(kUid, 1536); }, 0},
        {"SDK ramp of 1535", [&] { return Ramp(kUid, 1535); }, 0x80070057},
        {"SDK ramp of no one", [&] { return Ramp(0x2000, 1536); }, 0x80004005},
    };
    for (const auto& c : cases) {
        custom[84] = ramp[1536] = kGuard;
        EXPECT_EQ(c.call(), c.expected) << c.name;
        EXPECT_EQ(custom[84] + ramp[1536], 2 * kGuard) << c.name;
    }
    EXPECT_FALSE(ReadState().Display("\\\\.\\DISPLAY1").gamma); // nothing refused was kept

    // The panel answers with its 1024 samples per channel into a buffer of 3 x 256.
    samples[768] = -7.0;
    auto read = Block(1, 1, 256, samples);
    ASSERT_EQ(Get(read), CTL_RESULT_SUCCESS);
    EXPECT_EQ(read.Config.OneDLutConfig.NumSamplesPerChannel, 1024u);
    EXPECT_EQ(samples[256 + 51], 51 / 255.0);
    EXPECT_EQ(samples[768], -7.0);
    EXPECT_EQ(custom[8], 0); // the contrast read: switched off
}

TEST_F(SimDriverSettings, OneMachineBehindBothApisSurvivesUnloading) {
    json scenario = test::TestMachine::DefaultScenario();
    scenario["adapters"][0]["displays"][0]["pipeline"][0]["samples"] = 256;
    machine.SetScenario(scenario);
    Open();
    double lut[768];
    for (int k = 0; k < 768; ++k)
        lut[k] = (k % 256) / 255.0 * 0.5;
    ASSERT_EQ(Set(Block(1, 1, 256, lut)), CTL_RESULT_SUCCESS);
    std::vector<ctl_pixtx_3dlut_sample_t> table(17 * 17 * 17);
    for (std::size_t k = 0; k < table.size(); ++k)
        table[k] = {(k / 289) / 16.0, ((k / 17) % 17) / 16.0, 0.5};
    ASSERT_EQ(Set(Block(3, 2, 17, table.data())), CTL_RESULT_SUCCESS);
    auto matrix = Block(2, 3);
    matrix.Config.MatrixConfig.Matrix[0][0] = 1.25;
    ASSERT_EQ(Set(matrix), CTL_RESULT_SUCCESS);
    ctl_power_optimization_settings_t power{44, 0, 0, CTL_POWER_OPTIMIZATION_FLAG_DPST};
    power.FeatureSpecificData.DPSTInfo.Level = 2; // and off
    ASSERT_EQ(CtlSetPowerOptimizationSetting(panel, &power), CTL_RESULT_SUCCESS);
    ctl_sharpness_settings_t sharpness{sizeof sharpness, 0, true, 2, 40.0f};
    ASSERT_EQ(CtlSetCurrentSharpness(panel, &sharpness), CTL_RESULT_SUCCESS);
    ctl_video_processing_feature_getset_t skin{120, 0, 7, nullptr, 0, true, 3, {}};
    skin.Value.UIntType = {true, 3};
    ASSERT_EQ(CtlGetSetVideoProcessingFeature(adapter, &skin), CTL_RESULT_SUCCESS);
    uint8_t byte = 0x5A;
    ASSERT_EQ(Aux(CTL_OPERATION_TYPE_WRITE, 1, 0x600, 1, &byte), CTL_RESULT_SUCCESS);

    // The same machine through the SDK, in a module loaded afresh.
    Open();
    uint16_t ramp[768];
    int32_t error = -1;
    ASSERT_EQ(sdk->GetGammaRamp(kUid, sizeof ramp, (uint8_t*)ramp, &error), cui::kSOk);
    EXPECT_EQ(ramp[255], 32768); // 0.5, rounded
    EXPECT_EQ(ramp[256 + 2], 257);
    cui::Lut3dHeader header{1, {}, 0, 0, 17, 19652, 1, kUid, 0};
    std::vector<uint32_t> packed(17 * 17 * 17);
    ASSERT_EQ(Lut(false, header, packed.data()), cui::kSOk);
    EXPECT_EQ(header.status, 1u);
    EXPECT_EQ(packed[16 * 289], (1023u << 20) | 512u); // red 1.0, green 0, blue 0.5
    cui::DpstBlock dpst{{1, 1}};
    ASSERT_EQ(Cui(cui::kDpstGuid, false, dpst).first, cui::kSOk);
    EXPECT_EQ(std::vector<uint32_t>({dpst.supported, dpst.enabled, dpst.level}),
              std::vector<uint32_t>({8, 0, 2}));
    cui::VideoQualityBlock quality{};
    quality.version = 4;
    ASSERT_EQ(Cui(cui::kVideoQualityGuid, false, quality).first, cui::kSOk);
    EXPECT_EQ(std::make_pair(quality.skinToneEnable, quality.skinToneValue),
              std::make_pair(1u, 3.f));
    cui::AuxBlock aux{kUid, 9, 2, 0x5FF, {}};
    ASSERT_EQ(Cui(cui::kAuxGuid, false, aux).first, cui::kSOk);
    EXPECT_EQ(aux.data[0], 0); // never written
    EXPECT_EQ(aux.data[1], 0x5A);

    // The SDK switches the 3D LUT off; the Control Library then reads the identity.
    header = {1, {}, 0, 0, 17, 19652, 0, kUid, 0};
    ASSERT_EQ(Lut(true, header, packed.data()), cui::kSOk);
    Open();
    auto back = Block(3, 2, 17, table.data());
    ASSERT_EQ(Get(back), CTL_RESULT_SUCCESS);
    EXPECT_EQ(table[16 * 289].Red, 1.0);
    EXPECT_EQ(table[16 * 289].Blue, 0.0);

    const std::filesystem::path folder = machine.Folder();
    const json state =
        DescribeDriverState((folder / "state.json").string(), (folder / "scenario.json").string());
    const json& display = state["displays"]["\\\\.\\DISPLAY1"];
    EXPECT_EQ(display["gamma"]["at"]["255"], json({32768, 32768, 32768}));
    EXPECT_EQ(display["csc"]["matrix"][0], 1.25);
    EXPECT_EQ(display["lut3d"]["inEffect"], false);
    EXPECT_EQ(display["dpst"]["enabled"], false);
    EXPECT_EQ(display["sharpness"]["intensity"], 40.0);

    // What reached the driver, as the journal shows it.
    const auto sets = CallsNamed(machine.Journal(), "ctlPixelTransformationSetConfig");
    EXPECT_EQ(sets.at(0)["args"]["ramp"][255], 32768);
    EXPECT_EQ(sets.at(1)["args"]["points"]["red"], json({1.0, 0.0, 0.5}));
}

} // namespace
} // namespace varnet::sim
