// The example configuration folder shipped for the simulated laptop, read the way the library
// reads it: what it offers panel VN156FHD01, and that every mode it offers is well formed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/color_mode_readers.h"
#include "config/color_mode_setting.h"
#include "config/config_paths.h"
#include "config/support_lookup.h"
#include "config_test_sandbox.h"

namespace varnet {
namespace {

namespace fs = std::filesystem;

constexpr char kPanel[] = "VN156FHD01";
constexpr int32_t kModes[] = {1, 2, 3, 4, 5, 6, 10, 11, 12, 13};

class ConfigExampleFolderTest : public test::ConfigSandboxTest {
protected:
    void SetUp() override {
        ConfigSandboxTest::SetUp();
        const char* sourceDir = std::getenv("VARNET_SOURCE_DIR");
        const fs::path examples = sourceDir != nullptr
                                      ? fs::path(sourceDir) / "examples" / "config"
                                      : fs::path(__FILE__).parent_path() / "../../examples/config";
        ASSERT_TRUE(fs::is_directory(examples)) << examples;
        for (const auto& entry : fs::directory_iterator(examples)) {
            std::ifstream in(entry.path(), std::ios::binary);
            WriteConfig(entry.path().filename().string(),
                        std::string(std::istreambuf_iterator<char>(in), {}));
        }
        GammaScale = kGammaScaleDefault;
    }
};

TEST_F(ConfigExampleFolderTest, OffersTheDocumentedModesAndOptions) {
    const struct {
        int32_t mode;
        bool supported;
    } modes[] = {{1, true},  {2, true},  {3, true},   {4, true},   {5, true}, {6, true},
                 {7, false}, {10, true}, {11, false}, {12, false}, {13, true}};
    for (const auto& m : modes) {
        EXPECT_EQ(CheckColorModeSupport(kPanel, m.mode), m.supported) << "mode " << m.mode;
    }
    EXPECT_TRUE(CheckOptionSupport(kPanel, "OPTION_DPST"));
    EXPECT_TRUE(CheckOptionSupport(kPanel, "OPTION_COLORTONE"));
    EXPECT_FALSE(CheckOptionSupport(kPanel, "QLED_DISPLAY"));
    EXPECT_TRUE(CheckOptionSupport(kPanel, "AMOLED_DISPLAY"));
    // Another panel: its empty vivid value and its missing keys fall to DEFAULT.
    EXPECT_TRUE(CheckColorModeSupport("AF06_3D8B", 1));
    EXPECT_FALSE(CheckColorModeSupport("AF06_3D8B", 6));
    EXPECT_FALSE(CheckOptionSupport("AF06_3D8B", "OPTION_DPST"));
}

TEST_F(ConfigExampleFolderTest, EveryOfferedModeIsCompleteInBothFileVariants) {
    for (const int32_t mode : kModes) {
        if (!CheckColorModeSupport(kPanel, mode)) {
            continue;
        }
        for (const bool use3DLut : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << (use3DLut ? ", 3D LUT" : ""));
            ColorModeSetting setting;
            InitColorModeSetting(setting);
            ASSERT_TRUE(ReadColorModeSetting(setting, kPanel, mode, use3DLut));
            EXPECT_TRUE(ReadZelmoTable(setting, kPanel, mode));
            EXPECT_EQ(setting.zelmoCount, 5u);
            EXPECT_TRUE(ReadToneCurve(setting, kPanel, mode, use3DLut));
            for (std::size_t i = 1; i < kToneCurveEntries; ++i) {
                if (i % kToneCurveChannelEntries != 0) {
                    ASSERT_GE(setting.toneCurve[i], setting.toneCurve[i - 1]) << "entry " << i;
                }
            }
            if (setting.lut3dValid == 1 && setting.lut3dMode == kLut3dModeCubeFile) {
                // The .cube file is beside the INI files: 4913 triples.
                const std::string cube =
                    "C:\\ProgramData\\ColorMode\\" + setting.cubeName + ".cube";
                std::ifstream in(platform::host::HostPath(cube.c_str()));
                ASSERT_TRUE(in.good()) << cube;
                const auto numbers = std::distance(std::istream_iterator<double>(in),
                                                   std::istream_iterator<double>());
                EXPECT_EQ(numbers, 3 * 4913) << cube;
            }
        }
    }
}

TEST_F(ConfigExampleFolderTest, ModeDetailsTheDocsDescribe) {
    ColorModeSetting pro;
    InitColorModeSetting(pro);
    ASSERT_TRUE(ReadColorModeSetting(pro, kPanel, 6, false));
    EXPECT_EQ(pro.iccProfile, 1);
    EXPECT_EQ(pro.lut3dMode, -10);
    EXPECT_EQ(pro.lut3dParams[0], 8400);

    ColorModeSetting rpg;
    InitColorModeSetting(rpg);
    ASSERT_TRUE(ReadColorModeSetting(rpg, kPanel, 13, false));
    EXPECT_EQ(rpg.displayTccPresent, 1); // given, but skipped because of the 3D LUT
    EXPECT_EQ(rpg.lut3dValid, 1);
    EXPECT_EQ(rpg.cubeName, "VN156FHD01_warm");

    ColorModeSetting standard;
    InitColorModeSetting(standard);
    ASSERT_TRUE(ReadToneCurve(standard, kPanel, 2, false)); // no curve: the straight line
    EXPECT_EQ(standard.toneCurve[255], 65535);
}

} // namespace
} // namespace varnet
