// The CUI back-end object driven directly against the simulated driver, with the debugger and
// standard output channels captured.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backend/cintel_graphic.h"
#include "common/journal.h"
#include "support/capture.h"
#include "support/test_machine.h"

namespace varnet {

using Edits = std::vector<std::pair<std::string, nlohmann::json>>; // JSON pointer, value

class CuiTest : public ::testing::Test {
protected:
    using json = nlohmann::json;

    void SetUp() override { ASSERT_TRUE(machine_.Installed()) << machine_.InstallError(); }
    void TearDown() override {
        GammaScale = kGammaScaleDefault; // every start sets both
        GammaMax = kGammaMaxDefault;
    }
    // The default laptop with base_, then edits, applied; faults are the items of a JSON list.
    void Use(const std::string& faults, const Edits& edits = {}) {
        json scenario = test::TestMachine::DefaultScenario();
        scenario["faults"] = json::parse("[" + faults + "]");
        for (const Edits* list : std::initializer_list<const Edits*>{&base_, &edits}) {
            for (const auto& [at, value] : *list) {
                scenario[json::json_pointer(at)] = value;
            }
        }
        machine_.SetScenario(scenario);
    }
    // A new back-end started on the laptop so changed, its start's calls and lines gone.
    CIntelGraphic& Connect(const std::string& faults = "", const Edits& edits = {}) {
        Use(faults, edits);
        cui_.reset();
        EXPECT_EQ(cui_.emplace().InitLib(), 1);
        machine_.ClearJournal();
        test::StartCapture();
        return *cui_;
    }
    std::vector<json> Calls(const char* name) const {
        return sim::CallsNamed(machine_.Journal(), name);
    }
    // The args of the block's last exchange; null when there was none.
    json Last(const char* block, const char* call = "SetDeviceData") const {
        json last;
        for (const json& entry : Calls(call)) {
            if (entry["args"]["guid"] == block) {
                last = entry["args"];
            }
        }
        return last;
    }

    Edits base_;
    test::TestMachine machine_;
    std::optional<CIntelGraphic> cui_;
};

} // namespace varnet
