// The debugger channel and standard output, captured for the tests to read; and the clock,
// which a test may stop at a chosen local time.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

struct Diagnostics {
    std::mutex mutex;
    std::string debug;
    std::vector<std::string> debugMessages; // the same texts, one per call
    std::string out;
    bool passthrough = false;
    std::optional<std::tm> fixedTime;
};

Diagnostics& State() {
    static auto* state = new Diagnostics;
    return *state;
}

} // namespace

void OutputDebugString(const char* text) {
    if (text == nullptr) {
        return;
    }
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    s.debug += text;
    s.debugMessages.emplace_back(text);
    if (std::getenv("VARNET_DEBUG_ECHO") != nullptr) {
        std::fputs(text, stderr); // a way to watch the channel while debugging a test
    }
}

void WriteStdout(const char* text) {
    if (text == nullptr) {
        return;
    }
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    s.out += text;
    if (s.passthrough) {
        std::fputs(text, stdout);
        std::fflush(stdout);
    }
}

std::tm LocalTimeNow() {
    Diagnostics& s = State();
    {
        std::lock_guard lock(s.mutex);
        if (s.fixedTime) {
            return *s.fixedTime;
        }
    }
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

namespace host {

std::string DebugOutput() {
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    return s.debug;
}

std::vector<std::string> DebugMessages() {
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    return s.debugMessages;
}

std::string StdoutOutput() {
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    return s.out;
}

void ClearCaptures() {
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    s.debug.clear();
    s.debugMessages.clear();
    s.out.clear();
}

void SetStdoutPassthrough(bool on) {
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    s.passthrough = on;
}

void SetLocalTime(const std::tm& time) {
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    s.fixedTime = time;
}

void UseRealClock() {
    Diagnostics& s = State();
    std::lock_guard lock(s.mutex);
    s.fixedTime.reset();
}

namespace detail {

void ResetDiagnostics() {
    ClearCaptures();
    UseRealClock();
}

} // namespace detail
} // namespace host
} // namespace varnet::platform
