// The tool's subcommands. Each prints its report and returns the process's exit code.
#pragma once

#include <cstdint>
#include <string>

namespace varnet::tool {

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

// folder: where NAME.cube goes or comes from, or empty for the folder the library reads.
struct LutOptions {
    std::string file;
    std::string name;
    std::string folder;
    std::string output;
};
int RunLutImport(const LutOptions& lut);
int RunLutExport(const LutOptions& lut);

} // namespace varnet::tool
