// StrToIntEx on both platforms, and the library's own copy of its rules that reads Zelmo.ini: the
// Windows build asks shlwapi (under Wine), the host build the sandbox; the table is what shlwapi
// answered.
#include <gtest/gtest.h>

#include "config/zelmo_table_parser.h"
#include "platform/platform.h"

namespace varnet {
namespace {

TEST(PlatformStrings, StrToIntExAndTheZelmoConversionParseAsShlwapi) {
    const struct {
        const char* text;
        uint32_t flags; // 0 = STIF_DEFAULT, 1 = STIF_SUPPORT_HEX
        bool ok;
        int value; // when ok
    } cases[] = {
        // clang-format off
        {"123", 0, true, 123}, {" \t\n42", 0, true, 42}, {"\r5", 0, false, 0}, {"-5", 0, true, -5},
        {"+6", 1, true, 6}, {"+-5", 0, false, 0}, {"- 5", 0, false, 0}, {"12abc", 0, true, 12},
        {"", 0, false, 0}, {"abc", 1, false, 0}, {"007", 0, true, 7},
        // Decimal digits wrap modulo 2^32.
        {"2147483648", 0, true, -2147483647 - 1}, {"4294967295", 0, true, -1},
        {"4294967296", 0, true, 0}, {"-2147483649", 0, true, 2147483647},
        // Hex only with the flag, and then the sign is ignored.
        {"0x1F", 0, true, 0}, {"0x1F", 1, true, 31}, {"0XaB", 1, true, 171}, {"1F", 1, true, 1},
        {"0x", 1, false, 0}, {"0x", 0, true, 0}, {"0x 5", 1, false, 0}, {"0x-1", 1, false, 0},
        {" -0x10", 1, true, 16}, {"0x0x1A", 1, true, 0}, {"0xFFFFFFFF", 1, true, -1},
        {"0x100000000", 1, true, 0}, {"0x1g", 1, true, 1},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" flags " << c.flags);
        int value = 12345;
        EXPECT_EQ(platform::StrToIntEx(c.text, c.flags, &value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 12345);
        int32_t converted = 12345;
        EXPECT_EQ(ConvertStrToInt(c.text, c.flags == 1, converted), c.ok);
        EXPECT_EQ(converted, c.ok ? c.value : 0);
    }
}

} // namespace
} // namespace varnet
