#include "backend/edid_rules.h"

#include <cstdio>
#include <cstring>

namespace varnet {

namespace {
constexpr std::size_t kTextOffset = 113; // text field of the fourth 18-byte descriptor
constexpr std::size_t kTextLength = 11;  // up to offset 123; offset 124 never enters the ID
constexpr std::size_t kFirstTiming = 54;
} // namespace

void BuildPanelId(EdidBaseBlock edid, char (&out)[kPanelIdBufferSize]) {
    static_assert(kTextLength < kPanelIdBufferSize);
    std::memset(out, 0, sizeof out);
    std::memcpy(out, edid.data() + kTextOffset, kTextLength);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    // Walking back from the end means the first unprintable byte ends the ID.
    for (std::size_t i = std::strlen(out); i-- > 0;) {
        const auto byte = static_cast<unsigned char>(out[i]);
        if (byte < 33 || byte > 126) {
            out[i] = '\0';
        }
    }
    if (out[0] == '\0') {
        std::snprintf(out, sizeof out, "%02X%02X_%02X%02X", edid[9], edid[8], edid[11], edid[10]);
    }
}

PanelSize FirstTimingActivePixels(EdidBaseBlock edid) {
    const auto timing = edid.subspan<kFirstTiming, 18>();
    return {((timing[4] & 0xF0u) << 4) | timing[2], ((timing[7] & 0xF0u) << 4) | timing[5]};
}

} // namespace varnet
