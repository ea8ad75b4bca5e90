// Where a path that the library uses (a Windows path) is found by the tool's own file reads:
// itself on Windows, its place in the host sandbox on Linux.
#pragma once

#include <string>

namespace varnet::check {

std::string LocalPath(const std::string& libraryPath);

} // namespace varnet::check
