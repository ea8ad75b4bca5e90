#include "config/diagnostic_log.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace varnet {

namespace {

constexpr std::size_t kPathSize = 260;

const char* WeekDayName(int day) {
    static constexpr const char* kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return day >= 0 && day < 7 ? kNames[day] : "???";
}

const char* MonthName(int month) {
    static constexpr const char* kNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 0 && month < 12 ? kNames[month] : "???";
}

// The log's own folder is deliberately not created: only the vendor folders are.
void CreateVendorFolders() {
    std::string base;
    if (!platform::GetProgramDataFolder(base)) {
        return;
    }
    char folder[kPathSize] = {};
    std::snprintf(folder, sizeof folder, "%s", base.c_str());
    if (platform::PathAppend(folder, "NORVANE")) {
        platform::CreateDirectory(folder);
        if (platform::PathAppend(folder, "Tintwell")) {
            platform::CreateDirectory(folder);
        }
    }
}

} // namespace

std::string FormatLogLine(const std::tm& time, const char* message) {
    const char* suffix = time.tm_hour >= 12 ? "PM" : "AM";
    int hour = time.tm_hour;
    if (hour == 0) {
        hour = 12;
    } else if (hour > 12) {
        hour -= 12;
    }
    // asctime's own layout, written out so that odd fields cannot overrun a static buffer.
    char stamp[64] = {};
    std::snprintf(stamp, sizeof stamp, "%.3s %.3s%3d %.2d:%.2d:%.2d %d\n",
                  WeekDayName(time.tm_wday), MonthName(time.tm_mon), time.tm_mday, hour,
                  time.tm_min, time.tm_sec, 1900 + time.tm_year);
    const char* text = message != nullptr ? message : "";
    const int length = std::snprintf(nullptr, 0, "%.19s %s: %s\n", stamp, suffix, text);
    std::string line(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    std::snprintf(line.data(), line.size() + 1, "%.19s %s: %s\n", stamp, suffix, text);
    return line;
}

void WriteLog(const char* message) {
    const char* text = message != nullptr ? message : "";
    platform::OutputDebugString(text);

    char path[kPathSize] = {};
    std::snprintf(path, sizeof path, "%s", kLogPath);

    platform::FileHandle file = platform::CreateFileOpenAlways(path);
    if (file == nullptr) {
        CreateVendorFolders();
        file = platform::CreateFileOpenAlways(path);
    }
    if (file != nullptr) {
        const uint32_t size = platform::GetFileSize(file);
        platform::CloseHandle(file);
        if (size > kLogMaxBytes) {
            platform::DeleteFile(path);
        }
    }

    std::FILE* log = platform::OpenFile(path, "a+");
    if (log == nullptr) {
        return;
    }
    try {
        const std::string line = FormatLogLine(platform::LocalTimeNow(), text);
        std::fputs(line.c_str(), log);
    } catch (...) {
        // Out of memory for one line: it is lost, as an unwritable file would lose it.
    }
    std::fclose(log);
}

} // namespace varnet
