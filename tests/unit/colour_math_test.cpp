// The colour maths against numbers computed apart from this code: by hand, or by
// tools/refdata/colour_math_reference.py straight from the algorithms (data/*.inc).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "backend/color_transform_srgb.h"
#include "backend/gamma_level_curve.h"
#include "backend/packed_3d_lut.h"
#include "backend/white_point_table.h"

#include "data/colour_math_reference.inc"

namespace varnet {
namespace {

constexpr std::size_t kLevels = 256;

void FillIdentityRamp(uint16_t* ramp) {
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        ramp[k] = static_cast<uint16_t>((k % kLevels) * 257);
    }
}

// A ramp whose channels differ and whose top entries exceed the reduced GammaMax.
void FillTestRamp(uint16_t* ramp) {
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        const std::size_t c = k / kLevels;
        const std::size_t i = k % kLevels;
        ramp[k] = static_cast<uint16_t>(i * 257 - (i * i * (c + 1)) % 200 + 3 * c);
    }
}

// --- gamma level curve ---

TEST(ColourGammaLevel, CurvesAndIdentityRampTargetsMatchReference) {
    for (std::size_t n = 0; n < std::size(colour_ref::kGammaLevels); ++n) {
        const auto level = static_cast<uint32_t>(colour_ref::kGammaLevels[n]);
        SCOPED_TRACE(colour_ref::kGammaLevels[n]);
        GammaLevelCurve curve;
        BuildGammaLevelCurve(level, curve);
        uint16_t source[kGammaRampEntries];
        uint16_t target[kGammaRampEntries];
        FillIdentityRamp(source);
        ApplyGammaLevelCurve(level, source, target);
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            const uint8_t expected = colour_ref::kGammaCurves[n][k % kLevels];
            ASSERT_EQ(curve[k % kLevels], expected) << "level " << k % kLevels;
            ASSERT_EQ(target[k], expected * 257) << "entry " << k;
        }
    }
}

TEST(ColourGammaLevel, HandComputedCurvePoints) {
    struct Case {
        uint32_t level;
        uint8_t join; // curve[8]: where the power curve starts to meet the line
        uint8_t at16, at64, at128, at200;
    };
    const Case cases[] = {{0, 22, 36, 75, 128, 200},
                          {3, 13, 22, 66, 128, 200},
                          {5, 8, 16, 64, 128, 200},
                          {10, 4, 10, 63, 128, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        GammaLevelCurve curve;
        BuildGammaLevelCurve(c.level, curve);
        EXPECT_EQ(curve[8], c.join);
        EXPECT_EQ(curve[16], c.at16);
        EXPECT_EQ(curve[64], c.at64);
        EXPECT_EQ(curve[128], c.at128);
        EXPECT_EQ(curve[200], c.at200);
    }
    // Level 0 (e = 12/17): 1 to 21 on the power curve i^e x 255^(1-e) (1 -> 5.10, 21 -> 43.8),
    // lifted up to the join, the identity beyond T + 64 = 86.
    GammaLevelCurve curve;
    BuildGammaLevelCurve(0, curve);
    EXPECT_EQ(curve[0], 0);
    EXPECT_EQ(curve[1], 5);
    EXPECT_EQ(curve[21], 43);
    for (std::size_t i = 1; i < kLevels; ++i) {
        if (i < 85) {
            EXPECT_GT(curve[i], i) << i;
        } else if (i >= 87) {
            EXPECT_EQ(curve[i], i) << i;
        }
    }
}

TEST(ColourGammaLevel, SourceIsReducedToEightBitsInPlaceAndMayBeTheTarget) {
    uint16_t source[kGammaRampEntries];
    uint16_t target[kGammaRampEntries];
    FillTestRamp(source);
    uint16_t original[kGammaRampEntries];
    std::memcpy(original, source, sizeof source);

    // The neutral level still drops the low byte of every entry.
    ApplyGammaLevelCurve(kNeutralGammaLevel, source, target);
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        ASSERT_EQ(source[k], original[k] / 256) << k;
        ASSERT_EQ(target[k], original[k] / 256 * 257) << k;
    }

    uint16_t separate[kGammaRampEntries];
    std::memcpy(source, original, sizeof source);
    ApplyGammaLevelCurve(0, source, separate);
    std::memcpy(source, original, sizeof source);
    ApplyGammaLevelCurve(0, source, source);
    EXPECT_EQ(std::memcmp(source, separate, sizeof source), 0);
}

