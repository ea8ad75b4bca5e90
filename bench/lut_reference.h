// The LUT builders written the plain way, formula by formula as the algorithms read, with no
// value kept between points. They are what the library's builders are timed against and what
// their output must equal bit for bit (tests/unit/lut_builder_equality_test.cpp).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace varnet::reference {

inline constexpr std::size_t kAxis = 17;
inline constexpr std::size_t kPoints = kAxis * kAxis * kAxis;

struct Rgb {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

inline double Unit(double v) {
    return !(v > 0.0) ? 0.0 : (v > 1.0 ? 1.0 : v);
}

inline Rgb ColorTransformSrgb(double red, double green, double blue, const float* m) {
    auto decode = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    auto encode = [](double v) {
        return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 0.417) - 0.055;
    };
    const double r = decode(red);
    const double g = decode(green);
    const double b = decode(blue);
    double out[3];
    for (int row = 0; row < 3; ++row) {
        double v = static_cast<double>(m[row * 3]) * r + static_cast<double>(m[row * 3 + 1]) * g +
                   static_cast<double>(m[row * 3 + 2]) * b;
        if (!(v >= 0.0)) {
            v = 0.0;
        }
        const double e = encode(v);
        out[row] = e < 0.0 ? 0.0 : (e > 1.0 ? 1.0 : e); // a row of -0 stays -0
    }
    return {out[0], out[1], out[2]};
}

// The CUI table: three 10-bit codes a word, bits 30 and 31 kept.
inline void Build3DLut(const float* matrix, uint32_t* words) {
    auto code = [](double v) {
        const double scaled = v * 1023.0;
        return !(scaled > 0.0) ? 0u : (scaled >= 1023.0 ? 1023u : static_cast<uint32_t>(scaled));
    };
    for (std::size_t r = 0; r < kAxis; ++r) {
        for (std::size_t g = 0; g < kAxis; ++g) {
            for (std::size_t b = 0; b < kAxis; ++b) {
                const Rgb out = ColorTransformSrgb(r / 16.0, g / 16.0, b / 16.0, matrix);
                uint32_t& word = words[(r * kAxis + g) * kAxis + b];
                word =
                    (word & 0xC0000000u) | (code(out.r) << 20) | (code(out.g) << 10) | code(out.b);
            }
        }
    }
}

// The Control Library table of Set3DLutParams: n^3 triples of doubles.
inline void Set3DLutGrid(const float* matrix, std::size_t n, Rgb* table) {
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t k = 0; k < n; ++k) {
                table[(i * n + j) * n + k] =
                    ColorTransformSrgb(i / 16.0, j / 16.0, k / 16.0, matrix);
            }
        }
    }
}

inline double CielabHue(double red, double green, double blue) {
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    auto f = [](double q) {
        const double e = (6.0 / 29.0) * (6.0 / 29.0) * (6.0 / 29.0);
        return q > e ? std::cbrt(q) : (29.0 / 6.0) * (29.0 / 6.0) / 3.0 * q + 4.0 / 29.0;
    };
    const double R = linear(red);
    const double G = linear(green);
    const double B = linear(blue);
    const double X = 0.4123908 * R + 0.35758434 * G + 0.18048079 * B;
    const double Y = 0.21263901 * R + 0.71516868 * G + 0.07219232 * B;
    const double Z = 0.01933082 * R + 0.11919478 * G + 0.95053215 * B;
    const double x = X * 100.0 / 95.0489;
    const double y = Y * 100.0 / 100.0;
    const double z = Z * 100.0 / 108.884;
    const double a = 500.0 * (f(x) - f(y));
    const double b = 200.0 * (f(y) - f(z));
    double hue = std::atan2(b, a);
    if (hue < 0.0) {
        hue += 2.0 * 3.141592653589793;
    }
    return hue / (2.0 * 3.141592653589793);
}

inline constexpr double kSectorStart[6] = {
    0.1111109784806705, 0.28571682845597457, 0.37782403959790056,
    0.5455264277978606, 0.8507900653829615,  0.9117427425126027,
};

