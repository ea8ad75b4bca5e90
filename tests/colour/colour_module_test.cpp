// The tool's colour module: the pipeline model, EDID chromaticity, colorimetry and the sRGB
// matrix, against cases whose answers are known.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "colour_science.h"
#include "edid_chromaticity.h"
#include "pipeline_model.h"
#include "srgb_matrix.h"

namespace varnet::colour {
namespace {

// The pipeline model against pipelines whose effect is known.
const Rgb kPixels[] = {{0, 0, 0},       {1, 1, 1},      {0.5, 0.5, 0.5},    {1, 0, 0},
                       {0.2, 0.7, 0.9}, {0.03, 0.5, 1}, {0.999, 0.001, 0.4}};

void ExpectNear(const Rgb& got, const Rgb& want, double tolerance, const std::string& what) {
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(got[c], want[c], tolerance) << what << " channel " << c;
    }
}

PipelineState IdentityLut(uint32_t n) {
    PipelineState s;
    s.lutPoints = n;
    for (uint32_t i = 0; i < n; ++i)
        for (uint32_t j = 0; j < n; ++j)
            for (uint32_t k = 0; k < n; ++k)
                for (uint32_t v : {i, j, k})
                    s.lut.push_back(static_cast<double>(v) / (n - 1));
    return s;
}

TEST(PipelineModel, IdentityStagesLeaveEveryPixelUnchanged) {
    PipelineState ramp;
    ramp.rampSamples = 256;
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 256; ++i)
            ramp.ramp.push_back(i / 255.0);
    struct Case {
        const char* name;
        PipelineState state;
    } cases[] = {{"nothing set", {}},
                 {"identity ramp", ramp},
                 {"identity 17-point LUT", IdentityLut(17)},
                 {"identity 5-point LUT", IdentityLut(5)}};
    for (const Case& c : cases) {
        for (const Rgb& p : kPixels) {
            // Trilinear interpolation of a linear table is exact.
            ExpectNear(ApplyPipeline(c.state, p), p, 1e-12, c.name);
        }
    }
}

TEST(PipelineModel, StagesGiveKnownOutputsAndRunInOrder) {
    PipelineState matrix;
    matrix.matrix = {0.5, 0.25, 0.25, 0, 1, 0, 0, 0, 2};
    PipelineState negative;
    negative.matrix = {1, -1, 0, 0, 1, 0, 0, 0, 1};
    PipelineState ramp;
    ramp.rampSamples = 3;
    ramp.ramp = {0, 0.25, 1, 0, 0.5, 1, 1, 0.5, 0}; // blue falls
    // The ramp holds red at 0.2, then the matrix swaps red and green, then the LUT halves
    // green: only the order ramp, matrix, LUT turns full red into green 0.1.
    PipelineState order = IdentityLut(17);
    order.rampSamples = 2;
    order.ramp = {0.2, 0.2, 0, 1, 0, 1};
    order.matrix = {0, 1, 0, 1, 0, 0, 0, 0, 1};
    for (std::size_t e = 1; e < order.lut.size(); e += 3) {
        order.lut[e] *= 0.5;
    }
    struct Case {
        const char* name;
        const PipelineState& state;
        Rgb in, want;
    } cases[] = {
        {"matrix", matrix, {0.4, 0.8, 0.3}, {0.475, 0.8, 0.6}},
        {"clamped above 1", matrix, {0, 0, 0.9}, {0.225, 0, 1.0}},
        {"clamped below 0", negative, {0.2, 0.6, 0}, {0, 0.6, 0}},
        {"ramp between samples", ramp, {0.25, 0.75, 0.5}, {0.125, 0.75, 0.5}},
        {"ramp ends", ramp, {1, 1, 1}, {1, 1, 0}},
        {"order", order, {1, 0, 0}, {0, 0.1, 0}},
    };
    for (const Case& c : cases) {
        ExpectNear(ApplyPipeline(c.state, c.in), c.want, 1e-12, c.name);
    }
}

TEST(PipelineModel, IncompleteTablesAreNotUsed) {
    PipelineState shortLut = IdentityLut(17);
    shortLut.lut.pop_back();
    for (double& v : shortLut.lut) {
        v = 0.0;
    }
    PipelineState shortRamp;
    shortRamp.rampSamples = 256;
    shortRamp.ramp.assign(700, 0.0);
    for (const PipelineState* s : {&shortLut, &shortRamp}) {
        EXPECT_FALSE(PipelineUsable(*s));
        ExpectNear(ApplyPipeline(*s, {0.3, 0.6, 0.9}), {0.3, 0.6, 0.9}, 0, "incomplete");
    }
}

