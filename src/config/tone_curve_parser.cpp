#include "config/tone_curve_parser.h"

#include <string>

#include "config/parameter_list_parser.h"

namespace varnet {

namespace {

uint16_t ScaleLevel(int32_t level, uint32_t gammaScale) {
    // Unsigned on purpose: a negative or oversized level wraps, and only the low 16 bits count.
    return static_cast<uint16_t>(static_cast<uint32_t>(level) * gammaScale);
}

void InspectLevel(std::size_t index, std::string_view piece, int32_t level,
                  ValueObserver& observer) {
    ValueNote note;
    note.item = index + 1;
    note.text = piece;
    note.read = level;
    const std::string_view trimmed = TrimSpace(piece);
    const NumberSpan span = LeadingIntSpan(trimmed);
    if (index >= kToneCurveEntries) {
        note.issue = ValueIssue::kIgnored;
    } else if (trimmed.empty()) {
        note.issue = ValueIssue::kBlank;
    } else if (span.digits == 0) {
        note.issue = ValueIssue::kNotANumber;
    } else if (span.end < trimmed.size()) {
        note.issue = ValueIssue::kTrailingText;
    } else if (level < 0 || level > 255) {
        note.issue = ValueIssue::kWrapped;
    } else {
        return;
    }
    observer.Note(note);
}

} // namespace

std::size_t ParseToneCurve(std::string_view value, uint32_t gammaScale,
                           uint16_t (&curve)[kToneCurveEntries], ValueObserver* observer) {
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
        const int32_t level = ParseLeadingInt(piece);
        if (index < kToneCurveEntries) {
            curve[index] = ScaleLevel(level, gammaScale);
        }
        if (observer != nullptr) {
            InspectLevel(index, piece, level, *observer);
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
