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

    auto powerAt = [&](std::size_t i) {
        return TruncateLevel(static_cast<float>(std::pow(static_cast<double>(i), e) * scale));
    };
    // Above T + 63 the power curve has no weight left (the line takes over), so most of its
    // 256 powers are never needed: only those up to there are worked out.
    const int t = powerAt(kJoinStartEntry);
    const auto needed = static_cast<std::size_t>(t + kJoinWidth < static_cast<int>(kGammaLevelCount)
                                                     ? t + kJoinWidth
                                                     : static_cast<int>(kGammaLevelCount));
    int power[kGammaLevelCount] = {};
    for (std::size_t i = 0; i < needed; ++i) {
        power[i] = i == kJoinStartEntry ? t : powerAt(i);
    }
    for (int i = 0; i < static_cast<int>(kGammaLevelCount); ++i) {
        int v;
        if (i < t) {
            v = power[i];
        } else if (i <= t + kJoinWidth) {
            v = (power[i] * (t + kJoinWidth - i) + i * (i - t)) / kJoinWidth;
        } else {
            v = i;
        }
        curve[i] = static_cast<uint8_t>(LimitLevel(v));
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
