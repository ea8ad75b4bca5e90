// On Windows the simulators are real modules: ControlLib.dll sits beside the program, so the
// DLL search path finds it; the CUI SDK object is registered for the current user by its own
// DllRegisterServer; the driver version goes where the first display adapter's key says.
#include <windows.h>

#include <cstring>
#include <string>

#include "common/scenario.h"
#include "common/sim_env.h"
#include "machine/simulated_machine.h"

namespace varnet::sim {

namespace {

constexpr char kCuiServer[] = "IgfxCuiSim.dll";

bool Fail(std::string* error, const std::string& reason) {
    if (error)
        *error = reason;
    return false;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string folder(path, length);
    std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Calls DllRegisterServer or DllUnregisterServer of the COM server beside the program.
HRESULT CallServer(const char* entry) {
    const std::string path = ProgramFolder() + kCuiServer;
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        return HRESULT_FROM_WIN32(GetLastError());
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto function = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, entry)));
    HRESULT result = function ? function() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    FreeLibrary(module);
    return result;
}

// "DriverVersion" under HKEY_LOCAL_MACHINE at the path the first adapter's DeviceKey names from
// "System" on.
bool WriteDriverVersion(const std::string& version, std::string* error) {
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(nullptr, 0, &device, 0))
        return Fail(error, "no display adapter to hold DriverVersion");
    const char* subKey = std::strstr(device.DeviceKey, "System");
    if (!subKey)
        return Fail(error,
                    std::string("the adapter key names no System path: ") + device.DeviceKey);
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr);
    if (status != ERROR_SUCCESS)
        return Fail(error,
                    "cannot create " + std::string(subKey) + " (" + std::to_string(status) + ")");
    status = RegSetValueExA(key, "DriverVersion", 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(version.c_str()),
                            static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return Fail(error, "cannot write DriverVersion (" + std::to_string(status) + ")");
    return true;
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
    HRESULT registered = CallServer("DllRegisterServer");
    if (FAILED(registered))
        return Fail(error, std::string("DllRegisterServer of ") + kCuiServer + " failed (" +
                               std::to_string(static_cast<unsigned long>(registered)) + ")");
    if (scenario.driverVersion && !WriteDriverVersion(*scenario.driverVersion, error))
        return false;
    return true;
}

void UninstallSimulatedMachine() {
    CallServer("DllUnregisterServer");
    WriteEnv(kScenarioVariable, "");
    WriteEnv(kStateVariable, "");
    WriteEnv(kJournalVariable, "");
}

} // namespace varnet::sim
