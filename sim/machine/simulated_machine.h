// Installs the simulated laptop the way a real installation would present a driver: the
// simulated Control Library run time where LoadLibrary finds "ControlLib.dll", the simulated CUI
// SDK object registered under "IgfxExt.CUIExternal", and the display adapter's "DriverVersion"
// in the registry. Used by the tests, the tool and the demo; never by the library.
#pragma once

#include <string>

namespace varnet::sim {

struct MachineFiles {
    std::string scenario; // JSON scenario file; empty means the built-in default laptop
    std::string state;    // where the simulated driver keeps its state between calls
    std::string journal;  // where every call the simulators receive is appended (JSON lines)
};

// On the host the platform sandbox root must be set first. Returns false with a reason when
// something could not be installed.
bool InstallSimulatedMachine(const MachineFiles& files, std::string* error);

// Removes what InstallSimulatedMachine put in place (COM registration, in-process modules).
void UninstallSimulatedMachine();

} // namespace varnet::sim
