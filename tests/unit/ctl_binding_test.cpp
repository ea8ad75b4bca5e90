// The exported loader with no run time loaded: what it answers, and that it loads nothing and
// touches nothing. Runs on both platforms.
#include <gtest/gtest.h>

#include <cstring>

#include "ctl_forwarder_table.h"
#include "igcl/ctl_binding.h"

namespace varnet {
namespace {

class CtlBindingNotLoaded : public ::testing::Test {
protected:
    void SetUp() override { ResetBindingForTesting(); }
    void TearDown() override { ResetBindingForTesting(); }
};

TEST_F(CtlBindingNotLoaded, EveryForwarderRefusesWithoutTouchingItsArguments) {
    ASSERT_EQ(test::ForwarderRows().size(), 80u);
    for (const test::ForwarderRow& row : test::ForwarderRows()) {
        SCOPED_TRACE(row.name);
        alignas(16) uint8_t area[test::kArgAreaBytes];
        std::memset(area, 0xA5, sizeof area);
        std::vector<std::string> sent;
        EXPECT_EQ(row.invoke(area, &sent), CTL_RESULT_ERROR_NOT_INITIALIZED);
        for (uint8_t byte : area) {
            ASSERT_EQ(byte, 0xA5);
        }
    }
    EXPECT_EQ(ControlLibModule, nullptr);
}

TEST_F(CtlBindingNotLoaded, SetRuntimePathWithoutAPathStoresNothing) {
    ctl_runtime_path_args_t args = {};
    args.Size = sizeof args;
    EXPECT_EQ(ctlSetRuntimePath(nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(PendingRuntimePath, nullptr);
}

TEST_F(CtlBindingNotLoaded, NewerMajorVersionIsRefusedBeforeAnyLoad) {
    ctl_init_args_t init = {};
    init.Size = sizeof init;
    init.AppVersion = CTL_MAKE_VERSION(2, 0);
    ctl_api_handle_t handle = nullptr;
    EXPECT_EQ(ctlInit(&init, &handle), CTL_RESULT_ERROR_UNSUPPORTED_VERSION);
    EXPECT_EQ(ControlLibModule, nullptr);
    EXPECT_EQ(handle, nullptr);
}

TEST_F(CtlBindingNotLoaded, CloseWithNothingLoadedForgetsThePendingPath) {
    wchar_t path[] = L"C:\\Vendor\\Custom.dll";
    ctl_runtime_path_args_t args = {};
    args.Size = sizeof args;
    args.pRuntimePath = path;
    ASSERT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_SUCCESS);
    ASSERT_EQ(PendingRuntimePath, &args);

    EXPECT_EQ(ctlClose(nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(PendingRuntimePath, nullptr);
}

} // namespace
} // namespace varnet
