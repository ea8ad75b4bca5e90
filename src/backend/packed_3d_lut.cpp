#include "backend/packed_3d_lut.h"

#include "backend/color_transform_srgb.h"
#include "backend/srgb_code_steps.h"

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
    SrgbLinearRowsGrid(
        matrix, kLutGridPoints, [&](std::size_t entry, double red, double green, double blue) {
            uint32_t& word = table.words[entry];
            word = PackLutWord(word, {SrgbLutCode(red), SrgbLutCode(green), SrgbLutCode(blue)});
        });
}

} // namespace varnet
