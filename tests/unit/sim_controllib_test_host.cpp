// The simulated Control Library run time, called directly: the records it fills, the two-step
// patterns, handle checks, faults and what it journals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "common/journal.h"
#include "common/sim_context.h"
#include "controllib/controllib_calls.h"
#include "support/test_machine.h"

namespace varnet::sim::controllib {
namespace {

using nlohmann::json;
using test::TestMachine;

constexpr ctl_result_t kDataRead = 0x40000012;
constexpr ctl_result_t kSuccess = CTL_RESULT_SUCCESS;

class SimControlLib : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(machine.Installed()) << machine.InstallError(); }

    ctl_api_handle_t Init() {
        ctl_init_args_t args{};
        args.Size = sizeof args;
        args.AppVersion = CTL_MAKE_VERSION(1, 0);
        ctl_api_handle_t api = nullptr;
        EXPECT_EQ(CtlInit(&args, &api), CTL_RESULT_SUCCESS);
        return api;
    }

    std::vector<ctl_device_adapter_handle_t> Adapters(ctl_api_handle_t api) {
        uint32_t count = 0;
        EXPECT_EQ(CtlEnumerateDevices(api, &count, nullptr), CTL_RESULT_SUCCESS);
        std::vector<ctl_device_adapter_handle_t> adapters(count);
        EXPECT_EQ(CtlEnumerateDevices(api, &count, adapters.data()), CTL_RESULT_SUCCESS);
        return adapters;
    }

    std::vector<ctl_display_output_handle_t> Displays(ctl_device_adapter_handle_t adapter) {
        uint32_t count = 0;
        EXPECT_EQ(CtlEnumerateDisplayOutputs(adapter, &count, nullptr), CTL_RESULT_SUCCESS);
        std::vector<ctl_display_output_handle_t> displays(count);
        EXPECT_EQ(CtlEnumerateDisplayOutputs(adapter, &count, displays.data()), CTL_RESULT_SUCCESS);
        return displays;
    }

    ctl_display_output_handle_t Panel() { return Displays(Adapters(Init()).at(0)).at(0); }

    void Faults(const json& faults) { machine.SetScenario({{"faults", faults}}); }

    json State() const {
        std::ifstream in(std::filesystem::path(machine.Folder()) / "state.json");
        return json::parse(in, nullptr, false);
    }

    TestMachine machine;
};

