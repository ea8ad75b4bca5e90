#include "backend/packed_3d_lut.h"

#include "backend/color_transform_srgb.h"

namespace varnet {

uint32_t LutCodeFromUnit(double v) {
    const double scaled = v * 1023.0;
    if (!(scaled > 0.0)) {
        return 0;
    }
    if (scaled >= static_cast<double>(kLutMaxCode)) {
        return kLutMaxCode;
    }
    return static_cast<uint32_t>(scaled);
}

void Build3DLutFromMatrix(const float* matrix, Packed3DLut& table) {
    for (std::size_t r = 0; r < kLutGridPoints; ++r) {
        for (std::size_t g = 0; g < kLutGridPoints; ++g) {
            for (std::size_t b = 0; b < kLutGridPoints; ++b) {
                const RgbDouble out = ColorTransformSrgb(LutGridCoordinate(r), LutGridCoordinate(g),
                                                         LutGridCoordinate(b), matrix);
                uint32_t& word = table.words[LutIndex(r, g, b)];
                word = PackLutWord(word, {LutCodeFromUnit(out.red), LutCodeFromUnit(out.green),
                                          LutCodeFromUnit(out.blue)});
            }
        }
    }
}

} // namespace varnet
