#include "common/scenario_values.h"

#include <cctype>
#include <limits>

namespace varnet::sim {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

int64_t ParseInteger(const nlohmann::json& value, const std::string& field) {
    if (value.is_number_integer())
        return value.get<int64_t>();
    if (value.is_boolean())
        return value.get<bool>() ? 1 : 0;
    if (!value.is_string())
        throw ScenarioError(field + ": expected a number");
    const std::string text = value.get<std::string>();
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (text.size() > pos + 1 && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size())
        throw ScenarioError(field + ": \"" + text + "\" is not a number");
    uint64_t result = 0;
    for (; pos < text.size(); ++pos) {
        int digit = HexDigit(text[pos]);
        if (digit < 0 || digit >= base)
            throw ScenarioError(field + ": \"" + text + "\" is not a number");
        result = result * base + static_cast<uint64_t>(digit);
        if (result > 0xFFFFFFFFull)
            throw ScenarioError(field + ": \"" + text + "\" does not fit 32 bits");
    }
    return negative ? -static_cast<int64_t>(result) : static_cast<int64_t>(result);
}

uint32_t ParseU32(const nlohmann::json& value, const std::string& field) {
    int64_t number = ParseInteger(value, field);
    if (number < std::numeric_limits<int32_t>::min() || number > 0xFFFFFFFFll)
        throw ScenarioError(field + ": value does not fit 32 bits");
    return static_cast<uint32_t>(number);
}

std::vector<uint8_t> ParseHexBytes(const std::string& text, const std::string& field) {
    std::vector<uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == ':' || c == '-' || c == '\n' || c == '\t' || c == '\r') {
            if (high >= 0)
                throw ScenarioError(field + ": odd hexadecimal digit before a separator");
            continue;
        }
        int digit = HexDigit(c);
        if (digit < 0)
            throw ScenarioError(field + ": '" + std::string(1, c) + "' is not a hexadecimal digit");
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0)
        throw ScenarioError(field + ": odd number of hexadecimal digits");
    return bytes;
}

std::string ToHex(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

double ParseNumber(const nlohmann::json& value, const std::string& field) {
    if (!value.is_number())
        throw ScenarioError(field + ": expected a number");
    return value.get<double>();
}

bool ParseBool(const nlohmann::json& value, const std::string& field) {
    if (!value.is_boolean())
        throw ScenarioError(field + ": expected true or false");
    return value.get<bool>();
}

void CheckKeys(const nlohmann::json& value, const std::string& field, std::set<std::string> known) {
    if (!value.is_object())
        throw ScenarioError(field + ": expected an object");
    known.insert("comment");
    for (const auto& item : value.items())
        if (!known.count(item.key()))
            throw ScenarioError(field + "." + item.key() + ": unknown field");
}

} // namespace varnet::sim
