#include <cstdlib>
#include <filesystem>

#include "backend_choice.h"
#include "machine/simulated_machine.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"
#include "tool_environment.h"

namespace varnet::tool {

bool PrepareEnvironment(ToolOptions& options, std::string* error) {
    namespace fs = std::filesystem;
    if (options.root.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        options.root = (fs::path(tmp != nullptr ? tmp : "/tmp") / "varnet-sandbox").string();
    }
    std::error_code ec;
    fs::create_directories(options.root, ec);
    if (ec) {
        *error = "cannot create the sandbox folder " + options.root + ": " + ec.message();
        return false;
    }
    platform::host::SetRoot(options.root);
    if (options.state.empty()) {
        options.state = (fs::path(options.root) / "sim-state.json").string();
    }
    if (options.journal.empty()) {
        options.journal = (fs::path(options.root) / "sim-journal.jsonl").string();
    }
    // There is no real driver on the host: the simulated laptop is the only machine there is.
    options.simulated = true;
    if (!ApplyBackendChoice(options, error)) {
        return false;
    }
    if (!sim::InstallSimulatedMachine({options.scenario, options.state, options.journal}, error)) {
        return false;
    }
    platform::ComInitializeThread();
    return true;
}

// The sandbox is all there is on the host: nothing real can be overwritten.
bool MayInstallConfig(const ToolOptions& /*options*/, std::string* /*refusal*/) {
    return true;
}

std::filesystem::path LocalPath(const std::string& windowsPath) {
    return platform::host::HostPath(windowsPath.c_str());
}

std::string SandboxNote() {
    return "in the sandbox " + platform::host::Root();
}

} // namespace varnet::tool