TEST(ColourGammaLevel, LevelsWithoutAnExponentGiveTheIdentity) {
    // 35 and above: 1 - x is zero or negative. (Negative int levels arrive as huge unsigned
    // values and are read as signed: the reference covers them.)
    GammaLevelCurve neutral;
    BuildGammaLevelCurve(kNeutralGammaLevel, neutral);
    for (uint32_t level : {35u, 36u, 1000u, 0x7FFFFFFFu}) {
        SCOPED_TRACE(level);
        GammaLevelCurve curve;
        BuildGammaLevelCurve(level, curve);
        EXPECT_EQ(std::memcmp(curve, neutral, sizeof curve), 0);
    }
}

// --- white point ---

TEST(ColourWhitePoint, SamplesTheSourceAsReferenceAndLimitsToGammaMax) {
    uint16_t identity[kGammaRampEntries];
    uint16_t ramp[kGammaRampEntries];
    FillIdentityRamp(identity);
    FillTestRamp(ramp);
    for (int32_t wp = 0; wp < static_cast<int32_t>(kWhitePointCount); ++wp) {
        SCOPED_TRACE(wp);
        uint16_t out[kGammaRampEntries];
        ASSERT_TRUE(ApplyWhitePoint(identity, wp, kGammaMaxDefault, out));
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            const uint8_t at = colour_ref::kWhitePointSourceLevel[wp][k / kLevels][k % kLevels];
            ASSERT_EQ(out[k], at * 257) << k;
        }
        ASSERT_TRUE(ApplyWhitePoint(ramp, wp, kGammaMaxReduced, out));
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            const std::size_t c = k / kLevels;
            const uint16_t sampled =
                ramp[c * kLevels + colour_ref::kWhitePointSourceLevel[wp][c][k % kLevels]];
            ASSERT_EQ(out[k], std::min<uint16_t>(sampled, kGammaMaxReduced)) << k;
        }
    }
}

TEST(ColourWhitePoint, HandComputedSampling) {
    uint16_t identity[kGammaRampEntries];
    uint16_t out[kGammaRampEntries];
    FillIdentityRamp(identity);
    // White point 4: blue has the largest gain and stays the identity; red and green sample at
    // i x 0.9843/1.03 = 0.95563 and i x 1.0016/1.03 = 0.97243.
    ASSERT_TRUE(ApplyWhitePoint(identity, 4, kGammaMaxDefault, out));
    const struct {
        std::size_t i;
        uint16_t red, green;
    } points[] = {{100, 95, 97}, {128, 122, 124}, {255, 243, 247}};
    for (const auto& p : points) {
        EXPECT_EQ(out[p.i], p.red * 257) << p.i;
        EXPECT_EQ(out[kLevels + p.i], p.green * 257) << p.i;
    }
    for (std::size_t i = 0; i < kLevels; ++i) {
        EXPECT_EQ(out[2 * kLevels + i], identity[2 * kLevels + i]) << i;
    }

    // White point 2 is neutral: the ramp comes back as it was, only limited to GammaMax.
    ASSERT_TRUE(ApplyWhitePoint(identity, kNeutralWhitePoint, kGammaMaxReduced, out));
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        EXPECT_EQ(out[k], std::min<uint16_t>(identity[k], 65280)) << k;
    }
}

