#include "config/config_paths.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace varnet {

namespace {

constexpr uint32_t kDirectoryBufferSize = 1024;
// No registry text longer than the longest Windows path is taken for a program path; this also
// keeps a corrupt size from asking for gigabytes.
constexpr uint32_t kMaxProgramPathBytes = 65536;

std::string ProgramDataCandidate(const char* fileName) {
    std::string folder;
    if (!platform::GetProgramDataFolder(folder)) {
        return {};
    }
    return folder + "\\ColorMode\\" + fileName;
}

std::string CurrentDirectoryCandidate(const char* fileName) {
    char buffer[kDirectoryBufferSize] = {};
    const uint32_t length = platform::GetCurrentDirectory(kDirectoryBufferSize - 1, buffer);
    // A failure or a directory too long for the buffer gives no candidate rather than a path
    // built from an empty folder, which would point at the root of the current drive.
    if (length == 0 || length >= kDirectoryBufferSize - 1) {
        return {};
    }
    std::string path(buffer, std::find(buffer, buffer + kDirectoryBufferSize, '\0'));
    path += '\\';
    path += fileName;
    return CollapseDoubledBackslashes(path);
}

bool Exists(const std::string& path) {
    return !path.empty() && platform::PathFileExists(path.c_str());
}

// The text of the registry value that names the settings program, quotes removed; "" when the
// key or value is missing or not a string.
std::string ReadProgramPath() {
    using namespace platform;
    RegKey key = nullptr;
    if (RegOpenKeyEx(RegRoot::LocalMachine, kCurrentPathKey, kKeyRead, &key) != kErrorSuccess) {
        return {};
    }
    std::string text;
    uint32_t type = kRegNone;
    uint32_t size = 0;
    if (RegQueryValueEx(key, kCurrentPathValue, &type, nullptr, &size) == kErrorSuccess &&
        size <= kMaxProgramPathBytes) {
        // One byte more than asked for keeps the text terminated even when the value is not.
        std::vector<uint8_t> data(static_cast<std::size_t>(size) + 1, 0);
        uint32_t readSize = size;
        if (RegQueryValueEx(key, kCurrentPathValue, &type, data.data(), &readSize) ==
                kErrorSuccess &&
            (type == kRegSz || type == kRegExpandSz)) {
            const auto end = std::find(data.begin(), data.end(), uint8_t{0});
            text.assign(data.begin(), end);
            std::erase(text, '"');
        }
    }
    RegCloseKey(key);
    return text;
}

} // namespace

std::string CollapseDoubledBackslashes(std::string_view path) {
    std::string result;
    result.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        result += path[i];
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\') {
            ++i;
        }
    }
    return result;
}

std::string GetConfigFilePath(const char* fileName) {
    if (fileName == nullptr) {
        return {};
    }
    std::string path = ProgramDataCandidate(fileName);
    if (Exists(path)) {
        return path;
    }
    path = CurrentDirectoryCandidate(fileName);
    if (Exists(path)) {
        return path;
    }
    return {};
}

std::string GetAmoledModeFilePath() {
    const std::string program = ReadProgramPath();
    if (!Exists(program)) {
        return {};
    }
    const std::size_t lastSeparator = program.rfind('\\');
    std::string folder =
        lastSeparator == std::string::npos ? std::string() : program.substr(0, lastSeparator);
    std::string path = CollapseDoubledBackslashes(folder + "\\" + kAmoledModeFile);
    return Exists(path) ? path : std::string();
}

} // namespace varnet
