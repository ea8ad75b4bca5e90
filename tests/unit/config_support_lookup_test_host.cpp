// The support questions: colour modes (no NOTSUPPORT inside the value), options (exactly SUPPORT),
// the DEFAULT key, unlisted modes, and the AMOLED photo list.
#include <gtest/gtest.h>

#include <string>

#include "config/color_mode_names.h"
#include "config/support_lookup.h"
#include "config_test_sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;

using ConfigSupportTest = test::ConfigSandboxTest;

TEST_F(ConfigSupportTest, ModeNamesAndTheNotSupportSection) {
    const struct {
        int32_t mode;
        const char* section;
    } cases[] = {
        {1, "MODE_VIVID"},     {2, "MODE_STANDARD"},      {3, "MODE_MOVIE"},
        {4, "MODE_EBOOK"},     {5, "MODE_NATURAL"},       {6, "MODE_PRO"},
        {10, "MODE_GAME_FPS"}, {11, "MODE_GAME_RTS"},     {12, "MODE_GAME_AOS"},
        {13, "MODE_GAME_RPG"}, {0, "NOTSUPPORT"},         {7, "NOTSUPPORT"},
        {8, "NOTSUPPORT"},     {9, "NOTSUPPORT"},         {14, "NOTSUPPORT"},
        {-1, "NOTSUPPORT"},    {INT32_MIN, "NOTSUPPORT"},
    };
    for (const auto& c : cases) {
        host::ClearCaptures();
        EXPECT_STREQ(GetColorModeName(c.mode), c.section) << c.mode;
        const bool listed = std::string(c.section) != "NOTSUPPORT";
        EXPECT_EQ(host::DebugOutput(), listed ? "" : "NOTSUPPORT") << c.mode;
    }
}

struct ModeCase {
    const char* name;
    const char* file;
    int32_t mode;
    bool supported;
};

TEST_F(ConfigSupportTest, ColorModeIsSupportedUnlessItsValueContainsNotSupport) {
    const ModeCase cases[] = {
        {"parameter list", "[MODE_VIVID]\nVN156FHD01=0/0/0\n", 1, true},
        {"bare SUPPORT", "[MODE_VIVID]\nVN156FHD01=SUPPORT\n", 1, true},
        {"NOTSUPPORT", "[MODE_VIVID]\nVN156FHD01=NOTSUPPORT\n", 1, false},
        {"NOTSUPPORT inside", "[MODE_VIVID]\nVN156FHD01=0/0/0 ;NOTSUPPORT yet\n", 1, false},
        {"lower case is no match", "[MODE_VIVID]\nVN156FHD01=notsupport\n", 1, true},
        {"other panel only", "[MODE_VIVID]\nOTHER=0/0/0\n", 1, false},
        {"panel names fold case", "[mode_vivid]\nvn156fhd01=0/0/0\n", 1, true},
        {"empty value falls back",
         "[MODE_VIVID]\nVN156FHD01=\nDEFAULT=NOTSUPPORT\n[MODE_MOVIE]\nVN156FHD01=\nDEFAULT=1/2\n",
         1, false},
        {"empty value falls back to a list",
         "[MODE_VIVID]\nVN156FHD01=\nDEFAULT=NOTSUPPORT\n[MODE_MOVIE]\nVN156FHD01=\nDEFAULT=1/2\n",
         3, true},
        {"panel beats DEFAULT", "[MODE_VIVID]\nVN156FHD01=1/2\nDEFAULT=NOTSUPPORT\n", 1, true},
        {"unlisted mode, ordinary file", "[MODE_PRO]\nDEFAULT=1/2\n[MODE_GAME_FPS]\nDEFAULT=1/2\n",
         7, false},
        {"unlisted mode reads NOTSUPPORT section", "[NOTSUPPORT]\nDEFAULT=1/2\n", 8, true},
    };
    for (const ModeCase& c : cases) {
        WriteConfig(kColorModeFile, c.file);
        EXPECT_EQ(CheckColorModeSupport("VN156FHD01", c.mode), c.supported) << c.name;
    }
    RemoveFile(InProgramData(kColorModeFile));
    EXPECT_FALSE(CheckColorModeSupport("VN156FHD01", 1)) << "no file";
}

struct OptionCase {
    const char* name;
    const char* file;
    const char* section;
    bool supported;
};

