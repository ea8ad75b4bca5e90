#include "common/text_utf8.h"

#include <cstdint>

namespace varnet::sim {

namespace {

constexpr std::size_t kMaxUnits = 32767;

void AppendUtf8(std::string& out, uint32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

template <typename Unit> std::string FromUtf16Units(const Unit* text) {
    std::string out;
    if (!text)
        return out;
    for (std::size_t i = 0; i < kMaxUnits && text[i] != 0; ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < kMaxUnits) {
            uint32_t low = static_cast<uint32_t>(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace

std::string Utf8FromUtf16(const char16_t* text) {
    return FromUtf16Units(text);
}

std::string Utf8FromWide(const wchar_t* text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return FromUtf16Units(text);
    } else {
        std::string out;
        if (!text)
            return out;
        for (std::size_t i = 0; i < kMaxUnits && text[i] != 0; ++i)
            AppendUtf8(out, static_cast<uint32_t>(text[i]));
        return out;
    }
}

} // namespace varnet::sim
