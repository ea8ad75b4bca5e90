#include "backend/driver_version.h"

#include <climits>
#include <cstring>

namespace varnet {

namespace {

// atoi's reading (blanks, sign, digits, stop at anything else), saturating instead of overflowing.
int32_t ReadDecimal(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT32_MAX) {
            value = static_cast<int64_t>(INT32_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

} // namespace

uint32_t ParseDriverVersion(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    const char* first = std::strchr(text, '.');
    if (first == nullptr) {
        return 0;
    }
    const char* second = std::strchr(first + 1, '.');
    if (second == nullptr) {
        return 0;
    }
    const char* third = std::strchr(second + 1, '.');
    if (third == nullptr) {
        return 0;
    }
    // Unsigned arithmetic: a hostile text wraps instead of overflowing.
    const auto build = static_cast<uint32_t>(ReadDecimal(second + 1));
    const auto revision = static_cast<uint32_t>(ReadDecimal(third + 1));
    return build * 10000u + revision;
}

} // namespace varnet
