// The parameter list of a colour mode: each field's forms, the separators, the comment, and the
// text-to-number rules it shares with the other value parsers.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <sstream>
#include <string>

#include "config/color_mode_setting.h"
#include "config/parameter_list_parser.h"

namespace varnet {
namespace {

// Names every field in which two records differ, so that a failure says which one and a stray
// write to a field the case does not mention is caught.
std::string Differences(const ColorModeSetting& a, const ColorModeSetting& b) {
    std::ostringstream out;
    auto field = [&](const char* name, const auto& x, const auto& y) {
        if (!(x == y)) {
            out << name << ": " << x << " vs " << y << "; ";
        }
    };
    auto array = [&](const char* name, const auto& x, const auto& y) {
        for (std::size_t i = 0; i < std::size(x); ++i) {
            field((std::string(name) + "[" + std::to_string(i) + "]").c_str(), x[i], y[i]);
        }
    };
#define VARNET_FIELD(name) field(#name, a.name, b.name)
#define VARNET_ARRAY(name) array(#name, a.name, b.name)
    VARNET_FIELD(desktopGamma1Valid);
    VARNET_ARRAY(desktopGamma1);
    VARNET_FIELD(desktopGamma2Valid);
    VARNET_ARRAY(desktopGamma2);
    VARNET_FIELD(desktopGamma3Valid);
    VARNET_ARRAY(desktopGamma3);
    VARNET_FIELD(hueValid);
    VARNET_FIELD(hue);
    VARNET_FIELD(saturationValid);
    VARNET_FIELD(saturation);
    VARNET_FIELD(videoItem1Valid);
    VARNET_FIELD(videoItem1Value);
    VARNET_FIELD(sharpnessValid);
    VARNET_FIELD(sharpnessValue);
    VARNET_FIELD(videoItem3Valid);
    VARNET_FIELD(videoItem3Value);
    VARNET_FIELD(lutName);
    VARNET_FIELD(videoItem1Auto);
    VARNET_FIELD(sharpnessAuto);
    VARNET_FIELD(videoItem3Enable);
    VARNET_FIELD(videoItem1Reset);
    VARNET_FIELD(sharpnessReset);
    VARNET_FIELD(item15Auto);
    VARNET_FIELD(videoSwitch);
    VARNET_FIELD(displayTccPresent);
    VARNET_FIELD(displayTccEnable);
    VARNET_FIELD(item25Value);
    VARNET_FIELD(lut3dMode);
    VARNET_FIELD(displayTccValid);
    VARNET_FIELD(item25Valid);
    VARNET_FIELD(lut3dValid);
    VARNET_FIELD(noLut);
    VARNET_ARRAY(displayTcc);
    VARNET_FIELD(zelmoCount);
    VARNET_FIELD(lut3dParamsRead);
    VARNET_FIELD(item26Value);
    VARNET_ARRAY(lut3dParams);
    VARNET_FIELD(iccProfile);
    VARNET_FIELD(cubeName);
    VARNET_FIELD(cubeNameValid);
    VARNET_ARRAY(toneCurve);
#undef VARNET_FIELD
#undef VARNET_ARRAY
    for (std::size_t i = 0; i < kZelmoTableEntries; ++i) {
        field("zelmoTable.address", a.zelmoTable[i].address, b.zelmoTable[i].address);
        field("zelmoTable.value", +a.zelmoTable[i].value, +b.zelmoTable[i].value);
    }
    return out.str();
}

ColorModeSetting Initial() {
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    return setting;
}

TEST(ConfigColorModeSetting, InitialStateSetsTheValidFlagsAndVideoSwitchOnly) {
    ColorModeSetting expected;
    expected.desktopGamma1Valid = expected.desktopGamma2Valid = expected.desktopGamma3Valid = 1;
    expected.hueValid = expected.saturationValid = 1;
    expected.videoItem1Valid = expected.sharpnessValid = expected.videoItem3Valid = 1;
    expected.videoSwitch = 2;
    EXPECT_EQ(Differences(Initial(), expected), "");

    // Initialising a used record forgets what it held, strings included.
    ColorModeSetting used = Initial();
    ApplyParameterList("1/2/3/4/5/6/7/8/9/1/1/1/1/1/A/U/lut/1/1/1/1/1/1/1/1/1/1", used);
    used.cubeName = std::string(5000, 'c');
    used.zelmoCount = 3;
    InitColorModeSetting(used);
    EXPECT_EQ(Differences(used, expected), "");
}

struct FieldCase {
    const char* value;
    std::function<void(ColorModeSetting&)> expect; // the changes from the initial record
};

void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << '"' << c.value << '"';
}

class ConfigParameterList : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ConfigParameterList, ChangesExactlyTheFieldsItNames) {
    ColorModeSetting actual = Initial();
    ApplyParameterList(GetParam().value, actual);
    ColorModeSetting expected = Initial();
    GetParam().expect(expected);
    EXPECT_EQ(Differences(actual, expected), "") << "value: " << GetParam().value;
}

