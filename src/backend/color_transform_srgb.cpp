#include "backend/color_transform_srgb.h"

#include <cmath>

#include "backend/graphics_types.h"

namespace varnet {

namespace {

double DecodeSrgb(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// 0.417, not 1 / 2.4: the panels' matrices were tuned through this encode, so keep it.
double EncodeSrgb(double v) {
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 0.417) - 0.055;
}

// 1.055 (1 + 1e-9)^0.417 - 0.055 is 1 + 4.4e-10, a million times the power's rounding.
constexpr double kSurelyEncodesAboveOne = 1.0 + 1e-9;

struct GridDecode {
    double values[kLutGridPoints];
    GridDecode() {
        for (std::size_t k = 0; k < kLutGridPoints; ++k) {
            values[k] = DecodeSrgb(static_cast<double>(k) / 16.0);
        }
    }
};

} // namespace

const double* SrgbGridDecode() {
    static const GridDecode decode;
    return decode.values;
}

double EncodeSrgbLimited(double v) {
    // Written so that NaN also becomes 0.
    if (!(v >= 0.0)) {
        v = 0.0;
    }
    // Far enough above 1 that the power, whatever its last bit, puts the encode above 1, which
    // is limited to 1: the power is not needed.
    if (v > kSurelyEncodesAboveOne) {
        return 1.0;
    }
    const double encoded = EncodeSrgb(v);
    return encoded < 0.0 ? 0.0 : (encoded > 1.0 ? 1.0 : encoded);
}

RgbDouble ColorTransformSrgb(double red, double green, double blue, const float* matrix) {
    const double r = DecodeSrgb(red);
    const double g = DecodeSrgb(green);
    const double b = DecodeSrgb(blue);
    auto row = [&](const float* m) {
        return EncodeSrgbRow(static_cast<double>(m[0]), static_cast<double>(m[1]),
                             static_cast<double>(m[2]), r, g, b);
    };
    return {row(matrix), row(matrix + 3), row(matrix + 6)};
}

} // namespace varnet
