// Every colour export on each back-end: one run records the driver calls the export makes, then
// one run per recorded call with that call failing (an error code; for the run time also the
// entry point missing; for the SDK object also an exception). Every run must end with the
// export's own answer or the answer it gives with no driver at all, with every run-time session
// closed, no SDK object alive and no registry key or file left open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cui/cui_object.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"
#include "support/test_machine.h"
#include "support/varnet_library.h"

namespace varnet::test {
namespace {

using json = nlohmann::json;

struct Export {
    const char* name;
    std::function<int32_t(const VarnetExports&)> call;
    bool fixedAnswer = false; // the answer never depends on the driver
    // Further answers when the SDK object throws: its guard hands back the caller's error value
    // (0), so a read that threw counts as done and its zeroed block is used.
    std::vector<int32_t> afterThrow = {};
};

using Lib = const VarnetExports&;

const Export kExports[] = {
    {"IsIntelGPU", [](Lib l) { return int32_t{l.IsIntelGPU()}; }, true},
    {"GetEDID",
     [](Lib l) {
         char buffer[255] = {};
         const int32_t length = l.GetEDID(buffer);
         // A length that disagrees with the text is never a valid answer.
         return length == static_cast<int32_t>(std::string(buffer).size()) ? length : -1;
     },
     false,
     {9}}, // "0000_0000", the ID of a zeroed EDID block
    {"IsDisplayLACESupport", [](Lib l) { return int32_t{l.IsDisplayLACESupport()}; }},
    {"IsColorModeSupport", [](Lib l) { return int32_t{l.IsColorModeSupport(5)}; }},
    {"IsColorModeSupportArray",
     [](Lib l) {
         ColorModeQuery q[3] = {{1, 0, {}}, {3, 0, {}}, {12, 0, {}}};
         return l.IsColorModeSupportArray(q, 3);
     }},
    {"SetColorMode(PRO)", [](Lib l) { return int32_t{l.SetColorMode(6, 2, false, 5)}; }, true},
    {"SetColorMode(.cube)", [](Lib l) { return int32_t{l.SetColorMode(13, 3, false, 4)}; }, true},
    {"IsDPSTSupport", [](Lib l) { return int32_t{l.IsDPSTSupport()}; }},
    {"IsColortoneSupport", [](Lib l) { return int32_t{l.IsColortoneSupport()}; }},
    {"IsQledDisplay", [](Lib l) { return int32_t{l.IsQledDisplay()}; }},
    {"IsAmoledDisplay", [](Lib l) { return int32_t{l.IsAmoledDisplay()}; }},
    {"IsAmoledPhotoSupport", [](Lib l) { return int32_t{l.IsAmoledPhotoSupport()}; }},
    {"IsICCProfileSupport", [](Lib l) { return int32_t{l.IsICCProfileSupport(6, false)}; }},
    {"SetLevelEnhancedDPST",
     [](Lib l) {
         EnhancedDpstSavedState saved = {};
         return int32_t{l.SetLevelEnhancedDPST(&saved)};
     }},
    {"RestoreLevelEnhancedDPST",
     [](Lib l) {
         const EnhancedDpstSavedState saved = {{1, 4, 0}};
         return int32_t{l.RestoreLevelEnhancedDPST(&saved)};
     }},
};

// The example configuration, and an AMOLED photo file registered the way the installer does.
void InstallConfiguration() {
    TestMachine::InstallConfigFolder("examples/config");
    platform::CreateDirectory("C:\\Program Files");
    platform::CreateDirectory("C:\\Program Files\\Tintwell");
    std::fclose(platform::OpenFile("C:\\Program Files\\Tintwell\\Tintwell.exe", "w"));
    std::FILE* ini = platform::OpenFile("C:\\Program Files\\Tintwell\\IntelAmoledMode.ini", "w");
    std::fputs("[AMOLED]\nVN156FHD01=yes\n", ini);
    std::fclose(ini);
    platform::RegKey key = nullptr;
    platform::RegCreateKeyEx(platform::RegRoot::LocalMachine, "SOFTWARE\\Norvane\\CurrentPath",
                             platform::kKeyAllAccess, &key);
    const char value[] = "\"C:\\Program Files\\Tintwell\\Tintwell.exe\"";
    platform::RegSetValueEx(key, "90000", platform::kRegSz, reinterpret_cast<const uint8_t*>(value),
                            sizeof value);
    platform::RegCloseKey(key);
}

struct Outcome {
    int32_t result = 0;
    std::vector<json> journal;
    long liveObjects = 0;
    int openKeys = 0;
    int openFiles = 0;
};

// One export on a freshly installed laptop: new sandbox, driver state and journal, and the
// library as just loaded.
Outcome RunOnce(const Export& e, const json& scenario) {
    // The sweep checks its own faults: a base refusal stays armed for exports that never start a
    // session.
    TestMachine machine(FaultCheck::Off);
    EXPECT_TRUE(machine.Installed()) << machine.InstallError();
    InstallConfiguration();
    machine.SetScenario(scenario);
    VarnetExports lib;
    std::string error;
    EXPECT_TRUE(LoadVarnet(&lib, &error)) << error;
    machine.ClearJournal();
    Outcome out;
    out.result = e.call(lib);
    out.journal = machine.Journal();
    out.liveObjects = sim::cui::LiveCuiObjects();
    out.openKeys = platform::host::OpenRegistryKeyCount();
    out.openFiles = platform::host::OpenFileCount();
    UnloadVarnet();
    return out;
}

struct Fault {
    std::string call;
    json entry; // as the scenario's "faults" list holds it
    std::string label;
};

// What to fail, from the record run: each call in turn, and each run-time entry once missing.
std::vector<Fault> FaultsFor(const std::vector<json>& record) {
    std::vector<Fault> faults;
    std::map<std::string, int> seen;
    for (const json& entry : record) {
        const std::string call = entry.value("call", "");
        const int nth = ++seen[call]; // nth counts every call of that name, faulted or not
        if (entry.value("fault", false)) {
            continue; // the back-end's own scenario already fails it
        }
        const std::string at = call + " #" + std::to_string(nth);
        const auto add = [&](json how, const std::string& label) {
            how["call"] = call;
            faults.push_back({call, how, label});
        };
        if (entry.value("sim", "") == "controllib") {
            // A call its own checks refused (a null handle) never reaches the fault.
            if (entry.value("result", json()) == 0) {
                add({{"nth", nth}, {"result", "0x4000FFFF"}}, at + " error");
            }
            if (nth == 1) {
                add({{"missing", true}}, call + " missing");
            }
        } else {
            add({{"nth", nth}, {"error", 37}}, at + " E_FAIL");
            if (call != "CreateInstance") { // object creation never throws
                add({{"nth", nth}, {"throw", true}}, at + " throw");
            }
        }
    }
    return faults;
}

// What every run must show, whatever failed; empty when all holds.
std::string Violations(const Outcome& out, const std::vector<int32_t>& allowed,
                       const Fault* fault) {
    std::string problems;
    if (std::find(allowed.begin(), allowed.end(), out.result) == allowed.end()) {
        problems += " answer " + std::to_string(out.result);
    }
    const bool missing = fault != nullptr && fault->entry.contains("missing");
    std::size_t fired = 0, opened = 0, closed = 0;
    for (const json& e : out.journal) {
        const std::string call = e.value("call", "");
        fired += fault != nullptr && call == fault->call &&
                 e.value(missing ? "missing" : "fault", false);
        opened += call == "ctlInit" && e.value("result", json()) == 0;
        closed += call == "ctlClose" && e.value("args", json::object()).value("known", false);
    }
    if (fault != nullptr && fired == 0) {
        problems += " fault never fired";
    }
    // With ctlClose missing the library cannot close what it opened.
    const bool closeUnreachable = missing && fault->call == "ctlClose";
    if (opened != closed && !closeUnreachable) {
        problems += " ctlInit " + std::to_string(opened) + " / ctlClose " + std::to_string(closed);
    }
    if (out.liveObjects != 0) {
        problems += " SDK objects alive " + std::to_string(out.liveObjects);
    }
    if (out.openKeys != 0 || out.openFiles != 0) {
        problems += " open keys " + std::to_string(out.openKeys) + ", files " +
                    std::to_string(out.openFiles);
    }
    return problems;
}

void Sweep(const char* backEnd, const json& base, std::size_t* combinations) {
    json noDriver = base;
    noDriver["faults"] = json::array({{{"call", "ctlInit"}, {"result", "0x40000026"}},
                                      {{"call", "CreateInstance"}, {"result", "0x80004005"}}});
    std::vector<std::string> failures;
    for (const Export& e : kExports) {
        const Outcome record = RunOnce(e, base);
        const int32_t failed = RunOnce(e, noDriver).result;
        std::vector<int32_t> allowed = {record.result};
        if (!e.fixedAnswer) {
            allowed.push_back(failed);
        } else if (failed != record.result) {
            failures.push_back(std::string(e.name) + ": no driver changed the fixed answer");
        }
        if (std::string p = Violations(record, allowed, nullptr); !p.empty()) {
            failures.push_back(std::string(e.name) + " unfaulted:" + p);
        }
        ++*combinations;
        for (const Fault& f : FaultsFor(record.journal)) {
            json scenario = base;
            scenario["faults"].push_back(f.entry);
            const Outcome out = RunOnce(e, scenario);
            std::vector<int32_t> answers = allowed;
            if (f.entry.contains("throw")) {
                answers.insert(answers.end(), e.afterThrow.begin(), e.afterThrow.end());
            }
            if (std::string p = Violations(out, answers, &f); !p.empty()) {
                failures.push_back(std::string(e.name) + ", " + f.label + ":" + p);
            }
            ++*combinations;
        }
    }
    for (std::size_t i = 0; i < failures.size() && i < 30; ++i) {
        ADD_FAILURE() << backEnd << ": " << failures[i];
    }
    EXPECT_EQ(failures.size(), 0u) << backEnd;
}

TEST(FaultSweep, EveryDriverCallFailsInTurnOnBothBackEnds) {
    std::size_t igcl = 0;
    std::size_t cui = 0;
    json base = TestMachine::DefaultScenario();
    Sweep("Control Library", base, &igcl);
    base["faults"] = json::array({{{"call", "ctlInit"}, {"result", "0x40000026"}}});
    Sweep("CUI", base, &cui);
    std::cout << "fault sweep: " << igcl + cui << " combinations (" << igcl
              << " on the Control Library back-end, " << cui << " on the CUI back-end) over "
              << std::size(kExports) << " exports\n";
    EXPECT_GT(igcl, std::size(kExports));
    EXPECT_GT(cui, std::size(kExports));
}

} // namespace
} // namespace varnet::test