// gains in hue order red, yellow, green, cyan, blue, magenta.
inline Rgb AdjustPoint(Rgb c, const double* gains) {
    if (c.r == c.g && c.g == c.b) {
        return c;
    }
    const double Y = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    const double U = -0.14713 * c.r - 0.28886 * c.g + 0.436 * c.b;
    const double V = 0.615 * c.r - 0.51499 * c.g - 0.10001 * c.b;
    const double h = CielabHue(c.r, c.g, c.b);
    int s = 5;
    for (int i = 0; i < 6; ++i) {
        if (h >= kSectorStart[i]) {
            s = i;
        }
    }
    const int n = (s + 1) % 6;
    double span;
    double t;
    if (s < 5) {
        span = kSectorStart[n] - kSectorStart[s];
        t = h - kSectorStart[s];
    } else {
        span = kSectorStart[0] - kSectorStart[5] + 1.0;
        t = h >= kSectorStart[5] ? h - kSectorStart[5] : h - kSectorStart[5] + 1.0;
    }
    double gain = gains[s] + (gains[n] - gains[s]) * t / span;
    double m = U > std::fabs(V) ? U : std::fabs(V);
    m = 2.0 * m;
    if (gain > 1.0) {
        if (m >= 0.4375) {
            gain = 1.0;
        } else {
            gain = 1.0 + (0.4375 - m) * (gain - 1.0) / 0.4375;
            if (gain > 1.0) {
                double e = gain - 1.0;
                if (m <= 0.0029297) {
                    e = 0.0;
                } else if (m <= 0.01074) {
                    e = e * (m - 0.0029297);
                }
                gain = 1.0 + e;
            }
        }
    }
    const double U2 = gain * U;
    const double V2 = gain * V;
    return {Unit(Y + 1.13983 * V2), Unit(Y - 0.39465 * U2 - 0.5806 * V2), Unit(Y + 2.03211 * U2)};
}

// SetDisplayTcc's table from the identity grid i / 16 (n points an axis).
inline void PartialSaturationLut(std::size_t n, const double* gains, Rgb* table) {
    bool neutral = true;
    for (int s = 0; s < 6; ++s) {
        neutral = neutral && gains[s] == 1.0;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t k = 0; k < n; ++k) {
                Rgb& out = table[(i * n + j) * n + k];
                if (neutral) {
                    const double last = n > 1 ? static_cast<double>(n - 1) : 1.0;
                    out = {n > 1 ? i / last : 0.0, n > 1 ? j / last : 0.0, n > 1 ? k / last : 0.0};
                } else {
                    out = AdjustPoint({i / 16.0, j / 16.0, k / 16.0}, gains);
                }
            }
        }
    }
}

inline void GammaLevelCurve(uint32_t level, uint8_t* curve) {
    const double l = static_cast<int32_t>(level);
    const double x = l < 5.0 ? (l - 5.0) / 12.0 : (l - 5.0) / 30.0;
    const float oneMinusX = static_cast<float>(1.0 - x);
    if (!(oneMinusX > 0.0f)) {
        for (int i = 0; i < 256; ++i) {
            curve[i] = static_cast<uint8_t>(i);
        }
        return;
    }
    const double e = 1.0 / static_cast<double>(oneMinusX);
    const double scale = 255.0 / std::pow(255.0, e);
    int power[256];
    for (int i = 0; i < 256; ++i) {
        float v = static_cast<float>(std::pow(static_cast<double>(i), e) * scale);
        v = !(v > 0.0f) ? 0.0f : (v > 255.0f ? 255.0f : v);
        power[i] = static_cast<int>(v);
    }
    const int T = power[8];
    for (int i = 0; i < 256; ++i) {
        int v = i < T ? power[i] : (i <= T + 64 ? (power[i] * (T + 64 - i) + i * (i - T)) / 64 : i);
        curve[i] = static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

inline void ApplyGammaLevel(uint32_t level, uint16_t* source, uint16_t* target) {
    uint8_t curve[256];
    GammaLevelCurve(level, curve);
    for (int k = 0; k < 768; ++k) {
        source[k] = static_cast<uint16_t>(source[k] / 256);
    }
    for (int c = 0; c < 3; ++c) {
        for (int j = 0; j < 256; ++j) {
            target[c * 256 + j] = static_cast<uint16_t>(source[c * 256 + curve[j]] * 257);
        }
    }
}

} // namespace varnet::reference
