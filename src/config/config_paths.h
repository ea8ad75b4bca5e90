// Where the configuration files are: the ColorMode folder under ProgramData, else the current
// directory; the AMOLED photo list beside the program named in the machine's registry.
#pragma once

#include <string>
#include <string_view>

namespace varnet {

inline constexpr char kColorModeFile[] = "IntelColorMode.ini";
inline constexpr char kColorMode3DlutFile[] = "IntelColorMode3Dlut.ini";
inline constexpr char kToneCurveFile[] = "IntelColorToneCurve.ini";
inline constexpr char kToneCurve3DlutFile[] = "IntelColorToneCurve3Dlut.ini";
inline constexpr char kZelmoFile[] = "Zelmo.ini";
inline constexpr char kAmoledModeFile[] = "IntelAmoledMode.ini";

// Under HKEY_LOCAL_MACHINE; the value holds the path of the settings application's program.
inline constexpr char kCurrentPathKey[] = "SOFTWARE\\Norvane\\CurrentPath";
inline constexpr char kCurrentPathValue[] = "90000";

// The full path of an existing configuration file, or "" when it is in neither place.
std::string GetConfigFilePath(const char* fileName);

// The full path of an existing IntelAmoledMode.ini, or "".
std::string GetAmoledModeFilePath();

// Replaces each pair of consecutive backslashes, taken from the left without overlap, by one.
std::string CollapseDoubledBackslashes(std::string_view path);

} // namespace varnet
