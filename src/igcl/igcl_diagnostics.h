// Where the Control Library back-end's texts go: some to the debugger, some to the process's
// standard output. Formatted texts are built in a bounded buffer first and cut to fit.
#pragma once

namespace varnet::igcl {

inline constexpr int kDiagnosticBufferSize = 260;

[[gnu::format(printf, 1, 2)]] void DebugPrintf(const char* format, ...);
[[gnu::format(printf, 1, 2)]] void StdoutPrintf(const char* format, ...);

} // namespace varnet::igcl
