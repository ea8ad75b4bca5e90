#include "config_folder.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <vector>

#include "config/config_paths.h"
#include "platform/platform.h"
#include "tool_environment.h"

namespace varnet::tool {

namespace {

namespace fs = std::filesystem;

constexpr char kStandInProgram[] = "C:\\Program Files\\Norvane\\Tintwell\\Tintwell.exe";
// Written there by the library itself; a run's log is not configuration and is kept.
constexpr char kLogFile[] = "log.txt";

std::string CaseFold(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

enum class Registered { kMissing, kUsable, kUnusable };

// The value that names the settings program, whose folder holds IntelAmoledMode.ini. Only a
// missing value may be replaced by a stand-in: any other belongs to whoever wrote it.
Registered RegisteredProgram(std::string* folder, std::string* text) {
    using namespace platform;
    RegKey key = nullptr;
    if (RegOpenKeyEx(RegRoot::LocalMachine, kCurrentPathKey, kKeyRead, &key) != kErrorSuccess) {
        return Registered::kMissing;
    }
    char data[1024] = {};
    uint32_t type = kRegNone;
    uint32_t size = sizeof data - 1;
    const long result =
        RegQueryValueEx(key, kCurrentPathValue, &type, reinterpret_cast<uint8_t*>(data), &size);
    RegCloseKey(key);
    if (result == kErrorFileNotFound) {
        return Registered::kMissing;
    }
    *text = data;
    if (result != kErrorSuccess || (type != kRegSz && type != kRegExpandSz)) {
        return Registered::kUnusable;
    }
    std::string program(data);
    std::erase(program, '"');
    const std::size_t cut = program.rfind('\\');
    if (cut == std::string::npos || !PathFileExists(program.c_str())) {
        return Registered::kUnusable;
    }
    *folder = program.substr(0, cut);
    return Registered::kUsable;
}

// An empty stand-in for the settings program, so that the library has a folder to look in.
bool RegisterStandInProgram(std::string* error) {
    using namespace platform;
    const std::string program = kStandInProgram;
    std::error_code ec;
    fs::create_directories(LocalPath(program).parent_path(), ec);
    std::FILE* file = OpenFile(program.c_str(), "ab");
    if (file == nullptr) {
        *error = "cannot create " + program;
        return false;
    }
    std::fclose(file);
    RegKey key = nullptr;
    const std::string where = std::string("HKEY_LOCAL_MACHINE\\") + kCurrentPathKey;
    if (RegCreateKeyEx(RegRoot::LocalMachine, kCurrentPathKey, kKeyAllAccess, &key) !=
        kErrorSuccess) {
        *error = "cannot write " + where;
        return false;
    }
    const std::string quoted = "\"" + program + "\"";
    const long result = RegSetValueEx(key, kCurrentPathValue, kRegSz,
                                      reinterpret_cast<const uint8_t*>(quoted.c_str()),
                                      static_cast<uint32_t>(quoted.size() + 1));
    RegCloseKey(key);
    if (result != kErrorSuccess) {
        *error = "cannot write " + where + " value " + kCurrentPathValue;
        return false;
    }
    return true;
}

bool CopyInto(const fs::path& from, const fs::path& to, std::string* error) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        *error = "cannot copy " + from.string() + " to " + to.string() + ": " + ec.message();
        return false;
    }
    return true;
}

std::string Join(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// Puts DIR's IntelAmoledMode.ini beside the registered program, or takes an earlier one away.
bool PlaceAmoledFile(const fs::path* source, std::string* note, std::vector<std::string>* removed,
                     std::string* error) {
    std::string folder;
    std::string text;
    Registered registered = RegisteredProgram(&folder, &text);
    if (source == nullptr) {
        if (registered == Registered::kUsable) {
            const std::string path = folder + "\\" + kAmoledModeFile;
            std::error_code ec;
            if (fs::remove(LocalPath(path), ec)) {
                removed->push_back(path);
            }
        }
        return true;
    }
    if (registered == Registered::kUnusable) {
        *error = std::string("HKEY_LOCAL_MACHINE\\") + kCurrentPathKey + " value " +
                 kCurrentPathValue + " is \"" + text +
                 "\", which names no program: " + kAmoledModeFile +
                 " has nowhere the library would find it";
        return false;
    }
    bool standIn = false;
    if (registered == Registered::kMissing) {
        if (!RegisterStandInProgram(error)) {
            return false;
        }
        registered = RegisteredProgram(&folder, &text);
        standIn = true;
    }
    const std::string path = folder + "\\" + kAmoledModeFile;
    if (registered != Registered::kUsable || !CopyInto(*source, LocalPath(path), error)) {
        return false;
    }
    // The library's own lookup is the judge of where the file has to be.
    if (CaseFold(GetAmoledModeFilePath()) != CaseFold(CollapseDoubledBackslashes(path))) {
        *error = std::string(kAmoledModeFile) + " copied to " + path +
                 ", but the library does not find it there";
        return false;
    }
    *note = std::string(kAmoledModeFile) + " to " + folder +
            (standIn ? std::string(" (a stand-in program registered in HKEY_LOCAL_MACHINE\\") +
                           kCurrentPathKey + ")"
                     : std::string());
    return true;
}

} // namespace

bool MirrorConfigFolder(const std::string& folder, std::string* summary, std::string* error) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        *error = "no configuration folder " + folder;
        return false;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::string programData;
    if (!platform::GetProgramDataFolder(programData)) {
        *error = "the ProgramData folder is unknown";
        return false;
    }
    const std::string target = programData + "\\ColorMode";
    const fs::path localTarget = LocalPath(target);
    fs::create_directories(localTarget, ec);
    if (!fs::is_directory(localTarget, ec)) {
        *error = "cannot create " + target;
        return false;
    }
    const bool inPlace = fs::equivalent(folder, localTarget, ec);

