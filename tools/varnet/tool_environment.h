// Where the tool's library calls land: the simulated laptop (always on the host, on Windows with
// --simulated) or the machine's real driver.
#pragma once

#include <string>

namespace varnet::tool {

struct ToolOptions {
    std::string root;     // host: the sandbox folder that holds the "C:\..." files and the registry
    std::string scenario; // simulator scenario (JSON); empty means the built-in laptop
    std::string state;    // simulator state file; empty means one beside the sandbox
    std::string journal;  // simulator journal; empty means one beside the sandbox
    bool simulated = false;
    std::string backend = "auto"; // auto, or cui: the simulated run time refuses to start
};

// Prepares the process: sandbox root (host), simulated machine, COM on this thread.
bool PrepareEnvironment(ToolOptions& options, std::string* error);

} // namespace varnet::tool
