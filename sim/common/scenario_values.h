// Scalar and byte values as scenario files spell them: numbers, or text such as "0x00800050"
// and "00 FF FF ...". Malformed values throw ScenarioError naming the field.
#pragma once

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varnet::sim {

class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A number, or a decimal / "0x" hexadecimal text; negative numbers keep their 32-bit pattern.
int64_t ParseInteger(const nlohmann::json& value, const std::string& field);
uint32_t ParseU32(const nlohmann::json& value, const std::string& field);
// Hexadecimal digits, two per byte; spaces, colons and dashes between bytes are ignored.
std::vector<uint8_t> ParseHexBytes(const std::string& text, const std::string& field);
std::string ToHex(const std::vector<uint8_t>& bytes);
// A JSON number (integer or not).
double ParseNumber(const nlohmann::json& value, const std::string& field);
bool ParseBool(const nlohmann::json& value, const std::string& field);
// Throws unless value is an object whose keys are all known ("comment" always is).
void CheckKeys(const nlohmann::json& value, const std::string& field, std::set<std::string> known);

} // namespace varnet::sim
