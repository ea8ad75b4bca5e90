// The colour transform behind matrix-built 3D LUTs: sRGB decode, a 3 x 3 matrix on the linear
// values, and an encode whose exponent is 0.417 rather than 1 / 2.4. Shared by the CUI
// back-end's Build3DLut and the IGCL back-end's Set3DLutParams.
#pragma once

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

// One row of the transform on already decoded inputs, the matrix elements already widened:
// the matrix product, the limit and the encode of ColorTransformSrgb.
double EncodeSrgbRow(double m0, double m1, double m2, double r, double g, double b);

// ColorTransformSrgb of every grid point (i / 16, j / 16, k / 16), i, j, k < points (at most
// 17), red index outermost: store(entry, RgbDouble) with entry = (i * points + j) * points + k.
// The same numbers as point-by-point calls, with the decode and the partial row sums hoisted.
template <typename Store>
void ColorTransformSrgbGrid(const float* matrix, std::size_t points, Store&& store) {
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
            for (std::size_t k = 0; k < points; ++k) {
                const double b = decoded[k];
                store(entry++, RgbDouble{EncodeSrgbRow(m[0], m[1], m[2], r, g, b),
                                         EncodeSrgbRow(m[3], m[4], m[5], r, g, b),
                                         EncodeSrgbRow(m[6], m[7], m[8], r, g, b)});
            }
        }
    }
}

} // namespace varnet
