// The simulator scenario format, its faults, the journal and the persisted driver state.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/edid_builder.h"
#include "common/journal.h"
#include "common/scenario.h"
#include "common/sim_state.h"

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

std::string Text(const std::vector<uint8_t>& edid, std::size_t from, std::size_t length) {
    return std::string(edid.begin() + from, edid.begin() + from + length);
}

uint32_t TimingWidth(const std::vector<uint8_t>& e) {
    return ((e[58] & 0xF0) << 4) | e[56];
}
uint32_t TimingHeight(const std::vector<uint8_t>& e) {
    return ((e[61] & 0xF0) << 4) | e[59];
}

fs::path TempFile(const std::string& name) {
    return fs::temp_directory_path() / ("varnet-sim-" + std::to_string(std::rand()) + "-" + name);
}

TEST(SimScenario, DefaultLaptop) {
    const Scenario s = DefaultScenario();
    ASSERT_EQ(s.adapters.size(), 1u);
    ASSERT_EQ(s.adapters[0].displays.size(), 1u);
    const DisplaySpec& panel = s.adapters[0].displays[0];
    EXPECT_EQ(panel.name, "\\\\.\\DISPLAY1");
    EXPECT_EQ(panel.encoderId, 0x00800050u);
    ASSERT_TRUE(ChecksumOk(panel.edid));
    EXPECT_EQ(Text(panel.edid, 0, 8), std::string("\0\xFF\xFF\xFF\xFF\xFF\xFF\0", 8));
    EXPECT_EQ(Text(panel.edid, 108, 5), std::string("\0\0\0\xFE\0", 5));
    EXPECT_EQ(Text(panel.edid, 113, 11), "VN156FHD01\n");
    EXPECT_EQ(TimingWidth(panel.edid), 1920u);
    EXPECT_EQ(TimingHeight(panel.edid), 1080u);
    EXPECT_EQ(panel.edid[126], 1);
    ASSERT_EQ(panel.extensions.size(), 1u);
    EXPECT_TRUE(ChecksumOk(panel.extensions[0]));
    EXPECT_FALSE(panel.reportedEdidSize);

    ASSERT_EQ(panel.pipeline.size(), 3u);
    EXPECT_EQ(panel.pipeline[0].type, 1u);
    EXPECT_EQ(panel.pipeline[0].channels, 3u);
    EXPECT_EQ(panel.pipeline[0].samples, 1024u);
    EXPECT_EQ(panel.pipeline[1].type, 3u);
    EXPECT_EQ(panel.pipeline[2].type, 2u);
    EXPECT_EQ(panel.pipeline[2].samples, 17u);
    EXPECT_TRUE(panel.laceSupported);
    EXPECT_NE(panel.powerFeatures & 0x4u, 0u); // DPST

    EXPECT_EQ(s.driverVersion.value_or(""), "31.0.101.4502");
    ASSERT_EQ(s.cuiDevices.size(), 1u);
    const CuiDeviceSpec& device = s.cuiDevices[0];
    EXPECT_EQ(device.displayName, panel.name);
    EXPECT_EQ(device.index, 0);
    EXPECT_EQ(device.uid, 0x1000u);
    EXPECT_EQ(device.type, 2);
    EXPECT_EQ(device.state, 0);
    EXPECT_EQ(s.CuiEdid(device), panel.edid);
    EXPECT_EQ(s.CuiLaceSupported(device), 1u);
    EXPECT_TRUE(s.faults.empty());
}

TEST(SimScenario, ExampleFilesParse) {
    const char* source = std::getenv("VARNET_SOURCE_DIR");
    if (!source)
        GTEST_SKIP() << "VARNET_SOURCE_DIR is not set";
    const fs::path folder = fs::path(source) / "examples" / "scenarios";
    const Scenario example = LoadScenarioFile((folder / "default-laptop.json").string());
    const Scenario builtIn = DefaultScenario();
    EXPECT_EQ(example.adapters[0].displays[0].edid, builtIn.adapters[0].displays[0].edid);
    EXPECT_EQ(example.adapters[0].displays[0].extensions,
              builtIn.adapters[0].displays[0].extensions);
    EXPECT_EQ(example.driverVersion, builtIn.driverVersion);
    EXPECT_EQ(example.cuiDevices.size(), builtIn.cuiDevices.size());

    const Scenario noControlLib = LoadScenarioFile((folder / "no-controllib.json").string());
    ASSERT_FALSE(noControlLib.faults.empty());
    EXPECT_EQ(noControlLib.faults[0].call, "ctlInit");
    const Scenario older = LoadScenarioFile((folder / "cui-older-driver.json").string());
    EXPECT_EQ(older.cuiDevices.at(0).lut3dStatus, 0u);
    EXPECT_FALSE(older.adapters.at(0).displays.at(0).dpst.enhanced);
}

