// The log writer: its time stamp, and its file against the sandbox's files and clock.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/diagnostic_log.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace host = platform::host;

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

TEST(DiagnosticLog, FileIsDeletedOnlyPastTheLimitAndItsFolderNeverCreated) {
    const auto root = std::filesystem::path(::testing::TempDir()) / "varnet-log";
    std::filesystem::remove_all(root);
    host::SetRoot(root.string());
    host::ResetState();
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
    host::ResetState();
}

} // namespace
} // namespace varnet
