// --debug-output: the texts the library sends to the debugger channel, where a configuration
// mistake shows ("NOTSUPPORT", a .cube file that does not read, "Check: SetDesktopGamma()").
// On Windows they are caught in-process as a debugger receives them; on the host the sandbox
// keeps them.
#pragma once

#include <string>
#include <vector>

namespace varnet::tool {

// Starts catching; until then nothing below collects or prints anything.
void StartDebugOutput();
bool DebugOutputStarted();
// The texts sent since the last call, one a line, line ends removed.
std::vector<std::string> TakeDebugTexts();

// Files what was sent since the last call under the library call that sent it.
void NoteDebugTexts(const std::string& call);

// Calls call() and files its texts under label; returns what call() returned.
template <typename Call> auto Noted(const std::string& label, Call call) {
    auto result = call();
    NoteDebugTexts(label);
    return result;
}

// Prints what was filed, and whatever came since, under heading, call by call. With
// alwaysHeading the heading shows even when nothing was sent, saying so.
void ShowDebugTexts(const char* heading, bool alwaysHeading);

} // namespace varnet::tool
