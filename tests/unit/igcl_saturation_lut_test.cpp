// The partial-saturation LUT against numbers worked out apart from this code, with a separate
// script that follows the same formulas step by step.
#include <gtest/gtest.h>

#include <vector>

#include "igcl/partial_saturation_lut.h"

namespace varnet::igcl {
namespace {

using Sample = ctl_pixtx_3dlut_sample_t;

// In hue order: red, yellow, green, cyan, blue, magenta.
struct Gains {
    double v[kHueSectorCount];
};
constexpr Gains kNeutral = {{1, 1, 1, 1, 1, 1}};
constexpr Gains kRedUp = {{2, 1, 1, 1, 1, 1}};    // weight 50 on red
constexpr Gains kRedDown = {{0, 1, 1, 1, 1, 1}};  // weight -50 on red
constexpr Gains kYellowUp = {{1, 2, 1, 1, 1, 1}}; // weight 50 on yellow

void ExpectNear(const Sample& got, const Sample& want, double tolerance) {
    EXPECT_NEAR(got.Red, want.Red, tolerance);
    EXPECT_NEAR(got.Green, want.Green, tolerance);
    EXPECT_NEAR(got.Blue, want.Blue, tolerance);
}

TEST(PartialSaturationLut, PointsAgainstWorkedNumbers) {
    struct Case {
        Gains gains;
        Sample in;
        Sample out;
    };
    const std::vector<Case> cases = {
        // Between magenta and red the gain is interpolated, then held back by the chroma.
        {kRedUp, {0.6, 0.5, 0.5}, {0.636700787541, 0.484341950138, 0.484363453527}},
        {kRedUp, {0.5, 0.25, 0.25}, {0.541003554393, 0.232507514421, 0.232521109423}},
        {kRedUp, {0.6, 0.55, 0.45}, {0.608912298131, 0.549316150447, 0.430144168918}},
        {kRedUp, {0.503, 0.5, 0.5}, {0.503001090615, 0.499997542262, 0.500009741868}}, // fade-in
        // Past yellow and before magenta only the YUV round trip is left.
        {kRedUp, {0.6, 0.6, 0.5}, {0.59999943983, 0.5999977915, 0.50001219666}},
        {kRedUp, {0.55, 0.5, 0.55}, {0.550000052585, 0.499997739775, 0.550010941335}},
        {kRedUp, {1, 0, 0}, {0.99999545, 0.0, 0.0000156557}}, // vivid: never boosted...
        {kRedDown, {1, 0, 0}, {0.299, 0.299, 0.299}},         // ...but reduced
        {kRedDown, {0.6, 0.5, 0.5}, {0.548944557363, 0.521776156404, 0.521779990856}},
        {kYellowUp, {0.6, 0.6, 0.5}, {0.608982034097, 0.608979086907, 0.430206284591}},
        {kRedUp, {0.25, 0.25, 0.25}, {0.25, 0.25, 0.25}}, // greys never change
        {kRedDown, {1, 1, 1}, {1, 1, 1}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(k);
        ExpectNear(AdjustSaturation(cases[k].in, cases[k].gains.v), cases[k].out, 1e-9);
    }
    // The sectors start at the hues of the primaries and secondaries.
    const Sample starts[kHueSectorCount] = {{1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                            {0, 1, 1}, {0, 0, 1}, {1, 0, 1}};
    for (std::size_t s = 0; s < kHueSectorCount; ++s) {
        EXPECT_NEAR(CielabHue(starts[s].Red, starts[s].Green, starts[s].Blue), HueSectorStart[s],
                    1e-9);
    }
}

TEST(PartialSaturationLut, NeutralGainsGiveTheIdentityOverTheWholeRange) {
    for (uint32_t n : {17u, 5u, 1u}) {
        SCOPED_TRACE(n);
        std::vector<Sample> table(std::size_t{n} * n * n, {0.3, 0.3, 0.9});
        ASSERT_EQ(GeneratePartialSaturationLut(table.data(), n, kNeutral.v), CTL_RESULT_SUCCESS);
        const double step = n > 1 ? 1.0 / (n - 1) : 0.0;
        for (std::size_t e = 0; e < table.size(); ++e) {
            ExpectNear(table[e], {e / (n * n) * step, e / n % n * step, e % n * step}, 1e-12);
        }
    }
    std::vector<Sample> one(1, {0.7, 0.2, 0.1});
    EXPECT_EQ(GeneratePartialSaturationLut(one.data(), 0, kRedUp.v), CTL_RESULT_SUCCESS);
    EXPECT_EQ(GeneratePartialSaturationLut(one.data(), 18, kNeutral.v),
              CTL_RESULT_ERROR_INVALID_SIZE);
    ExpectNear(one[0], {0.7, 0.2, 0.1}, 0.0);
}

} // namespace
} // namespace varnet::igcl
