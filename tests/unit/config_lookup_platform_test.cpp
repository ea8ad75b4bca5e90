// The file search and profile reads through the platform itself: on Windows the real folders and
// profile reader (under Wine), on the host the sandbox. File names are unique to the run, so that
// other users of the configuration folder do not interfere.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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
        unique_ =
            "varnet-config-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
#ifdef _WIN32
        scratch_ = fs::temp_directory_path() / unique_;
        fs::create_directories(scratch_);
        folder_ = scratch_.string();
#else
        previousRoot_ = platform::host::Root();
        scratch_ = fs::path(::testing::TempDir()) / unique_;
        platform::host::SetRoot(scratch_.string());
        folder_ = "C:\\Users\\Varnet";
        platform::CreateDirectory(folder_.c_str()); // the sandbox may have it already
#endif
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
    std::string folder_; // a Windows path without a final backslash
    std::string previousRoot_;
    std::vector<std::string> written_;
};

TEST_F(ConfigLookupPlatformTest, FindsTheFileInProgramDataBeforeTheCurrentDirectory) {
    const std::string name = unique_ + ".ini";
#ifdef _WIN32
    const fs::path previous = fs::current_path();
    fs::current_path(scratch_);
#else
    platform::host::SetCurrentDirectory(folder_);
#endif
    EXPECT_EQ(GetConfigFilePath(name.c_str()), "");
    Write(folder_ + "\\" + name, "");
    char cwd[1024] = {};
    ASSERT_GT(platform::GetCurrentDirectory(sizeof cwd - 1, cwd), 0u);
    EXPECT_EQ(GetConfigFilePath(name.c_str()),
              CollapseDoubledBackslashes(std::string(cwd) + "\\" + name));

    std::string colorMode;
    ASSERT_TRUE(platform::GetProgramDataFolder(colorMode));
    colorMode += "\\ColorMode";
    platform::CreateDirectory(colorMode.c_str()); // may exist already
    Write(colorMode + "\\" + name, "");
    EXPECT_EQ(GetConfigFilePath(name.c_str()), colorMode + "\\" + name);
#ifdef _WIN32
    fs::current_path(previous);
#endif
    // Pairs fold from the left without overlap; a network path is folded too.
    EXPECT_EQ(CollapseDoubledBackslashes("a\\\\\\b\\\\\\\\c"), "a\\\\b\\\\c");
    EXPECT_EQ(CollapseDoubledBackslashes("\\\\server\\share"), "\\server\\share");
}

TEST_F(ConfigLookupPlatformTest, ReadsPanelValuesWithTheDefaultRuleAndTheLengthLimits) {
    const std::string path = folder_ + "\\" + unique_ + "-lookup.ini";
    std::string curve;
    for (int i = 0; i < 1000; ++i) {
        curve += "255,";
    }
    Write(path, "[MODE_VIVID]\r\nVN156FHD01=\"1/2\"\r\nEMPTY=\r\n=x\r\nDEFAULT=9\r\n"
                "[MODE_MOVIE]\r\nVN156FHD01=" +
                    std::string(1100, 'x') + "\r\nCURVE=" + curve +
                    "\r\n[AMOLED]\r\nVN156FHD01=yes\r\nEMPTY=\r\n=x\r\n");
    const struct {
        const char* section;
        const char* panel;
        std::string value;
    } cases[] = {
        {"MODE_VIVID", "VN156FHD01", "1/2"},
        {"mode_vivid", "vn156fhd01", "1/2"},
        {"MODE_VIVID", "EMPTY", "9"},
        {"MODE_VIVID", "OTHER", "9"},
        {"MODE_VIVID", "", "9"},
        {"MODE_MOVIE", "OTHER", ""},
        {"MODE_PRO", "VN156FHD01", ""},
        {"MODE_MOVIE", "VN156FHD01", std::string(1022, 'x')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LookupPanelValue(path, c.section, c.panel), c.value) << c.section << c.panel;
    }
    EXPECT_EQ(LookupPanelValue("", "MODE_VIVID", "VN156FHD01") +
                  LookupPanelValue(path + ".missing", "MODE_VIVID", "VN156FHD01"),
              "");
    EXPECT_EQ(ReadProfileValue(path, "MODE_MOVIE", "CURVE", kToneCurveReadLimit),
              curve.substr(0, 3849));

    EXPECT_TRUE(IsAmoledPhotoListed(path, "VN156FHD01"));
    EXPECT_FALSE(IsAmoledPhotoListed(path, "EMPTY") || IsAmoledPhotoListed(path, "OTHER") ||
                 IsAmoledPhotoListed(path, ""));
}

} // namespace
} // namespace varnet
