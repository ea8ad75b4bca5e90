// EDID chromaticity from real panels' EDIDs, and the blocks and files that are not EDIDs.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "edid_chromaticity.h"

namespace varnet::colour {
namespace {

std::string ReadText(const std::string& name) {
    std::ifstream in(std::string(VARNET_SOURCE_DIR) + "/tests/data/edids/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> Edid(const std::string& name) {
    std::string error;
    auto bytes = DecodeEdidFile(ReadText(name), &error);
    EXPECT_TRUE(bytes) << name << ": " << error;
    return bytes ? *bytes : std::vector<uint8_t>{};
}

// Expected values decoded by hand from bytes 25 to 34 (ten bits each, / 1024).
TEST(EdidChromaticity, RealPanelsGiveTheirPrimariesAndWhite) {
    struct Case {
        const char* file;
        Chromaticity want;
    } cases[] = {
        {"AU_Optronics-AUO00C9-282FE3AB9B85.hex",
         {{0.63672, 0.33984}, {0.29688, 0.61035}, {0.14648, 0.07129}, {0.31348, 0.32910}}},
        {"AU_Optronics-AUO0290-5D04A3CC45EE.hex",
         {{0.56152, 0.33594}, {0.34375, 0.57422}, {0.16309, 0.12598}, {0.31348, 0.32910}}},
        {"InfoVision-IVO03F4-79BBB13AC93C.hex",
         {{0.58496, 0.36523}, {0.31641, 0.55859}, {0.14746, 0.10254}, {0.28320, 0.31152}}},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto got = ReadEdidChromaticity(Edid(c.file), &error);
        ASSERT_TRUE(got) << c.file << ": " << error;
        const Xy* g[] = {&got->red, &got->green, &got->blue, &got->white};
        const Xy* w[] = {&c.want.red, &c.want.green, &c.want.blue, &c.want.white};
        for (int p = 0; p < 4; ++p) {
            EXPECT_NEAR(g[p]->x, w[p]->x, 1e-5) << c.file << " point " << p;
            EXPECT_NEAR(g[p]->y, w[p]->y, 1e-5) << c.file << " point " << p;
        }
    }
}

TEST(EdidChromaticity, BinaryAndHexFormsReadTheSame) {
    const std::vector<uint8_t> edid = Edid("PANDA-NCP0000-2B474B276330.hex");
    ASSERT_EQ(edid.size(), 128u);
    std::string error;
    const auto binary = DecodeEdidFile(std::string(edid.begin(), edid.end()), &error);
    ASSERT_TRUE(binary);
    EXPECT_EQ(*binary, edid);
    const auto dashed = DecodeEdidFile("00-FF:ff ff\nFF FF FF 00", &error);
    ASSERT_TRUE(dashed);
    EXPECT_EQ(dashed->size(), 8u);
}

TEST(EdidChromaticity, WhatIsNotAnEdidIsRefusedWithAReason) {
    std::vector<uint8_t> good = Edid("PANDA-NCP0000-2B474B276330.hex");
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 100);
    std::vector<uint8_t> badSum = good;
    badSum[30] ^= 0x10;
    std::vector<uint8_t> noHeader = good;
    noHeader[1] = 0;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"truncated", truncated, "128"},
        {"checksum", badSum, "checksum"},
        {"header", noHeader, "header"},
        // A real panel that leaves its chromaticity bytes at zero.
        {"no primaries", Edid("LG_Display-LGD0000-F142B4697222.hex"), "primaries"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadEdidChromaticity(c.bytes, &error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
    }
    for (const char* text : {"hello, this is not hex", "00 ff f", "\x01\x02\x03garbage"}) {
        std::string error;
        EXPECT_FALSE(DecodeEdidFile(text, &error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace varnet::colour
