// The graphics driver's version number as the CUI back-end compares it: from the display
// adapter's "DriverVersion" text a.b.c.d, the number c * 10000 + d.
#pragma once

#include <cstdint>

namespace varnet {

// Drivers from this number on get the full 16-bit gamma range (when LACE is supported too).
inline constexpr uint32_t kFullGammaDriverVersion = 1007870; // 27.20.100.7870

// 0 when the text has fewer than three dots; numbers are read as atoi reads them.
uint32_t ParseDriverVersion(const char* text);

} // namespace varnet
