// The simulator scenario format (defaults, merging, EDIDs from fields, faults, mistakes) and the
// persisted driver state.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "common/edid_builder.h"
#include "common/faults.h"
#include "common/scenario.h"
#include "common/sim_state.h"
#include "support/test_machine.h"

namespace varnet::sim {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

bool ChecksumOk(const std::vector<uint8_t>& block) {
    unsigned sum = 0;
    for (uint8_t b : block)
        sum += b;
    return block.size() == kEdidBlockSize && (sum & 0xFF) == 0;
}

TEST(SimScenario, BuiltInLaptopHasValidEdidsAndMatchesTheExampleFiles) {
    const Scenario builtIn = DefaultScenario();
    const DisplaySpec& panel = builtIn.adapters.at(0).displays.at(0);
    EXPECT_TRUE(ChecksumOk(panel.edid));
    EXPECT_TRUE(ChecksumOk(panel.extensions.at(0)));

    const std::string folder = test::TestMachine::SourcePath("examples/scenarios/");
    const Scenario example = LoadScenarioFile(folder + "default-laptop.json");
    EXPECT_EQ(example.adapters.at(0).displays.at(0).edid, panel.edid);
    EXPECT_EQ(example.adapters[0].displays[0].extensions, panel.extensions);
    EXPECT_EQ(LoadScenarioFile(folder + "no-controllib.json").faults.at(0).call, "ctlInit");
    EXPECT_FALSE(
        LoadScenarioFile(folder + "cui-older-driver.json").adapters[0].displays[0].dpst.enhanced);
}

TEST(SimScenario, WhatIsLeftOutKeepsTheDefaultLaptop) {
    const Scenario s = ParseScenarioText(R"({"driverVersion": null,
        "adapters": [{"displays": [{"encoderId": "0x00100000", "lace": false},
                                   {"name": "\\\\.\\DISPLAY7", "edid": "00 ff ff ff ff ff ff 00"}]},
                     {"count": 2, "displays": [{}]}, {"count": 3}],
        "cuiDevices": [{"displayName": "\\\\.\\DISPLAY7", "uid": "0x3000"},
                       {"displayName": "\\\\.\\DISPLAY9", "uid": 16384}]})");
    EXPECT_FALSE(s.driverVersion);
    ASSERT_EQ(s.adapters.size(), 6u);
    EXPECT_TRUE(s.adapters[5].displays.empty());
    const DisplaySpec& first = s.adapters[0].displays[0];
    EXPECT_EQ(std::make_tuple(first.name, first.encoderId, first.laceSupported),
              std::make_tuple("\\\\.\\DISPLAY1", 0x00100000u, false));
    EXPECT_EQ(first.edid, DefaultScenario().adapters[0].displays[0].edid);
    EXPECT_EQ(std::make_tuple(first.extensions.size(), first.pipeline.size()),
              std::make_tuple(1u, 3u));
    const DisplaySpec& raw = s.adapters[0].displays[1]; // its own EDID brings no extension
    EXPECT_EQ(std::make_tuple(raw.edid.size(), raw.edid[1], raw.extensions.size(), raw.encoderId),
              std::make_tuple(8u, 0xFF, 0u, 0x00800050u));
    // Names count displays across adapters, copies included.
    EXPECT_EQ(s.adapters[2].displays[0].name, "\\\\.\\DISPLAY4");

    const CuiDeviceSpec& named = s.cuiDevices.at(0);
    EXPECT_EQ(std::make_tuple(named.index, named.type, named.state, s.CuiEdid(named).size()),
              std::make_tuple(0, 0, 0, 8u));
    // A device whose display is not there reports no EDID and no LACE.
    const CuiDeviceSpec& orphan = *s.FindCuiDevice(0x4000);
    EXPECT_EQ(std::make_pair(s.CuiEdid(orphan).size(), s.CuiLaceSupported(orphan)),
              std::make_pair(std::size_t{0}, 0u));
}

TEST(SimScenario, EdidBuiltFromFields) {
    const Scenario s = ParseScenarioText(R"({"adapters": [{"displays": [
        {"edid": {"text": "", "manufacturer": "ABC", "product": "0x1234", "extensionCount": 3}},
        {"edid": {"manufacturer": ["0x4C", "0x2D"], "product": [16, 10]},
         "extensions": ["02", {"hex": "70"}]}]}]})");
    const std::vector<uint8_t>& e = s.adapters[0].displays[0].edid;
    EXPECT_TRUE(ChecksumOk(e));
    EXPECT_EQ(e[108 + 3], 0x10); // a dummy descriptor: nothing to read as a name
    EXPECT_EQ(std::string(e.begin() + 8, e.begin() + 12), "\x04\x43\x34\x12"); // 5 bits a letter
    EXPECT_EQ(e[126], 3);
    const DisplaySpec& bytes = s.adapters[0].displays[1];
    EXPECT_EQ(std::string(bytes.edid.begin() + 8, bytes.edid.begin() + 12), "\x4C\x2D\x10\x0A");
    EXPECT_EQ(std::make_pair(int{bytes.edid[126]}, bytes.extensions[1]),
              std::make_pair(2, std::vector<uint8_t>{0x70})); // as many as the display lists
}