TEST_F(SimControlLib, InitFillsAHandleThatCloseEnds) {
    ctl_init_args_t args{};
    args.Size = sizeof args;
    args.AppVersion = CTL_MAKE_VERSION(1, 0);
    ctl_api_handle_t api = nullptr;
    ASSERT_EQ(CtlInit(&args, &api), CTL_RESULT_SUCCESS);
    EXPECT_NE(api, nullptr);
    EXPECT_EQ(args.SupportedVersion, CTL_MAKE_VERSION(1, 1));
    EXPECT_EQ(State()["inits"], 1);

    EXPECT_EQ(CtlClose(api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(CtlClose(api), CTL_RESULT_ERROR_INVALID_API_HANDLE);
    EXPECT_EQ(CtlClose(nullptr), CTL_RESULT_ERROR_INVALID_NULL_HANDLE);

    const struct {
        uint32_t size;
        uint32_t appVersion;
        ctl_result_t expected;
    } refused[] = {{sizeof args, CTL_MAKE_VERSION(2, 0), CTL_RESULT_ERROR_UNSUPPORTED_VERSION},
                   {8, CTL_MAKE_VERSION(1, 0), CTL_RESULT_ERROR_INVALID_SIZE}};
    for (const auto& r : refused) {
        args.Size = r.size;
        args.AppVersion = r.appVersion;
        api = nullptr;
        EXPECT_EQ(CtlInit(&args, &api), r.expected);
        EXPECT_EQ(api, nullptr);
    }
    EXPECT_EQ(CtlInit(nullptr, &api), CTL_RESULT_ERROR_INVALID_NULL_POINTER);
    EXPECT_EQ(State()["inits"], 1);

    const json init = sim::CallsNamed(machine.Journal(), "ctlInit").at(0);
    EXPECT_EQ(init["sim"], "controllib");
    EXPECT_EQ(init["args"]["appVersion"], 0x00010000);
    EXPECT_EQ(init["result"], 0);
}

TEST_F(SimControlLib, EnumerationsCountThenFillWithinTheCallersArray) {
    machine.SetScenario(
        {{"adapters", {{{"count", 3}, {"displays", {json::object(), {{"encoderId", 0x10}}}}}}}});
    ctl_api_handle_t api = Init();
    auto* const guard = reinterpret_cast<ctl_device_adapter_handle_t>(0x5A5A);

    uint32_t count = 0;
    ASSERT_EQ(CtlEnumerateDevices(api, &count, nullptr), CTL_RESULT_SUCCESS);
    EXPECT_EQ(count, 3u);
    std::vector<ctl_device_adapter_handle_t> adapters(5, guard);
    count = 5;
    ASSERT_EQ(CtlEnumerateDevices(api, &count, adapters.data()), CTL_RESULT_SUCCESS);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(adapters[3], guard);
    std::fill(adapters.begin(), adapters.end(), guard);
    count = 2;
    ASSERT_EQ(CtlEnumerateDevices(api, &count, adapters.data()), CTL_RESULT_SUCCESS);
    EXPECT_EQ(count, 2u);
    EXPECT_NE(adapters[0], adapters[1]);
    EXPECT_EQ(adapters[2], guard);

    std::vector<ctl_display_output_handle_t> displays = Displays(adapters[1]);
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(CtlEnumerateDevices(api, nullptr, nullptr), CTL_RESULT_ERROR_INVALID_NULL_POINTER);

    machine.SetScenario({{"adapters", {{{"count", 101}}}}});
    count = 0;
    ASSERT_EQ(CtlEnumerateDevices(Init(), &count, nullptr), CTL_RESULT_SUCCESS);
    EXPECT_EQ(count, 101u);
    EXPECT_EQ(Displays(Adapters(Init())[100]).size(), 0u);
}

TEST_F(SimControlLib, DisplayPropertiesCarryTheEncoderIdAndTiming) {
    machine.SetScenario(
        {{"adapters", {{{"displays", {json::object(), {{"encoderId", "0x00100000"}}}}}}}});
    std::vector<ctl_display_output_handle_t> displays = Displays(Adapters(Init())[0]);
    const uint32_t expected[] = {0x00800050, 0x00100000};
    for (std::size_t i = 0; i < 2; ++i) {
        ctl_display_properties_t properties{};
        properties.Size = 200;
        ASSERT_EQ(CtlGetDisplayProperties(displays[i], &properties), CTL_RESULT_SUCCESS);
        uint32_t atOffset8 = 0;
        std::memcpy(&atOffset8, reinterpret_cast<const uint8_t*>(&properties) + 8, 4);
        EXPECT_EQ(atOffset8, expected[i]);
        EXPECT_EQ(properties.Display_Timing_Info.HActive, 1920u);
        EXPECT_EQ(properties.Display_Timing_Info.VActive, 1080u);
    }
    ctl_display_properties_t small;
    std::memset(&small, 0xEE, sizeof small);
    small.Size = 199;
    EXPECT_EQ(CtlGetDisplayProperties(displays[0], &small), CTL_RESULT_ERROR_INVALID_SIZE);
    EXPECT_EQ(small.Os_display_encoder_handle.WindowsDisplayEncoderID, 0xEEEEEEEEu);
}

TEST_F(SimControlLib, PipelineCapabilityInTwoSteps) {
    ctl_display_output_handle_t panel = Panel();
    ctl_pixtx_pipe_get_config_t config{};
    config.Size = sizeof config;
    config.QueryType = CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY;
    ASSERT_EQ(CtlPixelTransformationGetConfig(panel, &config), CTL_RESULT_SUCCESS);
    ASSERT_EQ(config.NumBlocks, 3u);

    std::vector<ctl_pixtx_block_config_t> blocks(4);
    std::memset(&blocks[3], 0xAB, sizeof blocks[3]);
    config.pBlockConfigs = blocks.data();
    config.NumBlocks = 2;
    EXPECT_EQ(CtlPixelTransformationGetConfig(panel, &config), 0x4800000du);
    EXPECT_EQ(blocks[0].BlockType, 0u);

    config.NumBlocks = 3;
    ASSERT_EQ(CtlPixelTransformationGetConfig(panel, &config), CTL_RESULT_SUCCESS);
    EXPECT_EQ(blocks[0].BlockType, CTL_PIXTX_BLOCK_TYPE_1D_LUT);
    EXPECT_EQ(blocks[0].BlockId, 1u);
    EXPECT_EQ(blocks[0].Config.OneDLutConfig.NumChannels, 3u);
    EXPECT_EQ(blocks[0].Config.OneDLutConfig.NumSamplesPerChannel, 1024u);
    EXPECT_EQ(blocks[0].Config.OneDLutConfig.pSampleValues, nullptr);
    EXPECT_EQ(blocks[1].BlockType, CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX);
    EXPECT_EQ(blocks[1].BlockId, 2u);
    EXPECT_EQ(blocks[2].BlockType, CTL_PIXTX_BLOCK_TYPE_3D_LUT);
    EXPECT_EQ(blocks[2].Config.ThreeDLutConfig.NumSamplesPerChannel, 17u);
    EXPECT_EQ(blocks[3].BlockId, 0xABABABABu);

    config.QueryType = CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT; // capability records carry no buffers
    EXPECT_EQ(CtlPixelTransformationGetConfig(panel, &config),
              CTL_RESULT_ERROR_INVALID_NULL_POINTER);
    config.QueryType = 7;
    EXPECT_EQ(CtlPixelTransformationGetConfig(panel, &config), 0x48000007u);
    config.Size = 0;
    EXPECT_EQ(CtlPixelTransformationGetConfig(panel, &config), CTL_RESULT_ERROR_INVALID_SIZE);

    machine.SetScenario({{"adapters", {{{"displays", {{{"pipeline", json::array()}}}}}}}});
    config = {};
    config.Size = sizeof config;
    ASSERT_EQ(CtlPixelTransformationGetConfig(Panel(), &config), CTL_RESULT_SUCCESS);
    EXPECT_EQ(config.NumBlocks, 0u);
}

TEST_F(SimControlLib, PanelDescriptorBlocksNeverOverrunTheCallersSize) {
    std::vector<uint8_t> longEdid(256);
    for (std::size_t i = 0; i < longEdid.size(); ++i)
        longEdid[i] = static_cast<uint8_t>(i);
    std::string hex;
    for (uint8_t b : longEdid) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", b);
        hex += two;
    }
    machine.SetScenario(
        {{"adapters",
          {{{"displays",
             {json::object(), {{"reportedEdidSize", 4096}}, {{"edid", {{"hex", hex}}}}}}}}}});
    std::vector<ctl_display_output_handle_t> displays = Displays(Adapters(Init())[0]);

    auto access = [](ctl_display_output_handle_t display, uint32_t block, uint32_t size,
                     uint8_t* data, uint32_t opType = CTL_OPERATION_TYPE_READ) {
        ctl_panel_descriptor_access_args_t args{};
        args.Size = sizeof args;
        args.OpType = opType;
        args.BlockNumber = block;
        args.DescriptorDataSize = size;
        args.pDescriptorData = data;
        ctl_result_t result = CtlPanelDescriptorAccess(display, &args);
        return std::make_pair(result, args.DescriptorDataSize);
    };
    EXPECT_EQ(access(displays[0], 0, 0, nullptr), std::make_pair(kSuccess, 128u));
    EXPECT_EQ(access(displays[0], 1, 0, nullptr), std::make_pair(kSuccess, 128u));
    EXPECT_EQ(access(displays[0], 2, 0, nullptr).first, CTL_RESULT_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(access(displays[0], 0, 128, nullptr, CTL_OPERATION_TYPE_WRITE).first,
              CTL_RESULT_ERROR_INVALID_OPERATION_TYPE);

    std::vector<uint8_t> buffer(1024, 0xCD);
    ASSERT_EQ(access(displays[0], 0, 128, buffer.data()).first, CTL_RESULT_SUCCESS);
    EXPECT_EQ(buffer[0], 0x00);
    EXPECT_EQ(buffer[1], 0xFF);
    EXPECT_EQ(buffer[128], 0xCD);
    ASSERT_EQ(access(displays[0], 1, 128, buffer.data()).first, CTL_RESULT_SUCCESS);
    EXPECT_EQ(buffer[0], 0x02); // the CTA extension's tag

    // A size query may promise more than the block holds; the read gives what there is.
    EXPECT_EQ(access(displays[1], 0, 0, nullptr).second, 4096u);
    std::fill(buffer.begin(), buffer.end(), 0xCD);
    ASSERT_EQ(access(displays[1], 0, 4096, buffer.data()).first, CTL_RESULT_SUCCESS);
    EXPECT_EQ(buffer[127], buffer[127]);
    EXPECT_EQ(buffer[128], 0xCD);

    EXPECT_EQ(access(displays[2], 0, 0, nullptr).second, 256u);
    std::fill(buffer.begin(), buffer.end(), 0xCD);
    ASSERT_EQ(access(displays[2], 0, 100, buffer.data()).first, CTL_RESULT_SUCCESS);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 100, longEdid.begin()));
    EXPECT_EQ(buffer[100], 0xCD);
    EXPECT_EQ(access(displays[2], 0, 0, buffer.data()).first, CTL_RESULT_ERROR_INVALID_SIZE);
}

