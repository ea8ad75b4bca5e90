// Data that crosses the back-end interface, and the two gamma values every session shares.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace varnet {

// 768 entries: red for levels 0..255, then green, then blue.
inline constexpr std::size_t kGammaRampEntries = 768;
inline constexpr std::size_t kGammaRampBytes = kGammaRampEntries * sizeof(uint16_t);
using GammaRamp = uint16_t[kGammaRampEntries];

// 17 x 17 x 17 grid, blue fastest; each word holds red (bits 20-29), green (10-19), blue (0-9).
inline constexpr std::size_t kLutGridPoints = 17;
inline constexpr std::size_t kPacked3DLutWords = kLutGridPoints * kLutGridPoints * kLutGridPoints;
struct Packed3DLut {
    uint32_t words[kPacked3DLutWords] = {};
};
static_assert(sizeof(Packed3DLut) == 19652);

// The panel ID lives in a 16-byte buffer; at most 11 characters are ever meaningful.
inline constexpr std::size_t kPanelIdBufferSize = 16;

// Index into the CUI back-end's table of monitor UIDs.
using MonitorType = int32_t;
inline constexpr int kMonitorTypeCount = 7;

// Process-wide, reset to their defaults by every session and lowered by the CUI start on older
// drivers. Atomic so that callers on several threads cannot tear them; the library takes no
// locks, so concurrent sessions still see whichever value was written last.
extern std::atomic<uint32_t> GammaScale;
extern std::atomic<uint32_t> GammaMax;
inline constexpr uint32_t kGammaScaleDefault = 257;
inline constexpr uint32_t kGammaMaxDefault = 65535;
inline constexpr uint32_t kGammaScaleReduced = 256;
inline constexpr uint32_t kGammaMaxReduced = 65280;

} // namespace varnet
