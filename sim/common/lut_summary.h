// How tables appear in the journal and in the driver-state summary: a 1D LUT as the 16-bit ramp
// it stands for, a 3D LUT as a few named points, a checksum and its distance from the identity.
// Non-finite numbers appear as null.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace varnet::sim {

nlohmann::json Number(double value);

// FNV-1a (64 bits) over the bytes, as 16 hexadecimal digits. Tests compute the same over the
// table they expect.
std::string Checksum(const void* bytes, std::size_t size);

// Each sample x 65535, rounded.
nlohmann::json RampValues(const double* samples, std::size_t count);

// n^3 (red, green, blue) double triples, red index outermost: {"pointsPerAxis", "points":
// {"black", "red", "green", "blue", "yellow", "cyan", "magenta", "white", "grey": [r, g, b]},
// "checksum", "maxIdentityDeviation"} (the identity being i / (n - 1)).
nlohmann::json Lut3dSummary(const double* triples, uint32_t n);

// The CUI SDK's packed 17^3 table, with the points as their three 10-bit codes and the
// identity's codes being trunc(i / 16 x 1023).
nlohmann::json PackedLutSummary(const uint32_t* words);

} // namespace varnet::sim
