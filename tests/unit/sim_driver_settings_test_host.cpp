// The simulated driver through both simulators: what each call refuses before touching anything,
// the SDK object's interfaces, faults and scenario, and one machine behind both APIs that
// survives the modules being unloaded.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

#include "common/journal.h"
#include "common/sim_context.h"
#include "controllib/controllib_calls.h"
#include "cui/cui_blocks.h"
#include "cui/cui_object.h"
#include "support/test_machine.h"

namespace varnet::sim {
namespace {

using namespace controllib;
using namespace cui;
using nlohmann::json;
using namespace varnet::cui;

constexpr uint32_t kUid = 0x1000;
constexpr uint8_t kGuard = 0xEE;
constexpr Guid kOther = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
char16_t kDisplay1[] = u"\\\\.\\DISPLAY1";

// A block of the default pipeline: 1D LUT 1, matrix 2, 3D LUT 3 (n points per axis).
ctl_pixtx_block_config_t Block(uint32_t id, uint32_t type, uint32_t n = 0, void* values = nullptr,
                               uint32_t channels = 3) {
    ctl_pixtx_block_config_t b{sizeof b, 0, id, type};
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
        ASSERT_EQ(CreateCuiObject(kIidCuiExternal8, (void**)&sdk), kSOk);
    }

    ctl_result_t Set(ctl_pixtx_block_config_t block) {
        ctl_pixtx_pipe_set_config_t args{sizeof args, 0, 2, 0, 1, &block};
        return CtlPixelTransformationSetConfig(panel, &args);
    }
    ctl_result_t Get(ctl_pixtx_block_config_t block, ctl_pixtx_block_config_t* out = nullptr) {
        ctl_pixtx_pipe_get_config_t args{sizeof args, 0, CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT};
        args.NumBlocks = 1;
        args.pBlockConfigs = out ? &(*out = block) : &block;
        return CtlPixelTransformationGetConfig(panel, &args);
    }
    ctl_result_t Aux(uint32_t op, uint32_t flags, uint32_t address, uint32_t size) {
        ctl_aux_access_args_t args{sizeof args, 0, op, flags, address, 0, 0, size};
        return CtlAUXAccess(panel, &args);
    }
    template <typename Block>
    std::pair<HResult, int32_t> Cui(const Guid& guid, bool write, Block& block) {
        int32_t error = -1;
        auto* bytes = reinterpret_cast<uint8_t*>(&block);
        const auto result = write ? sdk->SetDeviceData(guid, sizeof block, bytes, &error)
                                  : sdk->GetDeviceData(guid, sizeof block, bytes, &error);
        return {result, error};
    }