TEST(SimScenario, EntriesNotNamedKeepTheDefaultLaptop) {
    const Scenario s =
        ParseScenario({{"driverVersion", nullptr}, {"adapters", {{{"count", 101}}}}});
    EXPECT_FALSE(s.driverVersion);
    ASSERT_EQ(s.adapters.size(), 101u);
    EXPECT_TRUE(s.adapters[100].displays.empty());
    EXPECT_EQ(s.cuiDevices.size(), 1u);
    // A device whose display is gone reports no EDID and no LACE.
    EXPECT_TRUE(s.CuiEdid(s.cuiDevices[0]).empty());
    EXPECT_EQ(s.CuiLaceSupported(s.cuiDevices[0]), 0u);
}

TEST(SimScenario, DisplaysTakeTheirOwnValuesAndDefaultTheRest) {
    const Scenario s = ParseScenario({{"adapters",
                                       {{{"displays",
                                          {{{"encoderId", "0x00100000"}, {"lace", false}},
                                           {{"name", "\\\\.\\DISPLAY7"},
                                            {"edid", "00 ff ff ff ff ff ff 00"},
                                            {"reportedEdidSize", 4096},
                                            {"pipeline", json::array()}}}}},
                                        {{"displays", {json::object()}}}}}});
    const DisplaySpec& external = s.adapters[0].displays[0];
    EXPECT_EQ(external.encoderId, 0x00100000u);
    EXPECT_FALSE(external.laceSupported);
    EXPECT_EQ(external.extensions.size(), 1u); // the default panel's EDID and its extension
    EXPECT_EQ(external.name, "\\\\.\\DISPLAY1");

    const DisplaySpec& raw = s.adapters[0].displays[1];
    EXPECT_EQ(raw.name, "\\\\.\\DISPLAY7");
    EXPECT_EQ(raw.edid, (std::vector<uint8_t>{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0}));
    EXPECT_TRUE(raw.extensions.empty()); // an EDID of its own brings no default extension
    EXPECT_EQ(raw.reportedEdidSize.value_or(0), 4096u);
    EXPECT_TRUE(raw.pipeline.empty());
    EXPECT_EQ(raw.encoderId, 0x00800050u);

    EXPECT_EQ(s.adapters[1].displays[0].name, "\\\\.\\DISPLAY3");
    EXPECT_EQ(s.FindDisplay("\\\\.\\DISPLAY7"), &raw);
}

TEST(SimScenario, EdidBuiltFromFields) {
    const Scenario s =
        ParseScenario({{"adapters",
                        {{{"displays",
                           {{{"edid",
                              {{"text", "abc def"},
                               {"manufacturer", json::array({"0x4C", "0x2D"})},
                               {"product", json::array({16, 10})},
                               {"width", 2880},
                               {"height", 1800}}},
                             {"extensions", json::array({"02030400", {{"hex", "70"}}})}},
                            {{"edid",
                              {{"text", ""},
                               {"manufacturer", "ABC"},
                               {"product", "0x1234"},
                               {"extensionCount", 3}}}}}}}}}});
    const std::vector<uint8_t>& e = s.adapters[0].displays[0].edid;
    EXPECT_TRUE(ChecksumOk(e));
    EXPECT_EQ(Text(e, 113, 13), "abc def\n     ");
    EXPECT_EQ(Text(e, 8, 4), "\x4C\x2D\x10\x0A");
    EXPECT_EQ(TimingWidth(e), 2880u);
    EXPECT_EQ(TimingHeight(e), 1800u);
    EXPECT_EQ(e[126], 2); // as many as the display lists
    EXPECT_EQ(s.adapters[0].displays[0].extensions[1], std::vector<uint8_t>{0x70});

    const std::vector<uint8_t>& blank = s.adapters[0].displays[1].edid;
    EXPECT_EQ(blank[108 + 3], 0x10); // a dummy descriptor: nothing to read as a name
    EXPECT_EQ(Text(blank, 113, 11), std::string(11, '\0'));
    EXPECT_EQ(blank[8], 0x04); // A=1, B=2, C=3 packed five bits each
    EXPECT_EQ(blank[9], 0x43);
    EXPECT_EQ(blank[10], 0x34);
    EXPECT_EQ(blank[11], 0x12);
    EXPECT_EQ(blank[126], 3);
}