TEST_F(ConfigSupportTest, OptionIsSupportedWhenItsValueIsExactlySupport) {
    const OptionCase cases[] = {
        {"SUPPORT", "[OPTION_DPST]\nVN156FHD01=SUPPORT\n", "OPTION_DPST", true},
        {"quoted SUPPORT", "[OPTION_DPST]\nVN156FHD01=\"SUPPORT\"\n", "OPTION_DPST", true},
        {"NOTSUPPORT", "[OPTION_DPST]\nVN156FHD01=NOTSUPPORT\n", "OPTION_DPST", false},
        {"mixed case", "[OPTION_DPST]\nVN156FHD01=Support\n", "OPTION_DPST", false},
        {"trailing text", "[OPTION_DPST]\nVN156FHD01=SUPPORT ;yes\n", "OPTION_DPST", false},
        {"YES", "[OPTION_DPST]\nVN156FHD01=YES\n", "OPTION_DPST", false},
        {"DEFAULT", "[QLED_DISPLAY]\nOTHER=NOTSUPPORT\nDEFAULT=SUPPORT\n", "QLED_DISPLAY", true},
        {"empty value falls back", "[AMOLED_DISPLAY]\nVN156FHD01=\nDEFAULT=SUPPORT\n",
         "AMOLED_DISPLAY", true},
        {"no key, no DEFAULT", "[OPTION_COLORTONE]\nOTHER=SUPPORT\n", "OPTION_COLORTONE", false},
        {"other section", "[OPTION_DPST]\nVN156FHD01=SUPPORT\n", "OPTION_COLORTONE", false},
    };
    for (const OptionCase& c : cases) {
        WriteConfig(kColorModeFile, c.file);
        EXPECT_EQ(CheckOptionSupport("VN156FHD01", c.section), c.supported) << c.name;
    }
}

TEST_F(ConfigSupportTest, PanelIdNotKnownAnswersFromDefault) {
    WriteConfig(kColorModeFile, "[MODE_VIVID]\n=NOTSUPPORT\nDEFAULT=1/2\n"
                                "[OPTION_DPST]\n=NOTSUPPORT\nDEFAULT=SUPPORT\n");
    EXPECT_TRUE(CheckColorModeSupport("", 1));
    EXPECT_TRUE(CheckOptionSupport("", "OPTION_DPST"));
}

TEST_F(ConfigSupportTest, ConfigurationInTheCurrentDirectoryServesWhenProgramDataHasNone) {
    host::SetCurrentDirectory("C:\\");
    WriteFile("C:\\IntelColorMode.ini",
              "[MODE_EBOOK]\nDEFAULT=1\n[OPTION_DPST]\nDEFAULT=SUPPORT\n");
    EXPECT_TRUE(CheckColorModeSupport("VN156FHD01", 4));
    EXPECT_TRUE(CheckOptionSupport("VN156FHD01", "OPTION_DPST"));

    // A ProgramData copy, even one that says no, hides the other.
    WriteConfig(kColorModeFile, "[MODE_EBOOK]\nDEFAULT=NOTSUPPORT\n");
    EXPECT_FALSE(CheckColorModeSupport("VN156FHD01", 4));
    EXPECT_FALSE(CheckOptionSupport("VN156FHD01", "OPTION_DPST"));
}

TEST_F(ConfigSupportTest, LongValuesAreSeenUpTo1022Characters) {
    // NOTSUPPORT beyond character 1022 is never seen; one that ends at 1022 is.
    const std::string padding(1012, '0');
    WriteConfig(kColorModeFile, "[MODE_VIVID]\nVN156FHD01=" + padding + "NOTSUPPORT\n" +
                                    "[MODE_MOVIE]\nVN156FHD01=" + padding + "xNOTSUPPORT\n");
    EXPECT_FALSE(CheckColorModeSupport("VN156FHD01", 1));
    EXPECT_TRUE(CheckColorModeSupport("VN156FHD01", 3));
}

TEST_F(ConfigSupportTest, AmoledPhotoListNeedsANonEmptyValueForThePanel) {
    const std::string path = "C:\\App\\IntelAmoledMode.ini";
    WriteFile(path, "[AMOLED]\nVN156FHD01=whatever\nEMPTY01=\nDEFAULT=1\n");
    EXPECT_TRUE(IsAmoledPhotoListed(path, "VN156FHD01"));
    EXPECT_TRUE(IsAmoledPhotoListed(path, "vn156fhd01"));
    EXPECT_FALSE(IsAmoledPhotoListed(path, "EMPTY01"));
    EXPECT_FALSE(IsAmoledPhotoListed(path, "OTHER")); // no DEFAULT rule here
    EXPECT_FALSE(IsAmoledPhotoListed(path, ""));
    EXPECT_FALSE(IsAmoledPhotoListed("", "VN156FHD01"));
}

} // namespace
} // namespace varnet