    std::set<std::string> names; // file names compare without regard to case, as on Windows
    const fs::path* amoled = nullptr;
    std::size_t copied = 0;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        names.insert(CaseFold(name));
        if (CaseFold(name) == CaseFold(kAmoledModeFile)) {
            amoled = &file;
        } else if (inPlace || CopyInto(file, LocalPath(target + "\\" + name), error)) {
            ++copied;
        } else {
            return false;
        }
    }

    // A file left over from an earlier folder would still be read (a 3D LUT variant even takes
    // precedence), so whatever DIR does not hold goes.
    std::vector<std::string> removed;
    for (const auto& entry : fs::directory_iterator(localTarget, ec)) {
        const std::string name = entry.path().filename().string();
        const std::string folded = CaseFold(name);
        if (entry.is_regular_file() && names.count(folded) == 0 && folded != kLogFile) {
            fs::remove(entry.path(), ec);
            removed.push_back(name);
        }
    }
    std::string amoledNote;
    if (!PlaceAmoledFile(amoled, &amoledNote, &removed, error)) {
        return false;
    }

    *summary = "--config " + folder + ": " + std::to_string(copied) +
               (copied == 1 ? " file to " : " files to ") + target;
    if (!amoledNote.empty()) {
        *summary += ", " + amoledNote;
    }
    if (!removed.empty()) {
        *summary += "; removed " + Join(removed);
    }
    // The library falls back to its current directory for a file that ProgramData lacks.
    for (const char* name :
         {kColorModeFile, kColorMode3DlutFile, kToneCurveFile, kToneCurve3DlutFile, kZelmoFile}) {
        const std::string path = GetConfigFilePath(name);
        if (names.count(CaseFold(name)) == 0 && !path.empty()) {
            *summary += "; " + std::string(name) + " is still read from " + path;
        }
    }
    const std::string where = SandboxNote();
    if (!where.empty()) {
        *summary += " (" + where + ")";
    }
    return true;
}

} // namespace varnet::tool