TEST(SimScenario, CuiDevicesMayCarryTheirOwnEdidAndLace) {
    const Scenario s =
        ParseScenario({{"cuiDevices",
                        {{{"displayName", "\\\\.\\DISPLAY2"},
                          {"index", 1},
                          {"uid", "0x3000"},
                          {"type", 2},
                          {"state", 1},
                          {"lace", 2},
                          {"edid", {{"text", "SECOND"}}}},
                         {{"displayName", "\\\\.\\DISPLAY1"}, {"uid", 0x1000}, {"lace", false}}}}});
    const CuiDeviceSpec* second = s.FindCuiDevice(0x3000);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->state, 1);
    EXPECT_EQ(s.CuiLaceSupported(*second), 2u);
    EXPECT_EQ(Text(s.CuiEdid(*second), 113, 6), "SECOND");
    EXPECT_EQ(s.CuiLaceSupported(*s.FindCuiDevice(0x1000)), 0u);
    EXPECT_EQ(s.FindCuiDevice(0x4000), nullptr);
}

TEST(SimScenario, Faults) {
    const Scenario s =
        ParseScenario({{"faults",
                        {{{"call", "ctlInit"}, {"result", "0x40000026"}},
                         {{"call", "ctlClose"}, {"result", 1}, {"nth", 2}},
                         {{"call", "GetDeviceData"},
                          {"error", 67},
                          {"nth", 3},
                          {"persistent", true},
                          {"when", {{"guid", "lace"}, {"uid", "0x1000"}}}},
                         {{"sim", "controllib"}, {"call", "ctlGetLACEConfig"}, {"missing", true}},
                         {{"call", "GetDeviceData"}, {"throw", true}}}}});
    ASSERT_EQ(s.faults.size(), 5u);
    EXPECT_EQ(s.faults[0].result.value_or(0), 0x40000026);
    EXPECT_EQ(s.faults[0].nth, 0);
    EXPECT_EQ(s.faults[2].error.value_or(0), 67);
    EXPECT_TRUE(s.faults[3].missing);
    EXPECT_TRUE(s.faults[4].throws);
    EXPECT_FALSE(s.faultSignature.empty());

    // When a fault fires, by the 1-based number of the matching call.
    struct {
        int fault;
        std::vector<bool> fires; // calls 1, 2, 3, 4
    } firing[] = {{0, {true, true, true, true}},
                  {1, {false, true, false, false}},
                  {2, {false, false, true, true}}};
    for (const auto& f : firing)
        for (int call = 1; call <= 4; ++call)
            EXPECT_EQ(FaultFiresOn(s.faults[f.fault], call), f.fires[call - 1])
                << "fault " << f.fault << " call " << call;

    const Fault& lace = s.faults[2];
    EXPECT_TRUE(
        FaultMatches(lace, "GetDeviceData", {{"guid", "lace"}, {"uid", 4096}, {"size", 36}}));
    EXPECT_FALSE(FaultMatches(lace, "GetDeviceData", {{"guid", "edid"}, {"uid", 4096}}));
    EXPECT_FALSE(FaultMatches(lace, "GetDeviceData", {{"guid", "lace"}}));
    EXPECT_FALSE(FaultMatches(lace, "SetDeviceData", {{"guid", "lace"}, {"uid", 4096}}));
}

