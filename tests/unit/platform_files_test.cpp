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
    // clang-format off
    const char* cases[][3] = {
        {"C:\\a", "b", "C:\\a\\b"}, {"C:\\a\\", "b", "C:\\a\\b"}, {"C:\\a", "\\b", "C:\\a\\b"},
        {"C:\\a\\", "\\b\\", "C:\\a\\b\\"},
        {"C:\\ProgramData", "\\ColorMode\\x.ini", "C:\\ProgramData\\ColorMode\\x.ini"},
        {"C:\\", "\\NORVANE", "C:\\NORVANE"}, {"C:", "b", "C:\\b"}, {"C:\\a", "", "C:\\a"},
        {"", "b", "b"}, {"", "", "\\"}, {"a", "b", "a\\b"}, {"C:\\a", "..\\b", "C:\\b"},
        {"C:\\a\\b", "..\\..\\..\\x", "C:\\x"}, {"C:\\a\\.\\c", "d", "C:\\a\\c\\d"},
        {"C:\\a", "b\\..", "C:\\a"}, {"C:\\a\\", ".", "C:\\a\\."},
        {"C:\\a", "b\\\\c", "C:\\a\\b\\\\c"}, {"C:\\a", "C:\\x", "C:\\x"},
        {"C:\\a", "\\\\srv\\x", "\\\\srv\\x"}, {"C:\\a", "D:", "D:\\"},
        {"C:\\a/", "b", "C:\\a/\\b"},
    };
    // clang-format on
    for (const auto& c : cases) {
        char path[260] = {};
        std::strcpy(path, c[0]);
        EXPECT_TRUE(platform::PathAppend(path, c[1])) << c[0] << " + " << c[1];
        EXPECT_STREQ(path, c[2]) << c[0] << " + " << c[1];
    }
    // 259 characters fit; one more fails and empties the path.
    const std::string base = "C:\\" + std::string(247, 'a');
    char path[260] = {};
    std::strcpy(path, base.c_str());
    EXPECT_TRUE(platform::PathAppend(path, "01234567"));
    EXPECT_EQ(std::strlen(path), 259u);
    std::strcpy(path, base.c_str());
    EXPECT_FALSE(platform::PathAppend(path, "012345678"));
    EXPECT_STREQ(path, "");

    // The current directory tells the size it needs, terminator included.
    const uint32_t needed = platform::GetCurrentDirectory(0, nullptr);
    ASSERT_GT(needed, 3u);
    std::string buffer(needed, '\x7f');
    EXPECT_EQ(platform::GetCurrentDirectory(needed - 1, buffer.data()), needed);
    EXPECT_EQ(platform::GetCurrentDirectory(needed, buffer.data()), needed - 1);
    EXPECT_EQ(std::strlen(buffer.c_str()), needed - 1);
}

TEST(PlatformFiles, FoldersHandlesWithoutSharingAndTextMode) {
    const auto scratch = std::filesystem::path(::testing::TempDir()) / "varnet-files";
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
#ifdef _WIN32
    const std::string folder = scratch.string() + "\\NORVANE";
#else
    const std::string previousRoot = platform::host::Root();
    platform::host::SetRoot(scratch.string());
    const std::string folder = "C:\\Users\\Varnet\\NORVANE";
#endif
    const std::string log = folder + "\\log.txt";

    // Folders must exist before their files, and are created one level at a time.
    EXPECT_EQ(platform::CreateFileOpenAlways(log.c_str()), nullptr);
    EXPECT_EQ(platform::OpenFile(log.c_str(), "a+"), nullptr);
    EXPECT_FALSE(platform::CreateDirectory((folder + "\\Tintwell\\Deeper").c_str()));
    EXPECT_TRUE(platform::CreateDirectory(folder.c_str()));
    EXPECT_FALSE(platform::CreateDirectory(folder.c_str()));

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
    EXPECT_EQ(platform::GetFileSize(file), 14u);
    platform::CloseHandle(file);
    char line[32] = {};
    for (const auto& [mode, expected] : {std::pair{"r", "line1\n"}, {"rb", "line1\r\n"}}) {
        std::FILE* in = platform::OpenFile(log.c_str(), mode);
        ASSERT_NE(in, nullptr);
        EXPECT_STREQ(std::fgets(line, sizeof line, in), expected);
        std::fclose(in);
    }

    EXPECT_FALSE(platform::DeleteFile(folder.c_str()));
    EXPECT_TRUE(platform::DeleteFile(log.c_str()));
    EXPECT_FALSE(platform::PathFileExists(log.c_str()));
#ifndef _WIN32
    platform::host::SetRoot(previousRoot);
#endif
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

} // namespace
} // namespace varnet
