// The support questions: colour modes (no NOTSUPPORT inside the value), options (exactly
// SUPPORT), the DEFAULT key, unlisted modes.
#include <gtest/gtest.h>

#include <string>

#include "config/color_mode_names.h"
#include "config/support_lookup.h"
#include "config_test_sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;
using ConfigSupportTest = test::ConfigSandboxTest;
constexpr char kPanel[] = "VN156FHD01";

TEST_F(ConfigSupportTest, UnlistedModesReadTheNotSupportSectionAndSaySo) {
    const int32_t listed[] = {1, 2, 3, 4, 5, 6, 10, 11, 12, 13};
    const char* names[] = {"MODE_VIVID",    "MODE_STANDARD", "MODE_MOVIE",    "MODE_EBOOK",
                           "MODE_NATURAL",  "MODE_PRO",      "MODE_GAME_FPS", "MODE_GAME_RTS",
                           "MODE_GAME_AOS", "MODE_GAME_RPG"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(GetColorModeName(listed[i]), names[i]);
    }
    EXPECT_EQ(host::DebugOutput(), "");
    for (const int32_t mode : {0, 7, 8, 9, 14, -1}) {
        host::ClearCaptures();
        EXPECT_STREQ(GetColorModeName(mode), "NOTSUPPORT") << mode;
        EXPECT_EQ(host::DebugOutput(), "NOTSUPPORT") << mode;
    }
    WriteConfig(kColorModeFile, "[MODE_PRO]\nDEFAULT=1\n[MODE_GAME_FPS]\nDEFAULT=1\n");
    EXPECT_FALSE(CheckColorModeSupport(kPanel, 7));
    WriteConfig(kColorModeFile, "[NOTSUPPORT]\nDEFAULT=1\n");
    EXPECT_TRUE(CheckColorModeSupport(kPanel, 8));
}

TEST_F(ConfigSupportTest, ModeValuesWithoutNotSupportAndOptionValuesOfExactlySupport) {
    const struct {
        const char* value; // the panel's, then "|" and DEFAULT's when there is one
        bool mode;
        bool option;
    } cases[] = {
        {"0/0/0", true, false},
        {"SUPPORT", true, true},
        {"\"SUPPORT\"", true, true}, // the reader drops the quotes
        {"NOTSUPPORT", false, false},
        {"0/0/0 ;NOTSUPPORT yet", false, false},
        {"Support", true, false},
        {"SUPPORT ;yes", true, false},
        {"|SUPPORT", true, true}, // empty value: DEFAULT decides
        {"|NOTSUPPORT", false, false},
        {"1|NOTSUPPORT", true, false}, // the panel's own value wins
        {"", false, false},            // nothing at all
    };
    for (const auto& c : cases) {
        std::string value = c.value;
        const std::size_t bar = value.find('|');
        std::string text = "VN156FHD01=" + value.substr(0, bar) + "\nOTHER=SUPPORT\n";
        if (bar != std::string::npos) {
            text += "DEFAULT=" + value.substr(bar + 1) + "\n";
        }
        WriteConfig(kColorModeFile, "[MODE_EBOOK]\n" + text + "[OPTION_DPST]\n" + text);
        EXPECT_EQ(CheckColorModeSupport(kPanel, 4), c.mode) << c.value;
        EXPECT_EQ(CheckOptionSupport(kPanel, "OPTION_DPST"), c.option) << c.value;
        EXPECT_FALSE(CheckOptionSupport(kPanel, "OPTION_COLORTONE")) << c.value;
    }
    // An unknown panel ID is looked up as DEFAULT only.
    WriteConfig(kColorModeFile, "[MODE_EBOOK]\n=1\n[OPTION_DPST]\n=SUPPORT\nDEFAULT=NOTSUPPORT\n");
    EXPECT_FALSE(CheckColorModeSupport("", 4));
    EXPECT_FALSE(CheckOptionSupport("", "OPTION_DPST"));
    WriteConfig(kColorModeFile, "", true);
    EXPECT_FALSE(CheckColorModeSupport(kPanel, 1));
}

} // namespace
} // namespace varnet
