#include "config/zelmo_table_parser.h"

#include <string>

#include "config/parameter_list_parser.h"

namespace varnet {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

int32_t ConvertOrZero(std::string_view text) {
    int32_t value = 0;
    ConvertStrToInt(text, true, value);
    return value;
}

} // namespace

bool ConvertStrToInt(std::string_view text, bool allowHex, int32_t& value) {
    value = 0;
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n')) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    uint32_t base = 10;
    if (allowHex && at + 1 < text.size() && text[at] == '0' &&
        (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    uint32_t accumulated = 0; // unsigned, so that overflow wraps instead of being undefined
    bool anyDigit = false;
    for (; at < text.size(); ++at) {
        const int digit = HexDigit(text[at]);
        if (digit < 0 || static_cast<uint32_t>(digit) >= base) {
            break;
        }
        accumulated = accumulated * base + static_cast<uint32_t>(digit);
        anyDigit = true;
    }
    if (!anyDigit) {
        return false;
    }
    // The platform reader accepts a sign before "0x" but does not apply it.
    if (negative && base == 10) {
        accumulated = 0u - accumulated;
    }
    value = static_cast<int32_t>(accumulated);
    return true;
}

void ApplyZelmoTable(std::string_view value, ColorModeSetting& setting) {
    for (ZelmoEntry& entry : setting.zelmoTable) {
        entry = ZelmoEntry{};
    }
    uint32_t count = 0;
    ForEachPiece(CutComment(TrimSpace(value)), '/', [&](std::string_view entry) {
        const std::size_t comma = entry.find(',');
        const std::string_view address =
            comma == std::string_view::npos ? std::string_view() : entry.substr(0, comma);
        const std::string_view data =
            comma == std::string_view::npos ? entry : entry.substr(comma + 1);
        ZelmoEntry& stored = setting.zelmoTable[count];
        stored.address = static_cast<uint16_t>(ConvertOrZero("0x" + std::string(address)));
        stored.value = static_cast<uint8_t>(ConvertOrZero(data));
        ++count;
        return count < kZelmoTableEntries;
    });
    setting.zelmoCount = count;
}

} // namespace varnet
