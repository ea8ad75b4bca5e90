#include "config/tone_curve_parser.h"

#include <string>

#include "config/parameter_list_parser.h"

namespace varnet {

namespace {

uint16_t ScaleLevel(int32_t level, uint32_t gammaScale) {
    // Unsigned on purpose: a negative or oversized level wraps, and only the low 16 bits count.
    return static_cast<uint16_t>(static_cast<uint32_t>(level) * gammaScale);
}

} // namespace

std::size_t ParseToneCurve(std::string_view value, uint32_t gammaScale,
                           uint16_t (&curve)[kToneCurveEntries]) {
    std::string text;
    text.reserve(value.size());
    for (const char c : TrimSpace(value)) {
        if (c == '}') {
            text += ',';
        } else if (c != '{') {
            text += c;
        }
    }
    for (uint16_t& entry : curve) {
        entry = 0;
    }
    std::size_t index = 0;
    ForEachPiece(text, ',', [&](std::string_view piece) {
        if (index < kToneCurveEntries) {
            curve[index] = ScaleLevel(ParseLeadingInt(piece), gammaScale);
        }
        ++index;
        return true;
    });
    return index;
}

void FillIdentityToneCurve(uint32_t gammaScale, uint16_t (&curve)[kToneCurveEntries]) {
    for (std::size_t i = 0; i < kToneCurveEntries; ++i) {
        curve[i] = ScaleLevel(static_cast<int32_t>(i % kToneCurveChannelEntries), gammaScale);
    }
}

} // namespace varnet
