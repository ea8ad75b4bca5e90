#include "platform/host/sandbox.h"
#include "report_stream.h"

namespace varnet::tool {

// On the host the sandbox captures the library's standard output; passing it through is all.
void SetUpReportStream(bool showDriverOutput) {
    platform::host::SetStdoutPassthrough(showDriverOutput);
}

std::FILE* Report() {
    return stdout;
}

} // namespace varnet::tool
