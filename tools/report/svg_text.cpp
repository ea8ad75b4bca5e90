#include <cmath>
#include <cstdio>

#include "svg_parts.h"

namespace varnet::report {

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string HexColour(const colour::Rgb& srgb) {
    char text[8];
    auto code = [](double v) {
        return static_cast<int>(
            std::lround(std::isnan(v) ? 0.0 : std::fmin(1.0, std::fmax(0.0, v)) * 255.0));
    };
    std::snprintf(text, sizeof text, "#%02x%02x%02x", code(srgb[0]), code(srgb[1]), code(srgb[2]));
    return text;
}

} // namespace varnet::report
