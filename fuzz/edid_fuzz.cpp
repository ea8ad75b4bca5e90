// libFuzzer target: any bytes as an EDID base block (cut or zero-padded to 128 bytes). The panel
// ID keys INI files, so it must be printable and either a text of at most 11 characters or the
// "XXXX_XXXX" hexadecimal form; the panel size is two 12-bit counts.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "backend/edid_rules.h"

namespace {

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool IsHexForm(const char* id, const std::array<uint8_t, varnet::kEdidBaseBlockSize>& edid) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02X%02X_%02X%02X", edid[9], edid[8], edid[11],
                  edid[10]);
    for (std::size_t i = 0; i < 9; ++i) {
        if (i != 4 && !IsUpperHex(id[i])) {
            return false;
        }
    }
    return id[4] == '_' && std::strcmp(id, expected) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::array<uint8_t, varnet::kEdidBaseBlockSize> edid{};
    std::memcpy(edid.data(), data, size < edid.size() ? size : edid.size());

    char id[varnet::kPanelIdBufferSize];
    std::memset(id, 0x7F, sizeof id);
    varnet::BuildPanelId(edid, id);
    const std::size_t length = strnlen(id, sizeof id);
    if (length == 0 || length == sizeof id) {
        std::abort();
    }
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(id[i]);
        if (c < 33 || c > 126 || (c >= 'a' && c <= 'z')) {
            std::abort();
        }
    }
    if (length > 11 && !IsHexForm(id, edid)) {
        std::abort();
    }
    // A text ID is the descriptor's own bytes, upper-cased.
    if (!IsHexForm(id, edid) || std::memcmp(id, edid.data() + 113, length) == 0) {
        for (std::size_t i = 0; i < length; ++i) {
            char c = static_cast<char>(edid[113 + i]);
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
            if (c != id[i]) {
                std::abort();
            }
        }
    }
    const varnet::PanelSize panel = varnet::FirstTimingActivePixels(edid);
    if (panel.width > 4095 || panel.height > 4095) {
        std::abort();
    }
    return 0;
}
