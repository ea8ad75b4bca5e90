#include "local_path.h"

namespace varnet::check {

std::string LocalPath(const std::string& libraryPath) {
    return libraryPath;
}

} // namespace varnet::check
