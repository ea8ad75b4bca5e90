// Host-only controls of the platform sandbox: where its files live, what it captured, and the
// in-process modules and COM classes that stand in for the driver's. Tests, the tool and the
// simulators use this; the library itself never does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace varnet::platform::host {

// The folder that holds the sandbox's drives ("C:\X" lives at <root>/c/x, names folded to lower
// case as Windows compares them) and its registry file. Creates it if needed. Until it is set,
// the root is $VARNET_SANDBOX_ROOT or else a temporary folder removed at exit.
void SetRoot(const std::string& folder);
const std::string& Root();
// Where a Windows path lives in the sandbox. A path without a drive is relative to the sandbox's
// current directory; "\\server\share\x" lives at <root>/unc/server/share/x.
std::string HostPath(const char* windowsPath);

// What the library sent to the debugger channel and to standard output since the last Clear.
std::string DebugOutput();
// The debugger texts one per OutputDebugString call, as a debugger receives them (many have no
// line end of their own).
std::vector<std::string> DebugMessages();
std::string StdoutOutput();
void ClearCaptures();
// Also echo captured standard output to the real one (the tool wants this).
void SetStdoutPassthrough(bool on);

// The current directory the library sees (a Windows path).
void SetCurrentDirectory(const std::string& windowsPath);
// The DeviceKey text of the first display adapter; empty means no adapter.
void SetDisplayAdapterKey(const std::string& keyText);
// Fixed local time for the log's time stamp; unset means the real clock.
void SetLocalTime(const std::tm& time);
void UseRealClock();

// An in-process module: LoadModule of a path whose file name matches (case-insensitive) gives a
// handle, and FindSymbol asks lookup. A lookup that returns null means "no such entry".
using SymbolLookup = std::function<void*(const char* name)>;
void RegisterModule(const std::string& fileName, SymbolLookup lookup);
void UnregisterModule(const std::string& fileName);
// How many handles of that module are loaded now (LoadModule minus FreeModule).
int ModuleLoadCount(const std::string& fileName);

// A COM class: ClsidFromProgId finds clsid by progId; CreateComInstance calls factory, which
// returns an object with a reference already taken for the iid asked, or a failure code.
using ComFactory = std::function<long(const Guid& iid, void** object)>;
void RegisterComClass(const std::u16string& progId, const Guid& clsid, ComFactory factory);
void UnregisterComClass(const std::u16string& progId);

// Fault injection, in the seam as in SQLite's OS layer: the nth call (1-based, counted from now) of
// the named operation fails, once or from then on. Operations: "RegOpenKey", "RegOpenKeyEx",
// "RegCreateKeyEx", "RegQueryValueEx", "RegSetValueEx", "CreateFileOpenAlways", "OpenFile",
// "CreateDirectory", "LoadModule", "ClsidFromProgId", "CreateComInstance", "AllocComString".
// A failing registry or file operation gives ERROR_ACCESS_DENIED, LoadModule ERROR_FILE_NOT_FOUND,
// ClsidFromProgId REGDB_E_WRITEREGDB, CreateComInstance E_FAIL; AllocComString gives null. The
// second form says which code to fail with. An unknown operation throws std::invalid_argument.
void InjectFault(const std::string& operation, int nth, bool persistent);
void InjectFault(const std::string& operation, int nth, bool persistent, long code);
void ClearFaults();
// How many injected faults fired since the last ClearFaults (or ResetState): all of them, or
// those of one operation. A fault sweep stops when the nth call no longer fires.
int FaultsFired();
int FaultsFired(const std::string& operation);

// Handles the library holds now: registry keys not closed, and files opened by
// CreateFileOpenAlways or OpenFile and not closed. Zero after every call that cleans up.
int OpenRegistryKeyCount();
int OpenFileCount();

// Puts the sandbox back to a fresh state for the next test: captures, faults, clock, current
// directory and display adapter are reset; files and registry stay with the root.
void ResetState();

} // namespace varnet::platform::host
