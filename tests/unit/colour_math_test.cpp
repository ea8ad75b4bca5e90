// The colour maths against numbers computed apart from this code, by
// tools/refdata/colour_math_reference.py straight from the algorithms (data/*.json).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <tuple>

#include "backend/color_transform_srgb.h"
#include "backend/gamma_level_curve.h"
#include "backend/packed_3d_lut.h"
#include "backend/white_point_table.h"
#include "support/test_machine.h"

namespace varnet {
namespace {

constexpr std::size_t kLevels = 256;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

using nlohmann::json;

// One entry of the reference file; an empty array when the file or the entry is missing.
json Reference(const char* key) {
    static const json reference = [] {
        std::ifstream in(
            test::TestMachine::SourcePath("tests/unit/data/colour_math_reference.json"));
        json parsed = json::parse(in, nullptr, false);
        return parsed.is_object() ? parsed : json::object();
    }();
    return reference.value(key, json::array());
}

struct Ramp {
    uint16_t v[kGammaRampEntries];
};

// The identity, or (varied) channels that differ and top entries above the reduced GammaMax.
Ramp MakeRamp(bool varied) {
    Ramp ramp;
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        const std::size_t c = k / kLevels, i = k % kLevels;
        ramp.v[k] =
            static_cast<uint16_t>(varied ? i * 257 - (i * i * (c + 1)) % 200 + 3 * c : i * 257);
    }
    return ramp;
}

TEST(ColourGammaLevel, CurvesMatchTheReferenceAndReduceTheSourceToEightBits) {
    const json levels = Reference("gammaLevels"), curves = Reference("gammaCurves");
    ASSERT_FALSE(levels.empty()) << "reference data not found";
    for (std::size_t n = 0; n < levels.size(); ++n) {
        const auto level = static_cast<uint32_t>(levels[n].get<int32_t>());
        const auto expectedCurve = curves.at(n).get<std::vector<int>>();
        GammaLevelCurve curve;
        BuildGammaLevelCurve(level, curve);
        Ramp source = MakeRamp(false), target;
        ApplyGammaLevelCurve(level, source.v, target.v);
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            const int expected = expectedCurve.at(k % kLevels);
            ASSERT_EQ(curve[k % kLevels], expected) << levels[n] << " " << k;
            ASSERT_EQ(target.v[k], expected * 257) << levels[n] << " " << k;
        }
    }
    // From 35 on there is no exponent: the neutral curve.
    GammaLevelCurve neutral, curve;
    BuildGammaLevelCurve(kNeutralGammaLevel, neutral);
    for (uint32_t level : {35u, 36u, 1000u, 0x7FFFFFFFu}) {
        BuildGammaLevelCurve(level, curve);
        EXPECT_EQ(std::memcmp(curve, neutral, sizeof curve), 0) << level;
    }

    // The neutral level still drops the low byte of every entry, in the source too.
    const Ramp original = MakeRamp(true);
    Ramp source = original, target;
    ApplyGammaLevelCurve(kNeutralGammaLevel, source.v, target.v);
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        ASSERT_EQ(source.v[k], original.v[k] / 256) << k;
        ASSERT_EQ(target.v[k], original.v[k] / 256 * 257) << k;
    }
    source = original;
    ApplyGammaLevelCurve(0, source.v, target.v);
    source = original;
    ApplyGammaLevelCurve(0, source.v, source.v); // the source may be the target
    EXPECT_EQ(std::memcmp(source.v, target.v, sizeof source), 0);
}

TEST(ColourWhitePoint, SamplesTheSourceAsTheReferenceAndLimitsToGammaMax) {
    const Ramp identity = MakeRamp(false), ramp = MakeRamp(true);
    const json reference = Reference("whitePointSourceLevel");
    ASSERT_EQ(reference.size(), kWhitePointCount) << "reference data not found";
    for (int32_t wp = 0; wp < static_cast<int32_t>(kWhitePointCount); ++wp) {
        SCOPED_TRACE(wp);
        const auto levels = reference.at(wp).get<std::vector<std::vector<int>>>();
        ASSERT_EQ(levels.size(), 3u);
        Ramp out;
        ASSERT_TRUE(ApplyWhitePoint(identity.v, wp, kGammaMaxDefault, out.v));
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            ASSERT_EQ(out.v[k], levels[k / kLevels][k % kLevels] * 257) << k;
        }
        Ramp inPlace = ramp;
        ASSERT_TRUE(ApplyWhitePoint(ramp.v, wp, kGammaMaxReduced, out.v));
        ASSERT_TRUE(ApplyWhitePoint(inPlace.v, wp, kGammaMaxReduced, inPlace.v));
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            const std::size_t c = k / kLevels;
            const uint16_t sampled = ramp.v[c * kLevels + levels[c][k % kLevels]];
            ASSERT_EQ(out.v[k], std::min<uint16_t>(sampled, kGammaMaxReduced)) << k;
            ASSERT_EQ(inPlace.v[k], out.v[k]) << k;
        }
    }
    // An index outside the table is refused and nothing is written.
    for (int32_t wp : {-1, 5, std::numeric_limits<int32_t>::min()}) {
        Ramp out;
        std::memset(out.v, 0xA5, sizeof out);
        EXPECT_FALSE(ApplyWhitePoint(ramp.v, wp, kGammaMaxDefault, out.v));
        EXPECT_EQ(std::count(out.v, out.v + kGammaRampEntries, 0xA5A5), std::ssize(out.v)) << wp;
    }
}

