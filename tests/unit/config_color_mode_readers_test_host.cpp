// The readers that fill a ColorModeSetting from the configuration folder: which file and key
// each one reads, their fallbacks, and the record when nothing is found.
#include <gtest/gtest.h>

#include <string>

#include "backend/graphics_types.h"
#include "config/color_mode_readers.h"
#include "config/color_mode_setting.h"
#include "config_test_sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;

constexpr char kPanel[] = "VN156FHD01";

class ConfigReadersTest : public test::ConfigSandboxTest {
protected:
    void SetUp() override {
        ConfigSandboxTest::SetUp();
        GammaScale = kGammaScaleDefault;
        InitColorModeSetting(setting_);
    }
    void TearDown() override {
        GammaScale = kGammaScaleDefault;
        ConfigSandboxTest::TearDown();
    }

    ColorModeSetting setting_;
};

TEST_F(ConfigReadersTest, ParameterListComesFromThePanelOrDefaultAndThe3DLutVariant) {
    WriteConfig(kColorModeFile, "[MODE_VIVID]\nVN156FHD01=1/2/3\nDEFAULT=7\n"
                                "[MODE_MOVIE]\nDEFAULT=8\n[MODE_PRO]\nVN156FHD01=\n");
    const struct {
        const char* name;
        int32_t mode;
        bool use3DLut;
        bool found;
        int32_t first;
    } cases[] = {
        {"panel key", 1, false, true, 1},
        {"DEFAULT key", 3, false, true, 8},
        {"empty value, no DEFAULT", 6, false, false, 0},
        {"missing section", 2, false, false, 0},
        {"variant asked for but absent", 1, true, true, 1},
    };
    for (const auto& c : cases) {
        ColorModeSetting setting;
        InitColorModeSetting(setting);
        EXPECT_EQ(ReadColorModeSetting(setting, kPanel, c.mode, c.use3DLut), c.found) << c.name;
        EXPECT_EQ(setting.desktopGamma1[0], c.first) << c.name;
    }

    WriteConfig(kColorMode3DlutFile, "[MODE_VIVID]\nVN156FHD01=4\n");
    EXPECT_TRUE(ReadColorModeSetting(setting_, kPanel, 1, true));
    EXPECT_EQ(setting_.desktopGamma1[0], 4);
    // The variant file, once present, is the only one read: no fall back to the plain file's key.
    InitColorModeSetting(setting_);
    EXPECT_FALSE(ReadColorModeSetting(setting_, kPanel, 3, true));
    EXPECT_TRUE(ReadColorModeSetting(setting_, kPanel, 3, false));
    EXPECT_EQ(setting_.desktopGamma1[0], 8);
}

TEST_F(ConfigReadersTest, NothingFoundLeavesTheRecordAsInitialised) {
    setting_.cubeName = "kept";
    setting_.toneCurve[5] = 5;
    const ColorModeSetting before = setting_;
    EXPECT_FALSE(ReadColorModeSetting(setting_, kPanel, 1, false)) << "no file";
    EXPECT_FALSE(ReadZelmoTable(setting_, kPanel, 1)) << "no file";
    EXPECT_EQ(setting_.cubeName, "kept");
    EXPECT_EQ(setting_.desktopGamma1Valid, before.desktopGamma1Valid);
    EXPECT_EQ(setting_.zelmoCount, 0u);
    EXPECT_EQ(setting_.toneCurve[5], 5);
}

TEST_F(ConfigReadersTest, UnlistedModeReadsTheNotSupportSectionAndSaysSo) {
    WriteConfig(kColorModeFile, "[MODE_PRO]\nDEFAULT=1\n[NOTSUPPORT]\nDEFAULT=N/N/N\n");
    host::ClearCaptures();
    EXPECT_TRUE(ReadColorModeSetting(setting_, kPanel, 7, false));
    EXPECT_EQ(setting_.desktopGamma1Valid, 0);
    EXPECT_EQ(host::DebugOutput(), "NOTSUPPORT");
}

