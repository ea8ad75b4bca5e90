#include "backend/color_transform_srgb.h"

#include <cmath>

#include "backend/graphics_types.h"

namespace varnet {

namespace {

double DecodeSrgb(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

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
