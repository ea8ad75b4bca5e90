#include <cstddef>

#include "debug_output.h"
#include "platform/host/sandbox.h"

namespace varnet::tool {

namespace {
bool g_started = false;
std::size_t g_shown = 0; // how much of the sandbox's capture has been handed out
} // namespace

void StartDebugOutput() {
    g_started = true;
    g_shown = platform::host::DebugOutput().size();
}

bool DebugOutputStarted() {
    return g_started;
}

// The sandbox keeps one stream, not messages, so texts are told apart by their line ends (and
// by the calls they are noted under).
std::vector<std::string> TakeDebugTexts() {
    const std::string all = platform::host::DebugOutput();
    if (g_shown > all.size()) {
        g_shown = 0; // the capture was cleared
    }
    std::vector<std::string> texts;
    std::string line;
    for (std::size_t i = g_shown; i < all.size(); ++i) {
        if (all[i] == '\n' || all[i] == '\r') {
            if (!line.empty()) {
                texts.push_back(line);
            }
            line.clear();
        } else {
            line += all[i];
        }
    }
    if (!line.empty()) {
        texts.push_back(line);
    }
    g_shown = all.size();
    return texts;
}

} // namespace varnet::tool
