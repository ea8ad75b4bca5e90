// The exported loader with no run time loaded: it refuses, loads nothing and touches nothing.
// Runs on both platforms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "ctl_forwarder_table.h"
#include "igcl/ctl_binding.h"

namespace varnet {
namespace {

TEST(CtlBindingNotLoaded, EveryForwarderRefusesWithoutTouchingItsArguments) {
    ResetBindingForTesting();
    ASSERT_EQ(test::ForwarderRows().size(), 80u);
    std::memset(test::g_area, 0xA5, sizeof test::g_area);
    for (const test::ForwarderRow& row : test::ForwarderRows()) {
        EXPECT_EQ(row.invoke(), CTL_RESULT_ERROR_NOT_INITIALIZED) << row.name;
    }
    EXPECT_EQ(std::count(std::begin(test::g_area), std::end(test::g_area), 0xA5),
              std::ssize(test::g_area));

    // Without a path nothing is kept; a kept path is forgotten by ctlClose.
    ctl_runtime_path_args_t args = {};
    args.Size = sizeof args;
    EXPECT_EQ(ctlSetRuntimePath(nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(PendingRuntimePath, nullptr);
    wchar_t path[] = L"C:\\Vendor\\Custom.dll";
    args.pRuntimePath = path;
    ASSERT_EQ(ctlSetRuntimePath(&args), CTL_RESULT_SUCCESS);
    EXPECT_EQ(ctlClose(nullptr), CTL_RESULT_ERROR_NOT_INITIALIZED);
    EXPECT_EQ(PendingRuntimePath, nullptr);
    EXPECT_EQ(ControlLibModule, nullptr);
}

} // namespace
} // namespace varnet
