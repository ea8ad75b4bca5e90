// The two stores the back-ends write to: the settings registry and the diagnostic log, against a
// fresh sandbox (its registry, files and clock).
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/diagnostic_log.h"
#include "config/settings_store.h"
#include "config_test_sandbox.h"
#include "platform/platform.h"
#include "support/sandbox_faults.h"

namespace varnet {
namespace {

namespace host = platform::host;
using namespace std::string_literals;
using SettingsStoreTest = test::ConfigSandboxTest;
using DiagnosticLogTest = test::ConfigSandboxTest;

constexpr uint32_t kMarker = 0xFFFFFFFFu;

TEST_F(SettingsStoreTest, ReadsOnlyNumbersThatFitAndWritesCreateTheKey) {
    uint32_t value = kMarker;
    EXPECT_FALSE(ReadSettingDword("LCDW", &value)); // no key yet
    EXPECT_EQ(value, kMarker);
    ASSERT_TRUE(WriteSettingDword("LCDW", 0x01020304));
    EXPECT_TRUE(ReadSettingDword("igcl_saturation", &value)); // a missing value
    EXPECT_EQ(value, kMarker);

    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegOpenKey(platform::RegRoot::CurrentUser, kSettingsKey, &key), 0);
    uint8_t data[8] = {};
    uint32_t type = 0, size = sizeof data;
    EXPECT_EQ(platform::RegQueryValueEx(key, "LCDW", &type, data, &size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "\x04\x03\x02\x01"s);
    EXPECT_EQ(type, platform::kRegDword);
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
    test::SandboxFaults faults;
    for (const char* fault : {"RegOpenKeyEx", "RegSetValueEx"}) {
        faults.Inject(fault, 1, false);
        EXPECT_TRUE(WriteSettingDword("LCDW", 1920)) << fault;
    }
    faults.Inject("RegOpenKeyEx", 1, false);
    faults.Inject("RegCreateKeyEx", 1, false);
    EXPECT_FALSE(WriteSettingDword("LCDW", 1920));
}

// Friday 5 January 2024.
std::tm At(int hour, int minute) {
    return {
        .tm_sec = 9, .tm_min = minute, .tm_hour = hour, .tm_mday = 5, .tm_year = 124, .tm_wday = 5};
}

TEST(DiagnosticLog, StampIsOnATwelveHourClockInAscTimeLayout) {
    const std::pair<std::tm, const char*> cases[] = {
        {At(0, 30), "Fri Jan  5 12:30:09 AM: m\n"},  {At(1, 0), "Fri Jan  5 01:00:09 AM: m\n"},
        {At(11, 59), "Fri Jan  5 11:59:09 AM: m\n"}, {At(12, 30), "Fri Jan  5 12:30:09 PM: m\n"},
        {At(13, 5), "Fri Jan  5 01:05:09 PM: m\n"},  {At(23, 59), "Fri Jan  5 11:59:09 PM: m\n"}};
    for (const auto& [time, expected] : cases) {
        EXPECT_EQ(FormatLogLine(time, "m"), expected);
    }
    // Fields asctime would overrun on do not spill into the line; long messages stay whole.
    std::tm odd = At(9, 8);
    odd.tm_mday = 25;
    odd.tm_wday = 9;
    odd.tm_mon = -1;
    const std::string message(600, 'x');
    EXPECT_EQ(FormatLogLine(odd, message.c_str()), "??? ??? 25 09:08:09 AM: " + message + "\n");
}

TEST_F(DiagnosticLogTest, FileIsDeletedOnlyPastTheLimitAndItsFolderNeverCreated) {
    host::SetLocalTime(At(13, 5));
    const std::filesystem::path file = host::HostPath(kLogPath);
    auto read = [&file] {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    // Text mode: the line ends as Windows text does.
    const std::string line = "Fri Jan  5 01:05:09 PM: exception: InitLib()\r\n";

    std::filesystem::create_directories(file.parent_path());
    for (const auto& [existing, kept] : {std::pair{0, true}, {1000000, true}, {1000001, false}}) {
        std::ofstream(file, std::ios::binary) << std::string(existing, 'o');
        WriteLog("exception: InitLib()");
        EXPECT_EQ(read(), (kept ? std::string(existing, 'o') : "") + line) << existing;
    }
    EXPECT_EQ(host::DebugOutput(), "exception: InitLib()exception: InitLib()exception: InitLib()");
    EXPECT_FALSE(platform::PathFileExists("C:\\ProgramData\\NORVANE"));

    // Without the log's folder only the debugger hears it; the vendor folders are made instead.
    std::filesystem::remove_all(file.parent_path());
    WriteLog("GetDeviceTypeFormMonType");
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
    EXPECT_TRUE(platform::PathFileExists("C:\\ProgramData\\NORVANE\\Tintwell"));
}

} // namespace
} // namespace varnet
