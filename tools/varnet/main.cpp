// varnet: the command-line face of the library, for panel engineers and application developers.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands.h"
#include "config_folder.h"
#include "debug_output.h"
#include "report_stream.h"
#include "tool_environment.h"

int main(int argc, char** argv) {
    CLI::App app{"varnet: display-colour control for notebooks with Intel graphics"};
    app.set_version_flag("--version", "varnet " VARNET_VERSION);
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

    bool debugOutput = false;
    app.add_flag("--debug-output", debugOutput,
                 "Also show the texts the library sends to the debugger channel");

    std::string configFolder;
    app.add_option("--config", configFolder,
                   "Make the library's configuration exactly this folder's files first");
    app.add_flag("--write-machine-config", options.writeMachineConfig,
                 "Windows: let --config replace the real C:\\ProgramData\\ColorMode");

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
    app.add_flag("--json", varnet::tool::JsonOutput(), "Print one JSON document, for scripts");
    std::string checkFolder;
    auto* check = app.add_subcommand(
        "check", "Check a configuration folder (default: where the library looks) for faults");
    check->add_option("FOLDER", checkFolder, "The folder of INI and .cube files");
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
    varnet::tool::ReportOptions report;
    auto* reportCommand = app.add_subcommand(
        "report", "Apply each mode; write an HTML page of what it does to a colour chart");
    reportCommand->add_option("MODE", report.modes, "Colour modes (default: every supported one)");
    reportCommand->add_option("-o", report.output, "The HTML page to write")->required();
    reportCommand->add_option("--edid", report.edid, "The panel's EDID (binary or hex text)");
    varnet::tool::SuggestOptions suggest;
    auto* suggestCommand = app.add_subcommand("suggest", "Derive mode settings from the EDID");
    suggestCommand->require_subcommand(1);
    auto* suggestSrgb = suggestCommand->add_subcommand(
        "srgb", "The matrix fields that make the panel show sRGB, with their dE2000");
    suggestSrgb->add_option("--edid", suggest.edid, "The panel's EDID (binary or hex text)");

    CLI11_PARSE(app, argc, argv);
    lace.set = enableOption->count() > 0 || levelOption->count() > 0;

    varnet::tool::SetUpReportStream(driverOutput);
    std::string error;
    // Refused before anything is set up, so that a refusal changes nothing.
    if (!configFolder.empty() && !varnet::tool::MayInstallConfig(options, &error)) {
        std::fprintf(stderr, "varnet: %s\n", error.c_str());
        return 2;
    }
    if (!varnet::tool::PrepareEnvironment(options, &error)) {
        std::fprintf(stderr, "varnet: %s\n", error.c_str());
        return 2;
    }
    if (!configFolder.empty()) {
        std::string summary;
        if (!varnet::tool::MirrorConfigFolder(configFolder, &summary, &error)) {
            std::fprintf(stderr, "varnet: %s\n", error.c_str());
            return 2;
        }
        std::fprintf(stderr, "varnet: %s\n", summary.c_str());
    }
    if (debugOutput) {
        varnet::tool::StartDebugOutput();
        // Whatever a command did not show under its own heading comes last.
        std::atexit([] { varnet::tool::ShowDebugTexts("Debugger texts", false); });
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
    if (check->parsed()) {
        return varnet::tool::RunCheck(checkFolder);
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
    if (reportCommand->parsed()) {
        report.state = options.state;
        report.scenario = options.scenario;
        report.journal = options.journal;
        return varnet::tool::RunReport(report);
    }
    if (suggestSrgb->parsed()) {
        suggest.scenario = options.scenario;
        return varnet::tool::RunSuggestSrgb(suggest);
    }
    return 1;
}
