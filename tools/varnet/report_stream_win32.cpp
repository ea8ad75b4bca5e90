#include <fcntl.h>
#include <io.h>

#include "report_stream.h"

namespace varnet::tool {

namespace {
std::FILE* g_report = stdout;
} // namespace

// The report goes to a duplicate of the console handle; the C run time's stdout, which the
// library prints to, goes to NUL.
void SetUpReportStream(bool showDriverOutput) {
    if (showDriverOutput) {
        return;
    }
    std::fflush(stdout);
    const int saved = _dup(_fileno(stdout));
    if (saved < 0) {
        return;
    }
    std::FILE* report = _fdopen(saved, "w");
    if (report == nullptr || std::freopen("NUL", "w", stdout) == nullptr) {
        return;
    }
    g_report = report;
}

std::FILE* Report() {
    return g_report;
}

} // namespace varnet::tool
