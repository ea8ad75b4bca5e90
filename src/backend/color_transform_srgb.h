// The colour transform behind matrix-built 3D LUTs: sRGB decode, a 3 x 3 matrix on the linear
// values, and an encode whose exponent is 0.417 rather than 1 / 2.4. Shared by the CUI
// back-end's Build3DLut and the IGCL back-end's Set3DLutParams.
#pragma once

#include <cmath>
#include <cstddef>

namespace varnet {

struct RgbDouble {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// matrix: nine floats, row order (out_red = m0 R + m1 G + m2 B, ...). The result is always in
// 0.0..1.0: a row that comes out negative or NaN (from a NaN or infinite matrix or input) gives
// 0, one above 1 after the encode gives 1.
RgbDouble ColorTransformSrgb(double red, double green, double blue, const float* matrix);

// The sRGB decode of grid coordinate k / 16, k = 0..16, worked out once per process: on the
// grid the decode has only these 17 results.
const double* SrgbGridDecode();

// 1.055 (1 + 1e-9)^0.417 - 0.055 is 1 + 4.4e-10, a million times the power's rounding.
inline constexpr double kSurelyEncodesAboveOne = 1.0 + 1e-9;

// The encode of one row's linear value, limited: below 0 or NaN gives 0, above 1 after the
// encode gives 1. The exponent is 0.417, not 1 / 2.4: the panels' matrices were tuned through
// this encode, so keep it. Inline: the grid loops call it 14,739 times a table.
inline double EncodeSrgbLimited(double v) {
    if (!(v > 0.0031308)) {
        // The straight part, never below 0 (a row of -0 stays -0); NaN becomes 0 as well.
        return !(v >= 0.0) ? 0.0 : v * 12.92;
    }
    // Far enough above 1 that the power, whatever its last bit, puts the encode above 1, which
    // is limited to 1: the power is not needed.
    if (v > kSurelyEncodesAboveOne) {
        return 1.0;
    }
    // On the curved part the encode is above 0.04.
    const double encoded = 1.055 * std::pow(v, 0.417) - 0.055;
    return encoded > 1.0 ? 1.0 : encoded;
}

// One row of the transform on already decoded inputs, the matrix elements already widened:
// the matrix product, the limit and the encode of ColorTransformSrgb.
inline double EncodeSrgbRow(double m0, double m1, double m2, double r, double g, double b) {
    return EncodeSrgbLimited(m0 * r + m1 * g + m2 * b);
}

// The three linear row values (matrix times decoded input, before the encode) of every grid
// point (i / 16, j / 16, k / 16), i, j, k < points (at most 17), red index outermost:
// store(entry, r, g, b) with entry = (i * points + j) * points + k. The sums are those of
// EncodeSrgbRow, in its order, with the part that does not depend on k hoisted.
template <typename Store>
void SrgbLinearRowsGrid(const float* matrix, std::size_t points, Store&& store) {
    const double* decoded = SrgbGridDecode();
    double m[9];
    for (int e = 0; e < 9; ++e) {
        m[e] = static_cast<double>(matrix[e]);
    }
    std::size_t entry = 0;
    for (std::size_t i = 0; i < points; ++i) {
        const double r = decoded[i];
        for (std::size_t j = 0; j < points; ++j) {
            const double g = decoded[j];
            const double red = m[0] * r + m[1] * g;
            const double green = m[3] * r + m[4] * g;
            const double blue = m[6] * r + m[7] * g;
            for (std::size_t k = 0; k < points; ++k) {
                const double b = decoded[k];
                store(entry++, red + m[2] * b, green + m[5] * b, blue + m[8] * b);
            }
        }
    }
}

// ColorTransformSrgb of every grid point, in the order of SrgbLinearRowsGrid:
// store(entry, RgbDouble). The same numbers as point-by-point calls.
template <typename Store>
void ColorTransformSrgbGrid(const float* matrix, std::size_t points, Store&& store) {
    SrgbLinearRowsGrid(matrix, points, [&](std::size_t entry, double r, double g, double b) {
        store(entry, RgbDouble{EncodeSrgbLimited(r), EncodeSrgbLimited(g), EncodeSrgbLimited(b)});
    });
}

} // namespace varnet