// EDID chromaticity from real panels' EDIDs, and the blocks and files that are not EDIDs.
std::string ReadText(const std::string& name) {
    std::ifstream in(std::string(VARNET_SOURCE_DIR) + "/tests/data/edids/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> Edid(const std::string& name) {
    std::string error;
    auto bytes = DecodeEdidFile(ReadText(name), &error);
    EXPECT_TRUE(bytes) << name << ": " << error;
    return bytes ? *bytes : std::vector<uint8_t>{};
}

// Expected values decoded by hand from bytes 25 to 34 (ten bits each, / 1024).
TEST(EdidChromaticity, RealPanelsGiveTheirPrimariesAndWhite) {
    struct Case {
        const char* file;
        Chromaticity want;
    } cases[] = {
        {"AU_Optronics-AUO00C9-282FE3AB9B85.hex",
         {{0.63672, 0.33984}, {0.29688, 0.61035}, {0.14648, 0.07129}, {0.31348, 0.32910}}},
        {"AU_Optronics-AUO0290-5D04A3CC45EE.hex",
         {{0.56152, 0.33594}, {0.34375, 0.57422}, {0.16309, 0.12598}, {0.31348, 0.32910}}},
        {"InfoVision-IVO03F4-79BBB13AC93C.hex",
         {{0.58496, 0.36523}, {0.31641, 0.55859}, {0.14746, 0.10254}, {0.28320, 0.31152}}},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto got = ReadEdidChromaticity(Edid(c.file), &error);
        ASSERT_TRUE(got) << c.file << ": " << error;
        const Xy* g[] = {&got->red, &got->green, &got->blue, &got->white};
        const Xy* w[] = {&c.want.red, &c.want.green, &c.want.blue, &c.want.white};
        for (int p = 0; p < 4; ++p) {
            EXPECT_NEAR(g[p]->x, w[p]->x, 1e-5) << c.file << " point " << p;
            EXPECT_NEAR(g[p]->y, w[p]->y, 1e-5) << c.file << " point " << p;
        }
    }
}

TEST(EdidChromaticity, BinaryAndHexFormsReadTheSame) {
    const std::vector<uint8_t> edid = Edid("PANDA-NCP0000-2B474B276330.hex");
    ASSERT_EQ(edid.size(), 128u);
    std::string error;
    const auto binary = DecodeEdidFile(std::string(edid.begin(), edid.end()), &error);
    ASSERT_TRUE(binary);
    EXPECT_EQ(*binary, edid);
    const auto dashed = DecodeEdidFile("00-FF:ff ff\nFF FF FF 00", &error);
    ASSERT_TRUE(dashed);
    EXPECT_EQ(dashed->size(), 8u);
}

TEST(EdidChromaticity, WhatIsNotAnEdidIsRefusedWithAReason) {
    std::vector<uint8_t> good = Edid("PANDA-NCP0000-2B474B276330.hex");
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 100);
    std::vector<uint8_t> badSum = good;
    badSum[30] ^= 0x10;
    std::vector<uint8_t> noHeader = good;
    noHeader[1] = 0;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"truncated", truncated, "128"},
        {"checksum", badSum, "checksum"},
        {"header", noHeader, "header"},
        // A real panel that leaves its chromaticity bytes at zero.
        {"no primaries", Edid("LG_Display-LGD0000-F142B4697222.hex"), "primaries"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadEdidChromaticity(c.bytes, &error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
    }
    for (const char* text : {"hello, this is not hex", "00 ff f", "\x01\x02\x03garbage"}) {
        std::string error;
        EXPECT_FALSE(DecodeEdidFile(text, &error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

// Colorimetry as the report uses it: panels round-trip their own primaries, an sRGB panel shows
// sRGB, and CIEDE2000 gives the published reference differences.
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

// The sRGB matrix of a panel: identity for an sRGB panel, the known sRGB-to-P3 matrix for a P3
// panel (a narrow one is the report suite's, read from a real EDID).
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

} // namespace
} // namespace varnet::colour
