#include "config_checker.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

#include "config/color_mode_names.h"
#include "config/config_paths.h"
#include "config/support_lookup.h"
#include "cube_check.h"
#include "ini_file.h"
#include "local_path.h"
#include "value_findings.h"

namespace varnet::check {

namespace {

constexpr std::size_t kPanelIdMaxLength = 11;
// "C:\ProgramData\ColorMode\" + name + ".cube" must stay below MAX_PATH.
constexpr std::size_t kCubePathPrefix = 25;
constexpr std::size_t kMaxPath = 260;
const std::string kCubeFolder = "C:\\ProgramData\\ColorMode\\";

const char* const kOptionSections[] = {"OPTION_DPST", "OPTION_COLORTONE", "QLED_DISPLAY",
                                       "AMOLED_DISPLAY"};
const char* const kAllFiles[] = {kColorModeFile,      kColorMode3DlutFile, kToneCurveFile,
                                 kToneCurve3DlutFile, kZelmoFile,          kAmoledModeFile};

std::vector<std::string> ModeSections() {
    std::vector<std::string> sections;
    for (const int32_t mode : {1, 2, 3, 4, 5, 6, 10, 11, 12, 13}) {
        sections.emplace_back(GetColorModeName(mode));
    }
    return sections;
}

bool IsPanelKey(std::string_view key) {
    return !key.empty() && !key.starts_with(';') && UpperCase(key) != kDefaultKey;
}

// A repeated key is reported as such and never read, so its value is not checked.
bool IsFirst(const IniSection& section, const IniKey& key) {
    return section.Find(key.name) == &key;
}

struct LoadedFile {
    const CheckSource::File* source = nullptr;
    std::unique_ptr<IniFile> ini; // null when missing or unusable
};

class Checker {
public:
    explicit Checker(const CheckSource& source) : m_source(source), m_modes(ModeSections()) {}

    CheckReport Run() {
        m_report.folder = m_source.description;
        for (const CheckSource::File& file : m_source.files) {
            m_files[file.name] = Load(file);
        }
        CheckColorModeFile(kColorModeFile, true);
        CheckColorModeFile(kColorMode3DlutFile, false);
        CheckToneCurveFile(kToneCurveFile);
        CheckToneCurveFile(kToneCurve3DlutFile);
        CheckZelmoFile();
        CheckAmoledFile();
        CheckThreeDLutCoverage();
        CheckToneCurvesPresent(kColorModeFile, kToneCurveFile);
        CheckToneCurvesPresent(kColorMode3DlutFile, Ini(kToneCurve3DlutFile) != nullptr
                                                        ? kToneCurve3DlutFile
                                                        : kToneCurveFile);
        return std::move(m_report);
    }

private:
    const IniFile* Ini(const char* name) const {
        const auto found = m_files.find(name);
        return found == m_files.end() ? nullptr : found->second.ini.get();
    }
    std::string Shown(const char* name) const {
        const auto found = m_files.find(name);
        return found == m_files.end() || found->second.source == nullptr
                   ? name
                   : found->second.source->shown;
    }

    void Add(Severity severity, const std::string& file, std::size_t line, std::string_view section,
             std::string_view key, std::string message) {
        m_report.Add(
            {severity, file, line, std::string(section), std::string(key), 0, std::move(message)});
    }

    LoadedFile Load(const CheckSource::File& file) {
        LoadedFile loaded;
        loaded.source = &file;
        if (file.path.empty()) {
            if (file.name == kColorModeFile) {
                Add(Severity::kWarning, file.shown, 0, "", "",
                    "not found: every mode and option answers no");
            }
            return loaded;
        }
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file.path, ec)) {
            Add(Severity::kError, file.shown, 0, "", "",
                "is not a file that can be read: the library would read nothing from it");
            return loaded;
        }
        std::ifstream in(file.path, std::ios::binary);
        std::string text;
        if (in) {
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        if (!in && !in.eof()) {
            Add(Severity::kError, file.shown, 0, "", "",
                "cannot be read: the library would find the file and read nothing from it");
            return loaded;
        }
        const std::size_t nul = text.find('\0');
        if (nul != std::string::npos) {
            Add(Severity::kError, file.shown, 0, "", "",
                "holds binary data (a NUL byte at offset " + std::to_string(nul) +
                    "), not INI text");
            return loaded;
        }
        m_report.files.push_back(file.shown);
        loaded.ini = std::make_unique<IniFile>(std::move(text));
        CheckLayout(file, *loaded.ini);
        return loaded;
    }

