// A run-time path handed in before the first ctlInit that is longer than the loader's
// 512-character buffer. Host only: the sandbox finds the module by its file name, so the cut
// decides whether anything loads.
#include <string>

#include "igcl_fixture.h"

namespace varnet {
namespace {

using CtlPendingPath = IgclTest;

TEST_F(CtlPendingPath, PendingRunTimePathLongerThanTheBufferIsCutTo511Characters) {
    // 600 characters whose first 511 name the simulated run time's file: "...\ControlLib.dll".
    const std::wstring tail = L"\\ControlLib.dll";
    std::wstring path = L"C:";
    path += std::wstring(511 - 2 - tail.size(), L'd');
    path += tail;
    ASSERT_EQ(path.size(), 511u);
    path += std::wstring(89, L'x');
    ctl_runtime_path_args_t args = {};
    args.Size = sizeof args;
    args.pRuntimePath = path.data();
    ASSERT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_SUCCESS);
    ctl_init_args_t init = {};
    init.Size = sizeof init;
    init.AppVersion = CTL_MAKE_VERSION(9, 0); // a pending path bypasses the version test
    ctl_api_handle_t handle = nullptr;
    // Loaded: only a cut at 511 leaves a name that ends in ControlLib.dll.
    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_ERROR_UNSUPPORTED_VERSION);
    EXPECT_NE(ControlLibModule.load(), nullptr);
    const auto handed = Calls("ctlSetRuntimePath");
    ASSERT_EQ(handed.size(), 1u);
    // The run time gets the caller's record itself, whole.
    EXPECT_EQ(handed[0]["args"]["path"].get<std::string>().size(), 600u);
}

} // namespace
} // namespace varnet
