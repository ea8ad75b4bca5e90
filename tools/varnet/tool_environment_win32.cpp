#include <cstdlib>
#include <filesystem>

#include "backend_choice.h"
#include "machine/simulated_machine.h"
#include "platform/platform.h"
#include "tool_environment.h"

namespace varnet::tool {

bool PrepareEnvironment(ToolOptions& options, std::string* error) {
    namespace fs = std::filesystem;
    if (options.simulated) {
        const fs::path temp = fs::temp_directory_path();
        if (options.state.empty()) {
            options.state = (temp / "varnet-sim-state.json").string();
        }
        if (options.journal.empty()) {
            options.journal = (temp / "varnet-sim-journal.jsonl").string();
        }
        if (!ApplyBackendChoice(options, error)) {
            return false;
        }
        if (!sim::InstallSimulatedMachine({options.scenario, options.state, options.journal},
                                          error)) {
            return false;
        }
    }
    if (!options.simulated && !ApplyBackendChoice(options, error)) {
        return false;
    }
    if (!platform::ComInitializeThread()) {
        *error = "COM could not be initialised on this thread";
        return false;
    }
    return true;
}

bool MayInstallConfig(const ToolOptions& options, std::string* refusal) {
    if (options.simulated || options.writeMachineConfig) {
        return true;
    }
    *refusal = "--config would overwrite this machine's configuration in "
               "C:\\ProgramData\\ColorMode; add --simulated, or --write-machine-config to "
               "replace it on purpose";
    return false;
}

std::filesystem::path LocalPath(const std::string& windowsPath) {
    return std::filesystem::path(windowsPath);
}

std::string SandboxNote() {
    return {};
}

} // namespace varnet::tool
