// The settings store against the sandbox registry, fresh for every test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "config/settings_store.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace host = platform::host;

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("varnet-settings-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        host::SetRoot(root_.string());
        host::ResetState();
    }
    void TearDown() override {
        host::ResetState();
        std::filesystem::remove_all(root_);
    }

    // Stores a value of any type, as another program might have left it.
    static void Store(const char* name, uint32_t type, const std::string& data) {
        platform::RegKey key = nullptr;
        ASSERT_EQ(platform::RegCreateKeyEx(platform::RegRoot::CurrentUser, kSettingsKey,
                                           platform::kKeyAllAccess, &key),
                  platform::kErrorSuccess);
        platform::RegSetValueEx(key, name, type, reinterpret_cast<const uint8_t*>(data.data()),
                                static_cast<uint32_t>(data.size()));
        platform::RegCloseKey(key);
    }

    std::filesystem::path root_;
};

constexpr uint32_t kMarker = 0xFFFFFFFFu;

TEST_F(SettingsStoreTest, MissingKeyFailsReadsAndIsCreatedByAWrite) {
    uint32_t value = kMarker;
    EXPECT_FALSE(ReadSettingDword("LCDW", &value));
    EXPECT_EQ(value, kMarker);

    ASSERT_TRUE(WriteSettingDword("LCDW", 1366));
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegOpenKey(platform::RegRoot::CurrentUser, kSettingsKey, &key),
              platform::kErrorSuccess);
    uint8_t data[8] = {};
    uint32_t type = 0;
    uint32_t size = sizeof data;
    ASSERT_EQ(platform::RegQueryValueEx(key, "LCDW", &type, data, &size), platform::kErrorSuccess);
    platform::RegCloseKey(key);
    EXPECT_EQ(type, platform::kRegDword);
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24, 1366);

    EXPECT_TRUE(ReadSettingDword("LCDW", &value));
    EXPECT_EQ(value, 1366u);
    EXPECT_TRUE(WriteSettingDword("igcl_m00", static_cast<uint32_t>(-12345)));
    EXPECT_TRUE(ReadSettingDword("igcl_m00", &value));
    EXPECT_EQ(static_cast<int32_t>(value), -12345);
}

TEST_F(SettingsStoreTest, ReadTakesOnlyNumbersThatFit) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        uint32_t type;
        std::string data;
        uint32_t expected;
    };
    const Case cases[] = {
        {"dword", platform::kRegDword, "\x56\x05\x00\x00"s, 0x556},
        {"binary of 2 bytes", platform::kRegBinary, "\x34\x12"s, 0x1234},
        {"binary of 8 bytes", platform::kRegBinary, "\x01\x02\x03\x04\x05\x06\x07\x08"s,
         0x04030201},
        {"text", platform::kRegSz, "1366\0"s, kMarker},
        {"expandable text", platform::kRegExpandSz, "1366\0"s, kMarker},
        {"binary too large for the buffer", platform::kRegBinary, std::string(261, '\x01'),
         kMarker},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Store("LCDH", c.type, c.data);
        uint32_t value = kMarker;
        EXPECT_TRUE(ReadSettingDword("LCDH", &value));
        EXPECT_EQ(value, c.expected);
    }
    uint32_t value = kMarker;
    EXPECT_TRUE(ReadSettingDword("igcl_saturation", &value));
    EXPECT_EQ(value, kMarker);
}

TEST_F(SettingsStoreTest, WriteFailsOnlyWhenTheKeyCannotBeHad) {
    struct Case {
        const char* fault;
        bool result;
    };
    // An existing key that cannot be opened is created (opened) again; a lost value goes unnoticed.
    const Case cases[] = {{"RegOpenKeyEx", true}, {"RegSetValueEx", true}, {nullptr, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault != nullptr ? c.fault : "open and create fail");
        host::ClearFaults();
        if (c.fault != nullptr) {
            host::InjectFault(c.fault, 1, false);
        } else {
            host::InjectFault("RegOpenKeyEx", 1, false);
            host::InjectFault("RegCreateKeyEx", 1, false);
        }
        EXPECT_EQ(WriteSettingDword("LCDW", 1920), c.result);
    }
}

} // namespace
} // namespace varnet
