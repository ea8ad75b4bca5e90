// EDID base blocks built from a few fields, so that a scenario can describe a panel without
// spelling out 128 bytes. The result is a well-formed EDID 1.4 block with a valid checksum.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varnet::sim {

inline constexpr std::size_t kEdidBlockSize = 128;

struct EdidFields {
    // The fourth descriptor's ASCII text (at most 13 bytes, bytes 113 to 125); empty makes it a
    // dummy descriptor, so that nothing can be read as a name there.
    std::string text = "VN156FHD01";
    std::array<uint8_t, 2> manufacturer = {0x59, 0xD8}; // bytes 8 and 9: "VNX"
    std::array<uint8_t, 2> product = {0x6A, 0x15};      // bytes 10 and 11, little-endian
    uint32_t width = 1920;                              // active pixels of the first timing
    uint32_t height = 1080;
    uint8_t extensionCount = 0; // byte 126
};

std::vector<uint8_t> BuildEdid(const EdidFields& fields);
// A CTA-861 extension block with no data blocks, as many laptop panels carry.
std::vector<uint8_t> BuildExtensionBlock();
// Sets the last byte of every whole 128-byte block so that the block sums to 0 modulo 256.
void FixChecksums(std::vector<uint8_t>& bytes);

} // namespace varnet::sim
