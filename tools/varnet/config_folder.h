// Puts a folder of configuration files where the library looks first, C:\ProgramData\ColorMode.
#pragma once

#include <string>

namespace varnet::tool {

bool InstallConfigFolder(const std::string& folder, std::string* error);

} // namespace varnet::tool