// Nine zeros bring a list to field 10.
#define GAMMAS "0/0/0/0/0/0/0/0/0/"

INSTANTIATE_TEST_SUITE_P(
    Fields, ConfigParameterList,
    ::testing::Values(
        // Desktop gamma triples: "N" clears the triple's flag, its other numbers still land.
        FieldCase{"N/N/N", [](auto& s) { s.desktopGamma1Valid = 0; }},
        FieldCase{"N/2/3",
                  [](auto& s) {
                      s.desktopGamma1Valid = 0;
                      s.desktopGamma1[1] = 2;
                      s.desktopGamma1[2] = 3;
                  }},
        FieldCase{"1/2/3/4/N/6/7/8/N",
                  [](auto& s) {
                      s.desktopGamma1[0] = 1, s.desktopGamma1[1] = 2, s.desktopGamma1[2] = 3;
                      s.desktopGamma2[0] = 4, s.desktopGamma2Valid = 0, s.desktopGamma2[2] = 6;
                      s.desktopGamma3[0] = 7, s.desktopGamma3[1] = 8, s.desktopGamma3Valid = 0;
                  }},
        // A NOTSUPPORT value read as a list is field 1 holding a word: element 0 becomes 0.
        FieldCase{"NOTSUPPORT", [](auto&) {}},
        // Separators: doubled, leading and trailing ones make no field; white space does.
        FieldCase{"5//7", [](auto& s) { s.desktopGamma1[0] = 5, s.desktopGamma1[1] = 7; }},
        FieldCase{"//5///7//", [](auto& s) { s.desktopGamma1[0] = 5, s.desktopGamma1[1] = 7; }},
        FieldCase{"5/ /7", [](auto& s) { s.desktopGamma1[0] = 5, s.desktopGamma1[2] = 7; }},
        FieldCase{"  5 /\t7\t; 8/9/N",
                  [](auto& s) { s.desktopGamma1[0] = 5, s.desktopGamma1[1] = 7; }},
        // The comment starts at the first ";" even when it holds separators.
        FieldCase{"5;6/7/8", [](auto& s) { s.desktopGamma1[0] = 5; }},
        FieldCase{";5/6", [](auto&) {}}, FieldCase{"", [](auto&) {}},
        // Numbers keep their leading digits; a word reads as 0.
        FieldCase{"12abc/-3x/abc",
                  [](auto& s) { s.desktopGamma1[0] = 12, s.desktopGamma1[1] = -3; }},
        // Hue and saturation.
        FieldCase{GAMMAS "N/N", [](auto& s) { s.hueValid = 0, s.saturationValid = 0; }},
        FieldCase{GAMMAS "-12.5/1.25e1", [](auto& s) { s.hue = -12.5f, s.saturation = 12.5f; }},
        // Fields 12 and 13.
        FieldCase{GAMMAS "0/0/N/A", [](auto& s) { s.videoItem1Valid = 0, s.sharpnessAuto = 1; }},
        FieldCase{GAMMAS "0/0/A/U", [](auto& s) { s.videoItem1Auto = 1, s.sharpnessReset = 1; }},
        FieldCase{GAMMAS "0/0/U/N", [](auto& s) { s.videoItem1Reset = 1, s.sharpnessValid = 0; }},
        FieldCase{GAMMAS "0/0/0.75/a",
                  [](auto& s) { s.videoItem1Value = 0.75f; }}, // lower-case a is a number: 0
        // Field 14: "D" switches the item off but keeps it valid; a number switches it on.
        FieldCase{GAMMAS "0/0/0/0/D", [](auto& s) { s.videoItem3Enable = 0; }},
        FieldCase{GAMMAS "0/0/0/0/0.5",
                  [](auto& s) { s.videoItem3Enable = 1, s.videoItem3Value = 0.5f; }},
        FieldCase{GAMMAS "0/0/0/0/N", [](auto& s) { s.videoItem3Valid = 0; }},
        // Fields 15 and 16 are words only, compared case-sensitively.
        FieldCase{GAMMAS "0/0/0/0/0/A/U",
                  [](auto& s) { s.videoItem3Enable = 1, s.item15Auto = 1, s.videoSwitch = 0; }},
        FieldCase{GAMMAS "0/0/0/0/0/a/C",
                  [](auto& s) { s.videoItem3Enable = 1, s.videoSwitch = 1; }},
        FieldCase{GAMMAS "0/0/0/0/0/N/c",
                  [](auto& s) { s.videoItem3Enable = 1, s.videoSwitch = 2; }},
        // Field 17.
        FieldCase{GAMMAS "0/0/0/0/0/0/0/NOLUT",
                  [](auto& s) { s.videoItem3Enable = 1, s.lutName = "NOLUT", s.noLut = 1; }},
        FieldCase{GAMMAS "0/0/0/0/0/0/0/ vivid lut ",
                  [](auto& s) { s.videoItem3Enable = 1, s.lutName = "vivid lut"; }},
        // Field 18 and the six weights after it.
        FieldCase{GAMMAS "0/0/0/0/0/0/0/L/N/1/2",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.lutName = "L", s.displayTccValid = 0;
                      s.displayTcc[0] = 1, s.displayTcc[1] = 2;
                  }},
        FieldCase{GAMMAS "0/0/0/0/0/0/0/L/0/10/20/30/40/50/60",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.lutName = "L";
                      s.displayTccPresent = 1, s.displayTccValid = 1, s.displayTccEnable = 0;
                      for (int i = 0; i < 6; ++i) {
                          s.displayTcc[i] = 10 * (i + 1);
                      }
                  }},
        // Fields 25 to 27, with field 18 set as well: both the weights and the 3D LUT are kept.
        FieldCase{GAMMAS "0/0/0/0/0/0/0/L/1/0/0/0/0/0/0/N/-4/777",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.lutName = "L";
                      s.displayTccPresent = 1, s.displayTccValid = 1, s.displayTccEnable = 1;
                      s.item25Valid = 0, s.item26Value = -4, s.lut3dValid = 1, s.lut3dMode = 777;
                  }},
        FieldCase{GAMMAS "0/0/0/0/0/0/0/L/N/0/0/0/0/0/0/9/0/N",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.lutName = "L", s.displayTccValid = 0;
                      s.item25Valid = 1, s.item25Value = 9, s.lut3dValid = 0;
                  }},
        // Fields 28 to 38; only field 36 marks the parameters read.
        FieldCase{GAMMAS "0/0/0/0/0/0/0/L/N/0/0/0/0/0/0/N/0/0/10000/1/2/3/10000/5/6/7",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.lutName = "L", s.displayTccValid = 0;
                      s.item25Valid = 0, s.lut3dValid = 1;
                      s.lut3dParams[0] = 10000, s.lut3dParams[1] = 1, s.lut3dParams[2] = 2;
                      s.lut3dParams[3] = 3, s.lut3dParams[4] = 10000, s.lut3dParams[5] = 5;
                      s.lut3dParams[6] = 6, s.lut3dParams[7] = 7;
                  }},
        FieldCase{GAMMAS "0/0/0/0/0/0/0/L/N/0/0/0/0/0/0/N/0/0/1/2/3/4/5/6/7/8/9/Y/my cube",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.lutName = "L", s.displayTccValid = 0;
                      s.item25Valid = 0, s.lut3dValid = 1;
                      for (int i = 0; i < 9; ++i) {
                          s.lut3dParams[i] = i + 1;
                      }
                      s.lut3dParamsRead = 1, s.iccProfile = 1;
                      s.cubeName = "my cube", s.cubeNameValid = 1;
                  }},
        // Field 37 is "Y" exactly; anything after field 38 is ignored.
        FieldCase{GAMMAS "0/0/0/0/0/0/0/L/N/0/0/0/0/0/0/N/0/0/0/0/0/0/0/0/0/0/0/y/c/N/N/N",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.lutName = "L", s.displayTccValid = 0;
                      s.item25Valid = 0, s.lut3dValid = 1, s.lut3dParamsRead = 1;
                      s.cubeName = "c", s.cubeNameValid = 1;
                  }},
        // A field of white space is a field that reads as empty (the value's own ends are
        // stripped first, so a blank field 38 needs a field after it).
        FieldCase{GAMMAS "0/0/0/0/0/0/0/ /N/0/0/0/0/0/0/N/0/0/0/0/0/0/0/0/0/0/0/Y/ /N",
                  [](auto& s) {
                      s.videoItem3Enable = 1, s.displayTccValid = 0;
                      s.item25Valid = 0, s.lut3dValid = 1, s.lut3dParamsRead = 1;
                      s.iccProfile = 1, s.cubeNameValid = 1;
                  }}));

