#include "library_cube_text.h"

#include <cstdio>

#include "backend/packed_3d_lut.h"

namespace varnet::lut {

std::string LibraryCubeText(const Packed3DLut& table) {
    std::string text;
    text.reserve(kPacked3DLutWords * 13);
    char line[48];
    for (std::size_t b = 0; b < kLutGridPoints; ++b) {
        for (std::size_t g = 0; g < kLutGridPoints; ++g) {
            for (std::size_t r = 0; r < kLutGridPoints; ++r) {
                const LutCodes c = UnpackLutWord(table.words[LutIndex(r, g, b)]);
                std::snprintf(line, sizeof line, "%u %u %u\n", c.red, c.green, c.blue);
                text += line;
            }
        }
    }
    return text;
}

} // namespace varnet::lut
