// Plain colour values shared by the pipeline model, the colour science and the report.
#pragma once

#include <array>

namespace varnet::colour {

// Red, green, blue; code values 0..1 unless said otherwise.
using Rgb = std::array<double, 3>;

// CIE 1931 chromaticity coordinates.
struct Xy {
    double x = 0.0;
    double y = 0.0;
};

// CIELAB, D50-relative (the profile connection space's white).
struct Lab {
    double L = 0.0;
    double a = 0.0;
    double b = 0.0;
};

// A panel's primaries and white point, as its EDID gives them.
struct Chromaticity {
    Xy red, green, blue, white;
};

// sRGB's own primaries and D65 white.
inline constexpr Chromaticity kSrgbChromaticity{
    {0.640, 0.330}, {0.300, 0.600}, {0.150, 0.060}, {0.3127, 0.3290}};
// DCI-P3 primaries with the D65 white (the gamut of most wide-gamut laptop panels).
inline constexpr Chromaticity kDisplayP3Chromaticity{
    {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, {0.3127, 0.3290}};

// Row-major 3 x 3 matrix: out[r] = m[3r] in[0] + m[3r+1] in[1] + m[3r+2] in[2].
using Matrix3 = std::array<double, 9>;
inline constexpr Matrix3 kIdentity3{1, 0, 0, 0, 1, 0, 0, 0, 1};

} // namespace varnet::colour
