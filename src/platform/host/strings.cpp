// StrToIntExA as the Windows one parses, found by experiment: blanks, tabs and line feeds are
// skipped, one sign is allowed, digits accumulate modulo 2^32; with STIF_SUPPORT_HEX a "0x"
// prefix reads hex digits and then ignores the sign. No digit at all is a failure.
#include "platform/platform.h"

namespace varnet::platform {
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

} // namespace

bool StrToIntEx(const char* text, uint32_t flags, int* value) {
    if (text == nullptr || value == nullptr) {
        return false;
    }
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n') {
        ++p;
    }
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    uint32_t result = 0;
    if ((flags & 1) != 0 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        if (HexDigit(*p) < 0) {
            return false;
        }
        for (; HexDigit(*p) >= 0; ++p) {
            result = result * 16 + static_cast<uint32_t>(HexDigit(*p));
        }
        *value = static_cast<int>(result);
        return true;
    }
    if (*p < '0' || *p > '9') {
        return false;
    }
    for (; *p >= '0' && *p <= '9'; ++p) {
        result = result * 10 + static_cast<uint32_t>(*p - '0');
    }
    *value = static_cast<int>(negative ? 0u - result : result);
    return true;
}

} // namespace varnet::platform
