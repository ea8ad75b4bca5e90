// The tool's subcommands. Each prints its report to standard output and returns the exit code.
#pragma once

namespace varnet::tool {

int RunInfo();

} // namespace varnet::tool
