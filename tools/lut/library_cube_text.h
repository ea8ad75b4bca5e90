// The library's own .cube form: 4913 lines of three 10-bit codes (red, green, blue), red index
// fastest, and nothing else.
#pragma once

#include <string>

#include "backend/graphics_types.h"

namespace varnet::lut {

std::string LibraryCubeText(const Packed3DLut& table);

} // namespace varnet::lut
