#include "igcl/igcl_diagnostics.h"

#include <cstdarg>
#include <cstdio>

#include "platform/platform.h"

namespace varnet::igcl {

void DebugPrintf(const char* format, ...) {
    char text[kDiagnosticBufferSize] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    platform::OutputDebugString(text);
}

void StdoutPrintf(const char* format, ...) {
    char text[kDiagnosticBufferSize] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    platform::WriteStdout(text);
}

} // namespace varnet::igcl
