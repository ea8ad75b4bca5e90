// The readers that fill a ColorModeSetting: which file and key each reads, their fallbacks, and
// the record when nothing is found.
#include <gtest/gtest.h>

#include <string>

#include "backend/graphics_types.h"
#include "config/color_mode_readers.h"
#include "config_test_sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;
constexpr char kPanel[] = "VN156FHD01";

class ConfigReadersTest : public test::ConfigSandboxTest {
protected:
    void TearDown() override {
        GammaScale = kGammaScaleDefault;
        ConfigSandboxTest::TearDown();
    }
    // desktopGamma1[0] after a read into a fresh record, or -1 when nothing was found.
    static int32_t FirstField(int32_t mode, bool use3DLut) {
        ColorModeSetting setting;
        InitColorModeSetting(setting);
        const ColorModeSetting before = setting;
        if (!ReadColorModeSetting(setting, kPanel, mode, use3DLut)) {
            EXPECT_TRUE(setting == before) << "a read that finds nothing leaves the record";
            return -1;
        }
        return setting.desktopGamma1[0];
    }
};

TEST_F(ConfigReadersTest, ParameterListFromThePanelOrDefaultAndThe3DLutVariant) {
    EXPECT_EQ(FirstField(1, false), -1); // no file
    WriteConfig(kColorModeFile, "[MODE_VIVID]\nVN156FHD01=1\nDEFAULT=7\n[MODE_MOVIE]\nDEFAULT=8\n"
                                "[MODE_PRO]\nVN156FHD01=\n[NOTSUPPORT]\nDEFAULT=9\n");
    EXPECT_EQ(FirstField(1, false), 1);
    EXPECT_EQ(FirstField(3, false), 8);
    EXPECT_EQ(FirstField(6, false), -1);
    EXPECT_EQ(FirstField(1, true), 1); // variant asked for but absent
    host::ClearCaptures();
    EXPECT_EQ(FirstField(7, false), 9);
    EXPECT_EQ(host::DebugOutput(), "NOTSUPPORT");
    // Once present, the variant is the only file read for the 3D LUT case.
    WriteConfig(kColorMode3DlutFile, "[MODE_VIVID]\nVN156FHD01=4\n");
    EXPECT_EQ(FirstField(1, true), 4);
    EXPECT_EQ(FirstField(3, true), -1);
    EXPECT_EQ(FirstField(3, false), 8);
}

TEST_F(ConfigReadersTest, ToneCurveIsThePanelsOwnOrTheIdentityRamp) {
    WriteConfig(kToneCurveFile, "[MODE_VIVID]\nVN156FHD01={1,2}{3}\n[MODE_MOVIE]\nDEFAULT=9,9\n");
    WriteConfig(kToneCurve3DlutFile, "[MODE_VIVID]\nVN156FHD01=200\n");
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    EXPECT_TRUE(ReadToneCurve(setting, kPanel, 1, false));
    EXPECT_EQ(setting.toneCurve[2], 3 * 257);
    EXPECT_TRUE(ReadToneCurve(setting, kPanel, 1, true));
    EXPECT_EQ(setting.toneCurve[0], 200 * 257);
    // No key for the panel: the identity ramp, DEFAULT notwithstanding, scaled by GammaScale.
    GammaScale = kGammaScaleReduced;
    EXPECT_TRUE(ReadToneCurve(setting, kPanel, 3, false));
    EXPECT_EQ(setting.toneCurve[1], 256);
    EXPECT_EQ(setting.toneCurve[767], 65280);
}

TEST_F(ConfigReadersTest, ZelmoTableOfModeStandardServesEveryModeOfAListedPanel) {
    WriteConfig(kZelmoFile,
                "[MODE_STANDARD]\nVN156FHD01=1A,0x20/1B,20\n"
                "[MODE_VIVID]\nVN156FHD01=2A,1\nDEFAULT=3A,1\n[MODE_MOVIE]\nDEFAULT=4A,2\n");
    const struct {
        const char* panel;
        int32_t mode;
        uint32_t count;
        uint16_t firstAddress;
    } cases[] = {{kPanel, 1, 2, 0x1A},
                 {kPanel, 7, 2, 0x1A},
                 {"OTHER", 1, 1, 0x3A},
                 {"OTHER", 3, 1, 0x4A},
                 {"OTHER", 2, 0, 0}};
    for (const auto& c : cases) {
        ColorModeSetting setting;
        InitColorModeSetting(setting);
        EXPECT_EQ(ReadZelmoTable(setting, c.panel, c.mode), c.count > 0) << c.panel << c.mode;
        EXPECT_EQ(setting.zelmoCount, c.count) << c.panel << c.mode;
        EXPECT_EQ(setting.zelmoTable[0].address, c.firstAddress) << c.panel << c.mode;
    }
}

} // namespace
} // namespace varnet
