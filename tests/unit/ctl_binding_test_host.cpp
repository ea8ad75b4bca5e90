// The exported loader against stand-in run times registered in the host sandbox: which file it
// loads, when it loads and frees it, and that every forwarder delivers its arguments unchanged.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ctl_forwarder_table.h"
#include "igcl/ctl_binding.h"
#include "platform/host/sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;

constexpr char kDefaultModule[] = "ControlLib.dll";
constexpr char kCustomModule[] = "Custom.dll";
const auto kRuntimeHandle = reinterpret_cast<ctl_api_handle_t>(uintptr_t{0xC0FFEE});

// A run time whose answers and missing entries each test chooses.
struct StandInRuntime {
    bool hasInit = true;
    bool hasClose = true;
    bool hasSetPath = true;
    bool hasForwarders = false;
    ctl_result_t initResult = CTL_RESULT_SUCCESS;
    ctl_result_t closeResult = CTL_RESULT_SUCCESS;
    ctl_result_t setPathResult = CTL_RESULT_SUCCESS;
    std::vector<std::string> calls;
    ctl_runtime_path_args_t* pathArgs = nullptr;
    ctl_api_handle_t closedHandle = nullptr;
};

StandInRuntime& Runtime() {
    static StandInRuntime runtime;
    return runtime;
}

ctl_result_t StandInInit(ctl_init_args_t*, ctl_api_handle_t* handle) {
    Runtime().calls.push_back("ctlInit");
    *handle = kRuntimeHandle;
    return Runtime().initResult;
}

ctl_result_t StandInClose(ctl_api_handle_t handle) {
    Runtime().calls.push_back("ctlClose");
    Runtime().closedHandle = handle;
    return Runtime().closeResult;
}

ctl_result_t StandInSetPath(ctl_runtime_path_args_t* args) {
    Runtime().calls.push_back("ctlSetRuntimePath");
    Runtime().pathArgs = args;
    return Runtime().setPathResult;
}

void* Lookup(const char* name) {
    const StandInRuntime& r = Runtime();
    const std::string n = name;
    if (n == "ctlInit") {
        return r.hasInit ? reinterpret_cast<void*>(&StandInInit) : nullptr;
    }
    if (n == "ctlClose") {
        return r.hasClose ? reinterpret_cast<void*>(&StandInClose) : nullptr;
    }
    if (n == "ctlSetRuntimePath") {
        return r.hasSetPath ? reinterpret_cast<void*>(&StandInSetPath) : nullptr;
    }
    for (const test::ForwarderRow& row : test::ForwarderRows()) {
        if (r.hasForwarders && n == row.name) {
            return row.entry;
        }
    }
    return nullptr;
}

ctl_init_args_t InitArgs(uint32_t appVersion) {
    ctl_init_args_t init = {};
    init.Size = sizeof init;
    init.AppVersion = appVersion;
    return init;
}

class CtlBindingHost : public ::testing::Test {
protected:
    void SetUp() override {
        host::ResetState();
        host::UnregisterModule(kDefaultModule);
        host::UnregisterModule(kCustomModule);
        ResetBindingForTesting();
        Runtime() = {};
        test::ReceivedCalls().clear();
    }
    void TearDown() override {
        ResetBindingForTesting();
        host::UnregisterModule(kDefaultModule);
        host::UnregisterModule(kCustomModule);
    }
};

TEST_F(CtlBindingHost, LoadsTheDefaultRunTimeOnceAndPassesInitOn) {
    host::RegisterModule(kDefaultModule, Lookup);
    Runtime().initResult = CTL_RESULT_ERROR_DATA_READ;
    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t handle = nullptr;

    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_ERROR_DATA_READ);
    EXPECT_EQ(handle, kRuntimeHandle);
    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_ERROR_DATA_READ);
    EXPECT_EQ(host::ModuleLoadCount(kDefaultModule), 1);
    EXPECT_EQ(Runtime().calls, (std::vector<std::string>{"ctlInit", "ctlInit"}));
}

TEST_F(CtlBindingHost, RunTimeWithoutInitReportsWhetherThisCallLoadedIt) {
    host::RegisterModule(kDefaultModule, Lookup);
    Runtime().hasInit = false;
    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(1, 5));
    ctl_api_handle_t handle = nullptr;

    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_SUCCESS);
    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(host::ModuleLoadCount(kDefaultModule), 1);
}

TEST_F(CtlBindingHost, PendingPathIsLoadedWithoutVersionTestAndHandedToTheRunTime) {
    host::RegisterModule(kDefaultModule, Lookup);
    host::RegisterModule(kCustomModule, Lookup);
    wchar_t path[] = L"C:\\Vendor\\Custom.dll";
    ctl_runtime_path_args_t args = {};
    args.Size = sizeof args;
    args.pRuntimePath = path;
    ASSERT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_SUCCESS);

    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(2, 0));
    ctl_api_handle_t handle = nullptr;
    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_SUCCESS);
    EXPECT_EQ(host::ModuleLoadCount(kCustomModule), 1);
    EXPECT_EQ(host::ModuleLoadCount(kDefaultModule), 0);
    EXPECT_EQ(Runtime().calls, (std::vector<std::string>{"ctlSetRuntimePath", "ctlInit"}));
    EXPECT_EQ(Runtime().pathArgs, &args);
}

