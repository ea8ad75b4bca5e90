// The host's machine is the platform sandbox: the simulators register there as the module and
// the COM class the library looks for, and the adapter's registry key lives in its registry.
#include "common/scenario.h"
#include "common/sim_context.h"
#include "common/sim_env.h"
#include "controllib/controllib_registration.h"
#include "cui/cui_registration.h"
#include "machine/simulated_machine.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet::sim {

namespace {

constexpr char kAdapterKeyText[] =
    "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\"
    "{5F0A5B52-7A8B-4A6C-9E1D-1C2B3A4D5E6F}\\0000";
constexpr char kAdapterKeyPath[] = "System\\CurrentControlSet\\Control\\Video\\"
                                   "{5F0A5B52-7A8B-4A6C-9E1D-1C2B3A4D5E6F}\\0000";

bool Fail(std::string* error, const std::string& reason) {
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool InstallSimulatedMachine(const MachineFiles& files, std::string* error) {
    Scenario scenario;
    try {
        scenario = LoadScenarioFile(files.scenario);
    } catch (const ScenarioError& e) {
        return Fail(error, e.what());
    }
    WriteEnv(kScenarioVariable, files.scenario);
    WriteEnv(kStateVariable, files.state);
    WriteEnv(kJournalVariable, files.journal);
    ResetSimulatorMemory();
    controllib::RegisterControlLibSimulator();
    cui::RegisterCuiSimulator();
    platform::host::SetDisplayAdapterKey(kAdapterKeyText);

    if (!scenario.driverVersion)
        return true;
    platform::RegKey key = nullptr;
    long status = platform::RegCreateKeyEx(platform::RegRoot::LocalMachine, kAdapterKeyPath,
                                           platform::kKeyAllAccess, &key);
    if (status != platform::kErrorSuccess)
        return Fail(error, "cannot create the display adapter's registry key (" +
                               std::to_string(status) + ")");
    const std::string& version = *scenario.driverVersion;
    status = platform::RegSetValueEx(key, "DriverVersion", platform::kRegSz,
                                     reinterpret_cast<const uint8_t*>(version.c_str()),
                                     static_cast<uint32_t>(version.size() + 1));
    platform::RegCloseKey(key);
    if (status != platform::kErrorSuccess)
        return Fail(error, "cannot write DriverVersion (" + std::to_string(status) + ")");
    return true;
}

void UninstallSimulatedMachine() {
    controllib::UnregisterControlLibSimulator();
    cui::UnregisterCuiSimulator();
    WriteEnv(kScenarioVariable, "");
    WriteEnv(kStateVariable, "");
    WriteEnv(kJournalVariable, "");
    ResetSimulatorMemory();
}

} // namespace varnet::sim
