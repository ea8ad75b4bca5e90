#include "support/fuzz_sandbox.h"

#include <filesystem>
#include <fstream>

#include "platform/host/sandbox.h"
#include "support/fuzz_input.h"

namespace varnet::fuzz {

FuzzInput& Input() {
    static FuzzInput input;
    return input;
}

void PrepareSandbox() {
    static const bool prepared = [] {
        // Left unset, the sandbox makes a temporary root of its own and removes it at exit.
        platform::host::Root();
        return true;
    }();
    (void)prepared;
}

void CopySourceFolder(const std::string& sourceFolder, const char* windowsFolder) {
    namespace fs = std::filesystem;
    const fs::path to = platform::host::HostPath(windowsFolder);
    fs::create_directories(to);
    fs::copy(fs::path(VARNET_FUZZ_SOURCE_DIR) / sourceFolder, to,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void WriteSandboxFile(const char* windowsPath, const void* data, std::size_t size) {
    const std::filesystem::path path = platform::host::HostPath(windowsPath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace varnet::fuzz
