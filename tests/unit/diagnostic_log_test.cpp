#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "config/diagnostic_log.h"

namespace varnet {
namespace {

std::tm At(int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = 124; // Friday 5 January 2024
    time.tm_mon = 0;
    time.tm_mday = 5;
    time.tm_wday = 5;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(DiagnosticLogTest, StampIsOnATwelveHourClock) {
    struct Case {
        int hour;
        int minute;
        const char* expected;
    };
    const Case cases[] = {
        {0, 30, "Fri Jan  5 12:30:07 AM: exception: InitLib()\n"},
        {1, 0, "Fri Jan  5 01:00:07 AM: exception: InitLib()\n"},
        {11, 59, "Fri Jan  5 11:59:07 AM: exception: InitLib()\n"},
        {12, 30, "Fri Jan  5 12:30:07 PM: exception: InitLib()\n"},
        {13, 5, "Fri Jan  5 01:05:07 PM: exception: InitLib()\n"},
        {23, 59, "Fri Jan  5 11:59:07 PM: exception: InitLib()\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLogLine(At(c.hour, c.minute, 7), "exception: InitLib()"), c.expected)
            << c.hour << ":" << c.minute;
    }
}

TEST(DiagnosticLogTest, StampKeepsAscTimeLayoutAndDropsTheYear) {
    std::tm time = At(9, 8, 7);
    time.tm_mday = 25;
    time.tm_mon = 11;
    time.tm_wday = 3;
    EXPECT_EQ(FormatLogLine(time, "check: GetDPST()"),
              "Wed Dec 25 09:08:07 AM: check: GetDPST()\n");

    // Fields asctime would overrun on do not spill into the line.
    time.tm_wday = 9;
    time.tm_mon = -1;
    EXPECT_EQ(FormatLogLine(time, "m"), "??? ??? 25 09:08:07 AM: m\n");
}

TEST(DiagnosticLogTest, LongMessagesAreWrittenWhole) {
    const std::string message(600, 'x');
    const std::string line = FormatLogLine(At(8, 0, 0), message.c_str());
    EXPECT_EQ(line, "Fri Jan  5 08:00:00 AM: " + message + "\n");
}

} // namespace
} // namespace varnet
