#include <filesystem>

#include "platform/host/sandbox.h"
#include "platform/platform.h"
#include "test_machine.h"

namespace varnet::test {

void PrepareSystem(const std::string& folder) {
    platform::host::SetRoot((std::filesystem::path(folder) / "root").string());
    platform::host::ResetState();
    platform::ComInitializeThread();
}

void ReleaseSystem() {
    platform::ComUninitializeThread();
    platform::host::ResetState();
}

} // namespace varnet::test