TEST(ColourWhitePoint, RefusesIndicesOutsideTheTableAndWorksInPlace) {
    uint16_t source[kGammaRampEntries];
    FillTestRamp(source);
    for (int32_t wp :
         {-1, 5, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        SCOPED_TRACE(wp);
        uint16_t out[kGammaRampEntries];
        std::memset(out, 0xA5, sizeof out);
        EXPECT_FALSE(ApplyWhitePoint(source, wp, kGammaMaxDefault, out));
        for (uint16_t v : out) {
            ASSERT_EQ(v, 0xA5A5);
        }
    }
    for (int32_t wp = 0; wp < static_cast<int32_t>(kWhitePointCount); ++wp) {
        uint16_t separate[kGammaRampEntries];
        uint16_t inPlace[kGammaRampEntries];
        std::memcpy(inPlace, source, sizeof inPlace);
        ASSERT_TRUE(ApplyWhitePoint(source, wp, kGammaMaxReduced, separate));
        ASSERT_TRUE(ApplyWhitePoint(inPlace, wp, kGammaMaxReduced, inPlace));
        EXPECT_EQ(std::memcmp(inPlace, separate, sizeof inPlace), 0) << wp;
    }
}

// --- sRGB colour transform ---

// Tolerance for a libm whose pow differs from the reference's in the last bits.
constexpr double kPowSlack = 1e-12;

TEST(ColourTransformSrgb, MatchesReference) {
    for (const auto& c : colour_ref::kSrgbCases) {
        SCOPED_TRACE(testing::Message() << "matrix " << c.matrix << " in " << c.in[0] << ", "
                                        << c.in[1] << ", " << c.in[2]);
        const RgbDouble out =
            ColorTransformSrgb(c.in[0], c.in[1], c.in[2], colour_ref::kMatrices[c.matrix]);
        EXPECT_NEAR(out.red, c.out[0], kPowSlack);
        EXPECT_NEAR(out.green, c.out[1], kPowSlack);
        EXPECT_NEAR(out.blue, c.out[2], kPowSlack);
    }
}

TEST(ColourTransformSrgb, GreyStaysGreyButTheEncodeIsNotTheInverse) {
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (std::size_t k = 0; k < kLutGridPoints; ++k) {
        const double v = LutGridCoordinate(k);
        const RgbDouble out = ColorTransformSrgb(v, v, v, identity);
        EXPECT_EQ(out.red, out.green) << k;
        EXPECT_EQ(out.green, out.blue) << k;
    }
    // With 1/2.4 the round trip would give 0.5 back; 0.417 gives 0.49971487966...
    const RgbDouble half = ColorTransformSrgb(0.5, 0.5, 0.5, identity);
    EXPECT_NEAR(half.red, 0.49971487966069655, kPowSlack);
    EXPECT_GT(0.5 - half.red, 2e-4);
    const RgbDouble white = ColorTransformSrgb(1.0, 1.0, 1.0, identity);
    EXPECT_DOUBLE_EQ(white.red, 1.0);
}

TEST(ColourTransformSrgb, NonFiniteValuesGiveOutputsInRange) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        float matrix[9];
        double in[3];
        double out[3];
    };
    const Case cases[] = {
        {"NaN matrix", {nan, nan, nan, nan, nan, nan, nan, nan, nan}, {0.5, 0.5, 0.5}, {0, 0, 0}},
        {"inf diagonal, mid grey", {inf, 0, 0, 0, inf, 0, 0, 0, inf}, {0.5, 0.5, 0.5}, {1, 1, 1}},
        // inf x 0 is NaN: a black input stays black.
        {"inf diagonal, black", {inf, 0, 0, 0, inf, 0, 0, 0, inf}, {0, 0, 0}, {0, 0, 0}},
        {"-inf rows", {-inf, 0, 0, 0, -inf, 0, 0, 0, -inf}, {1, 1, 1}, {0, 0, 0}},
        {"huge", {3e38f, 3e38f, 3e38f, -3e38f, -3e38f, 0, 0, 0, 1}, {1, 1, 1}, {1, 0, 1}},
        // 0 x NaN is NaN: one NaN component spoils every row.
        {"NaN input", {1, 0, 0, 0, 1, 0, 0, 0, 1}, {nan, 1.0, 0.0}, {0, 0, 0}},
        {"inputs beyond 0..1", {1, 0, 0, 0, 1, 0, 0, 0, 1}, {-5.0, 7.0, 2.0}, {0, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RgbDouble out = ColorTransformSrgb(c.in[0], c.in[1], c.in[2], c.matrix);
        EXPECT_DOUBLE_EQ(out.red, c.out[0]);
        EXPECT_DOUBLE_EQ(out.green, c.out[1]);
        EXPECT_DOUBLE_EQ(out.blue, c.out[2]);
    }
}

// --- packed 3D LUT ---

TEST(ColourPacked3DLut, BuildMatchesReferenceAndKeepsBits30And31) {
    for (std::size_t m = 0; m < std::size(colour_ref::kMatrices); ++m) {
        SCOPED_TRACE(m);
        Packed3DLut table;
        for (std::size_t k = 0; k < kPacked3DLutWords; ++k) {
            table.words[k] = static_cast<uint32_t>(k * 0x9E3779B9u);
        }
        Build3DLutFromMatrix(colour_ref::kMatrices[m], table);
        for (const auto& p : colour_ref::kLutPoints) {
            const uint32_t kept = static_cast<uint32_t>(p.index * 0x9E3779B9u) & 0xC0000000u;
            ASSERT_EQ(table.words[p.index], kept | p.word[m]) << "word " << p.index;
        }
    }
}

TEST(ColourPacked3DLut, NaNMatrixFillsZeroCodesAndKeepsTheTopBits) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float matrix[9] = {nan, nan, nan, nan, nan, nan, nan, nan, nan};
    Packed3DLut table;
    std::memset(table.words, 0xFF, sizeof table.words);
    Build3DLutFromMatrix(matrix, table);
    for (uint32_t w : table.words) {
        ASSERT_EQ(w, 0xC0000000u);
    }
}

