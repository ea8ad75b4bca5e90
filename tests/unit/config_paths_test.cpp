// The doubled-backslash clean-up of configuration paths.
#include <gtest/gtest.h>

#include "config/config_paths.h"

namespace varnet {
namespace {

TEST(ConfigPaths, CollapsesEachPairOfBackslashesFromTheLeft) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"C:\\\\IntelColorMode.ini", "C:\\IntelColorMode.ini"},
        {"C:\\Users\\me\\IntelColorMode.ini", "C:\\Users\\me\\IntelColorMode.ini"},
        {"a\\\\\\b", "a\\\\b"},   // three: the first pair becomes one, the third stays
        {"a\\\\\\\\b", "a\\\\b"}, // four: two pairs
        {"\\\\server\\share", "\\server\\share"}, // no exception for a network path
        {"\\", "\\"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CollapseDoubledBackslashes(c.in), c.out) << c.in;
    }
}

} // namespace
} // namespace varnet
