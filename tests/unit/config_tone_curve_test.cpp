// The tone-curve value: order of the channels, braces, separators, scaling to 16 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/tone_curve_parser.h"

namespace varnet {
namespace {

// "0,1,...,count-1", each level modulo 256.
std::string Levels(int count, int offset = 0) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            text += ',';
        }
        text += std::to_string((i + offset) % 256);
    }
    return text;
}

struct CurveCase {
    const char* name;
    std::string value;
    uint32_t gammaScale;
    std::vector<uint16_t> head; // the first entries of the curve; every later one is 0
    std::size_t numbers;
};

TEST(ConfigToneCurve, ReadsNumbersInOrderAndScalesThemTo16Bits) {
    const CurveCase cases[] = {
        {"plain", "0,1,255", 257, {0, 257, 65535}, 3},
        {"reduced scale", "0,1,255", 256, {0, 256, 65280}, 3},
        // 256 x 257 = 65792 does not fit: the low 16 bits are 256.
        {"past 255", "256,1000", 257, {256, static_cast<uint16_t>(1000 * 257)}, 2},
        {"negative wraps", "-1", 257, {static_cast<uint16_t>(0u - 257u)}, 1},
        {"braces group", "{1,2}{3}", 1, {1, 2, 3}, 3},
        {"closing brace separates", "1}2", 1, {1, 2}, 2},
        {"braces optional and unbalanced", "{{1,2", 1, {1, 2}, 2},
        {"empty pieces skipped", ",,1,,,2,", 1, {1, 2}, 2},
        {"blank piece is a zero", "1, ,2", 1, {1, 0, 2}, 3},
        {"surroundings stripped", "  \t{ 5 , 6x }  ", 1, {5, 6}, 2},
        {"no comment syntax", "7;8,9", 1, {7, 9}, 2},
        {"nothing", "{}", 1, {}, 0},
    };
    for (const CurveCase& c : cases) {
        uint16_t curve[kToneCurveEntries];
        std::fill(std::begin(curve), std::end(curve), uint16_t{0xABCD}); // must all be rewritten
        EXPECT_EQ(ParseToneCurve(c.value, c.gammaScale, curve), c.numbers) << c.name;
        for (std::size_t i = 0; i < kToneCurveEntries; ++i) {
            const uint16_t expected = i < c.head.size() ? c.head[i] : 0;
            ASSERT_EQ(curve[i], expected) << c.name << ", entry " << i;
        }
    }
}

TEST(ConfigToneCurve, FillsRedThenGreenThenBlueAndIgnoresTheRest) {
    uint16_t curve[kToneCurveEntries] = {};
    // 256 numbers fill red only.
    EXPECT_EQ(ParseToneCurve(Levels(256), 257, curve), 256u);
    for (std::size_t i = 0; i < kToneCurveEntries; ++i) {
        ASSERT_EQ(curve[i], i < 256 ? i * 257 : 0) << i;
    }
    // Three braced channels of different curves, then numbers past the 768th.
    std::string value;
    for (const int offset : {0, 1, 2}) {
        value.append("{").append(Levels(256, offset)).append("}");
    }
    value.append(",").append(Levels(40, 9));
    EXPECT_EQ(ParseToneCurve(value, 256, curve), 808u);
    for (std::size_t channel = 0; channel < 3; ++channel) {
        for (std::size_t level = 0; level < 256; ++level) {
            ASSERT_EQ(curve[channel * 256 + level], ((level + channel) % 256) * 256)
                << channel << "/" << level;
        }
    }
}

TEST(ConfigToneCurve, IdentityRampIsTheSameOnEveryChannel) {
    for (const uint32_t scale : {257u, 256u}) {
        uint16_t curve[kToneCurveEntries] = {};
        FillIdentityToneCurve(scale, curve);
        for (std::size_t i = 0; i < kToneCurveEntries; ++i) {
            ASSERT_EQ(curve[i], (i % 256) * scale) << "scale " << scale << ", entry " << i;
        }
        EXPECT_EQ(curve[255], scale == 257 ? 65535 : 65280);
    }
}

} // namespace
} // namespace varnet
