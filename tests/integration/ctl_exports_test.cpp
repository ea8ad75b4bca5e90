// The exported Control Library loader, driven as an outside application would drive it.
#include <cwchar>

#include "exports_fixture.h"

namespace varnet::test {
namespace {

using CtlExports = ExportsTest;

ctl_init_args_t InitArgs(uint32_t appVersion) {
    ctl_init_args_t args = {};
    args.Size = sizeof args;
    args.AppVersion = appVersion;
    return args;
}

TEST_F(CtlExports, ForwardersBeforeAnyInitReportNotInitializedAndTouchNothing) {
    using EnumFn = ctl_result_t (*)(void*, uint32_t*, void**);
    auto enumerate = reinterpret_cast<EnumFn>(lib.Find("ctlEnumerateDevices"));
    ASSERT_NE(enumerate, nullptr);
    uint32_t count = 77;
    EXPECT_EQ(enumerate(nullptr, &count, nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(count, 77u);
    EXPECT_EQ(machine.Journal().size(), 0u);
}

TEST_F(CtlExports, InitEnumerateCloseThroughTheExports) {
    ctl_init_args_t args = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t api = nullptr;
    ASSERT_EQ(lib.ctlInit(&args, &api), CTL_RESULT_SUCCESS);
    ASSERT_NE(api, nullptr);

    using EnumFn = ctl_result_t (*)(ctl_api_handle_t, uint32_t*, ctl_device_adapter_handle_t*);
    auto enumerate = reinterpret_cast<EnumFn>(lib.Find("ctlEnumerateDevices"));
    uint32_t count = 0;
    EXPECT_EQ(enumerate(api, &count, nullptr), CTL_RESULT_SUCCESS);
    EXPECT_EQ(count, 1u);

    EXPECT_EQ(lib.ctlClose(api), CTL_RESULT_SUCCESS);
    // Closed: the module is gone, so forwarders are back to "not initialised".
    EXPECT_EQ(enumerate(api, &count, nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
}

TEST_F(CtlExports, NewerMajorVersionIsRefusedWithoutLoading) {
    ctl_init_args_t args = InitArgs(0x00020000);
    ctl_api_handle_t api = nullptr;
    EXPECT_EQ(lib.ctlInit(&args, &api), CTL_RESULT_ERROR_UNSUPPORTED_VERSION);
    EXPECT_EQ(machine.Count("ctlInit"), 0u);
}

TEST_F(CtlExports, PendingRuntimePathIsLoadedAndHandedToTheRunTime) {
    ctl_runtime_path_args_t noPath = {};
    noPath.Size = sizeof noPath;
    EXPECT_EQ(lib.ctlSetRuntimePath(&noPath), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(lib.ctlSetRuntimePath(nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);

    wchar_t path[] = L"ControlLib.dll";
    ctl_runtime_path_args_t pending = noPath;
    pending.pRuntimePath = path;
    EXPECT_EQ(lib.ctlSetRuntimePath(&pending), CTL_RESULT_SUCCESS);

    // The version test applies only to the default name: 2.0 loads the pending path, and the
    // run time itself answers the version.
    ctl_init_args_t args = InitArgs(0x00020000);
    ctl_api_handle_t api = nullptr;
    EXPECT_EQ(lib.ctlInit(&args, &api), CTL_RESULT_ERROR_UNSUPPORTED_VERSION);
    const std::vector<std::string> expected = {"ctlSetRuntimePath", "ctlInit"};
    EXPECT_EQ(machine.CallNames(), expected);
    EXPECT_EQ(machine.Journal()[0]["args"]["path"], "ControlLib.dll");
}

TEST_F(CtlExports, MissingRunTimeGivesLoadErrorAndIsTriedAgain) {
    wchar_t path[] = L"NoSuchRuntime.dll";
    ctl_runtime_path_args_t pending = {};
    pending.Size = sizeof pending;
    pending.pRuntimePath = path;
    ASSERT_EQ(lib.ctlSetRuntimePath(&pending), CTL_RESULT_SUCCESS);
    ctl_init_args_t args = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t api = nullptr;
    EXPECT_EQ(lib.ctlInit(&args, &api), CTL_RESULT_ERROR_LOAD);
    EXPECT_EQ(lib.ctlInit(&args, &api), CTL_RESULT_ERROR_LOAD);
    EXPECT_EQ(machine.Count("ctlInit"), 0u);
}

TEST_F(CtlExports, CloseAnsweredStillOpenKeepsTheModuleButDropsThePendingPath) {
    Scenario([](nlohmann::json& s) {
        s["faults"].push_back({{"call", "ctlClose"}, {"result", 1}, {"nth", 1}});
    });
    ctl_init_args_t args = InitArgs(CTL_MAKE_VERSION(1, 0));
    ctl_api_handle_t api = nullptr;
    ASSERT_EQ(lib.ctlInit(&args, &api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(lib.ctlClose(api), CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER);

    // Still loaded: the forwarder reaches the run time, which no longer knows the handle.
    using EnumFn = ctl_result_t (*)(ctl_api_handle_t, uint32_t*, ctl_device_adapter_handle_t*);
    auto enumerate = reinterpret_cast<EnumFn>(lib.Find("ctlEnumerateDevices"));
    uint32_t count = 0;
    EXPECT_NE(enumerate(api, &count, nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(machine.Count("ctlEnumerateDevices"), 1u);

    ASSERT_EQ(lib.ctlInit(&args, &api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(lib.ctlClose(api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(enumerate(api, &count, nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
}

TEST_F(CtlExports, EveryForwarderIsExported) {
    const char* names[] = {"ctlAUXAccess",           "ctlGetAdaperDisplayEncoderProperties",
                           "ctlOverclockGpuLockSet", "ctlWaitForPropertyChange",
                           "ctlTemperatureGetState", "ctlFanSetDefaultMode"};
    for (const char* name : names) {
        EXPECT_NE(lib.Find(name), nullptr) << name;
    }
    EXPECT_EQ(lib.Find("ctlGetAdapterDisplayEncoderProperties"), nullptr);
}

} // namespace
} // namespace varnet::test
