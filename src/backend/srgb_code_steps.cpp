#include "backend/srgb_code_steps.h"

#include <bit>
#include <cmath>
#include <cstddef>

#include "backend/color_transform_srgb.h"
#include "backend/packed_3d_lut.h"

namespace varnet {

namespace {

// Where the encode leaves its straight part; below it a code costs one product anyway.
constexpr double kLinearLimit = 0.0031308;
// The start of a code is known to about 1e-15 relative, the formula's own rounding is below
// 1e-14 there: within 1e-12 of a start the formula decides.
constexpr double kStartMargin = 1e-12;

// Buckets of 1/256 of a binade from 2^-9 (just under kLinearLimit) to 2: a bucket holds at
// most two code starts, so a look-up walks at most a few steps.
constexpr int kMantissaBitsKept = 8;
constexpr int kDropBits = 52 - kMantissaBitsKept;
constexpr std::size_t kBucketCount = 10u << kMantissaBitsKept;

constexpr uint64_t BucketKey(double v) {
    return std::bit_cast<uint64_t>(v) >> kDropBits;
}

constexpr uint64_t kFirstBucketKey = BucketKey(0x1p-9);

uint32_t ExactCode(double v) {
    return LutCodeFromUnit(EncodeSrgbLimited(v));
}

struct CodeStarts {
    // Code c is surely not reached below low[c] and surely reached from high[c] on.
    double low[kLutMaxCode + 1] = {};
    double high[kLutMaxCode + 1] = {};
    // A code every value of the bucket surely reaches.
    uint16_t bucketCode[kBucketCount] = {};

    CodeStarts() {
        for (uint32_t c = 1; c <= kLutMaxCode; ++c) {
            // The inverse of 1023 (1.055 v^0.417 - 0.055) = c.
            const double start =
                std::pow((static_cast<double>(c) / 1023.0 + 0.055) / 1.055, 1.0 / 0.417);
            low[c] = start * (1.0 - kStartMargin);
            high[c] = start * (1.0 + kStartMargin);
        }
        uint32_t c = 0;
        for (std::size_t b = 0; b < kBucketCount; ++b) {
            const double edge = std::bit_cast<double>((kFirstBucketKey + b) << kDropBits);
            while (c < kLutMaxCode && high[c + 1] <= edge) {
                ++c;
            }
            bucketCode[b] = static_cast<uint16_t>(c);
        }
    }
};

const CodeStarts& Starts() {
    static const CodeStarts starts;
    return starts;
}

} // namespace

uint32_t SrgbLutCode(double v) {
    // Also NaN, anything below 0 and the straight part: no power there.
    if (!(v > kLinearLimit)) {
        return ExactCode(v);
    }
    const CodeStarts& s = Starts();
    if (v >= s.high[kLutMaxCode]) {
        return kLutMaxCode;
    }
    uint32_t c = s.bucketCode[BucketKey(v) - kFirstBucketKey];
    while (c < kLutMaxCode && v >= s.low[c + 1]) {
        if (v < s.high[c + 1]) {
            return ExactCode(v);
        }
        ++c;
    }
    return c;
}

} // namespace varnet
