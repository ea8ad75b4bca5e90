// The three value parsers over generated and adversarial text: bounded results, and answers that
// do not change under rewrites the syntax says are neutral (a trailing comment, doubled
// separators, enclosing braces).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "config/color_mode_setting.h"
#include "config/parameter_list_parser.h"
#include "config/tone_curve_parser.h"
#include "config/zelmo_table_parser.h"

namespace varnet {
namespace {

constexpr int kInputsPerParser = 400;

// Text made mostly of the syntax's own characters, with some arbitrary bytes, up to 6000 long.
std::vector<std::string> GeneratedInputs(uint32_t seed) {
    static constexpr char kAlphabet[] = "0123456789/,;{} \tNAUDCYx-+.eENOTSUPPORT";
    std::mt19937 random(seed);
    std::vector<std::string> inputs;
    for (int i = 0; i < kInputsPerParser; ++i) {
        const std::size_t length = random() % (i % 10 == 0 ? 6000 : 200);
        std::string text;
        for (std::size_t j = 0; j < length; ++j) {
            text += random() % 16 == 0 ? static_cast<char>(random() % 256)
                                       : kAlphabet[random() % (sizeof kAlphabet - 1)];
        }
        inputs.push_back(text);
    }
    auto repeat = [](const std::string& piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i) {
            text += piece;
        }
        return text;
    };
    // Shapes the generator is unlikely to hit: many fields, many numbers, huge numbers, long
    // names, separators only, embedded NUL.
    inputs.push_back(repeat("99999999999999999999/", 100));
    inputs.push_back(repeat("-1e999/", 50));
    inputs.push_back(repeat("N/", 37) + std::string(5000, 'c'));
    inputs.push_back(repeat("255,", 2000));
    inputs.push_back(repeat("{", 3000) + repeat("}", 3000));
    inputs.push_back(repeat("FFFFFFFFF,0xFFFFFFFFFF/", 600));
    inputs.push_back(repeat("/", 4000));
    inputs.push_back(repeat(",", 4000));
    inputs.push_back(repeat(";", 100));
    inputs.push_back(std::string("1/2\0/3,4", 8));
    inputs.push_back(std::string(1022, ' '));
    return inputs;
}

std::string Doubled(const std::string& text, char separator) {
    std::string result;
    for (const char c : text) {
        result += c;
        if (c == separator) {
            result += c;
        }
    }
    return result;
}

// The value with a comment that must change nothing: after its own comment if it has one, else
// after its stripped text (white space before a ";" would be a blank field of its own).
std::string WithComment(const std::string& value, const std::string& comment) {
    if (value.find(';') != std::string::npos) {
        return value + comment + value;
    }
    return std::string(TrimSpace(value)) + comment + value;
}

ColorModeSetting ParsedList(const std::string& value) {
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    ApplyParameterList(value, setting);
    return setting;
}

bool IsFlag(int32_t value) {
    return value == 0 || value == 1;
}

TEST(ConfigValueParsersRobustness, ParameterList) {
    for (const std::string& value : GeneratedInputs(1)) {
        const ColorModeSetting s = ParsedList(value);
        ASSERT_TRUE(IsFlag(s.desktopGamma1Valid) && IsFlag(s.hueValid) && IsFlag(s.noLut) &&
                    IsFlag(s.displayTccValid) && IsFlag(s.lut3dValid) && IsFlag(s.iccProfile) &&
                    IsFlag(s.cubeNameValid) && IsFlag(s.videoItem3Enable))
            << value;
        ASSERT_TRUE(s.videoSwitch >= 0 && s.videoSwitch <= 2) << value;
        ASSERT_LE(s.lutName.size(), value.size());
        ASSERT_LE(s.cubeName.size(), value.size());
        ASSERT_EQ(s.zelmoCount, 0u);

        const ColorModeSetting doubled = ParsedList(Doubled(value, '/'));
        const ColorModeSetting commented = ParsedList(WithComment(value, ";/N/N/N/Y/"));
        for (const ColorModeSetting* other : {&doubled, &commented}) {
            // The defaulted comparison would need operator== on the record; the fields most
            // sensitive to field numbering stand for the rest.
            ASSERT_EQ(other->desktopGamma1Valid, s.desktopGamma1Valid) << value;
            ASSERT_EQ(std::memcmp(other->desktopGamma1, s.desktopGamma1, sizeof s.desktopGamma1), 0)
                << value;
            ASSERT_EQ(other->lutName, s.lutName) << value;
            ASSERT_EQ(other->cubeName, s.cubeName) << value;
            ASSERT_EQ(other->iccProfile, s.iccProfile) << value;
            ASSERT_EQ(std::memcmp(other->lut3dParams, s.lut3dParams, sizeof s.lut3dParams), 0)
                << value;
        }
    }
}

TEST(ConfigValueParsersRobustness, ToneCurve) {
    for (const std::string& value : GeneratedInputs(2)) {
        uint16_t curve[kToneCurveEntries];
        const std::size_t numbers = ParseToneCurve(value, 257, curve);
        ASSERT_LE(numbers, value.size());

        uint16_t doubled[kToneCurveEntries];
        ASSERT_EQ(ParseToneCurve(Doubled(value, ','), 257, doubled), numbers) << value;
        ASSERT_EQ(std::memcmp(doubled, curve, sizeof curve), 0) << value;

        const std::string_view trimmed = TrimSpace(value);
        if (trimmed.size() == value.size()) {
            uint16_t braced[kToneCurveEntries];
            ASSERT_EQ(ParseToneCurve("{" + value + "}", 257, braced), numbers) << value;
            ASSERT_EQ(std::memcmp(braced, curve, sizeof curve), 0) << value;
        }
    }
}

TEST(ConfigValueParsersRobustness, ZelmoTable) {
    for (const std::string& value : GeneratedInputs(3)) {
        ColorModeSetting s;
        InitColorModeSetting(s);
        ApplyZelmoTable(value, s);
        ASSERT_LE(s.zelmoCount, kZelmoTableEntries);

        for (const std::string& same : {Doubled(value, '/'), WithComment(value, ";1,2/3,4/")}) {
            ColorModeSetting other;
            InitColorModeSetting(other);
            ApplyZelmoTable(same, other);
            ASSERT_EQ(other.zelmoCount, s.zelmoCount) << value;
            ASSERT_EQ(std::memcmp(other.zelmoTable, s.zelmoTable, sizeof s.zelmoTable), 0) << value;
        }
    }
}

} // namespace
} // namespace varnet
