// The tone-curve value: channel order, braces, separators, scaling to 16 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/tone_curve_parser.h"

namespace varnet {
namespace {

TEST(ConfigToneCurve, ReadsNumbersInOrderAndScalesThemTo16Bits) {
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

TEST(ConfigToneCurve, FillsRedThenGreenThenBlueAndIgnoresTheRest) {
    auto levels = [](int count, int offset) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text.append(i > 0 ? "," : "").append(std::to_string((i + offset) % 256));
        }
        return text;
    };
    uint16_t curve[kToneCurveEntries];
    EXPECT_EQ(ParseToneCurve(levels(256, 0), 257, curve), 256u);
    EXPECT_EQ(curve[255], 65535);
    EXPECT_EQ(curve[256], 0); // green and blue stay black

    // Numbers past the 768th are counted but not stored.
    const std::string value =
        std::string("{").append(levels(256, 1)).append("}{").append(levels(600, 2));
    EXPECT_EQ(ParseToneCurve(value, 1, curve), 856u);
    EXPECT_EQ(curve[256], 2);
    EXPECT_EQ(curve[767], (511 + 2) % 256);

    FillIdentityToneCurve(257, curve);
    for (std::size_t i = 0; i < kToneCurveEntries; ++i) {
        ASSERT_EQ(curve[i], (i % 256) * 257) << i;
    }
}

} // namespace
} // namespace varnet
