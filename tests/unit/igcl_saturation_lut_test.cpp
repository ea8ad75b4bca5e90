// The partial-saturation LUT against numbers worked out apart from this code, with a separate
// script that follows the same formulas step by step.
#include <gtest/gtest.h>

#include <vector>

#include "igcl/partial_saturation_lut.h"

namespace varnet::igcl {
namespace {

// In hue order: red, yellow, green, cyan, blue, magenta.
struct Gains {
    double v[kHueSectorCount];
};
constexpr Gains kNeutral = {{1, 1, 1, 1, 1, 1}};
constexpr Gains kRedBoost = {{2, 1, 1, 1, 1, 1}};    // weight 50 on red
constexpr Gains kYellowBoost = {{1, 2, 1, 1, 1, 1}}; // weight 50 on yellow
constexpr Gains kRedCut = {{0, 1, 1, 1, 1, 1}};      // weight -50 on red

void ExpectNear(const ctl_pixtx_3dlut_sample_t& got, const ctl_pixtx_3dlut_sample_t& want,
                double tolerance) {
    EXPECT_NEAR(got.Red, want.Red, tolerance);
    EXPECT_NEAR(got.Green, want.Green, tolerance);
    EXPECT_NEAR(got.Blue, want.Blue, tolerance);
}

TEST(PartialSaturationLut, SectorsStartAtTheHuesOfThePrimariesAndSecondaries) {
    const ctl_pixtx_3dlut_sample_t colours[kHueSectorCount] = {{1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                                               {0, 1, 1}, {0, 0, 1}, {1, 0, 1}};
    for (std::size_t s = 0; s < kHueSectorCount; ++s) {
        EXPECT_NEAR(CielabHue(colours[s].Red, colours[s].Green, colours[s].Blue), HueSectorStart[s],
                    1e-9)
            << s;
    }
}

TEST(PartialSaturationLut, PointsAgainstWorkedNumbers) {
    struct Case {
        const char* what;
        Gains gains;
        ctl_pixtx_3dlut_sample_t in;
        ctl_pixtx_3dlut_sample_t out;
    };
    const std::vector<Case> cases = {
        // Between magenta and red: the gain is interpolated, then held back by the chroma.
        {"pale red", kRedBoost, {0.6, 0.5, 0.5}, {0.636700787541, 0.484341950138, 0.484363453527}},
        {"dark red",
         kRedBoost,
         {0.5, 0.25, 0.25},
         {0.541003554393, 0.232507514421, 0.232521109423}},
        {"orange", kRedBoost, {0.6, 0.55, 0.45}, {0.608912298131, 0.549316150447, 0.430144168918}},
        {"fade-in chroma",
         kRedBoost,
         {0.503, 0.5, 0.5},
         {0.503001090615, 0.499997542262, 0.500009741868}},
        // Past yellow and before magenta the red weight has tapered to nothing; what is left is
        // the YUV round trip.
        {"past yellow", kRedBoost, {0.6, 0.6, 0.5}, {0.59999943983, 0.5999977915, 0.50001219666}},
        {"before magenta",
         kRedBoost,
         {0.55, 0.5, 0.55},
         {0.550000052585, 0.499997739775, 0.550010941335}},
        {"vivid red not boosted", kRedBoost, {1, 0, 0}, {0.99999545, 0.0, 0.0000156557}},
        {"vivid red cut to grey", kRedCut, {1, 0, 0}, {0.299, 0.299, 0.299}},
        {"pale red cut",
         kRedCut,
         {0.6, 0.5, 0.5},
         {0.548944557363, 0.521776156404, 0.521779990856}},
        {"yellow weight",
         kYellowBoost,
         {0.6, 0.6, 0.5},
         {0.608982034097, 0.608979086907, 0.430206284591}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectNear(AdjustSaturation(c.in, c.gains.v), c.out, 1e-9);
    }
}

TEST(PartialSaturationLut, GreysNeverChange) {
    for (const Gains& g : {kRedBoost, kRedCut, kYellowBoost}) {
        for (double v : {0.0, 0.0625, 0.5, 1.0}) {
            const ctl_pixtx_3dlut_sample_t grey = {v, v, v};
            ExpectNear(AdjustSaturation(grey, g.v), grey, 0.0);
        }
    }
}

TEST(PartialSaturationLut, NeutralGainsGiveTheIdentityOverTheWholeRange) {
    for (uint32_t n : {17u, 5u, 2u, 1u}) {
        SCOPED_TRACE(n);
        std::vector<ctl_pixtx_3dlut_sample_t> table(std::size_t{n} * n * n, {0.3, 0.3, 0.9});
        ASSERT_EQ(GeneratePartialSaturationLut(table.data(), n, kNeutral.v), CTL_RESULT_SUCCESS);
        const double step = n > 1 ? 1.0 / (n - 1) : 0.0;
        for (uint32_t i = 0; i < n; ++i) {
            for (uint32_t j = 0; j < n; ++j) {
                for (uint32_t k = 0; k < n; ++k) {
                    ExpectNear(table[(i * n + j) * n + k], {i * step, j * step, k * step}, 1e-12);
                }
            }
        }
    }
}

TEST(PartialSaturationLut, SizesOutsideTheGridAreRefusedUntouched) {
    std::vector<ctl_pixtx_3dlut_sample_t> table(1, {0.7, 0.2, 0.1});
    EXPECT_EQ(GeneratePartialSaturationLut(table.data(), 0, kRedBoost.v), CTL_RESULT_SUCCESS);
    EXPECT_EQ(GeneratePartialSaturationLut(table.data(), 18, kRedBoost.v),
              CTL_RESULT_ERROR_INVALID_SIZE);
    EXPECT_EQ(GeneratePartialSaturationLut(table.data(), 18, kNeutral.v),
              CTL_RESULT_ERROR_INVALID_SIZE);
    ExpectNear(table[0], {0.7, 0.2, 0.1}, 0.0);
    EXPECT_EQ(GeneratePartialSaturationLut(nullptr, 17, kNeutral.v),
              CTL_RESULT_ERROR_INVALID_NULL_POINTER);
}

} // namespace
} // namespace varnet::igcl
