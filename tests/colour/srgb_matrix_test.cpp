// The sRGB matrix of a panel: identity for an sRGB panel, the known sRGB-to-P3 matrix for a P3
// panel, and a narrow panel reported as not covering sRGB.
#include <gtest/gtest.h>

#include "srgb_matrix.h"

namespace varnet::colour {
namespace {

TEST(SrgbMatrix, SrgbPanelNeedsTheIdentity) {
    const SrgbSuggestion s = SuggestSrgbMatrix(kSrgbChromaticity);
    const int32_t identity[9] = {10000, 0, 0, 0, 10000, 0, 0, 0, 10000};
    for (int e = 0; e < 9; ++e) {
        EXPECT_NEAR(s.fields[e], identity[e], 2) << e;
    }
    EXPECT_TRUE(s.coversSrgb);
    EXPECT_TRUE(s.unreachable.empty());
    // What is left is the library transform's 0.417 encode and the 17-point grid.
    EXPECT_LT(s.chart.after.mean, 0.5);
}

TEST(SrgbMatrix, WideGamutPanelGetsTheSrgbToP3MatrixAndComesCloseToSrgb) {
    const SrgbSuggestion s = SuggestSrgbMatrix(kDisplayP3Chromaticity);
    const double want[9] = {0.8225, 0.1774, 0.0, 0.0332, 0.9669, 0.0, 0.0171, 0.0724, 0.9108};
    for (int e = 0; e < 9; ++e) {
        EXPECT_NEAR(s.exact[e], want[e], 5e-4) << e;
    }
    for (int r = 0; r < 3; ++r) { // white stays white
        EXPECT_NEAR(s.exact[r * 3] + s.exact[r * 3 + 1] + s.exact[r * 3 + 2], 1.0, 1e-6);
    }
    EXPECT_TRUE(s.coversSrgb);
    EXPECT_GT(s.chart.before.mean, 2.0);
    EXPECT_LT(s.chart.after.mean, 2.0);
}

TEST(SrgbMatrix, NarrowPanelIsReportedWithThePatchesItCannotReach) {
    // A 45%-NTSC class panel (AU Optronics AUO0290's EDID).
    const Chromaticity narrow{
        {0.5615, 0.3359}, {0.3437, 0.5742}, {0.1630, 0.1259}, {0.3134, 0.3291}};
    const SrgbSuggestion s = SuggestSrgbMatrix(narrow);
    EXPECT_FALSE(s.coversSrgb);
    EXPECT_FALSE(s.unreachable.empty());
    for (const std::string& name : s.unreachable) {
        EXPECT_EQ(name.find("neutral"), std::string::npos) << name; // greys are always reachable
    }
    EXPECT_NE(std::find(s.unreachable.begin(), s.unreachable.end(), "cyan"), s.unreachable.end());
}

} // namespace
} // namespace varnet::colour
