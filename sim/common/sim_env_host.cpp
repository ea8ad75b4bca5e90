#include "common/sim_env.h"

#include <cstdlib>

namespace varnet::sim {

std::string ReadEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

void WriteEnv(const char* name, const std::string& value) {
    if (value.empty())
        ::unsetenv(name);
    else
        ::setenv(name, value.c_str(), 1);
}

} // namespace varnet::sim
