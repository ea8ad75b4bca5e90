#include <cstddef>

#include "debug_output.h"
#include "platform/host/sandbox.h"

namespace varnet::tool {

namespace {
bool g_started = false;
std::size_t g_shown = 0; // how many of the sandbox's messages have been handed out
} // namespace

void StartDebugOutput() {
    g_started = true;
    g_shown = platform::host::DebugMessages().size();
}

bool DebugOutputStarted() {
    return g_started;
}

// One text a line: a message that holds several lines gives several.
std::vector<std::string> TakeDebugTexts() {
    const std::vector<std::string> all = platform::host::DebugMessages();
    if (g_shown > all.size()) {
        g_shown = 0; // the capture was cleared
    }
    std::vector<std::string> texts;
    for (std::size_t m = g_shown; m < all.size(); ++m) {
        std::string line;
        for (const char c : all[m]) {
            if (c == '\n' || c == '\r') {
                if (!line.empty()) {
                    texts.push_back(line);
                }
                line.clear();
            } else {
                line += c;
            }
        }
        if (!line.empty()) {
            texts.push_back(line);
        }
    }
    g_shown = all.size();
    return texts;
}

} // namespace varnet::tool
