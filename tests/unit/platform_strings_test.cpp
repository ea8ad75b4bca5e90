// StrToIntEx on both platforms: the Windows build asks shlwapi (under Wine), the host build the
// sandbox's copy of its rules; the table is what shlwapi answered.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace varnet {
namespace {

struct IntCase {
    const char* text;
    uint32_t flags; // 0 = STIF_DEFAULT, 1 = STIF_SUPPORT_HEX
    bool ok;
    int value; // when ok
};

TEST(PlatformStrings, StrToIntExParsesAsShlwapi) {
    // clang-format off
    const IntCase cases[] = {
        {"123", 0, true, 123}, {" \t\n42", 0, true, 42}, {"\r5", 0, false, 0}, {"-5", 0, true, -5},
        {"+6", 1, true, 6}, {"+-5", 0, false, 0}, {"- 5", 0, false, 0}, {"12abc", 0, true, 12},
        {"", 0, false, 0}, {"abc", 1, false, 0}, {"007", 0, true, 7},
        // Decimal digits wrap modulo 2^32.
        {"2147483648", 0, true, -2147483647 - 1}, {"4294967295", 0, true, -1},
        {"4294967296", 0, true, 0}, {"-2147483649", 0, true, 2147483647},
        // Hex only with the flag, and then the sign is ignored.
        {"0x1F", 0, true, 0}, {"0x1F", 1, true, 31}, {"0XaB", 1, true, 171}, {"1F", 1, true, 1},
        {"0x", 1, false, 0}, {"0x 5", 1, false, 0}, {"0x-1", 1, false, 0}, {" -0x10", 1, true, 16},
        {"0xFFFFFFFF", 1, true, -1}, {"0x100000000", 1, true, 0}, {"0x1g", 1, true, 1},
    };
    // clang-format on
    for (const IntCase& c : cases) {
        int value = 12345;
        bool ok = platform::StrToIntEx(c.text, c.flags, &value);
        EXPECT_EQ(ok, c.ok) << "[" << c.text << "] flags " << c.flags;
        EXPECT_EQ(value, c.ok ? c.value : 12345) << "[" << c.text << "] flags " << c.flags;
    }
}

} // namespace
} // namespace varnet
