// The simulated Control Library run time, called directly with what the library never sends:
// foreign handles, short arrays and buffers; and its faults, counted across unloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "common/journal.h"
#include "common/sim_context.h"
#include "controllib/controllib_calls.h"
#include "support/test_machine.h"

namespace varnet::sim::controllib {
namespace {

using nlohmann::json;

constexpr ctl_result_t kDataRead = 0x40000012;
constexpr uint8_t kGuard = 0xCD;

// Entry points called with a handle of any kind and no record.
template <typename... Handle, typename... Record>
std::vector<std::function<ctl_result_t(void*)>> ByHandle(ctl_result_t (*... calls)(Handle,
                                                                                   Record*)) {
    return {[calls](void* h) { return calls(static_cast<Handle>(h), nullptr); }...};
}

class SimControlLib : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(machine.Installed()) << machine.InstallError();
        api = Init();
        uint32_t count = 1;
        ASSERT_EQ(CtlEnumerateDevices(api, &count, &adapter), CTL_RESULT_SUCCESS);
        ASSERT_EQ(CtlEnumerateDisplayOutputs(adapter, &count, &panel), CTL_RESULT_SUCCESS);
    }
    ctl_api_handle_t Init() {
        ctl_init_args_t args{sizeof(ctl_init_args_t), 0, CTL_MAKE_VERSION(1, 0)};
        ctl_api_handle_t opened = nullptr;
        EXPECT_EQ(CtlInit(&args, &opened), CTL_RESULT_SUCCESS);
        return opened;
    }
    void Faults(const json& faults) { machine.SetScenario({{"faults", faults}}); }

    test::TestMachine machine;
    ctl_api_handle_t api = nullptr;
    ctl_device_adapter_handle_t adapter = nullptr;
    ctl_display_output_handle_t panel = nullptr;
};

