// The Windows headers, for win32/ only. The seam's operations share names with generic Windows
// macros (RegOpenKey, CreateDirectory, FreeModule...), which would rename our definitions;
// they are undefined here, and win32/ calls the A or W function by its full name.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shlwapi.h>

#undef RegOpenKey
#undef RegOpenKeyEx
#undef RegCreateKeyEx
#undef RegQueryValueEx
#undef RegSetValueEx
#undef GetPrivateProfileString
#undef GetCurrentDirectory
#undef PathFileExists
#undef PathAppend
#undef CreateDirectory
#undef DeleteFile
#undef StrToIntEx
#undef OutputDebugString
#undef FreeModule
#undef LoadModule
