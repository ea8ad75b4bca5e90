#include "srgb_matrix.h"

#include <cmath>

#include "backend/color_transform_srgb.h"

namespace varnet::colour {

namespace {

constexpr double kFieldScale = 10000.0;
constexpr uint32_t kGridPoints = 17;
// An EDID's 10-bit coordinates move a primary by up to 0.0005, which alone bends the matrix by a
// few thousandths: a shortfall below half a percent of linear light still counts as covered.
constexpr double kGamutTolerance = 0.005;

} // namespace

PipelineState MatrixLutPipeline(const std::array<int32_t, 9>& fields) {
    float matrix[9];
    for (int e = 0; e < 9; ++e) {
        // As the library reads the fields.
        matrix[e] = static_cast<float>(static_cast<float>(fields[e]) / kFieldScale);
    }
    PipelineState state;
    state.lutPoints = kGridPoints;
    state.lut.resize(3 * kGridPoints * kGridPoints * kGridPoints);
    ColorTransformSrgbGrid(matrix, kGridPoints, [&](std::size_t entry, const RgbDouble& v) {
        state.lut[entry * 3] = v.red;
        state.lut[entry * 3 + 1] = v.green;
        state.lut[entry * 3 + 2] = v.blue;
    });
    return state;
}

SrgbSuggestion SuggestSrgbMatrix(const Chromaticity& chromaticity) {
    const PanelColour panel(chromaticity);
    SrgbSuggestion s;
    s.exact = panel.SrgbToPanelLinear();
    for (int e = 0; e < 9; ++e) {
        s.fields[e] = static_cast<int32_t>(std::lround(s.exact[e] * kFieldScale));
        s.coversSrgb = s.coversSrgb && s.exact[e] >= -kGamutTolerance;
    }
    for (const Patch& patch : ColourCheckerPatches()) {
        const Rgb linear = panel.PanelLinearOf(
            {patch.srgb[0] / 255.0, patch.srgb[1] / 255.0, patch.srgb[2] / 255.0});
        for (double v : linear) {
            if (v < -kGamutTolerance || v > 1.0 + kGamutTolerance) {
                s.unreachable.emplace_back(patch.name);
                break;
            }
        }
    }
    s.chart = EvaluateChart(panel, MatrixLutPipeline(s.fields));
    return s;
}

} // namespace varnet::colour
