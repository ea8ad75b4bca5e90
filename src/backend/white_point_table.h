// White points: per-channel gains that tint a gamma ramp by resampling it. Shared by both
// back-ends' SetGammaRampData and by the CUI back-end's SetColorTempGamnmaLUT.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varnet {

inline constexpr std::size_t kWhitePointCount = 5;
// Row 2 is all ones; SetGammaRampData loads the ramp without applying it at all.
inline constexpr int32_t kNeutralWhitePoint = 2;

// Red, green and blue gains for white point indices 0 to 4.
inline constexpr float WhitePointTable[kWhitePointCount][3] = {
    {1.0168f, 0.9984f, 0.9660f}, {1.0081f, 0.9993f, 0.9826f}, {1.0f, 1.0f, 1.0f},
    {0.9916f, 1.0011f, 1.0142f}, {0.9843f, 1.0016f, 1.03f},
};

// Builds out from source for a white point: the row's gains are divided by the largest, and
// out[c][i] = min(source[c][min(trunc(i * gain_c), 255)], gammaMax), the product in single
// precision. Index 2 is applied like any other (the source limited to gammaMax). An index
// outside 0..4 is refused: returns false and leaves out untouched. source and out may be the
// same buffer.
bool ApplyWhitePoint(const uint16_t* source, int32_t whitePointIndex, uint32_t gammaMax,
                     uint16_t* out);

} // namespace varnet
