// Paths and files on both platforms, against the Windows behaviour the library can observe:
// PathAppendA's joining, the current directory's size rule, a handle without sharing, and the C
// run time's text mode.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/platform.h"
#ifndef _WIN32
#include "platform/host/sandbox.h"
#endif

namespace varnet {
namespace {

TEST(PlatformFiles, PathAppendJoinsAsShlwapi) {
    const char* cases[][3] = {
        {"C:\\a", "b", "C:\\a\\b"},
        {"C:\\a\\", "b", "C:\\a\\b"},
        {"C:\\a", "\\b", "C:\\a\\b"},
        {"C:\\a\\", "\\b\\", "C:\\a\\b\\"},
        {"C:\\ProgramData", "\\ColorMode\\x.ini", "C:\\ProgramData\\ColorMode\\x.ini"},
        {"C:\\", "\\NORVANE", "C:\\NORVANE"},
        {"C:", "b", "C:\\b"},
        {"C:\\a", "", "C:\\a"},
        {"", "b", "b"},
        {"", "", "\\"},
        {"a", "b", "a\\b"},
        {"C:\\a", "..\\b", "C:\\b"},
        {"C:\\a\\b", "..\\..\\..\\x", "C:\\x"},
        {"C:\\a\\.\\c", "d", "C:\\a\\c\\d"},
        {"C:\\a", "b\\..", "C:\\a"},
        {"C:\\a\\", ".", "C:\\a\\."},
        {"C:\\a", "b\\\\c", "C:\\a\\b\\\\c"},
        {"C:\\a", "C:\\x", "C:\\x"},
        {"C:\\a", "\\\\srv\\x", "\\\\srv\\x"},
        {"C:\\a", "D:", "D:\\"},
        {"C:\\a/", "b", "C:\\a/\\b"},
    };
    for (const auto& c : cases) {
        char path[260] = {};
        std::strcpy(path, c[0]);
        EXPECT_TRUE(platform::PathAppend(path, c[1])) << c[0] << " + " << c[1];
        EXPECT_STREQ(path, c[2]) << c[0] << " + " << c[1];
    }

    // 259 characters fit; one more fails and empties the path.
    std::string base = "C:\\" + std::string(247, 'a');
    char path[260] = {};
    std::strcpy(path, base.c_str());
    EXPECT_TRUE(platform::PathAppend(path, "01234567"));
    EXPECT_EQ(std::strlen(path), 259u);
    std::strcpy(path, base.c_str());
    EXPECT_FALSE(platform::PathAppend(path, "012345678"));
    EXPECT_STREQ(path, "");
}

TEST(PlatformFiles, CurrentDirectoryTellsTheSizeItNeeds) {
    uint32_t needed = platform::GetCurrentDirectory(0, nullptr);
    ASSERT_GT(needed, 3u);
    std::string buffer(needed, '\x7f');
    EXPECT_EQ(platform::GetCurrentDirectory(needed - 1, buffer.data()), needed);
    EXPECT_EQ(platform::GetCurrentDirectory(needed, buffer.data()), needed - 1);
    EXPECT_EQ(std::strlen(buffer.c_str()), needed - 1);
    EXPECT_EQ(buffer[1], ':');
}

class PlatformFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = std::string("varnet-files-") +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
#ifdef _WIN32
        scratch_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(scratch_);
        std::filesystem::create_directories(scratch_);
        folder_ = scratch_.string();
#else
        previousRoot_ = platform::host::Root();
        scratch_ = std::filesystem::path(::testing::TempDir()) / name;
        std::filesystem::remove_all(scratch_);
        platform::host::SetRoot(scratch_.string());
        folder_ = "C:\\Users\\Varnet\\Files";
        ASSERT_TRUE(platform::CreateDirectory(folder_.c_str()));
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        platform::host::SetRoot(previousRoot_);
#endif
        std::error_code ignored;
        std::filesystem::remove_all(scratch_, ignored);
    }

    std::string Path(const char* name) const {
        return folder_ + "\\" + name;
    }

    std::filesystem::path scratch_;
    std::string folder_; // a Windows path
    std::string previousRoot_;
};

TEST_F(PlatformFilesTest, HandleWithoutSharingAndTextMode) {
    std::string log = Path("log.txt");
    ASSERT_FALSE(platform::PathFileExists(log.c_str()));

    platform::FileHandle file = platform::CreateFileOpenAlways(log.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(platform::PathFileExists(log.c_str()));
    EXPECT_EQ(platform::GetFileSize(file), 0u);
    // Nobody else gets at the file while the handle is open.
    EXPECT_EQ(platform::CreateFileOpenAlways(log.c_str()), nullptr);
    EXPECT_EQ(platform::OpenFile(log.c_str(), "a+"), nullptr);
    EXPECT_FALSE(platform::DeleteFile(log.c_str()));
    platform::CloseHandle(file);

    // Text mode writes "\r\n" and reads it back as "\n".
    std::FILE* out = platform::OpenFile(log.c_str(), "a+");
    ASSERT_NE(out, nullptr);
    std::fputs("line1\nline2\n", out);
    std::fclose(out);
    file = platform::CreateFileOpenAlways(log.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(platform::GetFileSize(file), 14u);
    platform::CloseHandle(file);

    char line[32] = {};
    std::FILE* in = platform::OpenFile(log.c_str(), "r");
    ASSERT_NE(in, nullptr);
    ASSERT_NE(std::fgets(line, sizeof line, in), nullptr);
    EXPECT_STREQ(line, "line1\n");
    std::fclose(in);
    in = platform::OpenFile(log.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    ASSERT_NE(std::fgets(line, sizeof line, in), nullptr);
    EXPECT_STREQ(line, "line1\r\n");
    std::fclose(in);

    EXPECT_TRUE(platform::DeleteFile(log.c_str()));
    EXPECT_FALSE(platform::PathFileExists(log.c_str()));
    EXPECT_FALSE(platform::DeleteFile(log.c_str()));
}

TEST_F(PlatformFilesTest, FoldersMustExistBeforeTheirFiles) {
    std::string folder = Path("NORVANE");
    std::string inside = folder + "\\log.txt";
    EXPECT_EQ(platform::CreateFileOpenAlways(inside.c_str()), nullptr);
    EXPECT_EQ(platform::OpenFile(inside.c_str(), "a+"), nullptr);
    EXPECT_FALSE(platform::CreateDirectory((folder + "\\Tintwell\\Deeper").c_str()));

    EXPECT_TRUE(platform::CreateDirectory(folder.c_str()));
    EXPECT_FALSE(platform::CreateDirectory(folder.c_str()));
    EXPECT_TRUE(platform::PathFileExists(folder.c_str()));
    platform::FileHandle file = platform::CreateFileOpenAlways(inside.c_str());
    ASSERT_NE(file, nullptr);
    platform::CloseHandle(file);
    EXPECT_FALSE(platform::DeleteFile(folder.c_str()));
    EXPECT_FALSE(platform::PathFileExists(""));
}

} // namespace
} // namespace varnet
