// The host reader keeps parsed files between lookups: every way a file can change on disk must
// still show at the next lookup, even when its size and modification time come out the same.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace fs = std::filesystem;

class ProfileCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousRoot_ = platform::host::Root();
        scratch_ = fs::path(::testing::TempDir()) / "varnet-profile-cache";
        fs::remove_all(scratch_);
        platform::host::SetRoot(scratch_.string());
    }
    void TearDown() override {
        platform::host::SetRoot(previousRoot_);
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    static fs::path HostFile(const std::string& name) {
        return platform::host::HostPath(("C:\\Users\\varnet\\" + name).c_str());
    }
    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(HostFile(name), std::ios::binary | std::ios::trunc) << text;
    }
    // As if written an hour ago: the reader may then trust what it parsed.
    static void Age(const std::string& name) { fs::last_write_time(HostFile(name), kAnHourAgo); }
    static std::string Read(const std::string& name, const char* key) {
        char out[64] = {};
        platform::GetPrivateProfileString("s", key, "none", out, sizeof out,
                                          ("C:\\Users\\varnet\\" + name).c_str());
        return out;
    }

    static inline const fs::file_time_type kAnHourAgo =
        fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::string previousRoot_;
    fs::path scratch_;
};

TEST_F(ProfileCacheTest, ChangesOnDiskShowAtTheNextLookup) {
    Write("a.ini", "[s]\nk=one\n");
    Age("a.ini");
    EXPECT_EQ("one", Read("a.ini", "k"));
    EXPECT_EQ("one", Read("a.ini", "k")); // from the kept copy

    // Same size, and the modification time put back: only the change time tells.
    Write("a.ini", "[s]\nk=two\n");
    Age("a.ini");
    EXPECT_EQ("two", Read("a.ini", "k"));

    // Same size, rewritten at once: inside one tick of the file clock nothing may tell.
    Write("a.ini", "[s]\nk=333\n");
    EXPECT_EQ("333", Read("a.ini", "k"));
    Write("a.ini", "[s]\nk=444\n");
    EXPECT_EQ("444", Read("a.ini", "k"));

    Write("a.ini", "[s]\nk=longer value\nj=new\n");
    EXPECT_EQ("longer value", Read("a.ini", "k"));
    EXPECT_EQ("new", Read("a.ini", "j"));

    fs::remove(HostFile("a.ini"));
    EXPECT_EQ("none", Read("a.ini", "k"));
    Write("a.ini", "[s]\nk=back\n");
    EXPECT_EQ("back", Read("a.ini", "k"));

    // A file replaced by another (a new inode), with the old one's size and time.
    Write("b.ini", "[s]\nk=bbbb\n");
    Age("b.ini");
    fs::rename(HostFile("b.ini"), HostFile("a.ini"));
    EXPECT_EQ("bbbb", Read("a.ini", "k"));
}

TEST_F(ProfileCacheTest, ManyFilesAndRootsKeepTheirOwnAnswers) {
    // More files than are kept, read round twice: every answer from its own file.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 40; ++i) {
            const std::string name = "f" + std::to_string(i) + ".ini";
            if (round == 0) {
                Write(name, "[S]\nK=" + std::to_string(i) + "\n");
                Age(name);
            }
            EXPECT_EQ(std::to_string(i), Read(name, "k")) << name;
        }
    }
    // The same Windows path under another root is another file.
    Write("r.ini", "[s]\nk=first root\n");
    Age("r.ini");
    EXPECT_EQ("first root", Read("r.ini", "k"));
    platform::host::SetRoot((scratch_ / "other").string());
    Write("r.ini", "[s]\nk=other root\n");
    Age("r.ini");
    EXPECT_EQ("other root", Read("r.ini", "k"));
}

} // namespace
} // namespace varnet
