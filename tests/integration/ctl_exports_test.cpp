// The exported Control Library loader, driven as an outside application would drive it. Which
// names are exported is checked on the DLL's own table (tests/dll), a close answered "still open"
// by the unit suite.
#include "exports_fixture.h"

namespace varnet::test {
namespace {

using EnumFn = ctl_result_t (*)(ctl_api_handle_t, uint32_t*, ctl_device_adapter_handle_t*);

class CtlExports : public ExportsTest {
protected:
    ctl_result_t Init(uint32_t appVersion = CTL_MAKE_VERSION(1, 0)) {
        ctl_init_args_t args = {};
        args.Size = sizeof args;
        args.AppVersion = appVersion;
        return lib.ctlInit(&args, &api);
    }
    // The record is kept until the run time is loaded, so it lives with the test.
    ctl_result_t SetPath(wchar_t* path) {
        pending.Size = sizeof pending;
        pending.pRuntimePath = path;
        return lib.ctlSetRuntimePath(&pending);
    }
    ctl_result_t Enumerate() {
        uint32_t count = 0;
        const auto enumerate = reinterpret_cast<EnumFn>(lib.Find("ctlEnumerateDevices"));
        const ctl_result_t result = enumerate(api, &count, nullptr);
        EXPECT_EQ(count, result == CTL_RESULT_SUCCESS ? 1u : 0u);
        return result;
    }

    ctl_api_handle_t api = nullptr;
    ctl_runtime_path_args_t pending = {};
};

TEST_F(CtlExports, InitEnumerateCloseThroughTheExports) {
    ASSERT_EQ(Init(), CTL_RESULT_SUCCESS);
    ASSERT_NE(api, nullptr);
    EXPECT_EQ(Enumerate(), CTL_RESULT_SUCCESS);
    EXPECT_EQ(lib.ctlClose(api), CTL_RESULT_SUCCESS);
    // Closed: the module is gone, so forwarders are back to "not initialised".
    EXPECT_EQ(Enumerate(), CTL_RESULT_ERROR_NOT_INITIALIZED);
}

TEST_F(CtlExports, NewerMajorVersionIsRefusedWithoutLoading) {
    EXPECT_EQ(Init(0x00020000), CTL_RESULT_ERROR_UNSUPPORTED_VERSION);
    EXPECT_EQ(machine.Count("ctlInit"), 0u);
}

TEST_F(CtlExports, PendingRuntimePathIsLoadedAndHandedToTheRunTime) {
    EXPECT_EQ(SetPath(nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(lib.ctlSetRuntimePath(nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    wchar_t path[] = L"ControlLib.dll";
    EXPECT_EQ(SetPath(path), CTL_RESULT_SUCCESS);

    // The version test applies only to the default name: 2.0 loads the pending path, and the
    // run time itself answers the version.
    EXPECT_EQ(Init(0x00020000), CTL_RESULT_ERROR_UNSUPPORTED_VERSION);
    EXPECT_EQ(machine.CallNames(), (std::vector<std::string>{"ctlSetRuntimePath", "ctlInit"}));
    EXPECT_EQ(machine.Journal()[0]["args"]["path"], "ControlLib.dll");
}

TEST_F(CtlExports, MissingRunTimeGivesLoadErrorAndIsTriedAgain) {
    wchar_t path[] = L"NoSuchRuntime.dll";
    ASSERT_EQ(SetPath(path), CTL_RESULT_SUCCESS);
    EXPECT_EQ(Init(), CTL_RESULT_ERROR_LOAD);
    EXPECT_EQ(Init(), CTL_RESULT_ERROR_LOAD);
    EXPECT_EQ(machine.Count("ctlInit"), 0u);
}

} // namespace
} // namespace varnet::test
