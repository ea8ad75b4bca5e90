// The panel ID rule: the text of the EDID's fourth descriptor, or the manufacturer and product
// bytes in hexadecimal when that text gives nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "backend/graphics_types.h"

namespace varnet {

inline constexpr std::size_t kEdidBaseBlockSize = 128;

// Fills out (kPanelIdBufferSize bytes, zero-filled first) from a 128-byte EDID base block.
void BuildPanelId(const uint8_t* edid, char (&out)[kPanelIdBufferSize]);

} // namespace varnet
