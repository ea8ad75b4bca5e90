#include "igcl/partial_saturation_lut.h"

#include <cmath>
#include <memory>
#include <new>

#include "backend/color_transform_srgb.h"

namespace varnet::igcl {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Chroma (2 x the larger of U and |V|) from which a colour counts as vivid and is never
// boosted, and the small-chroma band in which a boost fades in.
constexpr double kVividChroma = 0.4375;
constexpr double kNoBoostChroma = 0.0029297;
constexpr double kFadeInChroma = 0.01074;

constexpr std::size_t kGridPoints = kMaxLutPointsPerAxis;

// The index k of a component that is exactly the grid coordinate k / 16, or kGridPoints.
std::size_t GridIndex(double c) {
    if (!(c >= 0.0 && c <= 1.0)) {
        return kGridPoints;
    }
    const auto k = static_cast<std::size_t>(c * 16.0);
    return static_cast<double>(k) / 16.0 == c ? k : kGridPoints;
}

// The same formula as the sRGB decode, whose grid values are kept: most tables are on the grid.
double Linearise(double c, std::size_t gridIndex) {
    if (gridIndex < kGridPoints) {
        return SrgbGridDecode()[gridIndex];
    }
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabF(double q) {
    constexpr double kEpsilon = (6.0 / 29.0) * (6.0 / 29.0) * (6.0 / 29.0);
    return q > kEpsilon ? std::cbrt(q) : (29.0 / 6.0) * (29.0 / 6.0) / 3.0 * q + 4.0 / 29.0;
}

// NaN-safe: anything not above 0 (NaN included) gives 0.
double Unit(double v) {
    if (!(v > 0.0)) {
        return 0.0;
    }
    return v > 1.0 ? 1.0 : v;
}

// The gain for a hue, interpolated linearly from the start of its sector to the next one; the
// magenta sector wraps through a full turn back to red.
double SectorGain(double hue, const double (&gains)[kHueSectorCount]) {
    std::size_t s = kHueSectorCount - 1;
    for (std::size_t i = 0; i < kHueSectorCount; ++i) {
        if (hue >= HueSectorStart[i]) {
            s = i;
        }
    }
    const std::size_t n = (s + 1) % kHueSectorCount;
    double span;
    double t;
    if (s + 1 < kHueSectorCount) {
        span = HueSectorStart[n] - HueSectorStart[s];
        t = hue - HueSectorStart[s];
    } else {
        span = HueSectorStart[0] - HueSectorStart[s] + 1.0;
        t = hue >= HueSectorStart[s] ? hue - HueSectorStart[s] : hue - HueSectorStart[s] + 1.0;
    }
    return gains[s] + (gains[n] - gains[s]) * t / span;
}

// A boost shrinks as chroma grows and is gone for vivid colours, so that they do not clip;
// nearly grey colours get none, so that noise in greys is not coloured.
double LimitBoost(double gain, double chroma) {
    if (!(gain > 1.0)) {
        return gain;
    }
    if (chroma >= kVividChroma) {
        return 1.0;
    }
    gain = 1.0 + (kVividChroma - chroma) * (gain - 1.0) / kVividChroma;
    if (gain > 1.0) {
        double excess = gain - 1.0;
        if (chroma <= kNoBoostChroma) {
            excess = 0.0;
        } else if (chroma <= kFadeInChroma) {
            excess *= chroma - kNoBoostChroma;
        }
        gain = 1.0 + excess;
    }
    return gain;
}

double HueOfLinear(double r, double g, double b) {
    const double x = (0.4123908 * r + 0.35758434 * g + 0.18048079 * b) * 100.0 / 95.0489;
    const double y = (0.21263901 * r + 0.71516868 * g + 0.07219232 * b) * 100.0 / 100.0;
    const double z = (0.01933082 * r + 0.11919478 * g + 0.95053215 * b) * 100.0 / 108.884;
    const double a = 500.0 * (LabF(x) - LabF(y));
    const double bb = 200.0 * (LabF(y) - LabF(z));
    double hue = std::atan2(bb, a);
    if (hue < 0.0) {
        hue += kTwoPi;
    }
    return hue / kTwoPi;
}

// The hue of every grid point depends on nothing else, so it is worked out once per process
// (39 KB, no heap): a table on the grid then costs no cube root or arctangent at all.
struct GridHues {
    double values[kMaxLutEntries];
    GridHues() {
        const double* linear = SrgbGridDecode();
        std::size_t e = 0;
        for (std::size_t i = 0; i < kGridPoints; ++i) {
            for (std::size_t j = 0; j < kGridPoints; ++j) {
                for (std::size_t k = 0; k < kGridPoints; ++k) {
                    values[e++] = HueOfLinear(linear[i], linear[j], linear[k]);
                }
            }
        }
    }
};

double Hue(double red, double green, double blue) {
    const std::size_t i = GridIndex(red);
    const std::size_t j = GridIndex(green);
    const std::size_t k = GridIndex(blue);
    if (i < kGridPoints && j < kGridPoints && k < kGridPoints) {
        static const GridHues hues;
        return hues.values[(i * kGridPoints + j) * kGridPoints + k];
    }
    return HueOfLinear(Linearise(red, i), Linearise(green, j), Linearise(blue, k));
}

} // namespace

double CielabHue(double red, double green, double blue) {
    return Hue(red, green, blue);
}

ctl_pixtx_3dlut_sample_t AdjustSaturation(const ctl_pixtx_3dlut_sample_t& colour,
                                          const double (&gains)[kHueSectorCount]) {
    const double r = colour.Red;
    const double g = colour.Green;
    const double b = colour.Blue;
    if (r == g && g == b) {
        return colour;
    }
    const double y = 0.299 * r + 0.587 * g + 0.114 * b;
    const double u = -0.14713 * r - 0.28886 * g + 0.436 * b;
    const double v = 0.615 * r - 0.51499 * g - 0.10001 * b;

    // U counts with its sign: only a blue-ward U can outweigh |V|.
    const double chroma = 2.0 * (u > std::fabs(v) ? u : std::fabs(v));
    const double gain = LimitBoost(SectorGain(Hue(r, g, b), gains), chroma);

    const double u2 = gain * u;
    const double v2 = gain * v;
    return {Unit(y + 1.13983 * v2), Unit(y - 0.39465 * u2 - 0.5806 * v2), Unit(y + 2.03211 * u2)};
}

ctl_result_t GeneratePartialSaturationLut(ctl_pixtx_3dlut_sample_t* table, uint32_t pointsPerAxis,
                                          const double (&gains)[kHueSectorCount]) {
    if (pointsPerAxis > kMaxLutPointsPerAxis) {
        return CTL_RESULT_ERROR_INVALID_SIZE;
    }
    if (table == nullptr) {
        return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
    }
    const std::size_t n = pointsPerAxis;
    bool neutral = true;
    for (double gain : gains) {
        neutral = neutral && gain == 1.0;
    }
    if (!neutral) {
        for (std::size_t e = 0; e < n * n * n; ++e) {
            table[e] = AdjustSaturation(table[e], gains);
        }
        return CTL_RESULT_SUCCESS;
    }

    // Spread over the whole 0..1 range, whatever the grid the table held.
    std::unique_ptr<double[]> v(new (std::nothrow) double[n + 1]);
    if (v == nullptr) {
        return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
    }
    for (std::size_t i = 0; i < n; ++i) {
        v[i] = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t k = 0; k < n; ++k) {
                table[(i * n + j) * n + k] = {v[i], v[j], v[k]};
            }
        }
    }
    return CTL_RESULT_SUCCESS;
}

} // namespace varnet::igcl
