#include "backend/white_point_table.h"

namespace varnet {

namespace {
constexpr std::size_t kLevels = 256;
} // namespace

bool ApplyWhitePoint(const uint16_t* source, int32_t whitePointIndex, uint32_t gammaMax,
                     uint16_t* out) {
    if (whitePointIndex < 0 || whitePointIndex >= static_cast<int32_t>(kWhitePointCount)) {
        return false;
    }
    const float* gains = WhitePointTable[whitePointIndex];
    float largest = -1000.0f;
    for (int c = 0; c < 3; ++c) {
        largest = gains[c] > largest ? gains[c] : largest;
    }
    const uint16_t limit = gammaMax < 0xFFFFu ? static_cast<uint16_t>(gammaMax) : 0xFFFFu;
    for (std::size_t c = 0; c < 3; ++c) {
        const float gain = gains[c] / largest;
        const uint16_t* in = source + c * kLevels;
        uint16_t* dst = out + c * kLevels;
        // Gains are at most 1 after the division, so level i samples at or below i: walking
        // down lets out be the source without reading an entry already rewritten.
        for (std::size_t i = kLevels; i-- > 0;) {
            const auto scaled = static_cast<float>(i) * gain;
            std::size_t at = scaled > 0.0f ? static_cast<std::size_t>(scaled) : 0;
            at = at > kLevels - 1 ? kLevels - 1 : at;
            dst[i] = in[at] < limit ? in[at] : limit;
        }
    }
    return true;
}

} // namespace varnet
