// OutputDebugStringA raises DBG_PRINTEXCEPTION_C (information [0] = length with the terminator,
// [1] = the text); a vectored handler sees it first, also under Wine, and keeps each message
// whole, as a debugger shows it. Continuing execution ends the call there, as a debugger does.
// OutputDebugStringW raises DBG_PRINTEXCEPTION_WIDE_C with the narrow text at [2] and [3].
#include <windows.h>

#include <mutex>

#include "debug_output.h"

namespace varnet::tool {

namespace {

constexpr DWORD kDbgPrintException = 0x40010006;
constexpr DWORD kDbgPrintExceptionWide = 0x4001000A;

std::mutex g_mutex;
std::vector<std::string> g_texts;
bool g_started = false;

// A message of several lines is kept as several; blank lines are dropped.
void Keep(const char* text, std::size_t length) {
    std::string line;
    for (std::size_t i = 0; i < length && text[i] != '\0'; ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            if (!line.empty()) {
                g_texts.push_back(line);
            }
            line.clear();
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) {
        g_texts.push_back(line);
    }
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    DWORD at = 0;
    if (record->ExceptionCode == kDbgPrintException && record->NumberParameters >= 2) {
        at = 0;
    } else if (record->ExceptionCode == kDbgPrintExceptionWide && record->NumberParameters >= 4) {
        at = 2;
    } else {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    const auto length = static_cast<std::size_t>(record->ExceptionInformation[at]);
    const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[at + 1]);
    if (text != nullptr) {
        std::lock_guard lock(g_mutex);
        Keep(text, length);
    }
    return EXCEPTION_CONTINUE_EXECUTION;
}

} // namespace

void StartDebugOutput() {
    std::lock_guard lock(g_mutex);
    if (!g_started) {
        AddVectoredExceptionHandler(1, OnException);
        g_started = true;
    }
}

bool DebugOutputStarted() {
    std::lock_guard lock(g_mutex);
    return g_started;
}

std::vector<std::string> TakeDebugTexts() {
    std::lock_guard lock(g_mutex);
    std::vector<std::string> texts;
    texts.swap(g_texts);
    return texts;
}

} // namespace varnet::tool
