// What the library reads from an EDID base block (the first 128 bytes every EDID has): the panel
// ID that keys the configuration files, and the panel's size in pixels. Both back-ends use these,
// so a panel gets the same ID whichever driver interface answered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "backend/graphics_types.h"

namespace varnet {

inline constexpr std::size_t kEdidBaseBlockSize = 128;
using EdidBaseBlock = std::span<const uint8_t, kEdidBaseBlockSize>;

// Fills out (zero-filled first) with the panel ID: bytes 113 to 123 (the start of the fourth
// descriptor's text) upper-cased, up to the first byte outside '!'..'~'; when that leaves
// nothing, "%02X%02X_%02X%02X" of bytes 9, 8, 11 and 10 (manufacturer and product code).
void BuildPanelId(EdidBaseBlock edid, char (&out)[kPanelIdBufferSize]);

// Active pixels of the first detailed timing descriptor (offset 54): 12-bit counts, the low byte
// on its own and the high nibble shared with the blanking count.
struct PanelSize {
    uint32_t width = 0;
    uint32_t height = 0;
};
PanelSize FirstTimingActivePixels(EdidBaseBlock edid);

} // namespace varnet
