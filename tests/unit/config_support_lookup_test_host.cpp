// The configuration store against sandbox files: where it finds them, the support questions
// (a mode's value without NOTSUPPORT, an option's exactly SUPPORT, the DEFAULT key, unlisted
// modes), and the readers that fill a ColorModeSetting, with their fallbacks.
#include <gtest/gtest.h>

#include <string>

#include "backend/graphics_types.h"
#include "config/color_mode_names.h"
#include "config/color_mode_readers.h"
#include "config/config_paths.h"
#include "config/support_lookup.h"
#include "config_test_sandbox.h"
#include "platform/platform.h"
#include "support/sandbox_faults.h"

namespace varnet {
namespace {

namespace host = platform::host;
using ConfigSupportTest = test::ConfigSandboxTest;
constexpr char kPanel[] = "VN156FHD01";

TEST_F(ConfigSupportTest, ProgramDataCopyWinsOverTheCurrentDirectory) {
    host::SetCurrentDirectory("C:\\Work");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "");
    WriteFile("C:\\Work\\IntelColorMode.ini", "");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "C:\\Work\\IntelColorMode.ini");
    WriteConfig(kColorModeFile, "");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "C:\\ProgramData\\ColorMode\\IntelColorMode.ini");
    EXPECT_EQ(GetConfigFilePath(kZelmoFile), "");

    // At a drive root the current directory gives no doubled backslash; pairs fold from the left.
    host::SetCurrentDirectory("D:\\");
    WriteFile("D:\\Zelmo.ini", "");
    EXPECT_EQ(GetConfigFilePath(kZelmoFile), "D:\\Zelmo.ini");
    EXPECT_EQ(CollapseDoubledBackslashes("a\\\\\\b\\\\\\\\c"), "a\\\\b\\\\c");
}

TEST_F(ConfigSupportTest, AmoledFileIsBesideTheProgramNamedInTheRegistry) {
    WriteFile("C:\\Program Files\\Tintwell\\Tintwell.exe", "MZ");
    WriteFile("C:\\Program Files\\Tintwell\\IntelAmoledMode.ini", "[AMOLED]\n");
    const std::string program = "C:\\Program Files\\Tintwell\\Tintwell.exe";
    const std::string found = "C:\\Program Files\\Tintwell\\IntelAmoledMode.ini";
    const struct {
        uint32_t type;
        std::string value;
        std::string path;
    } cases[] = {
        {platform::kRegSz, "\"" + program + "\"", found},
        {platform::kRegExpandSz, "C:\\\\Program Files\\\\Tintwell\\\\Tintwell.exe", found},
        {platform::kRegSz, "C:\\Program Files\\Tintwell\\", found},
        {platform::kRegSz, "C:\\Program Files\\Tintwell\\Other.exe", ""},
        {platform::kRegSz, "C:\\Program Files\\Tintwell", ""}, // the folder above has no list
        {platform::kRegSz, "", ""},
        {platform::kRegBinary, program, ""},
        {platform::kRegSz, program, found}, // kept for the faults below
    };
    EXPECT_EQ(GetAmoledModeFilePath(), "");
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegCreateKeyEx(platform::RegRoot::LocalMachine, kCurrentPathKey,
                                       platform::kKeyAllAccess, &key),
              platform::kErrorSuccess);
    for (const auto& c : cases) {
        platform::RegSetValueEx(key, kCurrentPathValue, c.type,
                                reinterpret_cast<const uint8_t*>(c.value.c_str()),
                                static_cast<uint32_t>(c.value.size() + 1));
        EXPECT_EQ(GetAmoledModeFilePath(), c.path) << c.value;
    }
    platform::RegCloseKey(key);
    test::SandboxFaults faults;
    for (const char* operation : {"RegOpenKeyEx", "RegQueryValueEx"}) {
        faults.Inject(operation, 1, true);
        EXPECT_EQ(GetAmoledModeFilePath(), "") << operation;
        faults.Clear();
    }
    faults.Inject("RegQueryValueEx", 2, false); // the size is known, the text is not
    EXPECT_EQ(GetAmoledModeFilePath(), "");
    EXPECT_EQ(GetAmoledModeFilePath(), found);
}

