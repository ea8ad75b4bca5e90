// Colorimetry as the report uses it: panels round-trip their own primaries, an sRGB panel shows
// sRGB, and CIEDE2000 gives the published reference differences.
#include <gtest/gtest.h>

#include "chart_evaluation.h"
#include "colour_science.h"

namespace varnet::colour {
namespace {

TEST(ColourScience, PanelShowsItsOwnPrimariesAndWhite) {
    for (const Chromaticity& c :
         {kSrgbChromaticity, kDisplayP3Chromaticity,
          Chromaticity{{0.5615, 0.3359}, {0.3437, 0.5742}, {0.1630, 0.1259}, {0.2832, 0.3115}}}) {
        const PanelColour panel(c);
        const std::pair<Rgb, Xy> points[] = {
            {{1, 0, 0}, c.red}, {{0, 1, 0}, c.green}, {{0, 0, 1}, c.blue}, {{1, 1, 1}, c.white}};
        for (const auto& [code, want] : points) {
            const Xy got = panel.PanelXy(code);
            EXPECT_NEAR(got.x, want.x, 2e-4);
            EXPECT_NEAR(got.y, want.y, 2e-4);
        }
    }
}

TEST(ColourScience, SrgbPanelShowsSrgbAndWidePanelOversaturates) {
    const PanelColour srgb(kSrgbChromaticity);
    const PanelColour wide(kDisplayP3Chromaticity);
    for (const Patch& p : ColourCheckerPatches()) {
        const Rgb v{p.srgb[0] / 255.0, p.srgb[1] / 255.0, p.srgb[2] / 255.0};
        EXPECT_LT(DeltaE2000(srgb.SrgbLab(v), srgb.PanelLab(v)), 0.05) << p.name;
        const Rgb shown = srgb.PanelToSrgb(v);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(shown[c], v[c], 1e-3) << p.name;
        }
    }
    // Red sent unchanged to a wide-gamut panel is far from sRGB red; white stays white.
    EXPECT_GT(DeltaE2000(wide.SrgbLab({1, 0, 0}), wide.PanelLab({1, 0, 0})), 5.0);
    EXPECT_LT(DeltaE2000(wide.SrgbLab({1, 1, 1}), wide.PanelLab({1, 1, 1})), 0.05);
}

TEST(ColourScience, DeltaE2000MatchesPublishedPairs) {
    // Sharma, Wu and Dalal's CIEDE2000 test data, pairs 1, 7, 17 and 25.
    struct Case {
        Lab a, b;
        double want;
    } cases[] = {
        {{50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}, 2.0425},
        {{50.0, 0.0, 0.0}, {50.0, -1.0, 2.0}, 2.3669},
        {{50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}, 27.1492},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(DeltaE2000(c.a, c.b), c.want, 1e-4);
    }
}

TEST(ColourScience, ChartBeforeAndAfterAgreeOnlyWithoutAPipeline) {
    const PanelColour panel(kDisplayP3Chromaticity);
    const ChartResult neutral = EvaluateChart(panel, {});
    ASSERT_EQ(neutral.patches.size(), 24u + 11u);
    for (const PatchResult& p : neutral.patches) {
        EXPECT_EQ(p.before, p.after) << p.name;
        EXPECT_EQ(p.deltaEBefore, p.deltaEAfter) << p.name;
    }
    EXPECT_GT(neutral.after.mean, 2.0); // unmanaged sRGB on a P3 panel
    PipelineState grey;
    grey.matrix = {0.2126, 0.7152, 0.0722, 0.2126, 0.7152, 0.0722, 0.2126, 0.7152, 0.0722};
    const ChartResult luma = EvaluateChart(panel, grey);
    EXPECT_NE(luma.patches[14].after, luma.patches[14].before); // red
    EXPECT_NEAR(luma.patches[14].after[0], luma.patches[14].after[1], 1e-3);
    EXPECT_GT(luma.after.mean, neutral.after.mean);
}

} // namespace
} // namespace varnet::colour