    // Sections the library never asks for, repeats it never reads, panel IDs that never match.
    void CheckLayout(const CheckSource::File& file, const IniFile& ini) {
        std::set<std::string> known(m_modes.begin(), m_modes.end());
        if (file.name == kAmoledModeFile) {
            known = {kAmoledSection};
        } else if (file.name == kColorModeFile) {
            known.insert(std::begin(kOptionSections), std::end(kOptionSections));
        }
        for (const IniSection& section : ini.Sections()) {
            if (section.line == 0) {
                for (const IniKey& key : section.keys) {
                    if (!key.name.starts_with(';')) {
                        Add(Severity::kWarning, file.shown, key.line, "", key.name,
                            "a key before the first section is never read");
                    }
                }
                continue;
            }
            if (known.count(UpperCase(section.name)) == 0) {
                Add(Severity::kWarning, file.shown, section.line, section.name, "",
                    "the library never reads this section");
                continue;
            }
            for (const IniKey& key : section.keys) {
                if (!IsPanelKey(key.name)) {
                    continue;
                }
                NotePanel(key.name);
                if (key.name.size() > kPanelIdMaxLength) {
                    Add(Severity::kWarning, file.shown, key.line, section.name, key.name,
                        "a panel ID has at most 11 characters: this key never matches a panel");
                }
            }
        }
        for (const IniDuplicate& d : ini.Duplicates()) {
            Add(Severity::kWarning, file.shown, d.line, d.section, d.key,
                d.key.empty() ? "the section appears again (first at line " +
                                    std::to_string(d.firstLine) + "): this one is never read"
                              : "the key appears again (first at line " +
                                    std::to_string(d.firstLine) + "): only the first counts");
        }
    }

    void NotePanel(std::string_view key) {
        if (m_panelSet.insert(UpperCase(key)).second) {
            m_report.panels.emplace_back(key);
        }
    }

    void CheckColorModeFile(const char* name, bool supportFile) {
        const IniFile* ini = Ini(name);
        if (ini == nullptr) {
            return;
        }
        const std::string shown = Shown(name);
        std::set<std::string> panels;
        for (const std::string& mode : m_modes) {
            if (const IniSection* section = ini->Find(mode)) {
                for (const IniKey& key : section->keys) {
                    if (IsPanelKey(key.name)) {
                        panels.insert(UpperCase(key.name));
                    }
                }
            }
        }
        for (const std::string& mode : m_modes) {
            const IniSection* section = ini->Find(mode);
            if (section == nullptr) {
                continue;
            }
            for (const IniKey& key : section->keys) {
                if (!IsFirst(*section, key) || key.name.starts_with(';') || key.value.empty() ||
                    key.value.find("NOTSUPPORT") != std::string_view::npos) {
                    continue;
                }
                const ValueSite site{shown, key.line, std::string(section->name),
                                     std::string(key.name)};
                ColorModeSetting setting;
                InitColorModeSetting(setting);
                CheckParameterList(site, key.value, setting, m_report);
                if (IsPanelKey(key.name)) {
                    m_lists[name].try_emplace(UpperCase(key.name), site);
                }
                if (setting.lut3dValid != 0 && setting.lut3dMode == 777) {
                    CheckCube(site, setting);
                    CheckCubeMatrix(site, setting);
                }
            }
            const IniKey* fallback = section->Find(kDefaultKey);
            if (fallback != nullptr && !fallback->value.empty()) {
                continue;
            }
            for (const std::string& panel : panels) {
                const IniKey* own = section->Find(panel);
                if (own == nullptr || own->value.empty()) {
                    Add(Severity::kWarning, shown, section->line, section->name, panel,
                        supportFile ? "neither a value for this panel nor DEFAULT: the mode is "
                                      "not offered on it"
                                    : "neither a value for this panel nor DEFAULT: the mode "
                                      "gets no parameters with the 3D LUT files");
                }
            }
        }
        if (supportFile) {
            CheckOptions(*ini, shown);
        }
    }

