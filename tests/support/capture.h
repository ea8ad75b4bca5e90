// What the library sent to the debugger channel and to standard output, for tests on both
// platforms. Call StartCapture() in the fixture's SetUp; it also clears what was captured.
#pragma once

#include <string>

namespace varnet::test {

void StartCapture();
std::string DebugOutput();
// Line ends read back as "\n" on both platforms.
std::string StdoutOutput();
void ClearCaptures();

} // namespace varnet::test
