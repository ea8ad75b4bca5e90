// Words of a packed 3D LUT (three 10-bit outputs, bits 30 and 31 left to their owner), grid
// coordinates, and the fill of a table from a colour matrix.
#pragma once

#include <cstddef>
#include <cstdint>

#include "backend/graphics_types.h"

namespace varnet {

inline constexpr uint32_t kLutCodeMask = 0x3FF;          // one 10-bit output
inline constexpr uint32_t kLutKeptBitsMask = 0xC0000000; // bits 30 and 31, never rewritten
inline constexpr uint32_t kLutMaxCode = 1023;
inline constexpr unsigned kLutRedShift = 20;
inline constexpr unsigned kLutGreenShift = 10;

struct LutCodes {
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
};

// Word index of grid point (r, g, b), indices 0..16: blue fastest.
constexpr std::size_t LutIndex(std::size_t r, std::size_t g, std::size_t b) {
    return (r * kLutGridPoints + g) * kLutGridPoints + b;
}

// Grid coordinate of index k on an axis: k / 16 (1.0 at k = 16 on the 17-point grid).
constexpr double LutGridCoordinate(std::size_t k) {
    return static_cast<double>(k) / 16.0;
}

// The identity output code of index k: trunc(k / 16 * 1023), so 0, 63, 127 ... 1023.
constexpr uint32_t LutIdentityCode(std::size_t k) {
    return static_cast<uint32_t>(LutGridCoordinate(k) * 1023.0);
}

// The word that replaces previous: bits 30 and 31 from previous, and the low 10 bits of each
// code (a code of 1024 becomes 0).
constexpr uint32_t PackLutWord(uint32_t previous, LutCodes codes) {
    return (previous & kLutKeptBitsMask) | ((codes.red & kLutCodeMask) << kLutRedShift) |
           ((codes.green & kLutCodeMask) << kLutGreenShift) | (codes.blue & kLutCodeMask);
}

constexpr LutCodes UnpackLutWord(uint32_t word) {
    return {(word >> kLutRedShift) & kLutCodeMask, (word >> kLutGreenShift) & kLutCodeMask,
            word & kLutCodeMask};
}

// An output of 0.0..1.0 as a code: times 1023, truncated, at most 1023. Anything below 0 or
// NaN gives 0 (the conversion of such a value to an integer would be undefined).
uint32_t LutCodeFromUnit(double v);

// Build3DLut: every grid point through ColorTransformSrgb with matrix (nine floats, row order),
// red index outermost, each word packed with its bits 30 and 31 kept.
void Build3DLutFromMatrix(const float* matrix, Packed3DLut& table);

} // namespace varnet