TEST(ColourPacked3DLut, WordsAndCodes) {
    // Only the low 10 bits of a code count, as a .cube value of 1024 reads as 0.
    const uint32_t word = PackLutWord(0xFFFFFFFFu, {1024, 1023, 5});
    EXPECT_EQ(word, 0xC00FFC05u);
    const LutCodes codes = UnpackLutWord(word);
    EXPECT_EQ(codes.red, 0u);
    EXPECT_EQ(codes.green, 1023u);
    EXPECT_EQ(codes.blue, 5u);
    EXPECT_EQ(PackLutWord(0x3FFFFFFFu, {1, 2, 3}), 0x00100803u);
    EXPECT_EQ(PackLutWord(0x40000000u, {0, 0, 0}), 0x40000000u);

    const uint32_t identity[17] = {0,   63,  127, 191, 255, 319, 383, 447, 511,
                                   575, 639, 703, 767, 831, 895, 959, 1023};
    for (std::size_t k = 0; k < kLutGridPoints; ++k) {
        EXPECT_EQ(LutIdentityCode(k), identity[k]) << k;
    }

    const struct {
        double in;
        uint32_t code;
    } units[] = {{0.0, 0},
                 {0.5, 511},
                 {1.0, 1023},
                 {1023.9 / 1023.0, 1023},
                 {-1.0, 0},
                 {1e300, 1023},
                 {std::numeric_limits<double>::quiet_NaN(), 0},
                 {std::numeric_limits<double>::infinity(), 1023},
                 {-std::numeric_limits<double>::infinity(), 0}};
    for (const auto& u : units) {
        EXPECT_EQ(LutCodeFromUnit(u.in), u.code) << u.in;
    }
}

} // namespace
} // namespace varnet
