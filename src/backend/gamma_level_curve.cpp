#include "backend/gamma_level_curve.h"

#include <cmath>

namespace varnet {

namespace {

constexpr int kJoinWidth = 64; // levels over which the power curve meets the straight line
constexpr std::size_t kJoinStartEntry = 8;

// Limited to 0..255 before the conversion: a float outside int's range (or NaN) is UB there.
int TruncateLevel(float v) {
    if (!(v > 0.0f)) {
        return 0;
    }
    if (v >= 255.0f) {
        return 255;
    }
    return static_cast<int>(v);
}

int LimitLevel(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// log2 of 0..255, once per process (log2 0 is never read).
struct Log2Table {
    double values[kGammaLevelCount] = {};
    Log2Table() {
        for (std::size_t i = 1; i < kGammaLevelCount; ++i) {
            values[i] = std::log2(static_cast<double>(i));
        }
    }
};

// Within these of a step of trunc(float(y)) the exact power decides. The estimate below is good
// to about 1e-10; the float rounding moves y by at most 2^-17 (floats under 256 are 2^-16
// apart), so only a y just under a step can land on it.
constexpr double kBelowStepMargin = 1e-4;
constexpr double kAboveStepMargin = 1e-6;

} // namespace

void BuildGammaLevelCurve(uint32_t level, GammaLevelCurve& curve) {
    const auto signedLevel = static_cast<double>(static_cast<int32_t>(level));
    const double x = signedLevel < 5.0 ? (signedLevel - 5.0) / 12.0 : (signedLevel - 5.0) / 30.0;
    const auto oneMinusX = static_cast<float>(1.0 - x);
    if (!(oneMinusX > 0.0f)) {
        for (std::size_t i = 0; i < kGammaLevelCount; ++i) {
            curve[i] = static_cast<uint8_t>(i);
        }
        return;
    }
    const double e = 1.0 / static_cast<double>(oneMinusX);
    const double scale = 255.0 / std::pow(255.0, e);

    auto exactPowerAt = [&](std::size_t i) {
        return TruncateLevel(static_cast<float>(std::pow(static_cast<double>(i), e) * scale));
    };
    // i^e * 255 / 255^e as 2^(e (log2 i - log2 255) + log2 255): a third of a power's cost.
    // Only where that lands clear of a step of the truncation is it trusted.
    static const Log2Table log2Table;
    const double* log2 = log2Table.values;
    const double log2Of255 = log2[kGammaLevelCount - 1];
    auto estimate = [&](std::size_t i) { return std::exp2(e * (log2[i] - log2Of255) + log2Of255); };
    auto settle = [&](std::size_t i, double y) {
        if (i == 0) {
            return exactPowerAt(0);
        }
        if (y >= 255.0 + kAboveStepMargin) {
            return 255;
        }
        // y is at least 0 and below 256 here, so truncation is the floor.
        const double whole = static_cast<double>(static_cast<int>(y));
        // A y just under a step may round up to it; just over one, down under it (0 has no
        // step under it: the power is never negative).
        if ((whole > 0.0 && y - whole < kAboveStepMargin) || whole + 1.0 - y < kBelowStepMargin) {
            return exactPowerAt(i);
        }
        return static_cast<int>(whole);
    };
    // Above T + 63 the power curve has no weight left (the line takes over), so most of its
    // 256 powers are never needed: only those up to there are worked out, the estimates first
    // in a loop of their own so that they overlap.
    const int t = settle(kJoinStartEntry, estimate(kJoinStartEntry));
    const int needed = t + kJoinWidth < static_cast<int>(kGammaLevelCount)
                           ? t + kJoinWidth
                           : static_cast<int>(kGammaLevelCount);
    double y[kGammaLevelCount];
    y[0] = 0.0;
    for (int i = 1; i < needed; ++i) {
        y[i] = estimate(static_cast<std::size_t>(i));
    }
    int i = 0;
    for (; i < t; ++i) {
        curve[i] = static_cast<uint8_t>(settle(static_cast<std::size_t>(i), y[i]));
    }
    // Both terms are at least 0 here, so the division may be a shift.
    for (; i < needed; ++i) {
        const auto blend = static_cast<unsigned>(
            settle(static_cast<std::size_t>(i), y[i]) * (t + kJoinWidth - i) + i * (i - t));
        curve[i] = static_cast<uint8_t>(
            LimitLevel(static_cast<int>(blend / static_cast<unsigned>(kJoinWidth))));
    }
    // From T + 64 on, the line: the level itself.
    for (; i < static_cast<int>(kGammaLevelCount); ++i) {
        curve[i] = static_cast<uint8_t>(i);
    }
}

void ApplyGammaLevelCurve(uint32_t level, uint16_t* source, uint16_t* target) {
    GammaLevelCurve curve;
    BuildGammaLevelCurve(level, curve);

    // Kept apart so that a target that is the source reads only unwritten levels.
    uint8_t reduced[kGammaRampEntries];
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        reduced[k] = static_cast<uint8_t>(source[k] / 256);
        source[k] = reduced[k];
    }
    for (std::size_t c = 0; c < kGammaRampEntries; c += kGammaLevelCount) {
        for (std::size_t j = 0; j < kGammaLevelCount; ++j) {
            // At most 255 * 257 = 65535, so the product always fits an entry.
            target[c + j] = static_cast<uint16_t>(reduced[c + curve[j]] * 257u);
        }
    }
}

} // namespace varnet
