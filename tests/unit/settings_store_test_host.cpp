// The settings store against a fresh sandbox registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/settings_store.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace host = platform::host;
using namespace std::string_literals;

constexpr uint32_t kMarker = 0xFFFFFFFFu;

TEST(SettingsStore, ReadsOnlyNumbersThatFitAndWritesCreateTheKey) {
    const auto root = std::filesystem::path(::testing::TempDir()) / "varnet-settings";
    std::filesystem::remove_all(root);
    host::SetRoot(root.string());
    host::ResetState();
    uint32_t value = kMarker;
    EXPECT_FALSE(ReadSettingDword("LCDW", &value)); // no key yet
    EXPECT_EQ(value, kMarker);

    ASSERT_TRUE(WriteSettingDword("igcl_m00", static_cast<uint32_t>(-12345)));
    EXPECT_TRUE(ReadSettingDword("igcl_m00", &value));
    EXPECT_EQ(static_cast<int32_t>(value), -12345);
    value = kMarker;
    EXPECT_TRUE(ReadSettingDword("igcl_saturation", &value)); // a missing value
    EXPECT_EQ(value, kMarker);

    const struct {
        uint32_t type;
        std::string data;
        uint32_t read;
    } stored[] = {{platform::kRegDword, "\x56\x05\x00\x00"s, 0x556},
                  {platform::kRegBinary, "\x34\x12"s, 0x1234}, // the upper bytes are 0
                  {platform::kRegBinary, "\x01\x02\x03\x04\x05\x06\x07\x08"s, 0x04030201},
                  {platform::kRegSz, "1366\0"s, kMarker},
                  {platform::kRegExpandSz, "1366\0"s, kMarker},
                  {platform::kRegBinary, std::string(261, '\x01'), kMarker}}; // too large to read
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegOpenKey(platform::RegRoot::CurrentUser, kSettingsKey, &key), 0);
    uint32_t type = 0, size = 0;
    EXPECT_EQ(platform::RegQueryValueEx(key, "igcl_m00", &type, nullptr, &size), 0);
    EXPECT_EQ(std::pair(type, size), std::pair(platform::kRegDword, 4u));
    for (const auto& s : stored) {
        platform::RegSetValueEx(key, "LCDH", s.type,
                                reinterpret_cast<const uint8_t*>(s.data.data()),
                                static_cast<uint32_t>(s.data.size()));
        value = kMarker;
        EXPECT_TRUE(ReadSettingDword("LCDH", &value));
        EXPECT_EQ(value, s.read) << s.data.size();
    }
    platform::RegCloseKey(key);

    // A key that cannot be opened is created (opened) again; a lost value goes unnoticed.
    for (const char* fault : {"RegOpenKeyEx", "RegSetValueEx"}) {
        host::InjectFault(fault, 1, false);
        EXPECT_TRUE(WriteSettingDword("LCDW", 1920)) << fault;
    }
    host::InjectFault("RegOpenKeyEx", 1, false);
    host::InjectFault("RegCreateKeyEx", 1, false);
    EXPECT_FALSE(WriteSettingDword("LCDW", 1920));
}

} // namespace
} // namespace varnet