    void CheckOptions(const IniFile& ini, const std::string& shown) {
        for (const char* option : kOptionSections) {
            const IniSection* section = ini.Find(option);
            if (section == nullptr) {
                continue;
            }
            for (const IniKey& key : section->keys) {
                const std::string upper = UpperCase(key.value);
                if (key.value != "SUPPORT" && upper.starts_with("SUPPORT")) {
                    Add(Severity::kWarning, shown, key.line, section->name, key.name,
                        "\"" + std::string(key.value) +
                            "\" is not exactly SUPPORT: the option reads as not offered");
                }
            }
        }
    }

    void CheckCube(const ValueSite& site, const ColorModeSetting& setting) {
        ValueSite at = site;
        if (setting.cubeNameValid == 0 || setting.cubeName.empty()) {
            m_report.Add({Severity::kError, at.file, at.line, at.section, at.key, 27,
                          "777 loads the .cube file that field 38 names, but there is no field "
                          "38"});
            return;
        }
        const std::string fileName = setting.cubeName + ".cube";
        if (!m_cubesSeen.insert(fileName).second) {
            return; // one report per file, at the first mode that names it
        }
        if (kCubePathPrefix + fileName.size() >= kMaxPath) {
            m_report.Add({Severity::kError, at.file, at.line, at.section, at.key, 38,
                          "the .cube path would be longer than 259 characters"});
            return;
        }
        const CubeVerdict verdict = CheckCubeFile(m_source.cubePath(fileName));
        if (!verdict.ok) {
            m_report.Add({Severity::kError, at.file, at.line, at.section, at.key, 38,
                          m_source.shownCubeFolder + fileName + " " + verdict.problem});
        }
    }

    // The Control Library back-end cannot take the .cube table: it builds its 3D LUT from
    // fields 28-36 instead, and an all-zero matrix makes every entry black.
    void CheckCubeMatrix(const ValueSite& site, const ColorModeSetting& setting) {
        if (std::any_of(std::begin(setting.lut3dParams), std::end(setting.lut3dParams),
                        [](int32_t v) { return v != 0; })) {
            return;
        }
        m_report.Add({Severity::kWarning, site.file, site.line, site.section, site.key, 28,
                      "fields 28-36 are all 0: with 777 the Control Library back-end sends this "
                      "matrix, not the .cube table, and a zero matrix turns the screen black "
                      "(10000 0 0 0 10000 0 0 0 10000 is the identity)"});
    }

    void CheckToneCurveFile(const char* name) {
        const IniFile* ini = Ini(name);
        if (ini == nullptr) {
            return;
        }
        const std::string shown = Shown(name);
        for (const std::string& mode : m_modes) {
            const IniSection* section = ini->Find(mode);
            if (section == nullptr) {
                continue;
            }
            for (const IniKey& key : section->keys) {
                if (!IsFirst(*section, key) || key.name.starts_with(';') || key.value.empty()) {
                    continue;
                }
                if (!IsPanelKey(key.name)) {
                    Add(Severity::kNote, shown, key.line, section->name, key.name,
                        "tone curves are per panel: DEFAULT is never read here");
                    continue;
                }
                m_curves[name].insert(UpperCase(key.name));
                CheckToneCurve({shown, key.line, std::string(section->name), std::string(key.name)},
                               key.value, m_report);
            }
        }
    }

    void CheckZelmoFile() {
        const IniFile* ini = Ini(kZelmoFile);
        if (ini == nullptr) {
            return;
        }
        const std::string shown = Shown(kZelmoFile);
        for (const std::string& mode : m_modes) {
            const IniSection* section = ini->Find(mode);
            if (section == nullptr) {
                continue;
            }
            for (const IniKey& key : section->keys) {
                if (!IsFirst(*section, key) || key.name.starts_with(';') || key.value.empty()) {
                    continue;
                }
                if (IsPanelKey(key.name) && mode != "MODE_STANDARD") {
                    Add(Severity::kNote, shown, key.line, section->name, key.name,
                        "never read: panels are looked up in MODE_STANDARD only, other sections "
                        "answer through DEFAULT");
                    continue;
                }
                CheckZelmoTable(
                    {shown, key.line, std::string(section->name), std::string(key.name)}, key.value,
                    m_report);
            }
        }
    }

