// Colour mode numbers and the INI sections that describe them.
#pragma once

#include <cstdint>

namespace varnet {

// The section read for every mode number that has none of its own.
inline constexpr char kNotSupportSection[] = "NOTSUPPORT";

// The section name of a colour mode ("MODE_VIVID"...). An unlisted number gives "NOTSUPPORT" and
// says so on the debugger channel. The text is static.
const char* GetColorModeName(int32_t mode);

} // namespace varnet