TEST(SimScenario, MistakesNameTheField) {
    const struct {
        const char* document;
        const char* field;
    } cases[] = {
        {R"({"adapter": []})", "adapter"},
        {R"({"adapters": [{"displays": [{"edid": "00 0G"}]}]})", "adapters[0].displays[0].edid"},
        {R"({"adapters": [{"displays": [{"edid": "001"}]}]})", "odd number"},
        {R"({"adapters": [{"displays": [{"edid": {"text": "FOURTEEN CHARS"}}]}]})", ".text"},
        {R"({"adapters": [{"displays": [{"edid": {"width": 5000}}]}]})", "4095"},
        {R"({"adapters": [{"displays": [{"pipeline": [{"type": "2dlut"}]}]}]})",
         "pipeline[0].type"},
        {R"({"adapters": [{"displays": [{"encoderId": "0x1FFFFFFFF"}]}]})", "encoderId"},
        {R"({"cuiDevices": [{"uid": 1}]})", "displayName"},
        {R"({"faults": [{"call": "ctlInit"}]})", "faults[0]"},
        {R"({"faults": [{"call": "ctlInit", "result": 1, "nth": 0}]})", "faults[0].nth"},
        {R"({"faults": [{"call": "ctlInit", "result": 1, "after": 2}]})", "faults[0].after"},
        {R"({"driverVersion": 31})", "scenario"},
        {R"([1, 2])", "object"},
        {R"({"faults": [)", "not JSON"},
    };
    for (const auto& c : cases) {
        try {
            ParseScenarioText(c.document);
            ADD_FAILURE() << c.document << " was accepted";
        } catch (const ScenarioError& e) {
            EXPECT_NE(std::string(e.what()).find(c.field), std::string::npos)
                << c.document << " -> " << e.what();
        }
    }
    EXPECT_THROW(LoadScenarioFile(TempFile("absent.json").string()), ScenarioError);
}

TEST(SimJournal, AppendReadAndQuery) {
    const fs::path path = TempFile("journal.jsonl");
    EXPECT_TRUE(ReadJournal(path.string()).empty()); // no file yet
    AppendJournal(path.string(), {{"sim", "controllib"}, {"call", "ctlInit"}, {"result", 0}});
    AppendJournal(path.string(),
                  {{"sim", "cui"}, {"call", "GetDeviceData"}, {"args", {{"guid", "edid"}}}});
    AppendJournal(path.string(), {{"sim", "controllib"}, {"call", "ctlInit"}, {"result", 1}});
    AppendJournal("", {{"call", "nowhere"}});

    const std::vector<json> journal = ReadJournal(path.string());
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(CallNames(journal),
              (std::vector<std::string>{"ctlInit", "GetDeviceData", "ctlInit"}));
    EXPECT_EQ(CountCalls(journal, "ctlInit"), 2u);
    EXPECT_EQ(CallsNamed(journal, "ctlInit")[1]["result"], 1);
    EXPECT_EQ(CallsNamed(journal, "GetDeviceData")[0]["args"]["guid"], "edid");

    ClearJournal(path.string());
    EXPECT_TRUE(ReadJournal(path.string()).empty());
    std::ofstream(path, std::ios::app) << "{\"call\":\n";
    EXPECT_THROW(ReadJournal(path.string()), std::runtime_error);
    fs::remove(path);
}

TEST(SimState, RoundTripKeepsFieldsItDoesNotKnow) {
    SimState state = StateFromJson(json::parse(R"({"inits": 4, "gamma": [1, 2],
                        "displays": {"\\\\.\\DISPLAY1": {"lace": {"enabled": true, "level": 40}}},
                        "faultCounts": {"signature": "[]", "counts": [2, 0]}})"));
    EXPECT_EQ(state.inits, 4u);
    EXPECT_TRUE(state.Display("\\\\.\\DISPLAY1").lace.enabled);
    EXPECT_EQ(state.Display("\\\\.\\DISPLAY1").lace.level, 40u);
    EXPECT_EQ(state.Display("\\\\.\\DISPLAY1").lace.trigger, 2u);
    EXPECT_EQ(state.faultCounts, (std::vector<int>{2, 0}));

    const json written = StateToJson(state);
    EXPECT_EQ(written["gamma"], json::array({1, 2}));
    EXPECT_EQ(StateFromJson(written).Display("\\\\.\\DISPLAY1").lace.level, 40u);
    // A damaged file reads as a fresh driver.
    EXPECT_EQ(StateFromJson(json::parse("[1]")).inits, 0u);
    EXPECT_EQ(StateFromJson(json::parse(R"({"inits": "many"})")).inits, 0u);
}

} // namespace
} // namespace varnet::sim
