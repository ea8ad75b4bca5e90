// The pipeline model against pipelines whose effect is known.
#include <gtest/gtest.h>

#include <string>

#include "backend/cube_file_parser.h"
#include "backend/packed_3d_lut.h"
#include "common/driver_model.h"
#include "pipeline_model.h"

namespace varnet::colour {
namespace {

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

TEST(PipelineModel, MatrixGivesKnownOutputsAndStagesRunInOrder) {
    PipelineState s;
    s.matrix = {0.5, 0.25, 0.25, 0, 1, 0, 0, 0, 2};
    ExpectNear(ApplyPipeline(s, {0.4, 0.8, 0.3}), {0.475, 0.8, 0.6}, 1e-12, "matrix");
    ExpectNear(ApplyPipeline(s, {0, 0, 0.9}), {0.225, 0, 1.0}, 1e-12, "clamped above 1");
    s.matrix = {1, -1, 0, 0, 1, 0, 0, 0, 1};
    ExpectNear(ApplyPipeline(s, {0.2, 0.6, 0}), {0, 0.6, 0}, 1e-12, "clamped below 0");

    // The ramp holds red at 0.2, then the matrix swaps red and green, then the LUT halves
    // green: only the order ramp, matrix, LUT turns full red into green 0.1.
    PipelineState order = IdentityLut(17);
    order.rampSamples = 2;
    order.ramp = {0.2, 0.2, 0, 1, 0, 1};
    order.matrix = {0, 1, 0, 1, 0, 0, 0, 0, 1};
    for (std::size_t e = 1; e < order.lut.size(); e += 3) {
        order.lut[e] *= 0.5;
    }
    ExpectNear(ApplyPipeline(order, {1, 0, 0}), {0, 0.1, 0}, 1e-12, "order");
}

TEST(PipelineModel, RampInterpolatesBetweenItsSamples) {
    PipelineState s;
    s.rampSamples = 3;
    s.ramp = {0, 0.25, 1, 0, 0.5, 1, 1, 0.5, 0}; // blue falls
    ExpectNear(ApplyPipeline(s, {0.25, 0.75, 0.5}), {0.125, 0.75, 0.5}, 1e-12, "ramp");
    ExpectNear(ApplyPipeline(s, {1, 1, 1}), {1, 1, 0}, 1e-12, "ramp ends");
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

// A .cube of identity codes, through the library's reader and the driver's unpacking, is the
// identity to within a code.
TEST(PipelineModel, IdentityCubeFileThroughTheDriverIsTheIdentity) {
    std::string text;
    for (int b = 0; b < 17; ++b)
        for (int g = 0; g < 17; ++g)
            for (int r = 0; r < 17; ++r) {
                auto code = [](int k) { return std::to_string((k * 1023 + 8) / 16); };
                text += code(r) + " " + code(g) + " " + code(b) + "\n";
            }
    Packed3DLut packed;
    ASSERT_EQ(ParseCubeText(text, packed), CubeStatus::kOk);
    const sim::Lut3dState held = sim::UnpackLut3d(packed.words);
    PipelineState s;
    s.lutPoints = held.pointsPerAxis;
    s.lut = held.values;
    ASSERT_TRUE(PipelineUsable(s));
    for (const Rgb& p : kPixels) {
        ExpectNear(ApplyPipeline(s, p), p, 0.5 / 1023 + 1e-9, "identity .cube");
    }
}

} // namespace
} // namespace varnet::colour