    test::TestMachine machine;
    ctl_device_adapter_handle_t adapter = nullptr;
    ctl_display_output_handle_t panel = nullptr;
    ICUIExternal8* sdk = nullptr;
};

TEST_F(SimDriverSettings, RecordsAreCheckedBeforeAnythingIsWritten) {
    double samples[768 + 1] = {};
    std::vector<ctl_pixtx_3dlut_sample_t> table(17 * 17 * 17);
    table[5].Red = NAN;
    const auto sharp = [&](uint32_t filter, float intensity) {
        ctl_sharpness_settings_t s{sizeof s, 0, true, filter, intensity};
        return CtlSetCurrentSharpness(panel, &s);
    };
    uint8_t custom[84 + 1];
    const auto contrast = [&](uint32_t feature, int32_t size) {
        ctl_video_processing_feature_getset_t v{120, 0, feature, nullptr, 0,
                                                0,   5, {},      size,    custom};
        return CtlGetSetVideoProcessingFeature(adapter, &v);
    };
    // The SDK's AUX refusals are error values; its other refusals results.
    const auto sdkAux = [&](uint32_t uid, uint32_t size, uint32_t address) {
        AuxBlock aux{uid, 9, size, address, {}};
        return static_cast<uint32_t>(Cui(kAuxGuid, false, aux).second);
    };
    uint8_t ramp[1536 + 1];
    EdidBlock edid{kUid};
    auto* const b = reinterpret_cast<uint8_t*>(&edid);
    int32_t e = 0;
    void* out = nullptr;
    const struct {
        const char* name;
        std::function<uint32_t()> call;
        uint32_t expected;
    } cases[] = {
        {"unknown block", [&] { return Set(Block(9, 1, 256, samples)); }, 0x4800000a},
        {"other type", [&] { return Set(Block(1, 2, 17, table.data())); }, 0x4800000b},
        {"no samples", [&] { return Set(Block(1, 1, 256)); }, 0x4000000e},
        {"3D off the grid", [&] { return Set(Block(3, 2, 9, table.data())); }, 0x48000009},
        {"3D not a number", [&] { return Set(Block(3, 2, 17, table.data())); }, 0x4800000f},
        {"read no channels", [&] { return Get(Block(1, 1, 256, samples, 0)); }, 0x4000000f},
        {"two filters", [&] { return sharp(3, 10); }, 0x48000002},
        {"intensity 101", [&] { return sharp(1, 101); }, CTL_RESULT_ERROR_INVALID_ARGUMENT},
        {"contrast short", [&] { return contrast(3, 83); }, 0x4000000f},
        {"contrast read of 84", [&] { return contrast(3, 84); }, 0},
        {"AUX of 133", [&] { return Aux(1, 1, 0, 133); }, 0x4000000f},
        {"I2C over AUX", [&] { return Aux(1, 2, 0x50, 1); }, 0x48000017},
        {"past the DPCD", [&] { return Aux(2, 1, 0xFFFFF, 2); }, 0x4000000b},
        {"SDK AUX of 133", [&] { return sdkAux(kUid, 133, 0); }, 69},
        {"SDK past the DPCD", [&] { return sdkAux(kUid, 2, 0xFFFFF); }, 68},
        {"SDK ramp", [&] { return sdk->GetGammaRamp(kUid, 1536, ramp, &e); }, 0},
        {"SDK ramp of 1535", [&] { return sdk->GetGammaRamp(kUid, 1535, ramp, &e); }, 0x80070057},
        {"SDK EDID short", [&] { return sdk->GetDeviceData(kEdidGuid, 267, b, &e); }, 0x80070057},
        {"SDK unknown GUID", [&] { return sdk->GetDeviceData(kOther, 268, b, &e); }, 0x80004001},
        {"SDK no block", [&] { return sdk->GetDeviceData(kEdidGuid, 9, {}, &e); }, 0x80004003},
        {"SDK no object", [&] { return CreateCuiObject(kIidCuiExternal8, nullptr); }, 0x80004003},
        {"SDK other interface", [&] { return CreateCuiObject(kOther, &out); }, 0x80004002},
        {"SDK asked for another", [&] { return sdk->QueryInterface(kOther, &out); }, 0x80004002},
        {"SDK unused position", [&] { return sdk->Unused13(); }, 0x80004001},
    };
    for (const auto& c : cases) {
        custom[84] = ramp[1536] = kGuard;
        EXPECT_EQ(c.call(), c.expected) << c.name;
        EXPECT_EQ(custom[84] + ramp[1536], 2 * kGuard) << c.name;
        EXPECT_EQ(out, nullptr) << c.name;
    }
    EXPECT_EQ(CallsNamed(machine.Journal(), "Unused").back()["args"]["slot"], 13);
    EXPECT_FALSE(ReadState().Display("\\\\.\\DISPLAY1").gamma); // nothing refused was kept
    EXPECT_EQ(edid.edid[0], 0);

    // The panel's 1024 samples per channel go into a buffer of 3 x 256, and it says 1024.
    samples[768] = -7.0;
    ctl_pixtx_block_config_t read;
    ASSERT_EQ(Get(Block(1, 1, 256, samples), &read), CTL_RESULT_SUCCESS);
    EXPECT_EQ(read.Config.OneDLutConfig.NumSamplesPerChannel, 1024u);
    EXPECT_EQ(samples[256 + 51], 51 / 255.0);
    EXPECT_EQ(samples[768], -7.0);
}

TEST_F(SimDriverSettings, CuiObjectsKeepTheScenarioOfTheirCreation) {
    machine.SetScenario({{"cuiDevices", json::array()}});
    ICUIExternal8* after = nullptr;
    ASSERT_EQ(CreateCuiObject(kIidCuiExternal8, (void**)&after), kSOk);
    uint32_t uid = 0;
    int32_t type = 0, state = 0;
    EXPECT_EQ(sdk->EnumAttachableDevices(kDisplay1, 0, &uid, &type, &state), kSOk);
    EXPECT_EQ(after->EnumAttachableDevices(kDisplay1, 0, &uid, &type, &state), kEInvalidArg);
    EXPECT_EQ(uid, 0u);
    EXPECT_EQ(after->Release(), 0u);
}

TEST_F(SimDriverSettings, CuiFaultsAnswerBeforeAnythingIsWritten) {
    // "when" compares numbers however they are written.
    machine.SetScenario(json::parse(R"({"faults": [
        {"call": "GetDeviceData", "when": {"guid": "edid", "uid": "0x1000"}, "error": 67, "nth": 1},
        {"call": "GetDeviceData", "result": 0, "error": 70, "nth": 2},
        {"call": "GetDeviceData", "when": {"guid": "lace"}, "throw": true}]})"));
    EdidBlock block{kUid};
    int32_t error = -1;
    for (const auto& [result, value, second] :
         {std::tuple{kEFail, 67, 0}, {kSOk, 70, 0}, {kSOk, 0, 0xFF}}) { // 70: success, not filled
        block.edid[1] = 0;
        EXPECT_EQ(sdk->GetDeviceData(kEdidGuid, 268, (uint8_t*)&block, &error), result);
        EXPECT_EQ(std::make_pair(error, int{block.edid[1]}), std::make_pair(value, second));
    }
    LaceBlock lace{1, 0, kUid};
    EXPECT_THROW(Cui(kLaceGuid, false, lace), std::exception);
    EXPECT_EQ(CallsNamed(machine.Journal(), "GetDeviceData").back()["threw"], true);
    EXPECT_EQ(UnfiredFaults(machine.Journal(), 3), std::vector<std::size_t>{});

