// The example configuration folder for the simulated laptop, read as the library reads it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/color_mode_readers.h"
#include "config/support_lookup.h"
#include "config_test_sandbox.h"

namespace varnet {
namespace {

namespace fs = std::filesystem;
constexpr char kPanel[] = "VN156FHD01";

using ConfigExampleFolderTest = test::ConfigSandboxTest;

TEST_F(ConfigExampleFolderTest, OffersItsModesCompletelyInBothVariants) {
    const char* sourceDir = std::getenv("VARNET_SOURCE_DIR");
    const fs::path examples =
        (sourceDir ? fs::path(sourceDir) : fs::path(__FILE__).parent_path() / "../..") /
        "examples" / "config";
    ASSERT_TRUE(fs::is_directory(examples)) << examples;
    for (const auto& entry : fs::directory_iterator(examples)) {
        std::ifstream in(entry.path(), std::ios::binary);
        WriteConfig(entry.path().filename().string(), {std::istreambuf_iterator<char>(in), {}});
    }
    EXPECT_TRUE(CheckOptionSupport(kPanel, "OPTION_DPST"));
    EXPECT_FALSE(CheckOptionSupport(kPanel, "QLED_DISPLAY"));
    EXPECT_TRUE(CheckColorModeSupport("AF06_3D8B", 1)); // empty value, DEFAULT answers

    std::string offered;
    for (const int32_t mode : {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13}) {
        if (!CheckColorModeSupport(kPanel, mode)) {
            continue;
        }
        offered += std::to_string(mode) + " ";
        for (const bool use3DLut : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " 3D LUT " << use3DLut);
            ColorModeSetting s;
            InitColorModeSetting(s);
            ASSERT_TRUE(ReadColorModeSetting(s, kPanel, mode, use3DLut));
            EXPECT_TRUE(ReadZelmoTable(s, kPanel, mode));
            EXPECT_EQ(s.zelmoCount, 5u);
            ReadToneCurve(s, kPanel, mode, use3DLut);
            for (std::size_t i = 1; i < kToneCurveEntries; ++i) {
                ASSERT_TRUE(i % 256 == 0 || s.toneCurve[i] >= s.toneCurve[i - 1]) << i;
            }
            if (s.lut3dValid == 1 && s.lut3dMode == kLut3dModeCubeFile) {
                std::ifstream cube(platform::host::HostPath(
                    ("C:\\ProgramData\\ColorMode\\" + s.cubeName + ".cube").c_str()));
                EXPECT_EQ(std::distance(std::istream_iterator<double>(cube), {}), 3 * 4913);
            }
        }
    }
    EXPECT_EQ(offered, "1 2 3 4 5 6 10 13 ");
}

} // namespace
} // namespace varnet
