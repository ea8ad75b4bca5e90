// On the host the platform sandbox captures both channels itself.
#include "support/capture.h"

#include "platform/host/sandbox.h"

namespace varnet::test {

void StartCapture() {
    platform::host::ClearCaptures();
}

std::string DebugOutput() {
    return platform::host::DebugOutput();
}

std::string StdoutOutput() {
    return platform::host::StdoutOutput();
}

void ClearCaptures() {
    platform::host::ClearCaptures();
}

} // namespace varnet::test
