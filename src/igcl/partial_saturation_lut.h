// The six-sector "partial saturation" as a 3D LUT: every colour's chroma is scaled by a gain
// that depends on its CIELAB hue, interpolated between the gains of the sRGB primaries and
// secondaries, and held back for colours that are already vivid.
#pragma once

#include <cstddef>
#include <cstdint>

#include "igcl/igcl_api.h"

namespace varnet::igcl {

inline constexpr std::size_t kHueSectorCount = 6;

// Where each hue sector starts, as a fraction of a full turn, in the order red, yellow, green,
// cyan, blue, magenta: the CIELAB hues of the sRGB primaries and secondaries.
inline constexpr double HueSectorStart[kHueSectorCount] = {
    0.1111109784806705, 0.28571682845597457, 0.37782403959790056,
    0.5455264277978606, 0.8507900653829615,  0.9117427425126027,
};

// The LUT's data model is a grid of at most 17 points per axis (coordinates i / 16).
inline constexpr uint32_t kMaxLutPointsPerAxis = 17;
inline constexpr std::size_t kMaxLutEntries =
    std::size_t{kMaxLutPointsPerAxis} * kMaxLutPointsPerAxis * kMaxLutPointsPerAxis;

// The CIELAB (D65) hue angle of an sRGB colour as a fraction of a turn, in [0, 1).
double CielabHue(double red, double green, double blue);

// One colour with the sector gains applied (gains in hue order red, yellow, green, cyan, blue,
// magenta). Greys come back unchanged; outputs are clamped to 0.0..1.0 (NaN gives 0.0).
ctl_pixtx_3dlut_sample_t AdjustSaturation(const ctl_pixtx_3dlut_sample_t& colour,
                                          const double (&gains)[kHueSectorCount]);

// Rewrites table (pointsPerAxis^3 triples, red index outermost) in place. With every gain
// exactly 1.0 the table becomes the identity over i / (N - 1) (a single point gives 0.0);
// otherwise every triple is adjusted where it stands. Returns CTL_RESULT_SUCCESS, or
// CTL_RESULT_ERROR_INVALID_SIZE for more than 17 points per axis (nothing touched), or
// CTL_RESULT_ERROR_INVALID_NULL_POINTER when a buffer is missing or cannot be allocated.
ctl_result_t GeneratePartialSaturationLut(ctl_pixtx_3dlut_sample_t* table, uint32_t pointsPerAxis,
                                          const double (&gains)[kHueSectorCount]);

} // namespace varnet::igcl
