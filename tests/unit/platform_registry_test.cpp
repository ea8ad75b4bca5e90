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

TEST(PlatformRegistry, ValuesOpeningAndAccessFollowTheWindowsRules) {
#ifndef _WIN32
    const std::string previousRoot = platform::host::Root();
    const auto scratch = std::filesystem::path(::testing::TempDir()) / "varnet-registry";
    std::filesystem::remove_all(scratch);
    platform::host::SetRoot(scratch.string());
#endif
    RegKey key = nullptr;
    ASSERT_EQ(
        platform::RegCreateKeyEx(RegRoot::CurrentUser, kTestKey, platform::kKeyAllAccess, &key), 0);
    const struct {
        const char* name;
        const char* asked; // the same name in other letters
        uint32_t type;
        std::string bytes;
    } values[] = {
        {"Binary2", "binary2", platform::kRegBinary, std::string("\x34\x12", 2)},
        {"LCDW", "lcdw", platform::kRegDword, std::string("\x80\x07\0\0", 4)},
        {"Text", "TEXT", platform::kRegSz, std::string("hello\0", 6)},
    };
    for (const auto& v : values) {
        const auto* data = reinterpret_cast<const uint8_t*>(v.bytes.data());
        ASSERT_EQ(platform::RegSetValueEx(key, v.name, v.type, data, v.bytes.size()), 0);
    }
    platform::RegCloseKey(key);

    // Key and value names compare without case; values survive the key being closed.
    ASSERT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "SOFTWARE\\varnet tests\\platform", &key),
              0);
    for (const auto& v : values) {
        SCOPED_TRACE(v.name);
        uint8_t buffer[260] = {};
        uint32_t type = 0, size = sizeof buffer;
        EXPECT_EQ(platform::RegQueryValueEx(key, v.asked, &type, buffer, &size), 0);
        EXPECT_EQ(type, v.type);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), v.bytes);
        // A null buffer asks the size; a small one gets ERROR_MORE_DATA and stays untouched.
        EXPECT_EQ(platform::RegQueryValueEx(key, v.name, nullptr, nullptr, &size), 0);
        EXPECT_EQ(size, v.bytes.size());
        size = 1;
        buffer[0] = 0xAA;
        EXPECT_EQ(platform::RegQueryValueEx(key, v.name, &type, buffer, &size),
                  platform::kErrorMoreData);
        EXPECT_EQ(size, v.bytes.size());
        EXPECT_EQ(buffer[0], 0xAA);
    }
    uint8_t buffer[4] = {1, 2, 3, 4};
    uint32_t size = sizeof buffer;
    EXPECT_EQ(platform::RegQueryValueEx(key, "Never Written", nullptr, buffer, &size),
              platform::kErrorFileNotFound);
    EXPECT_EQ(std::memcmp(buffer, "\1\2\3\4", 4), 0);
    EXPECT_EQ(platform::RegQueryValueEx(key, "LCDW", nullptr, buffer, nullptr), 87);
    EXPECT_EQ(platform::RegCloseKey(key), platform::kErrorSuccess);
    EXPECT_EQ(platform::RegCloseKey(key), platform::kErrorInvalidHandle);

    EXPECT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\Varnet Tests\\Absent", &key),
              platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegOpenKeyEx(RegRoot::LocalMachine, kTestKey, platform::kKeyRead, &key),
              platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "\\Software", &key), 161);
    // Doubled and trailing backslashes are harmless; parents were created with the key.
    ASSERT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\\\Varnet Tests\\", &key), 0);
    platform::RegCloseKey(key);
    // A key opened for reading refuses writes.
    ASSERT_EQ(platform::RegOpenKeyEx(RegRoot::CurrentUser, kTestKey, platform::kKeyRead, &key), 0);
    EXPECT_EQ(platform::RegSetValueEx(key, "x", platform::kRegDword, buffer, 4),
              platform::kErrorAccessDenied);
    platform::RegCloseKey(key);
#ifndef _WIN32
    platform::host::SetRoot(previousRoot);
    std::filesystem::remove_all(scratch);
#endif
}

} // namespace
} // namespace varnet
