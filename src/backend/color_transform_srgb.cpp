#include "backend/color_transform_srgb.h"

#include <cmath>

namespace varnet {

namespace {

double DecodeSrgb(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// 0.417, not 1 / 2.4: the panels' matrices were tuned through this encode, so keep it.
double EncodeSrgb(double v) {
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 0.417) - 0.055;
}

double TransformRow(const float* row, double r, double g, double b) {
    double v = static_cast<double>(row[0]) * r + static_cast<double>(row[1]) * g +
               static_cast<double>(row[2]) * b;
    // Written so that NaN also becomes 0.
    if (!(v >= 0.0)) {
        v = 0.0;
    }
    const double encoded = EncodeSrgb(v);
    return encoded < 0.0 ? 0.0 : (encoded > 1.0 ? 1.0 : encoded);
}

} // namespace

RgbDouble ColorTransformSrgb(double red, double green, double blue, const float* matrix) {
    const double r = DecodeSrgb(red);
    const double g = DecodeSrgb(green);
    const double b = DecodeSrgb(blue);
    return {TransformRow(matrix, r, g, b), TransformRow(matrix + 3, r, g, b),
            TransformRow(matrix + 6, r, g, b)};
}

} // namespace varnet