    machine.SetScenario({{"faults", {{{"call", "CreateInstance"}, {"throw", true}}}}});
    void* none = nullptr;
    EXPECT_EQ(CreateCuiObject(kIidCuiExternal8, &none), kEFail); // creation never throws
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(CallsNamed(machine.Journal(), "CreateInstance").back().value("faultFired", 0), 1);
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
    ctl_power_optimization_settings_t power{44, 0, 0, CTL_POWER_OPTIMIZATION_FLAG_DPST};
    power.FeatureSpecificData.DPSTInfo.Level = 2; // and off
    ASSERT_EQ(CtlSetPowerOptimizationSetting(panel, &power), CTL_RESULT_SUCCESS);
    ctl_video_processing_feature_getset_t skin{120, 0, 7, nullptr, 0, true, 3, {}};
    skin.Value.UIntType = {true, 3};
    ASSERT_EQ(CtlGetSetVideoProcessingFeature(adapter, &skin), CTL_RESULT_SUCCESS);
    ctl_lace_config_t config{sizeof config, 0, true, CTL_GET_OPERATION_FLAG_CURRENT};
    config.OpTypeSet = CTL_SET_OPERATION_CUSTOM;
    config.Trigger = CTL_LACE_TRIGGER_FLAG_FIXED_AGGRESSIVENESS;
    config.LaceConfig.FixedAggressivenessLevelPercent = 40;
    ASSERT_EQ(CtlSetLACEConfig(panel, &config), CTL_RESULT_SUCCESS);

    // The same machine through the other API, in modules loaded afresh.
    Open();
    uint16_t ramp[768];
    int32_t error = -1;
    ASSERT_EQ(sdk->GetGammaRamp(kUid, sizeof ramp, (uint8_t*)ramp, &error), kSOk);
    EXPECT_EQ(std::make_pair(ramp[255], ramp[256 + 2]),
              (std::pair<uint16_t, uint16_t>(32768, 257)));
    Lut3dHeader header{1, {}, 0, 0, 17, 19652, 1, kUid, 0};
    std::vector<uint32_t> packed(17 * 17 * 17);
    ASSERT_EQ(sdk->GetDeviceDataEx(kLut3dGuid, 44, (uint8_t*)&header, 19652,
                                   (uint8_t*)packed.data(), &error),
              kSOk);
    EXPECT_EQ(header.status, 1u);
    EXPECT_EQ(packed[16 * 289], (1023u << 20) | 512u); // red 1.0, green 0, blue 0.5
    DpstBlock dpst{{1, 1}};
    VideoQualityBlock quality{4};
    ASSERT_EQ(Cui(kDpstGuid, false, dpst).first | Cui(kVideoQualityGuid, false, quality).first,
              kSOk);
    EXPECT_EQ(std::make_tuple(dpst.supported, dpst.enabled, dpst.level, quality.skinToneEnable,
                              quality.skinToneValue),
              std::make_tuple(8u, 0u, 2u, 1u, 3.f));
    LaceBlock lace{1, 0, kUid};
    ASSERT_EQ(Cui(kLaceGuid, false, lace).first, kSOk);
    EXPECT_EQ(std::make_pair(lace.enabled, lace.level), std::make_pair(1u, 40u));
    lace.level = 55; // and back
    ASSERT_EQ(Cui(kLaceGuid, true, lace).first, kSOk);
    ASSERT_EQ(CtlGetLACEConfig(panel, &config), CTL_RESULT_SUCCESS);
    EXPECT_EQ(int{config.LaceConfig.FixedAggressivenessLevelPercent}, 55);
}

} // namespace
} // namespace varnet::sim
