// The panel ID and panel size over real laptop-panel EDIDs (tests/data/edids, with their
// attribution), and the byte patterns real EDIDs rarely show.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "backend/edid_rules.h"
#include "common/scenario_values.h"
#include "support/test_machine.h"

namespace varnet {
namespace {

std::vector<uint8_t> ReadHexEdid(const std::string& name) {
    std::ifstream in(test::TestMachine::SourcePath("tests/data/edids/" + name));
    std::stringstream text;
    text << in.rdbuf();
    std::string hex = text.str();
    for (char& c : hex)
        if (c == '\n' || c == '\r')
            c = ' ';
    return sim::ParseHexBytes(hex, name);
}

std::string PanelIdOf(EdidBaseBlock edid) {
    char id[kPanelIdBufferSize];
    std::memset(id, 0x5A, sizeof id);
    BuildPanelId(edid, id);
    return std::string(id, strnlen(id, sizeof id));
}

TEST(EdidRules, RealPanelsGiveTheirIdAndFirstTimingSize) {
    struct Case {
        const char* file;
        const char* id;
        uint32_t width, height;
    };
    const Case cases[] = {
        // The text ends at the first blank: "AUO M201SP01" is AUO.
        {"AU_Optronics-AUO00C9-282FE3AB9B85.hex", "AUO", 1680, 1050},
        {"AU_Optronics-AUO0290-5D04A3CC45EE.hex", "AF06_0290", 1366, 768},
        // The fourth descriptor is a serial number here; its text is read all the same.
        {"Chi_Mei_Optoelectronics-CMO0198-E623AFE6C7F0.hex", "0", 1280, 1024},
        {"Chi_Mei_Optoelectronics-CMO1026-712679B74009.hex", "AF0D_1026", 1024, 600},
        {"Chimei_Innolux-CMN0600-AF8F5C2EF05B.hex", "M238HCA-L3B", 1920, 1080},
        {"Chimei_Innolux-CMN1118-8AB24F82666A.hex", "N116BGE-L32", 1366, 768},
        {"Chimei_Innolux-CMN1147-5FB39FD39D82.hex", "AE0D_1147", 1366, 768},
        {"HannStar-HSD0000-1FEFD5F973A8.hex", "HP247", 1920, 1080},
        {"InfoVision-IVO03F4-79BBB13AC93C.hex", "BH156EA2SRB", 1920, 1080},
        {"InfoVision-IVO03F4-C526535ECCE2.hex", "M101NWT2", 1024, 600},
        {"InfoVision-IVO048E-2FB75DC1BF9A.hex", "CF26_048E", 1366, 768},
        {"LG_Display-LGD0000-8070212EF485.hex", "E430_0000", 1920, 1080},
        {"LG_Display-LGD0000-F142B4697222.hex", "E430_0000", 3840, 2160},
        {"LG_Display-LGD018B-F64CC618200F.hex", "E430_018B", 1366, 768},
        {"PANDA-NCP0000-2B474B276330.hex", "LC116LF3L01", 1920, 1080},
        {"PANDA-NCP002E-4DB4D05A6A27.hex", "7038_002E", 1920, 1080},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> edid = ReadHexEdid(c.file);
        ASSERT_EQ(edid.size(), kEdidBaseBlockSize) << c.file;
        const EdidBaseBlock base(edid.data(), kEdidBaseBlockSize);
        EXPECT_EQ(PanelIdOf(base), c.id) << c.file;
        const PanelSize size = FirstTimingActivePixels(base);
        EXPECT_EQ(std::make_pair(size.width, size.height), std::make_pair(c.width, c.height))
            << c.file;
    }
}

TEST(EdidRules, TextIsUpperCasedAndEndsAtTheFirstUnprintableByte) {
    const std::pair<std::string, const char*> cases[] = {
        {"abc def\n    ", "ABC"},
        {"VN156FHD01\n  ", "VN156FHD01"},
        {"AB\x7F"
         "CD\n       ",
         "AB"},
        {"~!z\n         ", "~!Z"},
        {"             ", "2D4C_0A10"}, // nothing printable: manufacturer and product
        {std::string(13, '\0'), "2D4C_0A10"},
        {"\tVN156\n      ", "2D4C_0A10"},
    };
    for (const auto& [text, id] : cases) {
        std::array<uint8_t, kEdidBaseBlockSize> edid{};
        const uint8_t identity[] = {0x4C, 0x2D, 0x10, 0x0A};
        std::memcpy(edid.data() + 8, identity, sizeof identity);
        std::memcpy(edid.data() + 113, text.data(), text.size());
        EXPECT_EQ(PanelIdOf(edid), id) << text;
    }
}

TEST(EdidRules, SizeTakesTheHighNibblesOfTheSharedBytes) {
    std::array<uint8_t, kEdidBaseBlockSize> edid{};
    edid[56] = 0xFF;
    edid[58] = 0xFA; // high nibble of the width; the low one belongs to the blanking
    edid[59] = 0x34;
    edid[61] = 0x7C;
    const PanelSize size = FirstTimingActivePixels(edid);
    EXPECT_EQ(std::make_pair(size.width, size.height), std::make_pair(4095u, 0x734u));
}

} // namespace
} // namespace varnet
