// The gamma level curve: a power curve on the low levels, joined over 64 levels to the straight
// line, through which a ramp is resampled. Shared by both back-ends' ApplyGammaLevel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "backend/graphics_types.h"

namespace varnet {

inline constexpr std::size_t kGammaLevelCount = 256;
using GammaLevelCurve = uint8_t[kGammaLevelCount];

// The level that leaves a ramp's shape alone (exponent 1).
inline constexpr uint32_t kNeutralGammaLevel = 5;

// Fills curve for a gamma level. The level is read as a signed 32-bit number, so a negative
// level passed through the unsigned interface continues the brightening side. Levels of 35
// and above have no exponent (1 - x <= 0) and give the identity curve.
void BuildGammaLevelCurve(uint32_t level, GammaLevelCurve& curve);

// ApplyGammaLevel: reduces source in place to 8-bit values (entry / 256), then
// target[c][j] = source[c][curve[j]] * 257. source and target may be the same buffer.
void ApplyGammaLevelCurve(uint32_t level, uint16_t* source, uint16_t* target);

} // namespace varnet
