// The store's file search and profile reads through the platform's own calls: on Windows the real
// folder, current directory and profile reader (under Wine), on the host the sandbox. File names
// are unique to the run, so that nothing else using the configuration folder interferes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "config/config_paths.h"
#include "config/support_lookup.h"
#include "config/tone_curve_parser.h"
#include "platform/platform.h"
#ifndef _WIN32
#include "platform/host/sandbox.h"
#endif

namespace varnet {
namespace {

namespace fs = std::filesystem;

class ConfigLookupPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string seed = std::to_string(::testing::UnitTest::GetInstance()->random_seed());
        unique_ = "varnet-config-" + seed;
#ifdef _WIN32
        scratch_ = fs::temp_directory_path() / unique_;
        fs::remove_all(scratch_);
        fs::create_directories(scratch_);
        folder_ = scratch_.string();
#else
        previousRoot_ = platform::host::Root();
        scratch_ = fs::path(::testing::TempDir()) / unique_;
        fs::remove_all(scratch_);
        platform::host::SetRoot(scratch_.string());
        folder_ = "C:\\Users\\Varnet\\Config Test";
        platform::CreateDirectory("C:\\Users\\Varnet"); // the sandbox may have it already
        ASSERT_TRUE(platform::CreateDirectory(folder_.c_str()));
#endif
        ASSERT_TRUE(platform::GetProgramDataFolder(programData_));
    }
    void TearDown() override {
        for (const std::string& path : written_) {
            platform::DeleteFile(path.c_str());
        }
#ifndef _WIN32
        platform::host::SetRoot(previousRoot_);
#endif
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    void Write(const std::string& path, const std::string& text) {
        std::FILE* out = platform::OpenFile(path.c_str(), "wb");
        ASSERT_NE(out, nullptr) << path;
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
        written_.push_back(path);
    }

    std::string unique_;
    fs::path scratch_;
    std::string folder_; // a Windows path without its final backslash
    std::string programData_;
    std::string previousRoot_;
    std::vector<std::string> written_;
};

TEST_F(ConfigLookupPlatformTest, FindsTheFileInProgramDataBeforeTheCurrentDirectory) {
    const std::string name = unique_ + ".ini";
    const fs::path previous = fs::current_path();
#ifdef _WIN32
    fs::current_path(scratch_);
#else
    platform::host::SetCurrentDirectory(folder_);
#endif
    EXPECT_EQ(GetConfigFilePath(name.c_str()), "");

    Write(folder_ + "\\" + name, "[S]\n");
    char cwd[1024] = {};
    ASSERT_GT(platform::GetCurrentDirectory(sizeof cwd - 1, cwd), 0u);
    EXPECT_EQ(GetConfigFilePath(name.c_str()),
              CollapseDoubledBackslashes(std::string(cwd) + "\\" + name));

    const std::string colorMode = programData_ + "\\ColorMode";
    platform::CreateDirectory(colorMode.c_str()); // may exist already
    Write(colorMode + "\\" + name, "[S]\n");
    EXPECT_EQ(GetConfigFilePath(name.c_str()), colorMode + "\\" + name);
#ifdef _WIN32
    fs::current_path(previous);
#endif
}

TEST_F(ConfigLookupPlatformTest, ReadsPanelValuesWithTheDefaultRuleAndTheLengthLimits) {
    const std::string path = folder_ + "\\lookup.ini";
    const std::string long1100(1100, 'x');
    std::string curve;
    for (int i = 0; i < 1000; ++i) {
        curve += "255,";
    }
    Write(path, "[MODE_VIVID]\r\nVN156FHD01=\"1/2\"\r\nEMPTY=\r\nDEFAULT=9\r\n"
                "[MODE_MOVIE]\r\nVN156FHD01=" +
                    long1100 + "\r\nCURVE=" + curve +
                    "\r\n"
                    "[AMOLED]\r\nVN156FHD01=yes\r\nEMPTY=\r\n");

    EXPECT_EQ(LookupPanelValue(path, "MODE_VIVID", "VN156FHD01"), "1/2");
    EXPECT_EQ(LookupPanelValue(path, "mode_vivid", "vn156fhd01"), "1/2");
    EXPECT_EQ(LookupPanelValue(path, "MODE_VIVID", "EMPTY"), "9");
    EXPECT_EQ(LookupPanelValue(path, "MODE_VIVID", "OTHER"), "9");
    EXPECT_EQ(LookupPanelValue(path, "MODE_VIVID", ""), "9");
    EXPECT_EQ(LookupPanelValue(path, "MODE_MOVIE", "OTHER"), "");
    EXPECT_EQ(LookupPanelValue(path, "MODE_PRO", "VN156FHD01"), "");
    EXPECT_EQ(LookupPanelValue("", "MODE_VIVID", "VN156FHD01"), "");
    EXPECT_EQ(LookupPanelValue(folder_ + "\\missing.ini", "MODE_VIVID", "VN156FHD01"), "");

    EXPECT_EQ(LookupPanelValue(path, "MODE_MOVIE", "VN156FHD01"), std::string(1022, 'x'));
    EXPECT_EQ(ReadProfileValue(path, "MODE_MOVIE", "CURVE", kToneCurveReadLimit),
              curve.substr(0, 3849));

    EXPECT_TRUE(IsAmoledPhotoListed(path, "VN156FHD01"));
    EXPECT_FALSE(IsAmoledPhotoListed(path, "EMPTY"));
    EXPECT_FALSE(IsAmoledPhotoListed(path, "OTHER"));
}

} // namespace
} // namespace varnet
