// The C run time keeps its own copy of the environment, which SetEnvironmentVariableA does not
// update; the process environment is the one both simulator DLLs and the installer share.
#include "common/sim_env.h"

#include <windows.h>

#include <vector>

namespace varnet::sim {

std::string ReadEnv(const char* name) {
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0)
        return {};
    std::vector<char> buffer(needed + 1, '\0');
    DWORD length = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return {};
    return std::string(buffer.data(), length);
}

void WriteEnv(const char* name, const std::string& value) {
    SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
}

} // namespace varnet::sim
