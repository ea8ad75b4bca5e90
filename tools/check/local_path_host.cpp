#include "local_path.h"
#include "platform/host/sandbox.h"

namespace varnet::check {

std::string LocalPath(const std::string& libraryPath) {
    return platform::host::HostPath(libraryPath.c_str());
}

} // namespace varnet::check
