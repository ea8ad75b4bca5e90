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

// Blanks after a number are where it ends, not text the author meant as part of it.
void InspectPart(std::size_t entry, std::string_view part, bool address, int32_t keptBits,
                 ValueObserver& observer) {
    ValueNote note;
    note.item = entry;
    note.text = part;
    note.address = address;
    int32_t value = 0;
    std::size_t end = 0;
    const std::string converted = address ? "0x" + std::string(part) : std::string(part);
    const bool ok = ConvertStrToIntUpTo(converted, true, value, end);
    note.read = value;
    if (!ok) {
        note.issue = ValueIssue::kNotANumber;
    } else if (!TrimSpace(std::string_view(converted).substr(end)).empty()) {
        note.issue = ValueIssue::kTrailingText;
    } else if (value < 0 || value >= (int32_t{1} << keptBits)) {
        note.issue = ValueIssue::kWrapped;
    } else {
        return;
    }
    observer.Note(note);
}

} // namespace

bool ConvertStrToInt(std::string_view text, bool allowHex, int32_t& value) {
    std::size_t end = 0;
    return ConvertStrToIntUpTo(text, allowHex, value, end);
}

bool ConvertStrToIntUpTo(std::string_view text, bool allowHex, int32_t& value, std::size_t& end) {
    value = 0;
    end = 0;
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
    end = at;
    // The platform reader accepts a sign before "0x" but does not apply it.
    if (negative && base == 10) {
        accumulated = 0u - accumulated;
    }
    value = static_cast<int32_t>(accumulated);
    return true;
}

void ApplyZelmoTable(std::string_view value, ColorModeSetting& setting, ValueObserver* observer) {
    for (ZelmoEntry& entry : setting.zelmoTable) {
        entry = ZelmoEntry{};
    }
    uint32_t count = 0;
    std::size_t seen = 0;
    ForEachPiece(CutComment(TrimSpace(value)), '/', [&](std::string_view entry) {
        ++seen;
        if (count == kZelmoTableEntries) {
            observer->Note({ValueIssue::kIgnored, seen, entry});
            return true;
        }
        const std::size_t comma = entry.find(',');
        const std::string_view address =
            comma == std::string_view::npos ? std::string_view() : entry.substr(0, comma);
        const std::string_view data =
            comma == std::string_view::npos ? entry : entry.substr(comma + 1);
        ZelmoEntry& stored = setting.zelmoTable[count];
        stored.address = static_cast<uint16_t>(ConvertOrZero("0x" + std::string(address)));
        stored.value = static_cast<uint8_t>(ConvertOrZero(data));
        if (observer != nullptr) {
            InspectPart(seen, address, true, 16, *observer);
            InspectPart(seen, data, false, 8, *observer);
        }
        ++count;
        // Only an observer wants to hear of the entries past the last one kept.
        return count < kZelmoTableEntries || observer != nullptr;
    });
    setting.zelmoCount = count;
}

} // namespace varnet
