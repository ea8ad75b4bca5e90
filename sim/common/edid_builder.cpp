#include "common/edid_builder.h"

#include <algorithm>
#include <cmath>

namespace varnet::sim {

namespace {

// CIE xy of a wide-gamut laptop panel as it reports itself: primaries near DCI-P3's, a white
// near D65, so that an sRGB mode has something to correct.
struct Chromaticity {
    double x, y;
};
constexpr Chromaticity kRed{0.678, 0.318}, kGreen{0.268, 0.686}, kBlue{0.147, 0.055},
    kWhite{0.3134, 0.3291};

uint32_t TenBits(double v) {
    return static_cast<uint32_t>(std::lround(v * 1024.0)) & 0x3FF;
}

void WriteChromaticity(std::vector<uint8_t>& e) {
    const Chromaticity points[4] = {kRed, kGreen, kBlue, kWhite};
    uint32_t v[8];
    for (int i = 0; i < 4; ++i) {
        v[i * 2] = TenBits(points[i].x);
        v[i * 2 + 1] = TenBits(points[i].y);
    }
    e[25] = static_cast<uint8_t>(((v[0] & 3) << 6) | ((v[1] & 3) << 4) | ((v[2] & 3) << 2) |
                                 (v[3] & 3));
    e[26] = static_cast<uint8_t>(((v[4] & 3) << 6) | ((v[5] & 3) << 4) | ((v[6] & 3) << 2) |
                                 (v[7] & 3));
    for (int i = 0; i < 8; ++i)
        e[27 + i] = static_cast<uint8_t>(v[i] >> 2);
}

// Reduced-blanking timing at 60 Hz for the panel's native mode.
void WriteDetailedTiming(std::vector<uint8_t>& e, std::size_t at, uint32_t width, uint32_t height) {
    const uint32_t hBlank = 160, vBlank = 31, hFront = 48, hSync = 32, vFront = 3, vSync = 5;
    const uint32_t widthMm = 344, heightMm = 194;
    const uint64_t clock10kHz =
        (static_cast<uint64_t>(width + hBlank) * (height + vBlank) * 60 + 5000) / 10000;
    const uint32_t clock = static_cast<uint32_t>(std::min<uint64_t>(clock10kHz, 0xFFFF));
    e[at + 0] = static_cast<uint8_t>(clock & 0xFF);
    e[at + 1] = static_cast<uint8_t>(clock >> 8);
    e[at + 2] = static_cast<uint8_t>(width & 0xFF);
    e[at + 3] = static_cast<uint8_t>(hBlank & 0xFF);
    e[at + 4] = static_cast<uint8_t>(((width >> 8) & 0x0F) << 4 | ((hBlank >> 8) & 0x0F));
    e[at + 5] = static_cast<uint8_t>(height & 0xFF);
    e[at + 6] = static_cast<uint8_t>(vBlank & 0xFF);
    e[at + 7] = static_cast<uint8_t>(((height >> 8) & 0x0F) << 4 | ((vBlank >> 8) & 0x0F));
    e[at + 8] = static_cast<uint8_t>(hFront);
    e[at + 9] = static_cast<uint8_t>(hSync);
    e[at + 10] = static_cast<uint8_t>((vFront & 0x0F) << 4 | (vSync & 0x0F));
    e[at + 11] = 0;
    e[at + 12] = static_cast<uint8_t>(widthMm & 0xFF);
    e[at + 13] = static_cast<uint8_t>(heightMm & 0xFF);
    e[at + 14] = static_cast<uint8_t>(((widthMm >> 8) & 0x0F) << 4 | ((heightMm >> 8) & 0x0F));
    e[at + 15] = 0;
    e[at + 16] = 0;
    e[at + 17] = 0x18; // digital separate sync
}

void WriteTextDescriptor(std::vector<uint8_t>& e, std::size_t at, const std::string& text) {
    e[at + 3] = 0xFE; // alphanumeric data string
    std::size_t n = std::min<std::size_t>(text.size(), 13);
    for (std::size_t i = 0; i < 13; ++i)
        e[at + 5 + i] = i < n ? static_cast<uint8_t>(text[i]) : (i == n ? 0x0A : 0x20);
}

} // namespace

std::vector<uint8_t> BuildEdid(const EdidFields& f) {
    std::vector<uint8_t> e(kEdidBlockSize, 0);
    const uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(std::begin(header), std::end(header), e.begin());
    e[8] = f.manufacturer[0];
    e[9] = f.manufacturer[1];
    e[10] = f.product[0];
    e[11] = f.product[1];
    e[16] = 12; // week
    e[17] = 32; // 2022
    e[18] = 1;  // EDID 1.4
    e[19] = 4;
    e[20] = 0xA5; // digital, 8 bits per colour, DisplayPort
    e[21] = 34;   // 34 x 19 cm, a 15.6-inch panel
    e[22] = 19;
    e[23] = 120;  // gamma 2.2
    e[24] = 0x02; // the first timing is the native mode
    WriteChromaticity(e);
    for (std::size_t i = 38; i < 54; ++i)
        e[i] = 0x01; // no standard timings
    WriteDetailedTiming(e, 54, f.width, f.height);
    e[72 + 3] = 0x10; // dummy descriptor
    WriteTextDescriptor(e, 90, "VARNET");
    if (f.text.empty())
        e[108 + 3] = 0x10;
    else
        WriteTextDescriptor(e, 108, f.text);
    e[126] = f.extensionCount;
    FixChecksums(e);
    return e;
}

std::vector<uint8_t> BuildExtensionBlock() {
    std::vector<uint8_t> block(kEdidBlockSize, 0);
    block[0] = 0x02; // CTA-861
    block[1] = 0x03;
    block[2] = 0x04; // no data block collection
    block[3] = 0x00;
    FixChecksums(block);
    return block;
}

void FixChecksums(std::vector<uint8_t>& bytes) {
    for (std::size_t start = 0; start + kEdidBlockSize <= bytes.size(); start += kEdidBlockSize) {
        unsigned sum = 0;
        for (std::size_t i = start; i < start + kEdidBlockSize - 1; ++i)
            sum += bytes[i];
        bytes[start + kEdidBlockSize - 1] = static_cast<uint8_t>((256 - (sum & 0xFF)) & 0xFF);
    }
}

} // namespace varnet::sim
