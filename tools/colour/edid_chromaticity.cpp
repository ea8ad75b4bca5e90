#include "edid_chromaticity.h"

#include <cctype>
#include <cmath>

namespace varnet::colour {

namespace {

constexpr std::size_t kBlock = 128;
constexpr uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

bool StartsWithHeader(const std::string& content) {
    if (content.size() < sizeof kHeader) {
        return false;
    }
    for (std::size_t i = 0; i < sizeof kHeader; ++i) {
        if (static_cast<uint8_t>(content[i]) != kHeader[i]) {
            return false;
        }
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Twice the signed area of the triangle: zero or negative means no gamut (or listed backwards).
double TriangleArea(const Chromaticity& c) {
    return (c.green.x - c.red.x) * (c.blue.y - c.red.y) -
           (c.blue.x - c.red.x) * (c.green.y - c.red.y);
}

} // namespace

std::optional<std::vector<uint8_t>> DecodeEdidFile(const std::string& content, std::string* error) {
    if (StartsWithHeader(content)) {
        return std::vector<uint8_t>(content.begin(), content.end());
    }
    std::vector<uint8_t> bytes;
    int high = -1;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        const int digit = HexDigit(c);
        if (digit >= 0) {
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<uint8_t>(high << 4 | digit));
                high = -1;
            }
        } else if (high < 0 && (std::isspace(static_cast<unsigned char>(c)) || c == ':' ||
                                c == '-' || c == ',')) {
            continue;
        } else {
            *error = "neither an EDID nor hex text (byte " + std::to_string(i) + ")";
            return std::nullopt;
        }
    }
    if (high >= 0) {
        *error = "hex text ends with half a byte";
        return std::nullopt;
    }
    return bytes;
}

std::optional<Chromaticity> ReadEdidChromaticity(const std::vector<uint8_t>& e,
                                                 std::string* error) {
    if (e.size() < kBlock) {
        *error = "EDID is " + std::to_string(e.size()) + " bytes, a base block needs 128";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < sizeof kHeader; ++i) {
        if (e[i] != kHeader[i]) {
            *error = "EDID does not start with the EDID header";
            return std::nullopt;
        }
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBlock; ++i) {
        sum += e[i];
    }
    if (sum % 256 != 0) {
        *error = "EDID base block fails its checksum";
        return std::nullopt;
    }
    // Eight high bytes at 27..34; the two low bits of each live in bytes 25 and 26.
    auto coordinate = [&](int index) {
        const uint8_t lowByte = index < 4 ? e[25] : e[26];
        const int shift = 6 - 2 * (index % 4);
        const unsigned value =
            (static_cast<unsigned>(e[27 + index]) << 2) | ((lowByte >> shift) & 3u);
        return value / 1024.0;
    };
    Chromaticity c;
    Xy* points[4] = {&c.red, &c.green, &c.blue, &c.white};
    for (int p = 0; p < 4; ++p) {
        points[p]->x = coordinate(p * 2);
        points[p]->y = coordinate(p * 2 + 1);
    }
    if (TriangleArea(c) <= 1e-4 || c.white.y <= 0.0 || c.red.y <= 0.0 || c.green.y <= 0.0 ||
        c.blue.y <= 0.0) {
        *error = "EDID declares no usable primaries and white point (bytes 25 to 34)";
        return std::nullopt;
    }
    return c;
}

} // namespace varnet::colour