    void CheckAmoledFile() {
        const IniFile* ini = Ini(kAmoledModeFile);
        const IniSection* section = ini == nullptr ? nullptr : ini->Find(kAmoledSection);
        const IniKey* fallback = section == nullptr ? nullptr : section->Find(kDefaultKey);
        if (fallback != nullptr) {
            Add(Severity::kWarning, Shown(kAmoledModeFile), fallback->line, kAmoledSection,
                fallback->name, "there is no DEFAULT rule in this file: the key is never read");
        }
    }

    // With the 3D LUT files present, a mode offered to a panel needs a section there too.
    void CheckThreeDLutCoverage() {
        const IniFile* support = Ini(kColorModeFile);
        const IniFile* variant = Ini(kColorMode3DlutFile);
        if (support == nullptr || variant == nullptr) {
            return;
        }
        for (const std::string& mode : m_modes) {
            const IniSection* offered = support->Find(mode);
            if (offered == nullptr || variant->Find(mode) != nullptr) {
                continue;
            }
            for (const IniKey& key : offered->keys) {
                if (IsPanelKey(key.name) && !key.value.empty() &&
                    key.value.find("NOTSUPPORT") == std::string_view::npos) {
                    Add(Severity::kWarning, Shown(kColorMode3DlutFile), 0, mode, key.name,
                        "no section for a mode that " + Shown(kColorModeFile) +
                            " offers: with the 3D LUT files it gets no parameters");
                }
            }
        }
    }

    void CheckToneCurvesPresent(const char* listFile, const char* curveFile) {
        const auto lists = m_lists.find(listFile);
        if (lists == m_lists.end()) {
            return;
        }
        const std::set<std::string>& curves = m_curves[curveFile];
        for (const auto& [panel, site] : lists->second) {
            if (curves.count(panel) == 0) {
                Add(Severity::kWarning, site.file, site.line, site.section, site.key,
                    "the panel has parameter lists but no tone curve in " + Shown(curveFile) +
                        ": every mode gets the straight line");
            }
        }
    }

    const CheckSource& m_source;
    const std::vector<std::string> m_modes;
    CheckReport m_report;
    std::map<std::string, LoadedFile> m_files;
    std::set<std::string> m_panelSet;
    std::set<std::string> m_cubesSeen;
    // Per mode file: each panel's first parameter list; per tone-curve file: the panels it has.
    std::map<std::string, std::map<std::string, ValueSite>> m_lists;
    std::map<std::string, std::set<std::string>> m_curves;
};

} // namespace

CheckSource FolderSource(const std::string& folder) {
    namespace fs = std::filesystem;
    CheckSource source;
    source.description = folder;
    source.shownCubeFolder = (fs::path(folder) / "").string();
    auto present = std::make_shared<std::map<std::string, fs::path>>();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        present->try_emplace(UpperCase(entry.path().filename().string()), entry.path());
    }
    const auto local = [present, folder](const std::string& name) {
        const auto found = present->find(UpperCase(name));
        return found != present->end() ? found->second.string()
                                       : (fs::path(folder) / name).string();
    };
    for (const char* name : kAllFiles) {
        const auto found = present->find(UpperCase(name));
        CheckSource::File file{name, {}, (fs::path(folder) / name).string()};
        if (found != present->end()) {
            file.path = found->second.string();
            file.shown = (fs::path(folder) / found->second.filename()).string();
        }
        source.files.push_back(file);
    }
    source.cubePath = local;
    return source;
}

CheckSource LibrarySearchSource() {
    CheckSource source;
    source.description = "the folders the library searches";
    for (const char* name : kAllFiles) {
        const std::string found = name == std::string_view(kAmoledModeFile)
                                      ? GetAmoledModeFilePath()
                                      : GetConfigFilePath(name);
        source.files.push_back({name, found.empty() ? std::string() : LocalPath(found),
                                found.empty() ? std::string(name) : found});
    }
    source.shownCubeFolder = kCubeFolder;
    source.cubePath = [](const std::string& name) { return LocalPath(kCubeFolder + name); };
    return source;
}

CheckReport CheckConfiguration(const CheckSource& source) {
    try {
        return Checker(source).Run();
    } catch (const std::exception& e) {
        CheckReport report;
        report.folder = source.description;
        report.Add({Severity::kError, source.description, 0, "", "", 0,
                    std::string("the check stopped: ") + e.what()});
        return report;
    }
}

} // namespace varnet::check
