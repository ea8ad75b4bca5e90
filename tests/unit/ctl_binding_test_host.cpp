// The exported loader on the host: when it loads and frees the run time, and that every
// forwarder hands its exact arguments to the run time's entry of its own name.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ctl_forwarder_table.h"
#include "igcl/ctl_binding.h"
#include "platform/host/sandbox.h"
#include "support/sandbox_faults.h"
#include "support/test_machine.h"

namespace varnet {
namespace {

namespace host = platform::host;

class CtlBindingHost : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(machine.Installed()) << machine.InstallError();
        init.Size = sizeof init;
        init.AppVersion = CTL_MAKE_VERSION(1, 0);
        pending.Size = sizeof pending;
    }
    void TearDown() override {
        ResetBindingForTesting();
        host::UnregisterModule("Forwarders.dll");
    }

    test::TestMachine machine;
    ctl_init_args_t init = {};
    ctl_runtime_path_args_t pending = {};
};

TEST_F(CtlBindingHost, PendingPathFailedLoadAndCloseStillOpen) {
    wchar_t path[] = L"C:\\Vendor\\ControlLib.dll";
    pending.pRuntimePath = path;
    ASSERT_EQ(ctlSetRuntimePath(&pending), CTL_RESULT_SUCCESS);
    test::SandboxFaults faults;
    faults.Inject("LoadModule", 1, false);
    ctl_api_handle_t first = nullptr;
    EXPECT_EQ(ctlInit(&init, &first), CTL_RESULT_ERROR_LOAD);
    EXPECT_EQ(ControlLibModule, nullptr);

    // Tried again; the run time gets the pending path before its ctlInit.
    ASSERT_EQ(ctlInit(&init, &first), CTL_RESULT_SUCCESS);
    ctl_api_handle_t second = nullptr;
    ASSERT_EQ(ctlInit(&init, &second), CTL_RESULT_SUCCESS);
    EXPECT_EQ(host::ModuleLoadCount("ControlLib.dll"), 1);
    EXPECT_EQ(machine.CallNames(),
              (std::vector<std::string>{"ctlSetRuntimePath", "ctlInit", "ctlInit"}));
    EXPECT_EQ(ctlSetRuntimePath(&pending), CTL_RESULT_SUCCESS); // loaded: to the run time
    EXPECT_EQ(machine.Count("ctlSetRuntimePath"), 2u);

    // Another caller still holds the run time: it stays loaded, the pending path is forgotten.
    nlohmann::json scenario = test::TestMachine::DefaultScenario();
    scenario["faults"] = {{{"call", "ctlClose"}, {"result", 1}, {"nth", 1}}};
    machine.SetScenario(scenario);
    EXPECT_EQ(ctlClose(first), CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER);
    EXPECT_EQ(host::ModuleLoadCount("ControlLib.dll"), 1);
    EXPECT_EQ(PendingRuntimePath, nullptr);
    EXPECT_EQ(ctlClose(second), CTL_RESULT_SUCCESS);
    EXPECT_EQ(host::ModuleLoadCount("ControlLib.dll"), 0);
}

// What every fault test leans on: a fault the test never reaches fails it, unless it says so.
TEST_F(CtlBindingHost, FaultsThatNeverFireFailTheTestUnlessItSaysSo) {
    test::SandboxFaults sandbox;
    sandbox.Inject("LoadModule", 1, false);
    sandbox.Inject("RegCreateKeyEx", 1, false);
    ctl_api_handle_t api = nullptr;
    EXPECT_EQ(ctlInit(&init, &api), CTL_RESULT_ERROR_LOAD);
    EXPECT_EQ(sandbox.Unfired(), std::vector<std::string>{"RegCreateKeyEx"});
    EXPECT_NONFATAL_FAILURE(sandbox.Clear(),
                            "sandbox fault on RegCreateKeyEx (call 1) never fired");
    sandbox.Inject("RegCreateKeyEx", 1, false);
    sandbox.ExpectUnfired("RegCreateKeyEx");
    sandbox.Clear();

    nlohmann::json scenario = test::TestMachine::DefaultScenario();
    scenario["faults"] = {{{"call", "ctlClose"}, {"result", 1}, {"nth", 1}},
                          {{"call", "ctlGetLACEConfig"}, {"result", 1}}};
    machine.SetScenario(scenario);
    ASSERT_EQ(ctlInit(&init, &api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(ctlClose(api), CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER);
    machine.ClearJournal();        // what fired before still counts
    machine.SetScenario(scenario); // the same faults go on counting
    EXPECT_EQ(machine.UnfiredFaults(), std::vector<std::size_t>{1});
    EXPECT_NONFATAL_FAILURE(machine.SetScenario(test::TestMachine::DefaultScenario()),
                            "scenario fault 1 {\"call\":\"ctlGetLACEConfig\"");

    // Said not to fire: it must not, either.
    scenario["faults"] = {{{"call", "ctlGetLACEConfig"}, {"result", 1}},
                          {{"call", "ctlInit"}, {"result", 1}}};
    machine.SetScenario(scenario);
    machine.ExpectUnfired(0);
    machine.ExpectUnfired(1);
    EXPECT_EQ(ctlInit(&init, &api), 1u);
    EXPECT_NONFATAL_FAILURE(machine.SetScenario(test::TestMachine::DefaultScenario()),
                            "scenario fault 1 {\"call\":\"ctlInit\",\"result\":1} fired 1 times "
                            "though the test expects it not to");
}

TEST_F(CtlBindingHost, EveryForwarderHandsItsExactArgumentsToItsOwnEntry) {
    static bool present = false;
    host::RegisterModule("Forwarders.dll", [](const char* name) -> void* {
        for (const test::ForwarderRow& row : test::ForwarderRows()) {
            if (present && std::strcmp(row.name, name) == 0) {
                return row.entry;
            }
        }
        return nullptr;
    });
    wchar_t path[] = L"Forwarders.dll";
    pending.pRuntimePath = path;
    ASSERT_EQ(ctlSetRuntimePath(&pending), CTL_RESULT_SUCCESS);
    // A run time without the loader's own entries: only the call that loads it succeeds.
    ctl_api_handle_t api = nullptr;
    EXPECT_EQ(ctlInit(&init, &api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(ctlInit(&init, &api), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(ctlSetRuntimePath(&pending), CTL_RESULT_ERROR_NOT_INITIALIZED);

    for (const test::ForwarderRow& row : test::ForwarderRows()) {
        present = false;
        EXPECT_EQ(row.invoke(), CTL_RESULT_ERROR_NOT_INITIALIZED) << row.name;
        present = true; // looked up again on every call, never remembered
        test::g_reached = nullptr;
        EXPECT_EQ(row.invoke(), test::kEntryResult) << row.name;
        EXPECT_EQ(test::g_reached, row.forwarder) << row.name;
        EXPECT_TRUE(test::g_exact) << row.name;
    }
    EXPECT_EQ(ctlClose(api), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(host::ModuleLoadCount("Forwarders.dll"), 1);
}

} // namespace
} // namespace varnet
