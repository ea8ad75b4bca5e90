// libFuzzer target: any text as a tone curve; the first byte picks the gamma scale.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/tone_curve_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint32_t gammaScale = data[0] % 2 == 0 ? 257 : 256;
    const std::string_view value(reinterpret_cast<const char*>(data + 1), size - 1);
    uint16_t curve[varnet::kToneCurveEntries];
    const std::size_t numbers = varnet::ParseToneCurve(value, gammaScale, curve);
    if (numbers > value.size()) {
        std::abort();
    }
    return 0;
}