TEST(ColourTransformSrgb, MatchesTheReferenceAndStaysInRangeOnNonFiniteValues) {
    constexpr double kPowSlack = 1e-12; // a libm whose pow differs in the last bits
    const json srgb = Reference("srgbCases"), matrices = Reference("matrices");
    ASSERT_FALSE(srgb.empty()) << "reference data not found";
    for (const json& c : srgb) {
        const auto in = c[1].get<std::vector<double>>(), want = c[2].get<std::vector<double>>();
        const RgbDouble out = ColorTransformSrgb(
            in[0], in[1], in[2],
            matrices.at(c[0].get<std::size_t>()).get<std::vector<float>>().data());
        EXPECT_NEAR(out.red, want[0], kPowSlack) << c;
        EXPECT_NEAR(out.green, want[1], kPowSlack) << c;
        EXPECT_NEAR(out.blue, want[2], kPowSlack) << c;
    }
    struct Case {
        float matrix[9];
        double in[3];
        double out[3];
    };
    const Case cases[] = {
        {{kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN}, {0.5, 0.5, 0.5}, {0, 0, 0}},
        {{kInf, 0, 0, 0, kInf, 0, 0, 0, kInf}, {0.5, 0.5, 0.5}, {1, 1, 1}},
        {{kInf, 0, 0, 0, kInf, 0, 0, 0, kInf}, {0, 0, 0}, {0, 0, 0}}, // inf x 0 is NaN: black
        {{-kInf, 0, 0, 0, -kInf, 0, 0, 0, -kInf}, {1, 1, 1}, {0, 0, 0}},
        {{3e38f, 3e38f, 3e38f, -3e38f, -3e38f, 0, 0, 0, 1}, {1, 1, 1}, {1, 0, 1}},
        {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {kNaN, 1.0, 0.0}, {0, 0, 0}}, // 0 x NaN spoils every row
        {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {-5.0, 7.0, 2.0}, {0, 1, 1}},
    };
    for (const Case& c : cases) {
        const RgbDouble out = ColorTransformSrgb(c.in[0], c.in[1], c.in[2], c.matrix);
        EXPECT_DOUBLE_EQ(out.red, c.out[0]) << c.matrix[0] << " " << c.in[0];
        EXPECT_DOUBLE_EQ(out.green, c.out[1]) << c.matrix[0] << " " << c.in[0];
        EXPECT_DOUBLE_EQ(out.blue, c.out[2]) << c.matrix[0] << " " << c.in[0];
    }
}

TEST(ColourPacked3DLut, BuildMatchesTheReferenceKeepsBits30And31AndPacksTenBitCodes) {
    Packed3DLut table;
    const json points = Reference("lutPoints"), matrices = Reference("matrices");
    ASSERT_FALSE(points.empty()) << "reference data not found";
    for (std::size_t m = 0; m < matrices.size(); ++m) {
        for (std::size_t k = 0; k < kPacked3DLutWords; ++k) {
            table.words[k] = static_cast<uint32_t>(k * 0x9E3779B9u);
        }
        Build3DLutFromMatrix(matrices[m].get<std::vector<float>>().data(), table);
        for (const json& p : points) {
            const auto index = p[0].get<uint32_t>();
            const uint32_t kept = static_cast<uint32_t>(index * 0x9E3779B9u) & 0xC0000000u;
            ASSERT_EQ(table.words[index], kept | p[1][m].get<uint32_t>()) << m << " " << index;
        }
    }
    const float nan[9] = {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    std::memset(table.words, 0xFF, sizeof table.words);
    Build3DLutFromMatrix(nan, table);
    EXPECT_EQ(std::count(std::begin(table.words), std::end(table.words), 0xC0000000u),
              std::ssize(table.words));

    // Only the low 10 bits of a code count, as a .cube value of 1024 reads as 0.
    const uint32_t word = PackLutWord(0xFFFFFFFFu, {1024, 1023, 5});
    EXPECT_EQ(word, 0xC00FFC05u);
    const LutCodes unpacked = UnpackLutWord(word);
    EXPECT_EQ(std::tuple(unpacked.red, unpacked.green, unpacked.blue), std::tuple(0u, 1023u, 5u));
    EXPECT_EQ(PackLutWord(0x3FFFFFFFu, {1, 2, 3}), 0x00100803u);
    EXPECT_EQ(PackLutWord(0x40000000u, {0, 0, 0}), 0x40000000u);
    for (std::size_t k = 0; k < kLutGridPoints; ++k) {
        EXPECT_EQ(LutIdentityCode(k), k * 64 - (k > 0)) << k; // 0, 63, 127 ... 959, 1023
    }
    const double units[] = {0.0, 0.5, 1.0, 1023.9 / 1023.0, -1.0, 1e300, kNaN, kInf, -kInf};
    const uint32_t codes[] = {0, 511, 1023, 1023, 0, 1023, 0, 1023, 0};
    for (std::size_t i = 0; i < std::size(units); ++i) {
        EXPECT_EQ(LutCodeFromUnit(units[i]), codes[i]) << units[i];
    }
}

} // namespace
} // namespace varnet
