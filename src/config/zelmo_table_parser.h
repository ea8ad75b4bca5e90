// The image-engine table of Zelmo.ini: "address,value" entries separated by "/", addresses in
// hexadecimal without a prefix, values decimal or "0x" hexadecimal. Pure functions of the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/color_mode_setting.h"
#include "config/value_notes.h"

namespace varnet {

// StrToIntExA's reading: leading spaces, tabs and line feeds, an optional sign, then decimal
// digits, or with allowHex a "0x" or "0X" and hexadecimal digits (a sign there is accepted and
// ignored); the rest is ignored and a number that does not fit wraps to 32 bits. False, with
// value 0, when no digit follows.
bool ConvertStrToInt(std::string_view text, bool allowHex, int32_t& value);
// The same, with end set past the last character used (0 when there is no number).
bool ConvertStrToIntUpTo(std::string_view text, bool allowHex, int32_t& value, std::size_t& end);

// Replaces the record's table (entries and zelmoCount) by the value's first 260 entries.
// Addresses keep their low 16 bits, values their low 8; what cannot be converted stores 0. An
// observer hears of every address or value that does not convert whole or does not fit, and of
// the entries past the 260th.
void ApplyZelmoTable(std::string_view value, ColorModeSetting& setting,
                     ValueObserver* observer = nullptr);

} // namespace varnet