TEST_F(SimControlLib, LaceSettingsPersistPerDisplay) {
    ctl_display_output_handle_t panel = Panel();
    std::vector<uint8_t> map(1032, 0);
    auto get = [&](uint32_t opType, ctl_lace_config_t* config) {
        *config = {};
        config->Size = sizeof *config;
        config->OpTypeGet = opType;
        config->LaceConfig.AggrLevelMap.pLuxToAggrMappingTable =
            reinterpret_cast<ctl_lace_lux_aggr_map_entry_t*>(map.data());
        return CtlGetLACEConfig(panel, config);
    };
    auto set = [&](uint32_t op, bool enabled, uint8_t level) {
        ctl_lace_config_t config{};
        config.Size = sizeof config;
        config.OpTypeSet = op;
        config.Enabled = enabled;
        config.Trigger = CTL_LACE_TRIGGER_FLAG_FIXED_AGGRESSIVENESS;
        config.LaceConfig.FixedAggressivenessLevelPercent = level;
        return CtlSetLACEConfig(panel, &config);
    };

    ctl_lace_config_t config;
    ASSERT_EQ(get(CTL_GET_OPERATION_FLAG_CURRENT, &config), CTL_RESULT_SUCCESS);
    EXPECT_FALSE(config.Enabled);
    EXPECT_EQ(config.Trigger, CTL_LACE_TRIGGER_FLAG_FIXED_AGGRESSIVENESS);

    ASSERT_EQ(set(CTL_SET_OPERATION_CUSTOM, true, 40), CTL_RESULT_SUCCESS);
    sim::ResetSimulatorMemory(); // as if the run time had been unloaded
    ASSERT_EQ(get(CTL_GET_OPERATION_FLAG_CURRENT, &config), CTL_RESULT_SUCCESS);
    EXPECT_TRUE(config.Enabled);
    EXPECT_EQ(config.LaceConfig.FixedAggressivenessLevelPercent, 40);
    EXPECT_EQ(static_cast<void*>(config.LaceConfig.AggrLevelMap.pLuxToAggrMappingTable),
              map.data());
    EXPECT_EQ(State()["displays"]["\\\\.\\DISPLAY1"]["lace"]["level"], 40);
    ASSERT_EQ(get(2 /* default */, &config), CTL_RESULT_SUCCESS);
    EXPECT_FALSE(config.Enabled);

    EXPECT_EQ(set(CTL_SET_OPERATION_CUSTOM, true, 101), CTL_RESULT_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(get(0, &config), CTL_RESULT_ERROR_INVALID_ARGUMENT);
    ASSERT_EQ(set(CTL_SET_OPERATION_RESTORE_DEFAULT, true, 40), CTL_RESULT_SUCCESS);
    ASSERT_EQ(get(CTL_GET_OPERATION_FLAG_CURRENT, &config), CTL_RESULT_SUCCESS);
    EXPECT_FALSE(config.Enabled);

    machine.SetScenario({{"adapters", {{{"displays", {{{"lace", false}}}}}}}});
    panel = Panel();
    EXPECT_EQ(get(CTL_GET_OPERATION_FLAG_CURRENT, &config), CTL_RESULT_ERROR_UNSUPPORTED_FEATURE);
}

TEST_F(SimControlLib, HandlesThatAreNotOursAreRefused) {
    ctl_api_handle_t api = Init();
    ctl_device_adapter_handle_t adapter = Adapters(api)[0];
    ctl_display_output_handle_t display = Displays(adapter)[0];
    int local = 0;
    void* bogus = &local;
    uint32_t count = 0;
    ctl_display_properties_t properties{};
    properties.Size = sizeof properties;
    ctl_pixtx_pipe_get_config_t pixtx{};
    pixtx.Size = sizeof pixtx;
    ctl_panel_descriptor_access_args_t descriptor{};
    descriptor.Size = sizeof descriptor;
    descriptor.OpType = CTL_OPERATION_TYPE_READ;
    ctl_lace_config_t lace{};
    lace.Size = sizeof lace;
    lace.OpTypeGet = CTL_GET_OPERATION_FLAG_CURRENT;

    const std::function<ctl_result_t(void*)> calls[] = {
        [&](void* h) {
            return CtlEnumerateDevices(static_cast<ctl_api_handle_t>(h), &count, nullptr);
        },
        [&](void* h) {
            return CtlEnumerateDisplayOutputs(static_cast<ctl_device_adapter_handle_t>(h), &count,
                                              nullptr);
        },
        [&](void* h) {
            return CtlGetDisplayProperties(static_cast<ctl_display_output_handle_t>(h),
                                           &properties);
        },
        [&](void* h) {
            return CtlPixelTransformationGetConfig(static_cast<ctl_display_output_handle_t>(h),
                                                   &pixtx);
        },
        [&](void* h) {
            return CtlPanelDescriptorAccess(static_cast<ctl_display_output_handle_t>(h),
                                            &descriptor);
        },
        [&](void* h) {
            return CtlGetLACEConfig(static_cast<ctl_display_output_handle_t>(h), &lace);
        },
        [&](void* h) {
            return CtlSetLACEConfig(static_cast<ctl_display_output_handle_t>(h), &lace);
        },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        EXPECT_EQ(calls[i](nullptr), CTL_RESULT_ERROR_INVALID_NULL_HANDLE) << "call " << i;
        EXPECT_NE(calls[i](bogus), CTL_RESULT_SUCCESS) << "call " << i;
    }
    // A handle of another kind is not taken for this one.
    EXPECT_EQ(CtlEnumerateDisplayOutputs(reinterpret_cast<ctl_device_adapter_handle_t>(display),
                                         &count, nullptr),
              CTL_RESULT_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(CtlEnumerateDevices(reinterpret_cast<ctl_api_handle_t>(adapter), &count, nullptr),
              CTL_RESULT_ERROR_INVALID_API_HANDLE);
    // Handles die with their instance.
    ASSERT_EQ(CtlClose(api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(CtlGetDisplayProperties(display, &properties), CTL_RESULT_ERROR_INVALID_ARGUMENT);
}

TEST_F(SimControlLib, FaultsByCountSurviveTheModuleBeingUnloaded) {
    const struct {
        json fault;
        std::vector<bool> fails; // calls 1, 2, 3
    } cases[] = {
        {{{"call", "ctlEnumerateDevices"}, {"result", "0x40000012"}}, {true, true, true}},
        {{{"call", "ctlEnumerateDevices"}, {"result", "0x40000012"}, {"nth", 2}},
         {false, true, false}},
        {{{"call", "ctlEnumerateDevices"},
          {"result", "0x40000012"},
          {"nth", 2},
          {"persistent", true}},
         {false, true, true}},
        {{{"call", "ctlEnumerateDevices"}, {"result", "0x40000012"}, {"when", {{"fill", true}}}},
         {false, false, false}},
    };
    for (const auto& c : cases) {
        machine.SetScenario(json::object());
        ctl_api_handle_t api = Init();
        Faults(json::array({c.fault}));
        for (std::size_t call = 0; call < 3; ++call) {
            sim::ResetSimulatorMemory();
            uint32_t count = 0;
            const ctl_result_t expected = c.fails[call] ? kDataRead : CTL_RESULT_SUCCESS;
            EXPECT_EQ(CtlEnumerateDevices(api, &count, nullptr), expected)
                << c.fault.dump() << " call " << call + 1;
        }
    }
    const std::vector<json> journal = machine.Journal();
    EXPECT_EQ(journal.back().value("fault", false), false);
    EXPECT_EQ(sim::CallsNamed(journal, "ctlEnumerateDevices").front()["fault"], true);
    EXPECT_EQ(sim::CallsNamed(journal, "ctlEnumerateDevices").front()["result"], kDataRead);

    // A fault limited to one extension block.
    Faults(
        {{{"call", "ctlPanelDescriptorAccess"}, {"when", {{"block", 1}}}, {"result", kDataRead}}});
    ctl_display_output_handle_t panel = Panel();
    ctl_panel_descriptor_access_args_t args{};
    args.Size = sizeof args;
    args.OpType = CTL_OPERATION_TYPE_READ;
    EXPECT_EQ(CtlPanelDescriptorAccess(panel, &args), CTL_RESULT_SUCCESS);
    args.BlockNumber = 1;
    EXPECT_EQ(CtlPanelDescriptorAccess(panel, &args), kDataRead);
}

TEST_F(SimControlLib, ExportTableAndMissingEntries) {
    EXPECT_EQ(AnsweredNames().size(), 18u);
    for (const std::string& name : AnsweredNames())
        EXPECT_NE(FindEntry(name.c_str()), nullptr) << name;
    EXPECT_EQ(FindEntry("ctlFanGetState"), nullptr);
    EXPECT_EQ(FindEntry(nullptr), nullptr);
    EXPECT_EQ(FindEntry("ctlInit"), reinterpret_cast<void*>(&CtlInit));

    Faults({{{"call", "ctlGetLACEConfig"}, {"missing", true}}});
    EXPECT_EQ(FindEntry("ctlGetLACEConfig"), nullptr);
    EXPECT_NE(FindEntry("ctlSetLACEConfig"), nullptr);
}

TEST_F(SimControlLib, CloseInitAndTheScenarioOfEachInstance) {
    ctl_api_handle_t first = Init();
    ctl_display_output_handle_t oldPanel = Displays(Adapters(first)[0])[0];
    machine.SetScenario({{"adapters", {{{"displays", {{{"encoderId", 0x10}}}}}}}});
    ctl_api_handle_t second = Init();
    ctl_display_properties_t properties{};
    properties.Size = sizeof properties;
    ASSERT_EQ(CtlGetDisplayProperties(oldPanel, &properties), CTL_RESULT_SUCCESS);
    EXPECT_EQ(properties.Os_display_encoder_handle.WindowsDisplayEncoderID, 0x00800050u);
    ASSERT_EQ(CtlGetDisplayProperties(Displays(Adapters(second)[0])[0], &properties),
              CTL_RESULT_SUCCESS);
    EXPECT_EQ(properties.Os_display_encoder_handle.WindowsDisplayEncoderID, 0x10u);

    // "Still open by another caller" closes this caller's instance; an error leaves it open.
    Faults({{{"call", "ctlClose"}, {"result", 1}, {"nth", 1}},
            {{"call", "ctlClose"}, {"result", "0x40000001"}, {"nth", 2}}});
    EXPECT_EQ(CtlClose(first), 1u);
    EXPECT_EQ(CtlClose(first), CTL_RESULT_ERROR_INVALID_API_HANDLE);
    EXPECT_EQ(CtlClose(second), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(CtlClose(second), CTL_RESULT_SUCCESS);

    machine.SetScenario({{"adapters", "none"}});
    ctl_init_args_t args{};
    args.Size = sizeof args;
    args.AppVersion = CTL_MAKE_VERSION(1, 0);
    ctl_api_handle_t api = nullptr;
    EXPECT_EQ(CtlInit(&args, &api), CTL_RESULT_ERROR_UNKNOWN);
    EXPECT_EQ(api, nullptr);
    EXPECT_NE(machine.Journal().back()["error"].get<std::string>().find("adapters"),
              std::string::npos);

    ctl_runtime_path_args_t path{};
    wchar_t text[] = L"C:\\Drivers\\ControlLib.dll";
    path.pRuntimePath = text;
    EXPECT_EQ(CtlSetRuntimePath(&path), CTL_RESULT_SUCCESS);
    EXPECT_EQ(machine.Journal().back()["args"]["path"], "C:\\Drivers\\ControlLib.dll");
}

} // namespace
} // namespace varnet::sim::controllib
