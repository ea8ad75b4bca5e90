// The colour transform behind matrix-built 3D LUTs: sRGB decode, a 3 x 3 matrix on the linear
// values, and an encode whose exponent is 0.417 rather than 1 / 2.4. Shared by the CUI
// back-end's Build3DLut and the IGCL back-end's Set3DLutParams.
#pragma once

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

} // namespace varnet