TEST_F(ConfigSupportTest, UnlistedModesReadTheNotSupportSectionAndSaySo) {
    for (int32_t mode = -1; mode <= 14; ++mode) {
        const bool listed = (mode >= 1 && mode <= 6) || (mode >= 10 && mode <= 13);
        host::ClearCaptures();
        EXPECT_EQ(std::string(GetColorModeName(mode)) == "NOTSUPPORT", !listed) << mode;
        EXPECT_EQ(host::DebugOutput(), listed ? "" : "NOTSUPPORT") << mode;
    }
}

TEST_F(ConfigSupportTest, ModeValuesWithoutNotSupportAndOptionValuesOfExactlySupport) {
    const std::string x(1012, 'x'); // values are seen up to 1022 characters
    const struct {
        std::string value; // the panel's, then "|" and DEFAULT's when there is one
        bool mode;
        bool option;
    } cases[] = {
        {"0/0/0", true, false},
        {"SUPPORT", true, true},
        {"NOTSUPPORT", false, false},
        {"0/0/0 ;NOTSUPPORT yet", false, false},
        {"Support", true, false},
        {"SUPPORT ;yes", true, false},
        {"|SUPPORT", true, true}, // empty value: DEFAULT decides
        {"|NOTSUPPORT", false, false},
        {"1|NOTSUPPORT", true, false}, // the panel's own value wins
        {"", false, false},            // nothing at all
        {x + "NOTSUPPORT", false, false},
        {x + "xNOTSUPPORT", true, false},
    };
    for (const auto& c : cases) {
        const std::size_t bar = c.value.find('|');
        std::string text = "VN156FHD01=" + c.value.substr(0, bar) + "\nOTHER=SUPPORT\n";
        if (bar != std::string::npos) {
            text += "DEFAULT=" + c.value.substr(bar + 1) + "\n";
        }
        WriteConfig(kColorModeFile, "[MODE_EBOOK]\n" + text + "[OPTION_DPST]\n" + text);
        EXPECT_EQ(CheckColorModeSupport(kPanel, 4), c.mode) << c.value.size() << c.value;
        EXPECT_EQ(CheckOptionSupport(kPanel, "OPTION_DPST"), c.option) << c.value;
        EXPECT_FALSE(CheckOptionSupport(kPanel, "OPTION_COLORTONE")) << c.value;
    }
    // An unknown panel ID is looked up as DEFAULT only.
    WriteConfig(kColorModeFile, "[MODE_EBOOK]\n=1\n[OPTION_DPST]\n=SUPPORT\nDEFAULT=NOTSUPPORT\n");
    EXPECT_FALSE(CheckColorModeSupport("", 4));
    EXPECT_FALSE(CheckOptionSupport("", "OPTION_DPST"));
    std::filesystem::remove(host::HostPath("C:\\ProgramData\\ColorMode\\IntelColorMode.ini"));
    EXPECT_FALSE(CheckColorModeSupport(kPanel, 1));
}

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
    EXPECT_EQ(FirstField(7, false), 9);
    // Once present, the variant is the only file read for the 3D LUT case.
    WriteConfig(kColorMode3DlutFile, "[MODE_VIVID]\nVN156FHD01=4\n");
    EXPECT_EQ(FirstField(1, true), 4);
    EXPECT_EQ(FirstField(3, true), -1);
    EXPECT_EQ(FirstField(3, false), 8);
}

TEST_F(ConfigReadersTest, ToneCurveIsThePanelsOwnOrTheIdentityRamp) {
    // 3849 characters are read: the second level is cut to its first digit.
    WriteConfig(kToneCurveFile, "[MODE_VIVID]\nVN156FHD01=1," + std::string(3846, '0') +
                                    "23\n[MODE_MOVIE]\nDEFAULT=9,9\n");
    WriteConfig(kToneCurve3DlutFile, "[MODE_VIVID]\nVN156FHD01=200\n");
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    EXPECT_TRUE(ReadToneCurve(setting, kPanel, 1, false));
    EXPECT_EQ(setting.toneCurve[1], 2 * 257);
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
