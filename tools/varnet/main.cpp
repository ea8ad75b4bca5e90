// varnet: the command-line face of the library, for panel engineers and application developers.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "commands.h"
#include "report_stream.h"
#include "tool_environment.h"

int main(int argc, char** argv) {
    CLI::App app{"varnet: display-colour control for notebooks with Intel graphics"};
    app.set_version_flag("--version", "varnet 0.1.0");
    app.require_subcommand(1);

    varnet::tool::ToolOptions options;
    app.add_option("--root", options.root,
                   "Host sandbox folder holding the C:\\ files and the registry");
    app.add_option("--scenario", options.scenario,
                   "Simulator scenario (JSON); default: the built-in laptop");
    app.add_option("--state", options.state, "Simulator state file");
    app.add_option("--journal", options.journal, "Simulator journal (JSON lines)");
    app.add_flag("--simulated", options.simulated,
                 "Use the simulated laptop instead of the installed driver (always so on Linux)");
    bool driverOutput = false;
    app.add_flag("--driver-output", driverOutput,
                 "Also show what the library prints to standard output");

    auto* info = app.add_subcommand("info", "Panel ID, back-end, driver version and LACE support");

    CLI11_PARSE(app, argc, argv);

    varnet::tool::SetUpReportStream(driverOutput);
    std::string error;
    if (!varnet::tool::PrepareEnvironment(options, &error)) {
        std::fprintf(stderr, "varnet: %s\n", error.c_str());
        return 2;
    }
    if (info->parsed()) {
        return varnet::tool::RunInfo();
    }
    return 1;
}
