// The image-engine table of Zelmo.ini and the number conversion it relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "config/color_mode_setting.h"
#include "config/zelmo_table_parser.h"
#include "platform/platform.h"

namespace varnet {
namespace {

// What the Windows conversion answers, learnt from it under Wine; there it is also the oracle.
TEST(ConfigZelmoTable, ConvertsNumbersAsTheWindowsConversionDoes) {
    const struct {
        const char* text;
        bool hex;
        bool ok;
        int32_t value;
    } cases[] = {
        {"0x1A", true, true, 0x1A},
        {"0X1a", true, true, 0x1A},
        {"0x1A", false, true, 0},
        {"1A", true, true, 1},
        {" \t\n20 ", true, true, 20},
        {"\r20", true, false, 0},
        {"-5", true, true, -5},
        {"-0x10", true, true, 16},
        {"0x-5", true, false, 0},
        {"0x 1A", true, false, 0},
        {"0x", true, false, 0},
        {"0x", false, true, 0},
        {"0x0x1A", true, true, 0},
        {"", true, false, 0},
        {"- 5", false, false, 0},
        {"0x123456789", true, true, 0x23456789},
        {"0xFFFFFFFF", true, true, -1},
        {"4294967297", false, true, 1},
        {"2147483648", false, true, INT32_MIN},
    };
    for (const auto& c : cases) {
        int32_t value = 77;
        EXPECT_EQ(ConvertStrToInt(c.text, c.hex, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
#ifdef _WIN32
        int platformValue = 0;
        EXPECT_EQ(platform::StrToIntEx(c.text, c.hex ? 1 : 0, &platformValue), c.ok) << c.text;
        EXPECT_EQ(c.ok ? platformValue : 0, c.value) << "platform: \"" << c.text << '"';
#endif
    }
}

TEST(ConfigZelmoTable, ReadsAddressValuePairs) {
    using Entries = std::vector<std::pair<uint16_t, uint8_t>>;
    const struct {
        const char* value;
        Entries entries;
    } cases[] = {
        {"1A,0x20", {{0x1A, 0x20}}},
        {"1A,20", {{0x1A, 20}}},
        {"10", {{0, 10}}}, // no comma: the address comes from "0x" alone
        {"  //1A,1//1B,2;1C,3/1D,4  ", {{0x1A, 1}, {0x1B, 2}}},
        // Entries are not stripped: a blank before an address or the comment is no number.
        {"1A,1/ 1B,2/1C, 3/ ;c", {{0x1A, 1}, {0, 2}, {0x1C, 3}, {0, 0}}},
        {"12345,0x1FF/FFFF,300/1,-1", {{0x2345, 0xFF}, {0xFFFF, 44}, {1, 0xFF}}},
        {"1A,20,30/xyz,abc/,5/7,", {{0x1A, 20}, {0, 0}, {0, 5}, {7, 0}}},
    };
    for (const auto& c : cases) {
        ColorModeSetting setting;
        setting.zelmoTable[9] = {0xBEEF, 0x42}; // a stale entry must not survive
        ApplyZelmoTable(c.value, setting);
        Entries actual;
        for (const ZelmoEntry& entry : setting.zelmoTable) {
            actual.emplace_back(entry.address, entry.value);
        }
        Entries expected = c.entries;
        expected.resize(kZelmoTableEntries);
        EXPECT_EQ(setting.zelmoCount, c.entries.size()) << c.value;
        EXPECT_EQ(actual, expected) << c.value;
    }

    std::string many;
    for (int i = 0; i < 400; ++i) {
        many += std::to_string(i) + ",1/";
    }
    ColorModeSetting setting;
    ApplyZelmoTable(many, setting);
    EXPECT_EQ(setting.zelmoCount, kZelmoTableEntries);
    EXPECT_EQ(setting.zelmoTable[259].address, 0x259);
}

} // namespace
} // namespace varnet