TEST_F(SimControlLib, HandlesAreLookedUpNeverTrusted) {
    const auto displayCalls = ByHandle(
        CtlGetDisplayProperties, CtlPixelTransformationGetConfig, CtlPixelTransformationSetConfig,
        CtlPanelDescriptorAccess, CtlGetLACEConfig, CtlSetLACEConfig, CtlGetCurrentSharpness,
        CtlSetCurrentSharpness, CtlGetPowerOptimizationCaps, CtlGetPowerOptimizationSetting,
        CtlSetPowerOptimizationSetting, CtlAUXAccess);
    int stranger = 0;
    for (std::size_t i = 0; i < displayCalls.size(); ++i) {
        EXPECT_EQ(displayCalls[i](panel), CTL_RESULT_ERROR_INVALID_NULL_POINTER) << i;
        EXPECT_EQ(displayCalls[i](nullptr), CTL_RESULT_ERROR_INVALID_NULL_HANDLE) << i;
        EXPECT_EQ(displayCalls[i](&stranger), CTL_RESULT_ERROR_INVALID_ARGUMENT) << i;
        EXPECT_EQ(displayCalls[i](adapter), CTL_RESULT_ERROR_INVALID_ARGUMENT) << i;
    }
    uint32_t count = 0;
    EXPECT_EQ(CtlEnumerateDevices(reinterpret_cast<ctl_api_handle_t>(adapter), &count, nullptr),
              CTL_RESULT_ERROR_INVALID_API_HANDLE);

    // A refused start opens nothing; handles die with their instance.
    ctl_init_args_t args{8, 0, CTL_MAKE_VERSION(1, 0)};
    ctl_api_handle_t none = nullptr;
    EXPECT_EQ(CtlInit(&args, &none), CTL_RESULT_ERROR_INVALID_SIZE);
    EXPECT_EQ(CtlInit(nullptr, &none), CTL_RESULT_ERROR_INVALID_NULL_POINTER);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(ReadState().inits, 1u);
    ASSERT_EQ(CtlClose(api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(CtlClose(api), CTL_RESULT_ERROR_INVALID_API_HANDLE);
    EXPECT_EQ(CtlClose(nullptr), CTL_RESULT_ERROR_INVALID_NULL_HANDLE);
    EXPECT_EQ(displayCalls[0](panel), CTL_RESULT_ERROR_INVALID_ARGUMENT);
}

TEST_F(SimControlLib, ReadsStopAtTheCallersCountOrSize) {
    machine.SetScenario(
        {{"adapters", {{{"count", 3}, {"displays", {{{"reportedEdidSize", 4096}}}}}}}});
    api = Init();
    auto* const guard = reinterpret_cast<ctl_device_adapter_handle_t>(0x5A5A);
    std::vector<ctl_device_adapter_handle_t> adapters(5);
    for (uint32_t asked : {5u, 2u}) {
        uint32_t count = asked;
        std::fill(adapters.begin(), adapters.end(), guard);
        ASSERT_EQ(CtlEnumerateDevices(api, &count, adapters.data()), CTL_RESULT_SUCCESS);
        EXPECT_EQ(count, std::min(asked, 3u));
        EXPECT_EQ(adapters[count], guard);
    }
    uint32_t count = 1;
    ASSERT_EQ(CtlEnumerateDisplayOutputs(adapters[0], &count, &panel), CTL_RESULT_SUCCESS);

    // Too few places for the pipeline's three blocks: refused without a write.
    std::vector<ctl_pixtx_block_config_t> blocks(4);
    std::memset(blocks.data(), kGuard, blocks.size() * sizeof blocks[0]);
    ctl_pixtx_pipe_get_config_t config{sizeof config, 0, CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY};
    config.pBlockConfigs = blocks.data();
    config.NumBlocks = 2;
    EXPECT_EQ(CtlPixelTransformationGetConfig(panel, &config), 0x4800000du);
    EXPECT_EQ(blocks[0].BlockId, 0xCDCDCDCDu);
    config.NumBlocks = 4;
    ASSERT_EQ(CtlPixelTransformationGetConfig(panel, &config), CTL_RESULT_SUCCESS);
    EXPECT_EQ(config.NumBlocks, 3u);
    EXPECT_EQ(blocks[3].BlockId, 0xCDCDCDCDu);

    // The size query promises 4096 bytes; a read gives the 128 there are, or fewer if asked.
    std::vector<uint8_t> buffer(4096);
    auto read = [&](uint32_t block, uint32_t size, bool data = true, uint32_t op = 1) {
        std::fill(buffer.begin(), buffer.end(), kGuard);
        ctl_panel_descriptor_access_args_t args{sizeof args, 0, op, block, size};
        args.pDescriptorData = data ? buffer.data() : nullptr;
        return std::make_pair(CtlPanelDescriptorAccess(panel, &args), args.DescriptorDataSize);
    };
    EXPECT_EQ(read(0, 0, false).second, 4096u);
    ASSERT_EQ(read(0, 4096).first, CTL_RESULT_SUCCESS);
    EXPECT_EQ(std::make_pair(buffer[1], buffer[128]), std::make_pair(uint8_t{0xFF}, kGuard));
    ASSERT_EQ(read(0, 100).first, CTL_RESULT_SUCCESS);
    EXPECT_EQ(std::make_pair(buffer[1], buffer[100]), std::make_pair(uint8_t{0xFF}, kGuard));
    EXPECT_EQ(read(0, 0).first, CTL_RESULT_ERROR_INVALID_SIZE);
    EXPECT_EQ(read(2, 0, false).first, CTL_RESULT_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(read(0, 128, true, CTL_OPERATION_TYPE_WRITE).first,
              CTL_RESULT_ERROR_INVALID_OPERATION_TYPE);
    EXPECT_EQ(buffer[0], kGuard);
}

TEST_F(SimControlLib, FaultsCountAcrossUnloadsAndMissingEntriesAreAbsent) {
    const json fault = {{"call", "ctlEnumerateDevices"}, {"result", kDataRead}};
    const std::pair<json, std::vector<bool>> cases[] = {
        {json::object(), {true, true, true}}, // which of calls 1, 2 and 3 fail
        {{{"nth", 2}}, {false, true, false}},
        {{{"nth", 2}, {"persistent", true}}, {false, true, true}},
        {{{"when", {{"fill", true}}}}, {false, false, false}},
    };
    for (const auto& [changes, fails] : cases) {
        json changed = fault;
        changed.update(changes);
        Faults(json::array({changed}));
        if (std::count(fails.begin(), fails.end(), true) == 0) {
            machine.ExpectUnfired(0);
        }
        const std::size_t before = machine.Journal().size();
        for (std::size_t call = 0; call < 3; ++call) {
            ResetSimulatorMemory(); // as if the run time had been unloaded
            uint32_t count = 0;
            EXPECT_EQ(CtlEnumerateDevices(api, &count, nullptr),
                      fails[call] ? kDataRead : CTL_RESULT_SUCCESS)
                << changed.dump() << " call " << call + 1;
        }
        const auto journal = machine.Journal();
        EXPECT_EQ(TimesFired({journal.begin() + before, journal.end()}, 0),
                  static_cast<std::size_t>(std::count(fails.begin(), fails.end(), true)))
            << changed.dump();
    }
    // After SetUp's call, the first case's second call: its fault's second firing.
    const json second = CallsNamed(machine.Journal(), "ctlEnumerateDevices").at(2);
    EXPECT_EQ(second.value("fault", false), true);
    EXPECT_EQ(second.value("faultFired", 0), 2); // counted in the state file, across unloads
    EXPECT_FALSE(machine.Journal().back().contains("fault"));

    // A missing entry is absent from the module's lookup; the others stay.
    EXPECT_EQ(AnsweredNames().size(), 18u);
    Faults({{{"call", "ctlEnumerateDevices"}, {"result", 1}, {"nth", 9}},
            {{"call", "ctlGetLACEConfig"}, {"missing", true}}});
    machine.ExpectUnfired(0); // the ninth enumeration never comes
    machine.ClearJournal();
    EXPECT_EQ(FindEntry("ctlGetLACEConfig"), nullptr);
    EXPECT_NE(FindEntry("ctlSetLACEConfig"), nullptr);
    EXPECT_EQ(FindEntry("ctlFanGetState"), nullptr);
    EXPECT_EQ(FindEntry("ctlGetLACEConfig"), nullptr);
    const auto journal = machine.Journal();
    EXPECT_EQ(TimesFired(journal, 1), 2u);
    EXPECT_EQ(UnfiredFaults(journal, 2), std::vector<std::size_t>{0});
    EXPECT_EQ(CountCalls(journal, "ctlGetLACEConfig"), 0u); // a failed lookup is not a call
}

TEST_F(SimControlLib, EachInstanceKeepsItsScenarioAndCloseFaultsDecideWhetherItEnds) {
    machine.SetScenario({{"adapters", {{{"displays", {{{"encoderId", 0x10}}}}}}}});
    ctl_api_handle_t second = Init();
    ctl_display_properties_t properties{sizeof properties};
    ASSERT_EQ(CtlGetDisplayProperties(panel, &properties), CTL_RESULT_SUCCESS);
    EXPECT_EQ(properties.Os_display_encoder_handle.WindowsDisplayEncoderID, 0x00800050u);

    // "Still open by another caller" closes this caller's instance; an error leaves it open.
    Faults({{{"call", "ctlClose"}, {"result", 1}, {"nth", 1}},
            {{"call", "ctlClose"}, {"result", "0x40000001"}, {"nth", 2}}});
    EXPECT_EQ(CtlClose(api), 1u);
    EXPECT_EQ(CtlClose(api), CTL_RESULT_ERROR_INVALID_API_HANDLE);
    EXPECT_EQ(CtlClose(second), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(CtlClose(second), CTL_RESULT_SUCCESS);
    EXPECT_EQ(UnfiredFaults(machine.Journal(), 2), std::vector<std::size_t>{});

    // A scenario that cannot be read fails the start and says why in the journal.
    machine.SetScenario({{"adapters", "none"}});
    ctl_init_args_t args{sizeof args, 0, CTL_MAKE_VERSION(1, 0)};
    ctl_api_handle_t none = nullptr;
    EXPECT_EQ(CtlInit(&args, &none), CTL_RESULT_ERROR_UNKNOWN);
    EXPECT_EQ(none, nullptr);
    EXPECT_NE(machine.Journal().back()["error"].get<std::string>().find("adapters"),
              std::string::npos);
}

} // namespace
} // namespace varnet::sim::controllib
