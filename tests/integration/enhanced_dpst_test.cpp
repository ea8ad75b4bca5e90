// The enhanced DPST pair against the simulated SDK object: what it saves, what reaches the
// driver, and that it never goes through the back-end session.
#include <filesystem>
#include <thread>

#include "common/journal.h"
#include "exports_fixture.h"

namespace varnet::test {
namespace {

using nlohmann::json;
using EnhancedDpst = ExportsTest;

constexpr int32_t kUntouched = 42;

json DpstCalls(const std::vector<json>& journal, const char* call) {
    json found = json::array();
    for (const json& entry : sim::CallsNamed(journal, call)) {
        if (entry["args"].value("guid", "") == "dpst") {
            found.push_back(entry);
        }
    }
    return found;
}

// The panel's DPST as a freshly installed driver has it: the state file of the last case goes.
void FreshPanelDpst(TestMachine& machine, const json& dpst) {
    std::filesystem::remove(std::filesystem::path(machine.Folder()) / "state.json");
    json scenario = TestMachine::DefaultScenario();
    scenario["adapters"][0]["displays"][0]["dpst"] = dpst;
    machine.SetScenario(scenario);
}

TEST_F(EnhancedDpst, SavesSwitchesOnAndRestores) {
    struct Case {
        const char* name;
        json dpst;
        int32_t saved[3];     // after SetLevelEnhancedDPST
        uint32_t setEnhanced; // offset 172 as written by the set
        int32_t restoreFirst; // saved[0] as passed to the restore
        uint32_t restoredEnabled;
    };
    // clang-format off
    const Case cases[] = {
        {"off at level 3, enhanced offered", {{"enabled", false}, {"level", 3}, {"enhanced", 7}}, {0, 3, 7}, 1, 0, 0},
        {"off with another feature on", {{"enabled", false}, {"level", 2}, {"otherFeatures", 16}}, {0, 2, 0}, 1, 0, 16},
        {"on, enhanced not offered", {{"enabled", true}, {"level", 9}, {"enhanced", nullptr}}, {1, 9, kUntouched}, 0, 1, 8},
        {"restore with 2 clears DPST", {{"enabled", true}, {"level", 4}}, {1, 4, 0}, 1, 2, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshPanelDpst(machine, c.dpst);
        machine.ClearJournal();
        EnhancedDpstSavedState saved = {{kUntouched, kUntouched, kUntouched}};
        ASSERT_TRUE(lib.SetLevelEnhancedDPST(&saved));
        EXPECT_EQ(std::vector<int32_t>(saved.values, saved.values + 3),
                  std::vector<int32_t>(c.saved, c.saved + 3));
        json set = DpstCalls(machine.Journal(), "SetDeviceData");
        ASSERT_EQ(set.size(), 1u);
        EXPECT_EQ(set[0]["args"]["changeMask"], 8);
        EXPECT_EQ(set[0]["args"]["enabled"], 8u | c.dpst.value("otherFeatures", 0u));
        EXPECT_EQ(set[0]["args"]["level"], 5);
        EXPECT_EQ(set[0]["args"]["enhanced"], c.setEnhanced);

        saved.values[0] = c.restoreFirst;
        machine.ClearJournal();
        ASSERT_TRUE(lib.RestoreLevelEnhancedDPST(&saved));
        const std::vector<json> journal = machine.Journal();
        set = DpstCalls(journal, "SetDeviceData");
        ASSERT_EQ(set.size(), 1u);
        EXPECT_EQ(set[0]["args"]["changeMask"], 0); // sent back as the driver reported it
        EXPECT_EQ(set[0]["args"]["enabled"], c.restoredEnabled);
        EXPECT_EQ(set[0]["args"]["level"], c.saved[1]);
        EXPECT_EQ(set[0]["args"]["enhanced"], c.setEnhanced == 1 ? c.saved[2] : 0);
        // Its own SDK object: no session, so the Control Library is never started.
        EXPECT_EQ(sim::CountCalls(journal, "CreateInstance"), 1u);
        EXPECT_EQ(sim::CountCalls(journal, "ctlInit"), 0u);
    }
    EXPECT_EQ(DebugOutput(), "");
}

TEST_F(EnhancedDpst, FailuresGiveFalseWithTheirTexts) {
    const json failingWrite = {
        {"call", "SetDeviceData"}, {"when", {{"guid", "dpst"}}}, {"result", "0x80004005"}};
    struct Case {
        const char* name;
        json faults;
        bool noDpst;
        bool saves; // the array was filled before the failure
        std::string setText, restoreText;
    };
    const auto dpstRead = [](const json& how) {
        json fault = {{"call", "GetDeviceData"}, {"when", {{"guid", "dpst"}}}};
        fault.update(how);
        return fault;
    };
    // clang-format off
    const Case cases[] = {
        {"write refused", {failingWrite}, false, true,
         "SetLevelEnhancedDPST SetDeviceData Fail\r\n", "RestoreLevelEnhancedDPST SetDeviceData Fail\r\n"},
        {"read refused", {dpstRead({{"result", "0x80004005"}})}, false, false, "", ""},
        {"read throws", {dpstRead({{"throw", true}})}, false, false, "", ""},
        {"no DPST on this panel", json::array(), true, false, "", ""},
        {"no SDK object", {{{"call", "CreateInstance"}, {"result", "0x80040154"}}}, false, false,
         "CoCreateInstance Fail\r\n", "CoCreateInstance Fail\r\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scenario([&](json& s) {
            s["faults"] = c.faults;
            if (c.noDpst) {
                s["adapters"][0]["displays"][0]["powerFeatures"] = "0x13";
            }
        });
        machine.ClearJournal();
        ClearCaptures();
        EnhancedDpstSavedState saved = {{kUntouched, kUntouched, kUntouched}};
        EXPECT_FALSE(lib.SetLevelEnhancedDPST(&saved));
        EXPECT_EQ(saved.values[1], c.saves ? 3 : kUntouched);
        EXPECT_EQ(DebugOutput(), c.setText);
        ClearCaptures();
        EXPECT_FALSE(lib.RestoreLevelEnhancedDPST(&saved));
        EXPECT_EQ(DebugOutput(), c.restoreText);
        const bool wrote = c.faults == json({failingWrite});
        EXPECT_EQ(DpstCalls(machine.Journal(), "SetDeviceData").size(), wrote ? 2u : 0u);
    }
}

TEST_F(EnhancedDpst, NullStateAndAThreadWithoutCom) {
    EXPECT_FALSE(lib.SetLevelEnhancedDPST(nullptr));
    EXPECT_FALSE(lib.RestoreLevelEnhancedDPST(nullptr));
    EXPECT_EQ(machine.Count("CreateInstance"), 0u);

    // The library never enters COM: on a thread that has not, no object can be made.
    EnhancedDpstSavedState saved = {{kUntouched, kUntouched, kUntouched}};
    bool result = true;
    std::thread([&] { result = lib.SetLevelEnhancedDPST(&saved); }).join();
    EXPECT_FALSE(result);
    EXPECT_EQ(saved.values[0], kUntouched);
    EXPECT_EQ(DebugOutput(), "CoCreateInstance Fail\r\n");
}

} // namespace
} // namespace varnet::test
