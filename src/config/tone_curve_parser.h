// The tone curve of a colour mode: up to 768 levels (red, green, blue), "," between them, braces
// optional. Pure functions of the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/color_mode_setting.h"
#include "config/value_notes.h"

namespace varnet {

// Tone-curve values are read with a limit of 3850, so at most 3849 characters.
inline constexpr uint32_t kToneCurveReadLimit = 3850;

// Stores number i times gammaScale, cut to 16 bits, at curve[i] for i below 768; the entries no
// number reaches are 0. Returns how many numbers the value holds, the ignored ones included. An
// observer hears of every level that is not a plain number of 0 to 255, and of those past 768.
std::size_t ParseToneCurve(std::string_view value, uint32_t gammaScale,
                           uint16_t (&curve)[kToneCurveEntries], ValueObserver* observer = nullptr);

// Every channel the straight line i times gammaScale, i = 0..255.
void FillIdentityToneCurve(uint32_t gammaScale, uint16_t (&curve)[kToneCurveEntries]);

} // namespace varnet
