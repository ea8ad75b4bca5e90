// Truncation toward zero of floating values into 32-bit integers that saturates at the type's
// limits instead of being undefined: values come from callers and from the driver unchecked.
#pragma once

#include <cstdint>
#include <limits>

namespace varnet {

// NaN gives 0.
inline int32_t TruncateToInt32(double v) {
    if (!(v == v)) {
        return 0;
    }
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(v);
}

// NaN and anything below 1 give 0 after truncation; negatives do not wrap.
inline uint32_t TruncateToUint32(double v) {
    if (!(v > 0.0)) {
        return 0;
    }
    if (v >= static_cast<double>(std::numeric_limits<uint32_t>::max())) {
        return std::numeric_limits<uint32_t>::max();
    }
    return static_cast<uint32_t>(v);
}

} // namespace varnet
