// The values of the configuration files: a mode's parameter list, its tone curve and its Zelmo
// table, and the text-to-number rules they share. The Zelmo table's number conversion is checked
// in platform_strings_test.cpp against the platform's.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "config/color_mode_setting.h"
#include "config/parameter_list_parser.h"
#include "config/tone_curve_parser.h"
#include "config/zelmo_table_parser.h"

namespace varnet {
namespace {

ColorModeSetting Initial() {
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    return setting;
}

struct FieldCase {
    const char* value;
    void (*expect)(ColorModeSetting&); // the changes from the initial record
};

#define GAMMAS "0/0/0/0/0/0/0/0/0/"

TEST(ConfigParameterList, ChangesExactlyTheFieldsItNames) {
    const FieldCase cases[] = {
        {"N/N/N", [](auto& s) { s.desktopGamma1Valid = 0; }},
        // "N" clears its triple's flag; the other numbers of the triple still land.
        {"1/2/3/4/N/6/7/8/N",
         [](auto& s) {
             s.desktopGamma1[0] = 1, s.desktopGamma1[1] = 2, s.desktopGamma1[2] = 3;
             s.desktopGamma2[0] = 4, s.desktopGamma2Valid = 0, s.desktopGamma2[2] = 6;
             s.desktopGamma3[0] = 7, s.desktopGamma3[1] = 8, s.desktopGamma3Valid = 0;
         }},
        {"NOTSUPPORT", [](auto&) {}},
        // Empty pieces are no fields; a blank one is; the comment may hold separators.
        {"//5//7/", [](auto& s) { s.desktopGamma1[0] = 5, s.desktopGamma1[1] = 7; }},
        {"5/ /7", [](auto& s) { s.desktopGamma1[0] = 5, s.desktopGamma1[2] = 7; }},
        {"  5 /\t7\t; 8/9/N", [](auto& s) { s.desktopGamma1[0] = 5, s.desktopGamma1[1] = 7; }},
        {"12abc/-3x/abc", [](auto& s) { s.desktopGamma1[0] = 12, s.desktopGamma1[1] = -3; }},
        {GAMMAS "N/N", [](auto& s) { s.hueValid = 0, s.saturationValid = 0; }},
        {GAMMAS "-12.5/1.25e1/A/U/D/A/U/NOLUT/N",
         [](auto& s) {
             s.hue = -12.5f, s.saturation = 12.5f, s.videoItem1Auto = 1, s.sharpnessReset = 1;
             s.videoItem3Enable = 0, s.item15Auto = 1, s.videoSwitch = 0;
             s.lutName = std::string("NOLUT"), s.noLut = 1, s.displayTccValid = 0;
         }},
        {GAMMAS "0/0/N/N/N/a/C/L/0/10/20/30/40/50/60/N/-4/777",
         [](auto& s) {
             s.videoItem1Valid = 0, s.sharpnessValid = 0, s.videoItem3Valid = 0, s.videoSwitch = 1;
             s.lutName = std::string("L"), s.displayTccPresent = 1, s.displayTccValid = 1;
             for (int i = 0; i < 6; ++i) {
                 s.displayTcc[i] = 10 * (i + 1);
             }
             s.item25Valid = 0, s.item26Value = -4, s.lut3dValid = 1, s.lut3dMode = 777;
         }},
        // Field 18 and field 27 together; fields past the 38th are ignored.
        {GAMMAS "0/0/U/A/0.5/A/c/L/1/0/0/0/0/0/0/9/0/0/1/2/3/4/5/6/7/8/9/Y/my cube/N/N",
         [](auto& s) {
             s.videoItem1Reset = 1, s.sharpnessAuto = 1, s.videoItem3Enable = 1;
             s.videoItem3Value = 0.5f, s.item15Auto = 1, s.lutName = std::string("L");
             s.displayTccPresent = 1, s.displayTccValid = 1, s.displayTccEnable = 1;
             s.item25Valid = 1, s.item25Value = 9, s.lut3dValid = 1;
             for (int i = 0; i < 9; ++i) {
                 s.lut3dParams[i] = i + 1;
             }
             s.lut3dParamsRead = 1, s.iccProfile = 1, s.cubeName = std::string("my cube"),
             s.cubeNameValid = 1;
         }},
        // Blank fields 17 and 38 read as empty names; "y" is not "Y".
        {GAMMAS "0/0/0.75/2/0/x/U/ /N/0/0/0/0/0/0/N/0/N/0/0/0/0/0/0/0/0/0/y/ /N",
         [](auto& s) {
             s.videoItem1Value = 0.75f, s.sharpnessValue = 2.0f, s.videoItem3Enable = 1;
             s.videoSwitch = 0, s.displayTccValid = 0, s.item25Valid = 0, s.lut3dValid = 0;
             s.lut3dParamsRead = 1, s.cubeNameValid = 1;
         }},
    };
    for (const FieldCase& c : cases) {
        ColorModeSetting actual = Initial();
        ApplyParameterList(c.value, actual);
        ColorModeSetting expected = Initial();
        c.expect(expected);
        EXPECT_TRUE(actual == expected) << c.value;
    }
}

TEST(ConfigParameterList, NumbersKeepTheirLeadingDigitsAndSaturate) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const std::pair<const char*, int32_t> ints[] = {
        // clang-format off
        {"-42", -42}, {"+7", 7}, {" \t12", 12}, {"1e3", 1}, {"0x1F", 0}, {"--5", 0}, {"", 0},
        {"2147483648", kMax}, {"-2147483648", -kMax - 1}, {"-99999999999999", -kMax - 1},
        // clang-format on
    };
    for (const auto& [text, value] : ints) {
        EXPECT_EQ(ParseLeadingInt(text), value) << text;
    }
    constexpr float kLargest = std::numeric_limits<float>::max();
    const std::pair<const char*, float> reals[] = {
        // clang-format off
        {".5", 0.5f}, {"5.", 5.0f}, {"-1.25e2", -125.0f}, {"1e+", 1.0f}, {"2.5x7", 2.5f},
        {".", 0.0f}, {"inf", 0.0f}, {"0x10", 0.0f}, {"1e39", kLargest}, {"-1e400", -kLargest},
        {"1e-400", 0.0f}, {"0.0000000001e99999999999", kLargest},
        // clang-format on
    };
    for (const auto& [text, value] : reals) {
        EXPECT_EQ(ParseLeadingReal(text), value) << text;
    }
}

TEST(ConfigToneCurve, ReadsNumbersInOrderAndScalesThemTo16Bits) {
    std::string levels; // 256 for red, then 600 more: green and blue fill, the rest is ignored
    for (int i = 0; i < 856; ++i) {
        levels += (i == 256 ? "}{" : ",") + std::to_string(i % 256);
    }
    std::vector<uint16_t> full(kToneCurveEntries);
    for (std::size_t i = 0; i < full.size(); ++i) {
        full[i] = static_cast<uint16_t>(i % 256);
    }
    const struct {
        std::string value;
        uint32_t gammaScale;
        std::vector<uint16_t> head; // every later entry is 0
        std::size_t numbers;
    } cases[] = {
        {"0,1,255", 257, {0, 257, 65535}, 3},
        {"0,1,255", 256, {0, 256, 65280}, 3},
        {"256,-1", 257, {256, 65279}, 2}, // 65792 and -257 keep their low 16 bits
        {"{1,2}{3}", 1, {1, 2, 3}, 3},
        {"  {{1}2,,,3,}  ", 1, {1, 2, 3}, 3},
        {"1, ,2x", 1, {1, 0, 2}, 3}, // a blank piece is a level 0
        {"7;8,9", 1, {7, 9}, 2},
        {"{}", 1, {}, 0},
        {"{" + levels + "}", 1, full, 856},
    };
    for (const auto& c : cases) {
        uint16_t curve[kToneCurveEntries];
        std::fill(std::begin(curve), std::end(curve), uint16_t{0xABCD});
        EXPECT_EQ(ParseToneCurve(c.value, c.gammaScale, curve), c.numbers) << c.value;
        std::vector<uint16_t> expected(kToneCurveEntries, 0);
        std::copy(c.head.begin(), c.head.end(), expected.begin());
        EXPECT_EQ(std::vector<uint16_t>(std::begin(curve), std::end(curve)), expected) << c.value;
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
