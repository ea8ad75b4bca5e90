// The tool's subcommands. Each prints its report and returns the process's exit code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnet::tool {

// Set by the global --json flag: a command prints one JSON document instead of its table.
inline bool& JsonOutput() {
    static bool json = false;
    return json;
}

struct ApplyOptions {
    int32_t mode = 0;
    int32_t whitePoint = 2;
    int32_t gammaLevel = 5;
    bool use3DLutFiles = false;
};

struct LaceOptions {
    bool set = false;
    uint32_t enable = 0;
    uint32_t level = 0;
};

int RunInfo();
int RunLace(const LaceOptions& lace);
int RunDpstSave(const std::string& file);
int RunDpstRestore(const std::string& file);
// statePath: the simulators' state file, or empty on a real driver.
int RunState(const std::string& statePath, const std::string& scenarioPath);
int RunModes();
// journal: the simulators' journal, or empty on a real driver.
int RunApply(const ApplyOptions& apply, const std::string& journal);
// folder: the configuration folder to check, or empty for where the library looks.
int RunCheck(const std::string& folder);

// folder: where NAME.cube goes or comes from, or empty for the folder the library reads.
struct LutOptions {
    std::string file;
    std::string name;
    std::string folder;
    std::string output;
};
int RunLutImport(const LutOptions& lut);
int RunLutExport(const LutOptions& lut);

// edid: an EDID file (binary or hex), or empty for the simulated panel's.
struct ReportOptions {
    std::vector<int32_t> modes; // empty: every supported mode
    std::string output;
    std::string edid;
    std::string state, scenario, journal; // the simulators' files
};
int RunReport(const ReportOptions& report);

struct SuggestOptions {
    std::string edid;
    std::string scenario;
};
int RunSuggestSrgb(const SuggestOptions& suggest);

} // namespace varnet::tool