#undef GAMMAS

TEST(ConfigParameterList, KeepsALongCubeNameWholeAndIgnoresFieldsPastThe38th) {
    const std::string cube(5000, 'q');
    std::string list;
    for (int field = 1; field <= 37; ++field) {
        list += "7/";
    }
    list += cube;
    for (int field = 39; field <= 200; ++field) {
        list += "/N";
    }
    ColorModeSetting setting = Initial();
    ApplyParameterList(list, setting);
    EXPECT_EQ(setting.cubeName, cube);
    EXPECT_EQ(setting.cubeNameValid, 1);
    EXPECT_EQ(setting.desktopGamma1Valid, 1); // an N past field 38 never reaches field 1
    EXPECT_EQ(setting.lut3dParams[8], 7);
}

struct IntCase {
    const char* text;
    int32_t value;
};

TEST(ConfigNumberText, IntegersKeepTheirLeadingDigitsAndSaturate) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const IntCase cases[] = {
        {"42", 42},
        {"-42", -42},
        {"+7", 7},
        {" \t\r\n12", 12},
        {"12abc", 12},
        {"1e3", 1},
        {"0x1F", 0},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"--5", 0},
        {"- 5", 0},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"-2147483648", kMin},
        {"-99999999999999", kMin},
        {"000000000000000000000000000012", 12},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << "text: " << c.text;
    }
}

struct RealCase {
    const char* text;
    float value;
};

TEST(ConfigNumberText, RealsTakeTheDecimalFormsAndStayFinite) {
    constexpr float kLargest = std::numeric_limits<float>::max();
    const RealCase cases[] = {
        {"0.5", 0.5f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"-1.25e2", -125.0f},
        {"+2E-1", 0.2f},
        {"1e", 1.0f},
        {"1e+", 1.0f},
        {"2.5x7", 2.5f},
        {"0.5,3", 0.5f},
        {" \t3", 3.0f},
        {".", 0.0f},
        {"abc", 0.0f},
        {"", 0.0f},
        {"inf", 0.0f},
        {"nan", 0.0f},
        {"0x10", 0.0f},
        {"1e39", kLargest},
        {"-1e39", -kLargest},
        {"1e400", kLargest},
        {"1e-400", 0.0f},
        {"0.000000000000000000000000000000000000000000000000001e999999999999", kLargest},
    };
    for (const RealCase& c : cases) {
        EXPECT_EQ(ParseLeadingReal(c.text), c.value) << "text: " << c.text;
    }
}

} // namespace
} // namespace varnet
