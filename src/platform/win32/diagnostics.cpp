// The debugger channel, standard output and the local clock.
#include "platform/win32/windows_api.h"

#include <cstdio>
#include <ctime>

#include "platform/platform.h"

namespace varnet::platform {

void OutputDebugString(const char* text) {
    ::OutputDebugStringA(text);
}

void WriteStdout(const char* text) {
    if (text != nullptr) {
        std::fputs(text, stdout);
        std::fflush(stdout);
    }
}

std::tm LocalTimeNow() {
    __time64_t now = _time64(nullptr);
    std::tm local{};
    if (const std::tm* converted = _localtime64(&now)) {
        local = *converted;
    }
    return local;
}

} // namespace varnet::platform
