// The registry rules the library relies on, on both platforms: the Windows build checks them
// against advapi32 (under Wine), the host build against the sandbox registry.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/platform.h"
#ifndef _WIN32
#include "platform/host/sandbox.h"
#endif

namespace varnet {
namespace {

using platform::RegKey;
using platform::RegRoot;

constexpr const char* kTestKey = "Software\\Varnet Tests\\Platform";

class PlatformRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        previousRoot_ = platform::host::Root();
        scratch_ = std::filesystem::path(::testing::TempDir()) / "varnet-registry";
        std::filesystem::remove_all(scratch_);
        platform::host::SetRoot(scratch_.string());
#endif
        ASSERT_EQ(platform::RegCreateKeyEx(RegRoot::CurrentUser, kTestKey, platform::kKeyAllAccess,
                                           &key_),
                  platform::kErrorSuccess);
    }
    void TearDown() override {
        if (key_ != nullptr) {
            platform::RegCloseKey(key_);
        }
#ifndef _WIN32
        platform::host::SetRoot(previousRoot_);
        std::error_code ignored;
        std::filesystem::remove_all(scratch_, ignored);
#endif
    }

    void Set(const char* name, uint32_t type, const void* data, uint32_t size) {
        ASSERT_EQ(
            platform::RegSetValueEx(key_, name, type, static_cast<const uint8_t*>(data), size),
            platform::kErrorSuccess);
    }

    RegKey key_ = nullptr;
    std::filesystem::path scratch_;
    std::string previousRoot_;
};

TEST_F(PlatformRegistryTest, ValuesComeBackWithTypeAndSize) {
    const uint8_t two[] = {0x34, 0x12};
    const uint32_t dword = 1920;
    Set("Binary2", platform::kRegBinary, two, sizeof two);
    Set("LCDW", platform::kRegDword, &dword, sizeof dword);
    Set("Text", platform::kRegSz, "hello", 6);
    platform::RegCloseKey(key_);
    key_ = nullptr;

    // Key and value names compare without case; values survive the key being closed.
    RegKey key = nullptr;
    ASSERT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "SOFTWARE\\varnet tests\\platform", &key),
              platform::kErrorSuccess);
    struct Expect {
        const char* name;
        uint32_t type;
        std::string bytes;
    };
    const Expect expects[] = {
        {"binary2", platform::kRegBinary, std::string("\x34\x12", 2)},
        {"lcdw", platform::kRegDword, std::string("\x80\x07\0\0", 4)},
        {"TEXT", platform::kRegSz, std::string("hello\0", 6)},
    };
    for (const Expect& e : expects) {
        uint8_t buffer[260] = {};
        uint32_t type = 0;
        uint32_t size = sizeof buffer;
        EXPECT_EQ(platform::RegQueryValueEx(key, e.name, &type, buffer, &size),
                  platform::kErrorSuccess)
            << e.name;
        EXPECT_EQ(type, e.type) << e.name;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), e.bytes) << e.name;
        EXPECT_EQ(buffer[size], 0) << e.name;

        // A null buffer asks the size; a small one gets ERROR_MORE_DATA and stays untouched.
        uint32_t asked = 0;
        EXPECT_EQ(platform::RegQueryValueEx(key, e.name, nullptr, nullptr, &asked),
                  platform::kErrorSuccess);
        EXPECT_EQ(asked, e.bytes.size()) << e.name;
        uint8_t small[1] = {0xAA};
        uint32_t smallSize = 1;
        EXPECT_EQ(platform::RegQueryValueEx(key, e.name, &type, small, &smallSize),
                  platform::kErrorMoreData)
            << e.name;
        EXPECT_EQ(smallSize, e.bytes.size()) << e.name;
        EXPECT_EQ(small[0], 0xAA) << e.name;
    }

    uint8_t buffer[4] = {1, 2, 3, 4};
    uint32_t size = sizeof buffer;
    EXPECT_EQ(platform::RegQueryValueEx(key, "Never Written", nullptr, buffer, &size),
              platform::kErrorFileNotFound);
    EXPECT_EQ(std::memcmp(buffer, "\1\2\3\4", 4), 0);
    EXPECT_EQ(platform::RegQueryValueEx(key, "LCDW", nullptr, buffer, nullptr), 87);
    EXPECT_EQ(platform::RegCloseKey(key), platform::kErrorSuccess);
}

TEST_F(PlatformRegistryTest, OpeningFollowsTheWindowsRules) {
    RegKey key = nullptr;
    EXPECT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\Varnet Tests\\Absent", &key),
              platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegOpenKeyEx(RegRoot::LocalMachine, kTestKey, platform::kKeyRead, &key),
              platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "\\Software", &key), 161);
    // Doubled and trailing backslashes are harmless; parents were created with the key.
    ASSERT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\\\Varnet Tests\\", &key),
              platform::kErrorSuccess);
    EXPECT_EQ(platform::RegCloseKey(key), platform::kErrorSuccess);
    EXPECT_EQ(platform::RegCloseKey(key), platform::kErrorInvalidHandle);

    // A key opened for reading refuses writes.
    ASSERT_EQ(platform::RegOpenKeyEx(RegRoot::CurrentUser, kTestKey, platform::kKeyRead, &key),
              platform::kErrorSuccess);
    const uint32_t one = 1;
    EXPECT_EQ(platform::RegSetValueEx(key, "x", platform::kRegDword,
                                      reinterpret_cast<const uint8_t*>(&one), 4),
              platform::kErrorAccessDenied);
    platform::RegCloseKey(key);
}

} // namespace
} // namespace varnet
