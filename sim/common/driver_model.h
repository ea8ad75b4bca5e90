// The driver's settings as both simulators see them: the persisted state where a caller changed
// something, the scenario's starting values elsewhere, and the conversions between the Control
// Library's forms (doubles, any sample count) and the CUI SDK's (16-bit ramps, packed tables).
#pragma once

#include <array>
#include <cstdint>

#include "common/scenario.h"
#include "common/sim_state.h"

namespace varnet::sim {

inline constexpr std::size_t kRampEntries = 768; // 3 x 256 16-bit entries
inline constexpr uint32_t kPackedPointsPerAxis = 17;
inline constexpr std::size_t kPackedEntries = 17 * 17 * 17;
inline constexpr uint32_t kDpcdSpace = 0x100000; // 20-bit DPCD addresses
inline constexpr uint32_t kDpstFeatureBit = 8;   // in the CUI SDK's DPST feature masks

using GammaRamp = std::array<uint16_t, kRampEntries>;

// ---- 1D LUT (gamma ramp) ----
OneDLutState IdentityLut(uint32_t channels, uint32_t samplesPerChannel);
OneDLutState LutFromRamp(const GammaRamp& ramp);
// The display's 1D LUT now; desc may be null (a display the scenario does not describe).
OneDLutState EffectiveGamma(const DisplaySpec* desc, const DisplayState& state);
// Linear interpolation along a channel at position 0.0..1.0; a channel the table lacks reads
// as its last one.
double LutValueAt(const OneDLutState& lut, uint32_t channel, double position);
// channels x samples values written to out, channel-major.
void ResampleLut(const OneDLutState& lut, uint32_t channels, uint32_t samples, double* out);
GammaRamp RampFromLut(const OneDLutState& lut);

// ---- 3D LUT ----
// n^3 triples written to out, red index outermost: lut sampled at the nearest of its points,
// or without a table the identity over i / (n - 1).
void SampleLut3d(const Lut3dState* lut, uint32_t n, double* out);
// The CUI SDK's table: 17^3 words, entry (r x 17 + g) x 17 + b, 10-bit codes of red in bits
// 20-29, green 10-19, blue 0-9.
void PackLut3d(const Lut3dState* lut, uint32_t* words);
Lut3dState UnpackLut3d(const uint32_t* words);

// ---- DPST ----
// The CUI SDK's supported-features mask.
uint32_t DpstSupportedFeatures(const DisplaySpec* desc);
bool DpstOffersEnhanced(const DisplaySpec* desc);
DpstState EffectiveDpst(const DisplaySpec* desc, const DisplayState& state);

// ---- Others ----
// Null when the display has no sharpness filter.
std::optional<SharpnessState> EffectiveSharpness(const DisplaySpec* desc,
                                                 const DisplayState& state);
VideoState EffectiveVideo(const AdapterSpec* desc, const AdapterState& state);
uint8_t AuxByte(const DisplaySpec* desc, const DisplayState& state, uint32_t address);

} // namespace varnet::sim
