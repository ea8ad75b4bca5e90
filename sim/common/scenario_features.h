// Scenario fields of the driver settings a machine starts with: the gamma ramp, DPST, display
// sharpness, the DPCD bytes behind AUX and an adapter's video-processing features. Malformed
// values throw ScenarioError naming the field.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "common/scenario.h"

namespace varnet::sim {

// "identity", 768 ramp entries (red, green, blue), or {"exponent": x} for a power curve.
std::optional<std::vector<uint16_t>> ParseGammaRamp(const nlohmann::json& value,
                                                    const std::string& field);
DpstSpec ParseDpst(const nlohmann::json& value, const std::string& field);
SharpnessSpec ParseSharpness(const nlohmann::json& value, const std::string& field);
// {"0x00000": "14 1E 84"}: runs of bytes by start address, inside the 20-bit DPCD space.
std::map<uint32_t, uint8_t> ParseAux(const nlohmann::json& value, const std::string& field);
// Changes the named features of adapter; a feature set to null is not offered.
void ParseVideo(const nlohmann::json& value, const std::string& field, AdapterSpec& adapter);

} // namespace varnet::sim