TEST_F(CtlBindingHost, FailedLoadLeavesNothingLoadedAndTheNextInitTriesAgain) {
    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t handle = nullptr;
    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_ERROR_LOAD);
    EXPECT_EQ(ControlLibModule, nullptr);

    host::RegisterModule(kDefaultModule, Lookup);
    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_SUCCESS);
    EXPECT_EQ(host::ModuleLoadCount(kDefaultModule), 1);
}

TEST_F(CtlBindingHost, CloseFreesTheModuleOnlyOnSuccessAndAlwaysForgetsThePendingPath) {
    host::RegisterModule(kCustomModule, Lookup);
    wchar_t path[] = L"C:\\Vendor\\Custom.dll";
    ctl_runtime_path_args_t args = {};
    args.pRuntimePath = path;
    ASSERT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_SUCCESS);
    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t handle = nullptr;
    ASSERT_EQ(ctlInit(&init, &handle), CTL_RESULT_SUCCESS);

    Runtime().closeResult = CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER;
    EXPECT_EQ(ctlClose(handle), CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER);
    EXPECT_EQ(Runtime().closedHandle, kRuntimeHandle);
    EXPECT_EQ(host::ModuleLoadCount(kCustomModule), 1);
    EXPECT_EQ(PendingRuntimePath, nullptr);

    Runtime().hasClose = false;
    EXPECT_EQ(ctlClose(handle), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(host::ModuleLoadCount(kCustomModule), 1);

    Runtime().hasClose = true;
    Runtime().closeResult = CTL_RESULT_SUCCESS;
    EXPECT_EQ(ctlClose(handle), CTL_RESULT_SUCCESS);
    EXPECT_EQ(host::ModuleLoadCount(kCustomModule), 0);
    EXPECT_EQ(ControlLibModule, nullptr);
}

TEST_F(CtlBindingHost, SetRuntimePathWhileLoadedGoesToTheRunTime) {
    host::RegisterModule(kDefaultModule, Lookup);
    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t handle = nullptr;
    ASSERT_EQ(ctlInit(&init, &handle), CTL_RESULT_SUCCESS);

    wchar_t path[] = L"C:\\Vendor\\Custom.dll";
    ctl_runtime_path_args_t args = {};
    args.pRuntimePath = path;
    Runtime().setPathResult = CTL_RESULT_ERROR_INVALID_ARGUMENT;
    EXPECT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(Runtime().pathArgs, &args);
    EXPECT_EQ(PendingRuntimePath, nullptr);

    Runtime().hasSetPath = false;
    EXPECT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_ERROR_NOT_INITIALIZED);
}

TEST_F(CtlBindingHost, EveryForwarderDeliversItsExactArgumentsToItsOwnEntry) {
    host::RegisterModule(kDefaultModule, Lookup);
    Runtime().hasForwarders = true;
    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t handle = nullptr;
    ASSERT_EQ(ctlInit(&init, &handle), CTL_RESULT_SUCCESS);

    for (const test::ForwarderRow& row : test::ForwarderRows()) {
        SCOPED_TRACE(row.name);
        test::ReceivedCalls().clear();
        alignas(16) uint8_t area[test::kArgAreaBytes] = {};
        std::vector<std::string> sent;
        EXPECT_EQ(row.invoke(area, &sent), test::kEntryResult);
        ASSERT_EQ(test::ReceivedCalls().size(), 1u);
        EXPECT_EQ(test::ReceivedCalls()[0].entry, row.exportAddress);
        EXPECT_EQ(test::ReceivedCalls()[0].args, sent);
    }
}

TEST_F(CtlBindingHost, MissingEntriesAreLookedUpAgainOnEveryCall) {
    host::RegisterModule(kDefaultModule, Lookup);
    ctl_init_args_t init = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t handle = nullptr;
    ASSERT_EQ(ctlInit(&init, &handle), CTL_RESULT_SUCCESS);

    for (const test::ForwarderRow& row : test::ForwarderRows()) {
        SCOPED_TRACE(row.name);
        alignas(16) uint8_t area[test::kArgAreaBytes];
        std::memset(area, 0xA5, sizeof area);
        std::vector<std::string> sent;
        Runtime().hasForwarders = false;
        EXPECT_EQ(row.invoke(area, &sent), CTL_RESULT_ERROR_NOT_INITIALIZED);
        for (uint8_t byte : area) {
            ASSERT_EQ(byte, 0xA5);
        }
        Runtime().hasForwarders = true;
        EXPECT_EQ(row.invoke(area, &sent), test::kEntryResult);
    }
    EXPECT_EQ(host::ModuleLoadCount(kDefaultModule), 1); // a missing entry never unloads
}

} // namespace
} // namespace varnet
