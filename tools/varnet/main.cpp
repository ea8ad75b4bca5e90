// varnet: the command-line face of the library, for panel engineers and application developers.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "commands.h"
#include "config_folder.h"
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
    app.add_option("--backend", options.backend,
                   "auto, or cui: the simulated Control Library refuses to start")
        ->check(CLI::IsMember({"auto", "cui"}));
    bool driverOutput = false;
    app.add_flag("--driver-output", driverOutput,
                 "Also show what the library prints to standard output");

    std::string configFolder;
    app.add_option("--config", configFolder,
                   "Configuration folder to install in C:\\ProgramData\\ColorMode first");

    auto* info = app.add_subcommand("info", "Panel ID, back-end, driver version and LACE support");
    auto* modes =
        app.add_subcommand("modes", "Every colour mode and option, as the exports answer");
    varnet::tool::ApplyOptions apply;
    auto* applyCommand =
        app.add_subcommand("apply", "Apply a colour mode; show what reached the driver");
    applyCommand->add_option("MODE", apply.mode, "Colour mode number (1-6, 10-13)")->required();
    applyCommand->add_option("--white-point", apply.whitePoint,
                             "White point index 0-4 (2 neutral)");
    applyCommand->add_option("--gamma-level", apply.gammaLevel, "Gamma level 0-10 (5 neutral)");
    applyCommand->add_flag("--3dlut", apply.use3DLutFiles,
                           "Prefer the 3D LUT variants of the files");

    varnet::tool::LaceOptions lace;
    auto* laceCommand =
        app.add_subcommand("lace", "Show LACE, or set it with --enable and --level");
    auto* enableOption = laceCommand->add_option("--enable", lace.enable, "0 off, 1 on");
    auto* levelOption = laceCommand->add_option("--level", lace.level, "Aggressiveness level");

    std::string dpstFile;
    auto* dpst = app.add_subcommand("dpst", "Enhanced DPST: save (and switch on) or restore");
    dpst->require_subcommand(1);
    auto* dpstSave = dpst->add_subcommand("save", "Switch enhanced DPST on, saving the old state");
    dpstSave->add_option("FILE", dpstFile, "Where the three saved integers go")->required();
    auto* dpstRestore = dpst->add_subcommand("restore", "Put a saved DPST state back");
    dpstRestore->add_option("FILE", dpstFile, "A file written by dpst save")->required();
    auto* state = app.add_subcommand("state", "What the simulated driver holds now");
    varnet::tool::LutOptions lut;
    auto* lutCommand = app.add_subcommand("lut", "3D LUTs from colour tools in, and back out");
    lutCommand->require_subcommand(1);
    auto* lutImport = lutCommand->add_subcommand(
        "import", "Read a LUT file (.cube, .3dl, .csp, .spi3d...); write NAME.cube for a mode");
    lutImport->add_option("FILE", lut.file, "The LUT file a colour tool wrote")->required();
    lutImport->add_option("NAME", lut.name, "The .cube name a mode gives (field 38)")->required();
    auto* lutExport =
        lutCommand->add_subcommand("export", "Write a library NAME.cube as a standard .cube");
    lutExport->add_option("NAME", lut.name, "The .cube name a mode gives (field 38)")->required();
    lutExport->add_option("-o", lut.output, "The standard .cube to write")->required();
    for (auto* command : {lutImport, lutExport}) {
        command->add_option("--folder", lut.folder,
                            "Folder of NAME.cube (default: the one the library reads)");
    }

    CLI11_PARSE(app, argc, argv);
    lace.set = enableOption->count() > 0 || levelOption->count() > 0;

    varnet::tool::SetUpReportStream(driverOutput);
    std::string error;
    if (!varnet::tool::PrepareEnvironment(options, &error)) {
        std::fprintf(stderr, "varnet: %s\n", error.c_str());
        return 2;
    }
    if (!configFolder.empty() && !varnet::tool::InstallConfigFolder(configFolder, &error)) {
        std::fprintf(stderr, "varnet: %s\n", error.c_str());
        return 2;
    }
    if (info->parsed()) {
        return varnet::tool::RunInfo();
    }
    if (dpstSave->parsed()) {
        return varnet::tool::RunDpstSave(dpstFile);
    }
    if (dpstRestore->parsed()) {
        return varnet::tool::RunDpstRestore(dpstFile);
    }
    if (state->parsed()) {
        return varnet::tool::RunState(options.simulated ? options.state : std::string(),
                                      options.scenario);
    }
    if (laceCommand->parsed()) {
        return varnet::tool::RunLace(lace);
    }
    if (modes->parsed()) {
        return varnet::tool::RunModes();
    }
    if (applyCommand->parsed()) {
        return varnet::tool::RunApply(apply, options.simulated ? options.journal : std::string());
    }
    if (lutImport->parsed()) {
        return varnet::tool::RunLutImport(lut);
    }
    if (lutExport->parsed()) {
        return varnet::tool::RunLutExport(lut);
    }
    return 1;
}
