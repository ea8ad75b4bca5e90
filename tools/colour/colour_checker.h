// The test chart of the report: the 24 patches of the standard colour checker, by their published
// sRGB values, and a grey ramp from black to white.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace varnet::colour {

struct Patch {
    const char* name;
    std::array<uint8_t, 3> srgb; // 8-bit sRGB code values
};

// In chart order: row by row from dark skin to black.
const std::vector<Patch>& ColourCheckerPatches();
// Eleven steps, 0 to 255 in tenths.
const std::vector<Patch>& GreyRampPatches();

} // namespace varnet::colour
