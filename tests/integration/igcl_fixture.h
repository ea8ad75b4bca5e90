// The Control Library back-end object driven directly against the simulated run time, with the
// debugger and standard output channels captured.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "backend/graphics_types.h"
#include "common/journal.h"
#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_binding.h"
#include "support/capture.h"
#include "support/test_machine.h"

namespace varnet {

class IgclTest : public ::testing::Test {
protected:
    using json = nlohmann::json;

    void SetUp() override {
        ASSERT_TRUE(machine.Installed()) << machine.InstallError();
        test::StartCapture();
    }
    void TearDown() override {
        ResetBindingForTesting();
        GammaMax = kGammaMaxDefault;
    }
    // The default laptop with top-level entries replaced; journal and captures start afresh.
    void Use(const json& changes = json::object()) {
        json scenario = test::TestMachine::DefaultScenario();
        scenario.update(changes);
        machine.SetScenario(scenario);
        machine.ClearJournal();
        test::ClearCaptures();
    }
    void UsePipeline(const json& blocks) {
        Use({{"adapters", {{{"displays", {{{"pipeline", blocks}}}}}}}});
    }
    std::vector<json> Calls(const char* call) const {
        return sim::CallsNamed(machine.Journal(), call);
    }
    // The arguments of the last such call; none fails the test with an exception.
    json Last(const char* call) const {
        const auto calls = Calls(call);
        return calls.at(calls.size() - 1)["args"];
    }

    test::TestMachine machine;
};

} // namespace varnet
