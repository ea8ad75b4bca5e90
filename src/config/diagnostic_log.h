// The CUI back-end's failure log: one time-stamped line per message in a fixed file, each
// message also sent to the debugger channel.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace varnet {

inline constexpr char kLogPath[] = "C:\\ProgramData\\ColorMode\\log.txt";
// A file larger than this is deleted before the next line, which then starts a new file.
inline constexpr uint32_t kLogMaxBytes = 1000000;

// "%.19s %s: %s\n": the asctime layout of the time on a 12-hour clock, cut after the seconds,
// then "AM" or "PM" and the message.
std::string FormatLogLine(const std::tm& time, const char* message);

// Never fails towards the caller: whatever cannot be written is lost, except on the debugger
// channel, which always gets the message first.
void WriteLog(const char* message);

} // namespace varnet
