// The only door from the library to the operating system.
//
// Everything outside src/platform/ reaches Windows through these operations. win32/ calls the
// Windows API directly; host/ is a sandbox that keeps the same files, registry, modules and COM
// classes under a root folder so that the whole library runs under sanitizers on Linux.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

namespace varnet::platform {

// ---- Common values ---------------------------------------------------------------------------

// Windows status codes that callers compare against.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

// Registry value types.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

inline constexpr uint32_t kKeyRead = 0x20019;
inline constexpr uint32_t kKeyAllAccess = 0xF003F;

// Same layout as the Windows GUID, so win32/ can cast between them.
struct Guid {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};
};
static_assert(sizeof(Guid) == 16);
bool operator==(const Guid& a, const Guid& b);

// COM results used by the library.
inline constexpr long kSOk = 0;
inline constexpr long kCoEClassString = static_cast<long>(0x800401F3);
inline constexpr long kRegDbEWriteRegDb = static_cast<long>(0x80040151);
inline constexpr long kRegDbEClassNotReg = static_cast<long>(0x80040154);
inline constexpr long kCoENotInitialized = static_cast<long>(0x800401F0);
inline constexpr long kEFail = static_cast<long>(0x80004005);
inline constexpr long kENoInterface = static_cast<long>(0x80004002);
inline constexpr long kEOutOfMemory = static_cast<long>(0x8007000E);
inline constexpr uint32_t kClsCtxServer = 21; // in-process, local and remote server

// A COM string: UTF-16, length-prefixed on Windows (BSTR).
using ComString = char16_t*;

// ---- Registry ----------------------------------------------------------------------------------

enum class RegRoot { CurrentUser, LocalMachine };
using RegKey = void*;

long RegOpenKey(RegRoot root, const char* subKey, RegKey* key);
long RegOpenKeyEx(RegRoot root, const char* subKey, uint32_t access, RegKey* key);
long RegCreateKeyEx(RegRoot root, const char* subKey, uint32_t access, RegKey* key);
long RegQueryValueEx(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size);
long RegSetValueEx(RegKey key, const char* name, uint32_t type, const uint8_t* data, uint32_t size);
long RegCloseKey(RegKey key);

// ---- Profile strings, folders and files -------------------------------------------------------

// GetPrivateProfileStringA: same return counts, truncation and trimming rules.
uint32_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                 char* out, uint32_t size, const char* path);

// The ProgramData known folder in the ANSI code page; false when it cannot be had.
bool GetProgramDataFolder(std::string& folder);
// GetCurrentDirectoryA: length written, or the size needed when the buffer is too small.
uint32_t GetCurrentDirectory(uint32_t size, char* buffer);
bool PathFileExists(const char* path);
// PathAppendA on a buffer of at least 260 characters.
bool PathAppend(char* path, const char* more);
bool CreateDirectory(const char* path);
bool DeleteFile(const char* path);
// StrToIntExA with STIF_DEFAULT (0) or STIF_SUPPORT_HEX (1).
bool StrToIntEx(const char* text, uint32_t flags, int* value);

// CreateFileA(read access, no sharing, OPEN_ALWAYS, normal attributes); null on failure.
using FileHandle = void*;
FileHandle CreateFileOpenAlways(const char* path);
uint32_t GetFileSize(FileHandle file);
void CloseHandle(FileHandle file);
// The C run time's fopen on a Windows path.
std::FILE* OpenFile(const char* path, const char* mode);

// ---- Diagnostics, time ------------------------------------------------------------------------

void OutputDebugString(const char* text);
// Formatted print of the library to the process's standard output.
void WriteStdout(const char* text);
// Local time now, as _localtime64 gives it.
std::tm LocalTimeNow();

// ---- Display adapter ---------------------------------------------------------------------------

// EnumDisplayDevicesA(null, 0, ...) with a 424-byte record: the DeviceKey text of the first
// display adapter; false when there is none.
bool FirstDisplayAdapterKey(std::string& keyText);

// ---- Modules -----------------------------------------------------------------------------------

using ModuleHandle = void*;
ModuleHandle LoadModule(const wchar_t* path);            // LoadLibraryW
void* FindSymbol(ModuleHandle module, const char* name); // GetProcAddress
bool FreeModule(ModuleHandle module);                    // FreeLibrary

// ---- COM ---------------------------------------------------------------------------------------

long ClsidFromProgId(const char16_t* progId, Guid* clsid);
long CreateComInstance(const Guid& clsid, uint32_t context, const Guid& iid, void** object);
ComString AllocComString(const char16_t* text); // SysAllocString; null when out of memory
void FreeComString(ComString text);

// Enters or leaves COM on the calling thread. The library never calls these: its callers do
// (tests, the tool), as a real application would with CoInitializeEx and CoUninitialize.
bool ComInitializeThread();
void ComUninitializeThread();

} // namespace varnet::platform
