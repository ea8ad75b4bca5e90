// Where the tool's library calls land: the simulated laptop (always on the host, on Windows with
// --simulated) or the machine's real driver.
#pragma once

#include <filesystem>
#include <string>

namespace varnet::tool {

struct ToolOptions {
    std::string root;     // host: the sandbox folder that holds the "C:\..." files and the registry
    std::string scenario; // simulator scenario (JSON); empty means the built-in laptop
    std::string state;    // simulator state file; empty means one beside the sandbox
    std::string journal;  // simulator journal; empty means one beside the sandbox
    bool simulated = false;
    std::string backend = "auto";    // auto, or cui: the simulated run time refuses to start
    bool writeMachineConfig = false; // Windows: --config may overwrite the real folder
};

// Prepares the process: sandbox root (host), simulated machine, COM on this thread.
bool PrepareEnvironment(ToolOptions& options, std::string* error);

// Whether --config may write the configuration the library reads. On Windows without
// --simulated that is the machine's own, so it takes an explicit option; refusal says why.
bool MayInstallConfig(const ToolOptions& options, std::string* refusal);

// Where a Windows path of the library's lies on this machine's disk (host: in the sandbox).
std::filesystem::path LocalPath(const std::string& windowsPath);
// "in the sandbox <root>" on the host, where the Windows paths are not real ones; else empty.
std::string SandboxNote();

} // namespace varnet::tool
