// The 3 x 3 matrix that makes a panel show sRGB through the library's matrix-built 3D LUT, as
// the integer fields a mode's parameter list holds, and how close it gets.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chart_evaluation.h"

namespace varnet::colour {

struct SrgbSuggestion {
    Matrix3 exact{};                      // sRGB linear to panel linear, white kept white
    std::array<int32_t, 9> fields{};      // fields 28-36: the matrix in units of 1/10000
    bool coversSrgb = true;               // every sRGB colour lies inside the panel's gamut
    std::vector<std::string> unreachable; // chart patches the panel cannot show
    ChartResult chart;                    // the chart through the LUT the library would build
};

SrgbSuggestion SuggestSrgbMatrix(const Chromaticity& panel);

// The 17-point 3D LUT the library builds from a mode's matrix fields.
PipelineState MatrixLutPipeline(const std::array<int32_t, 9>& fields);

} // namespace varnet::colour
