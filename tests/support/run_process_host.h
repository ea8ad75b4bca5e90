// Runs a shell command line as a user would, collecting its standard output: the tool tests'
// one way of starting a process.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace varnet::test {

// The command's exit status, or -1 when it did not exit normally (or could not start).
inline int RunProcess(const std::string& command, std::string* out) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out->append(buffer, got);
    }
    const int raw = ::pclose(pipe);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace varnet::test
