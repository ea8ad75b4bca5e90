// The sandbox itself: its root folder, where a Windows path lives under it, the current
// directory the library sees, and fault injection.
#include "platform/host/sandbox.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "platform/host/sandbox_internal.h"

namespace varnet::platform::host {
namespace {

constexpr const char* kDefaultCurrentDirectory = "C:\\Users\\varnet";

struct Fault {
    int nth = 0;
    bool persistent = false;
    long code = 0;
    int calls = 0;
};

struct Sandbox {
    std::mutex mutex;
    std::string root;
    std::string temporaryRoot; // made because nobody set a root; removed at exit
    std::string currentDirectory = kDefaultCurrentDirectory;
    std::map<std::string, Fault> faults;
    std::map<std::string, int> fired; // by operation, since the last ClearFaults
};

// The folders every Windows system has, so that the library finds them as it would there.
void CreateSkeleton(const std::string& root) {
    std::error_code ignored;
    for (const char* folder : {"c/programdata", "c/users/varnet", "c/windows"}) {
        std::filesystem::create_directories(std::filesystem::path(root) / folder, ignored);
    }
}

Sandbox& State() {
    static Sandbox* sandbox = new Sandbox; // outlives every static destructor that may log
    return *sandbox;
}

void RemoveTemporaryRoot() {
    Sandbox& s = State();
    if (!s.temporaryRoot.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(s.temporaryRoot, ignored);
    }
}

// Nobody set a root: use the environment's, or a fresh temporary folder removed at exit, so
// that the library never writes outside a sandbox.
void EnsureRootLocked(Sandbox& s) {
    if (!s.root.empty()) {
        return;
    }
    if (const char* env = std::getenv("VARNET_SANDBOX_ROOT"); env != nullptr && *env != '\0') {
        s.root = env;
    } else {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        if (ec) {
            base = "/tmp";
        }
        std::string pattern = (base / "varnet-sandbox-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr) {
            std::abort(); // no sandbox, and no safe place to write
        }
        s.root = buffer.data();
        s.temporaryRoot = s.root;
        std::atexit(RemoveTemporaryRoot);
    }
    CreateSkeleton(s.root);
}

const std::map<std::string, long>& DefaultFaultCodes() {
    static const std::map<std::string, long> codes = {
        {"RegOpenKey", kErrorAccessDenied},     {"RegOpenKeyEx", kErrorAccessDenied},
        {"RegCreateKeyEx", kErrorAccessDenied}, {"RegQueryValueEx", kErrorAccessDenied},
        {"RegSetValueEx", kErrorAccessDenied},  {"CreateFileOpenAlways", kErrorAccessDenied},
        {"OpenFile", kErrorAccessDenied},       {"CreateDirectory", kErrorAccessDenied},
        {"LoadModule", kErrorFileNotFound},     {"ClsidFromProgId", kRegDbEWriteRegDb},
        {"CreateComInstance", kEFail},          {"AllocComString", kEOutOfMemory},
    };
    return codes;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> SplitPath(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (IsSeparator(c)) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// Windows resolves "." and "..", never above the drive, and ignores trailing dots and blanks of a
// name ("log.txt. " is "log.txt").
void AppendComponents(std::vector<std::string>& out, const std::string& text) {
    for (std::string part : SplitPath(text)) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (out.size() > 1) {
                out.pop_back();
            }
            continue;
        }
        while (!part.empty() && (part.back() == '.' || part.back() == ' ')) {
            part.pop_back();
        }
        if (!part.empty()) {
            out.push_back(part);
        }
    }
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
}

// The drive and the folders of a Windows path made absolute against the current directory; the
// first element names the drive ("c") or "unc" for \\server\share paths.
std::vector<std::string> ResolveWindowsPath(std::string path, const std::string& cwd) {
    if (path.rfind("\\\\?\\", 0) == 0 || path.rfind("\\\\.\\", 0) == 0) {
        path.erase(0, 4);
    }
    std::vector<std::string> out;
    if (HasDrive(path)) {
        out.push_back(std::string(1, path[0]));
        std::string rest = path.substr(2);
        bool sameDriveAsCwd = HasDrive(cwd) && detail::EqualsNoCase(cwd.substr(0, 1), out[0]);
        if (!rest.empty() && !IsSeparator(rest[0]) && sameDriveAsCwd) {
            AppendComponents(out, cwd.substr(2)); // "C:name" is relative to C:'s directory
        }
        AppendComponents(out, rest);
    } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        out.push_back("unc");
        AppendComponents(out, path.substr(2));
    } else if (!path.empty() && IsSeparator(path[0])) {
        out = ResolveWindowsPath(cwd.substr(0, 2), cwd);
        AppendComponents(out, path);
    } else {
        out = ResolveWindowsPath(cwd, kDefaultCurrentDirectory);
        AppendComponents(out, path);
    }
    return out;
}

} // namespace

void SetRoot(const std::string& folder) {
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    s.root = folder;
    CreateSkeleton(folder);
}

const std::string& Root() {
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    EnsureRootLocked(s);
    return s.root;
}

std::string HostPath(const char* windowsPath) {
    if (windowsPath == nullptr || *windowsPath == '\0') {
        return std::string();
    }
    std::vector<std::string> parts = ResolveWindowsPath(windowsPath, detail::CurrentDirectory());
    std::string result = Root();
    for (const std::string& part : parts) {
        result += '/';
        result += detail::Lower(part);
    }
    return result;
}

void SetCurrentDirectory(const std::string& windowsPath) {
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    s.currentDirectory = windowsPath;
}

void InjectFault(const std::string& operation, int nth, bool persistent) {
    auto it = DefaultFaultCodes().find(operation);
    if (it == DefaultFaultCodes().end()) {
        throw std::invalid_argument("no fault injection for operation " + operation);
    }
    InjectFault(operation, nth, persistent, it->second);
}

void InjectFault(const std::string& operation, int nth, bool persistent, long code) {
    if (DefaultFaultCodes().count(operation) == 0 || nth < 1) {
        throw std::invalid_argument("bad fault injection for operation " + operation);
    }
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    s.faults[operation] = Fault{nth, persistent, code, 0};
}

void ClearFaults() {
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    s.faults.clear();
    s.fired.clear();
}

int FaultsFired() {
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    int total = 0;
    for (const auto& [operation, count] : s.fired) {
        total += count;
    }
    return total;
}

int FaultsFired(const std::string& operation) {
    if (DefaultFaultCodes().count(operation) == 0) {
        throw std::invalid_argument("no fault injection for operation " + operation);
    }
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    auto it = s.fired.find(operation);
    return it == s.fired.end() ? 0 : it->second;
}

void ResetState() {
    detail::ResetDiagnostics();
    detail::ResetDisplay();
    ClearFaults();
    SetCurrentDirectory(kDefaultCurrentDirectory);
}

namespace detail {

bool FaultFires(const char* operation, long* code) {
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    auto it = s.faults.find(operation);
    if (it == s.faults.end()) {
        return false;
    }
    Fault& fault = it->second;
    ++fault.calls;
    bool fires = fault.persistent ? fault.calls >= fault.nth : fault.calls == fault.nth;
    if (fires) {
        ++s.fired[operation];
        if (code != nullptr) {
            *code = fault.code;
        }
    }
    return fires;
}

std::string CurrentDirectory() {
    Sandbox& s = State();
    std::lock_guard lock(s.mutex);
    return s.currentDirectory;
}

std::string RegistryFile() {
    return Root() + "/registry.json";
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && Lower(a) == Lower(b);
}

} // namespace detail
} // namespace varnet::platform::host
