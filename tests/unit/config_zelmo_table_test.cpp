// The image-engine table of Zelmo.ini and the number conversion it relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/color_mode_setting.h"
#include "config/zelmo_table_parser.h"
#include "platform/platform.h"

namespace varnet {
namespace {

struct ConvertCase {
    const char* text;
    bool hex;
    bool ok;
    int32_t value;
};

// What the Windows conversion answers, learnt from it: white space, signs (ignored after "0x"),
// 32-bit wrap-around, and no digit at all.
const ConvertCase kConvertCases[] = {
    {"10", true, true, 10},
    {"0x1A", true, true, 0x1A},
    {"0X1a", true, true, 0x1A},
    {"0x1A", false, true, 0},
    {"1A", true, true, 1},
    {" \t\n20", true, true, 20},
    {"\r20", true, false, 0},
    {"\v20", true, false, 0},
    {"20 ", true, true, 20},
    {"12abc", false, true, 12},
    {"-5", true, true, -5},
    {"+5", false, true, 5},
    {"-0x10", true, true, 16},
    {"0x-5", true, false, 0},
    {"0x 1A", true, false, 0},
    {"0x", true, false, 0},
    {"0x", false, true, 0},
    {"0xx1", true, false, 0},
    {"0x0x1A", true, true, 0},
    {"0x1g", true, true, 1},
    {"", true, false, 0},
    {" ", true, false, 0},
    {"abc", true, false, 0},
    {"- 5", false, false, 0},
    {"++5", false, false, 0},
    {"0x123456789", true, true, 0x23456789},
    {"0xFFFFFFFF", true, true, -1},
    {"4294967297", false, true, 1},
    {"2147483648", false, true, INT32_MIN},
    {"-2147483649", false, true, INT32_MAX},
};

TEST(ConfigZelmoTable, ConvertsNumbersAsTheWindowsConversionDoes) {
    for (const ConvertCase& c : kConvertCases) {
        int32_t value = 77;
        EXPECT_EQ(ConvertStrToInt(c.text, c.hex, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
#ifdef _WIN32
        // On Windows the platform's own conversion is the oracle.
        int platformValue = 0;
        EXPECT_EQ(platform::StrToIntEx(c.text, c.hex ? 1 : 0, &platformValue), c.ok)
            << "platform: \"" << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(platformValue, c.value) << "platform: \"" << c.text << '"';
        }
#endif
    }
}

using Entries = std::vector<std::pair<uint16_t, uint8_t>>;

struct TableCase {
    const char* value;
    Entries entries;
};

TEST(ConfigZelmoTable, ReadsAddressValuePairs) {
    const TableCase cases[] = {
        {"1A,0x20", {{0x1A, 0x20}}},
        {"1A,20", {{0x1A, 20}}},
        // No comma: the address comes from "0x" alone (no number: 0), the value is the entry.
        {"10", {{0, 10}}},
        {"1a,0X2f/ff,255", {{0x1A, 0x2F}, {0xFF, 255}}},
        // Surroundings stripped, doubled separators skipped, the comment cut off; the blank
        // before the comment is not stripped, so it is an entry of its own.
        {"  //1A,1//1B,2;1C,3/1D,4  ", {{0x1A, 1}, {0x1B, 2}}},
        {"1A,1/ ; 1C,3", {{0x1A, 1}, {0, 0}}},
        // Entries are not stripped: a space before an address leaves no hexadecimal number,
        // while the value's own leading blanks are allowed.
        {"1A,1/ 1B,2/1C, 3", {{0x1A, 1}, {0, 2}, {0x1C, 3}}},
        // Only the low 16 address bits and 8 value bits are kept.
        {"12345,0x1FF/FFFF,300/1,-1", {{0x2345, 0xFF}, {0xFFFF, 44}, {1, 0xFF}}},
        // The first comma splits; what cannot be converted stores 0.
        {"1A,20,30/xyz,abc/,5/7,", {{0x1A, 20}, {0, 0}, {0, 5}, {7, 0}}},
        {"; nothing but a comment", {}},
    };
    for (const TableCase& c : cases) {
        ColorModeSetting setting;
        InitColorModeSetting(setting);
        setting.zelmoTable[5] = {0xBEEF, 0x42}; // a stale entry must not survive
        ApplyZelmoTable(c.value, setting);
        ASSERT_EQ(setting.zelmoCount, c.entries.size()) << c.value;
        for (std::size_t i = 0; i < kZelmoTableEntries; ++i) {
            const auto expected =
                i < c.entries.size() ? c.entries[i] : std::pair<uint16_t, uint8_t>{};
            EXPECT_EQ(setting.zelmoTable[i].address, expected.first) << c.value << ", entry " << i;
            EXPECT_EQ(setting.zelmoTable[i].value, expected.second) << c.value << ", entry " << i;
        }
    }
}

TEST(ConfigZelmoTable, StoresAtMost260Entries) {
    std::string value;
    for (int i = 0; i < 400; ++i) {
        char entry[16];
        std::snprintf(entry, sizeof entry, "%X,%d/", i, i % 256);
        value += entry;
    }
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    ApplyZelmoTable(value, setting);
    ASSERT_EQ(setting.zelmoCount, kZelmoTableEntries);
    EXPECT_EQ(setting.zelmoTable[0].address, 0);
    EXPECT_EQ(setting.zelmoTable[259].address, 259);
    EXPECT_EQ(setting.zelmoTable[259].value, 3);
}

} // namespace
} // namespace varnet