TEST(SimScenario, MistakesNameTheField) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"adapter": []})", "adapter"},
        {R"({"adapters": [{"displays": [{"edid": "00 0G"}]}]})", "adapters[0].displays[0].edid"},
        {R"({"adapters": [{"displays": [{"edid": {"text": "FOURTEEN CHARS"}}]}]})", ".text"},
        {R"({"adapters": [{"displays": [{"edid": {"width": 5000}}]}]})", "4095"},
        {R"({"adapters": [{"displays": [{"pipeline": [{"type": "2dlut"}]}]}]})",
         "pipeline[0].type"},
        {R"({"cuiDevices": [{"uid": 1}]})", "displayName"},
        {R"({"faults": [{"call": "ctlInit"}]})", "faults[0]"},
        {R"({"faults": [{"call": "ctlInit", "result": 1, "nth": 0}]})", "faults[0].nth"},
        // Faults that would be taken and then never fire.
        {R"({"faults": [{"call": "ctlInit", "result": 1}, {"call": "ctlGetLaceConfig",
            "result": 1}]})",
         "faults[1].call: no simulator answers a call named \"ctlGetLaceConfig\""},
        {R"({"faults": [{"call": "GetDeviceData", "error": 5, "persistent": true}]})",
         "faults[0].persistent: needs \"nth\""},
        {R"({"faults": [{"call": "ctlClose", "result": 1, "persistent": "yes", "nth": 1}]})",
         "faults[0].persistent"},
        {R"({"faults": [{"call": "GetDeviceData", "error": 5, "when": "edid"}]})",
         "faults[0].when"},
        {R"({"faults": [{"call": "GetDeviceData", "error": 5, "when": {"guid": ["edid"]}}]})",
         "faults[0].when.guid"},
        {R"({"faults": [{"call": "GetDeviceData", "missing": true}]})", "faults[0].missing"},
        {R"({"faults": [{"call": "ctlInit", "missing": true, "nth": 2}]})", "faults[0].missing"},
        {R"({"faults": [{"call": "ctlInit", "throw": true}]})", "faults[0].throw"},
        {R"({"faults": [{"call": "ctlInit", "sim": "cui", "result": 1}]})", "faults[0].sim"},
        {R"({"driverVersion": 31})", "scenario"},
        {R"({"faults": [)", "not JSON"},
    };
    for (const auto& [document, field] : cases) {
        try {
            ParseScenarioText(document);
            ADD_FAILURE() << document << " was accepted";
        } catch (const ScenarioError& e) {
            EXPECT_NE(std::string(e.what()).find(field), std::string::npos)
                << document << " -> " << e.what();
        }
    }
    EXPECT_THROW(LoadScenarioFile((fs::temp_directory_path() / "varnet-absent.json").string()),
                 ScenarioError);
}

TEST(SimScenario, FaultWhenValuesMatchTheJournalArgs) {
    const json args = {{"guid", "edid"}, {"uid", 4096}, {"fill", true}, {"intensity", 40.5}};
    const std::pair<json, bool> cases[] = {
        {{{"uid", "0x1000"}}, true}, // a number written as text
        {{{"uid", "4096"}, {"guid", "edid"}}, true},
        {{{"uid", "0x1001"}}, false},
        {{{"uid", "edid"}}, false}, // a text that is no number never matches a number
        {{{"guid", "EDID"}}, false},
        {{{"fill", true}, {"intensity", 40.5}}, true},
        {{{"absent", 1}}, false},
    };
    for (const auto& [when, matches] : cases) {
        const Fault fault =
            ParseFault({{"call", "GetDeviceData"}, {"error", 5}, {"when", when}}, "faults[0]");
        EXPECT_EQ(FaultMatches(fault, "GetDeviceData", args), matches) << when.dump();
        EXPECT_FALSE(FaultMatches(fault, "SetDeviceData", args)) << when.dump();
    }
}

TEST(SimState, RoundTripKeepsUnknownFieldsAndForgetsDamagedOnes) {
    SimState state = StateFromJson(json::parse(R"({"inits": 4, "gamma": [1, 2],
        "displays": {"\\\\.\\DISPLAY1": {"lace": {"enabled": true, "level": 40},
                     "gamma": {"channels": 3, "samplesPerChannel": 256, "values": [0.5]}}},
        "faultCounts": {"signature": "[]", "counts": [2, 0]}})"));
    const DisplayState& display = state.Display("\\\\.\\DISPLAY1");
    EXPECT_EQ(state.inits, 4u);
    EXPECT_EQ(std::make_tuple(display.lace.enabled, display.lace.level, display.lace.trigger),
              std::make_tuple(true, 40u, 2u));
    EXPECT_FALSE(display.gamma); // its values do not fill its counts
    EXPECT_EQ(state.faultCounts, (std::vector<int>{2, 0}));

    const json written = StateToJson(state);
    EXPECT_EQ(written["gamma"], json::array({1, 2}));
    EXPECT_EQ(StateFromJson(written).Display("\\\\.\\DISPLAY1").lace.level, 40u);
    EXPECT_EQ(StateFromJson(json::parse("[1]")).inits, 0u);
    EXPECT_EQ(StateFromJson(json::parse(R"({"inits": "many"})")).inits, 0u);
}

} // namespace
} // namespace varnet::sim
