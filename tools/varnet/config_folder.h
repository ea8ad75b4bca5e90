// --config DIR: makes the configuration the library reads exactly DIR's files. The colour-mode
// files and .cube files go to C:\ProgramData\ColorMode, IntelAmoledMode.ini beside the settings
// program that HKLM\SOFTWARE\Norvane\CurrentPath names (a stand-in program is registered when
// none is).
#pragma once

#include <string>

namespace varnet::tool {

// On success summary is the one line that says what went where; on failure error says why.
bool MirrorConfigFolder(const std::string& folder, std::string* summary, std::string* error);

} // namespace varnet::tool