TEST_F(ConfigReadersTest, ToneCurveIsThePanelsOwnOrTheIdentityRamp) {
    WriteConfig(kToneCurveFile, "[MODE_VIVID]\nVN156FHD01={1,2}{3}\nDEFAULT=9,9,9\n"
                                "[MODE_MOVIE]\nDEFAULT=9,9,9\n");
    EXPECT_TRUE(ReadToneCurve(setting_, kPanel, 1, false));
    EXPECT_EQ(setting_.toneCurve[0], 257);
    EXPECT_EQ(setting_.toneCurve[2], 3 * 257);
    EXPECT_EQ(setting_.toneCurve[3], 0);

    // No key for the panel: identity ramps, the DEFAULT key notwithstanding.
    for (const uint32_t scale : {257u, 256u}) {
        GammaScale = scale;
        EXPECT_TRUE(ReadToneCurve(setting_, kPanel, 3, false));
        for (std::size_t i = 0; i < kToneCurveEntries; ++i) {
            ASSERT_EQ(setting_.toneCurve[i], (i % 256) * scale) << i;
        }
    }

    // The variant when asked for and present; the plain file's curve otherwise.
    GammaScale = kGammaScaleDefault;
    WriteConfig(kToneCurve3DlutFile, "[MODE_VIVID]\nVN156FHD01=200\n");
    EXPECT_TRUE(ReadToneCurve(setting_, kPanel, 1, true));
    EXPECT_EQ(setting_.toneCurve[0], 200 * 257);
    EXPECT_TRUE(ReadToneCurve(setting_, kPanel, 1, false));
    EXPECT_EQ(setting_.toneCurve[0], 257);
}

TEST_F(ConfigReadersTest, ToneCurveIsReadUpTo3849Characters) {
    // 768 levels of "255," are 3072 characters; pad the front with blank pieces so the last
    // number straddles the limit.
    std::string curve;
    for (int i = 0; i < 768; ++i) {
        curve += "255,";
    }
    const std::string padding(3849 - 3072 + 2, ','); // the final "5," falls off
    WriteConfig(kToneCurveFile, "[MODE_VIVID]\nVN156FHD01=" + padding + curve + "\n");
    EXPECT_TRUE(ReadToneCurve(setting_, kPanel, 1, false));
    EXPECT_EQ(setting_.toneCurve[766], 255 * 257);
    EXPECT_EQ(setting_.toneCurve[767], 25 * 257);
}

TEST_F(ConfigReadersTest, ZelmoTableOfMODE_STANDARDServesEveryModeForAListedPanel) {
    WriteConfig(kZelmoFile, "[MODE_STANDARD]\nVN156FHD01=1A,0x20/1B,20\n"
                            "[MODE_VIVID]\nVN156FHD01=2A,1\nDEFAULT=3A,1\n"
                            "[MODE_MOVIE]\nDEFAULT=4A,2;comment/5A,3\n");
    for (const int32_t mode : {1, 2, 3, 7}) {
        ColorModeSetting setting;
        InitColorModeSetting(setting);
        host::ClearCaptures();
        EXPECT_TRUE(ReadZelmoTable(setting, kPanel, mode)) << mode;
        ASSERT_EQ(setting.zelmoCount, 2u) << mode;
        EXPECT_EQ(setting.zelmoTable[0].address, 0x1A);
        EXPECT_EQ(setting.zelmoTable[0].value, 0x20);
        EXPECT_EQ(setting.zelmoTable[1].value, 20);
        EXPECT_EQ(host::DebugOutput(), "") << "the mode is not even named";
    }

    // Other panels get the mode section's DEFAULT key, never its panel keys.
    EXPECT_TRUE(ReadZelmoTable(setting_, "OTHER", 1));
    ASSERT_EQ(setting_.zelmoCount, 1u);
    EXPECT_EQ(setting_.zelmoTable[0].address, 0x3A);
    EXPECT_TRUE(ReadZelmoTable(setting_, "OTHER", 3));
    ASSERT_EQ(setting_.zelmoCount, 1u);
    EXPECT_EQ(setting_.zelmoTable[0].address, 0x4A);

    InitColorModeSetting(setting_);
    EXPECT_FALSE(ReadZelmoTable(setting_, "OTHER", 2)) << "MODE_STANDARD has no DEFAULT";
    EXPECT_EQ(setting_.zelmoCount, 0u);
}

} // namespace
} // namespace varnet
