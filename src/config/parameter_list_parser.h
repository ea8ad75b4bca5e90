// The parameter list of a colour mode ("0/0/0/N/.../Y/name ; comment") and the text rules that
// the three value parsers share. Pure functions of the text: no files, no platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/color_mode_setting.h"
#include "config/value_notes.h"

namespace varnet {

inline constexpr std::size_t kParameterFieldCount = 38;

// Applies the fields of a mode value to the record; fields not given keep what it holds. An
// observer hears of every field that is not read as written, and of the fields past the 38th.
void ApplyParameterList(std::string_view value, ColorModeSetting& setting,
                        ValueObserver* observer = nullptr);

// ---- Text rules shared by the value parsers ---------------------------------------------------

// Without the white space (space, tab, CR, LF, VT, FF) at both ends.
std::string_view TrimSpace(std::string_view text);

// The part before the first ";", or all of it.
std::string_view CutComment(std::string_view text);

// atoi's reading: leading white space, an optional sign and the digits that follow; the rest is
// ignored, no digits give 0, and a number beyond 32 bits saturates as the Windows run time's does.
int32_t ParseLeadingInt(std::string_view text);

// atof's reading of the decimal forms (digits, a point, an exponent), independent of the
// locale. No digits give 0; a magnitude beyond float range saturates at the largest float.
float ParseLeadingReal(std::string_view text);

// How the two readers above take a text: how many digits they use, where they stop, and whether
// the number lies beyond the type's range (and so is taken at its limit).
struct NumberSpan {
    std::size_t digits = 0;
    std::size_t end = 0;
    bool saturated = false;
};
NumberSpan LeadingIntSpan(std::string_view text);
NumberSpan LeadingRealSpan(std::string_view text);

// Calls piece(text) for each non-empty piece between separators, in order, while it returns true.
template <typename PieceFn>
void ForEachPiece(std::string_view text, char separator, PieceFn&& piece) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start && !piece(text.substr(start, end - start))) {
            return;
        }
        start = end + 1;
    }
}

} // namespace varnet
