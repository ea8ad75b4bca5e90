// What the driver's pixel pipeline does to one pixel: the 1D LUT (gamma ramp), then the 3 x 3
// matrix, then the 3D LUT (trilinear between its grid points). The result is the code value the
// panel receives; PanelColour says what the panel then shows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "colour_types.h"

namespace varnet::colour {

struct PipelineState {
    // Channel-major samples 0..1, uniformly spaced over the input; empty: identity.
    uint32_t rampSamples = 0;
    std::vector<double> ramp; // 3 x rampSamples
    Matrix3 matrix = kIdentity3;
    // pointsPerAxis^3 triples, red index outermost, blue innermost; grid value i / (N - 1).
    // Absent: no 3D LUT in effect.
    uint32_t lutPoints = 0;
    std::vector<double> lut;
};

// Whether the state's tables are complete; a state that is not leaves pixels as they are.
bool PipelineUsable(const PipelineState& state);

// in: code values 0..1. Every stage clamps to 0..1, as the hardware's fixed-point stages do.
Rgb ApplyPipeline(const PipelineState& state, const Rgb& in);

} // namespace varnet::colour
