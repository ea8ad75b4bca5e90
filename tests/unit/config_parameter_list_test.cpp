// The parameter list of a colour mode, and the text-to-number rules the value parsers share.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "config/color_mode_setting.h"
#include "config/parameter_list_parser.h"

namespace varnet {
namespace {

ColorModeSetting Initial() {
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    return setting;
}

TEST(ConfigParameterList, InitialStateAndReinitialising) {
    ColorModeSetting expected;
    expected.desktopGamma1Valid = expected.desktopGamma2Valid = expected.desktopGamma3Valid = 1;
    expected.hueValid = expected.saturationValid = 1;
    expected.videoItem1Valid = expected.sharpnessValid = expected.videoItem3Valid = 1;
    expected.videoSwitch = 2;
    ColorModeSetting used = Initial();
    EXPECT_TRUE(used == expected);
    ApplyParameterList(
        "1/2/3/4/5/6/7/8/9/1/1/1/1/1/A/U/lut/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/Y/c", used);
    InitColorModeSetting(used);
    EXPECT_TRUE(used == expected);
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

TEST(ConfigParameterList, KeepsALongCubeNameWhole) {
    std::string list;
    for (int field = 1; field <= 37; ++field) {
        list += "7/";
    }
    const std::string cube(5000, 'q');
    ColorModeSetting setting = Initial();
    ApplyParameterList(list + cube + "/N/N/N", setting);
    EXPECT_EQ(setting.cubeName, cube);
}

TEST(ConfigParameterList, NumbersKeepTheirLeadingDigitsAndSaturate) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const struct {
        const char* text;
        int32_t value;
    } ints[] = {{"-42", -42},
                {"+7", 7},
                {" \t12", 12},
                {"1e3", 1},
                {"0x1F", 0},
                {"--5", 0},
                {"", 0},
                {"2147483648", kMax},
                {"-2147483648", -kMax - 1},
                {"-99999999999999", -kMax - 1}};
    for (const auto& c : ints) {
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << c.text;
    }
    constexpr float kLargest = std::numeric_limits<float>::max();
    const struct {
        const char* text;
        float value;
    } reals[] = {{".5", 0.5f},          {"5.", 5.0f},     {"-1.25e2", -125.0f},
                 {"1e+", 1.0f},         {"2.5x7", 2.5f},  {".", 0.0f},
                 {"inf", 0.0f},         {"0x10", 0.0f},   {"1e39", kLargest},
                 {"-1e400", -kLargest}, {"1e-400", 0.0f}, {"0.0000000001e99999999999", kLargest}};
    for (const auto& c : reals) {
        EXPECT_EQ(ParseLeadingReal(c.text), c.value) << c.text;
    }
}

} // namespace
} // namespace varnet
