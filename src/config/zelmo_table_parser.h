// The image-engine table of Zelmo.ini: "address,value" entries separated by "/", addresses in
// hexadecimal without a prefix, values decimal or "0x" hexadecimal. Pure functions of the text.
#pragma once

#include <cstdint>
#include <string_view>

#include "config/color_mode_setting.h"

namespace varnet {

// StrToIntExA's reading: leading spaces, tabs and line feeds, an optional sign, then decimal
// digits, or with allowHex a "0x" or "0X" and hexadecimal digits (a sign there is accepted and
// ignored); the rest is ignored and a number that does not fit wraps to 32 bits. False, with
// value 0, when no digit follows.
bool ConvertStrToInt(std::string_view text, bool allowHex, int32_t& value);

// Replaces the record's table (entries and zelmoCount) by the value's first 260 entries.
// Addresses keep their low 16 bits, values their low 8; what cannot be converted stores 0.
void ApplyZelmoTable(std::string_view value, ColorModeSetting& setting);

} // namespace varnet
