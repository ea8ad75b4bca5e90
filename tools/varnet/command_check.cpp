// varnet check [FOLDER]: the configuration checker's findings, one compiler-style line each, then
// the panel IDs seen and a count. Exit status 0 without errors, 1 with errors, 2 when the folder
// cannot be read.
#include <filesystem>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "config_checker.h"
#include "report_stream.h"

namespace varnet::tool {

namespace {

nlohmann::json ToJson(const check::CheckReport& report) {
    nlohmann::json findings = nlohmann::json::array();
    for (const check::Finding& f : report.findings) {
        findings.push_back({{"severity", check::SeverityName(f.severity)},
                            {"file", f.file},
                            {"line", f.line},
                            {"section", f.section},
                            {"key", f.key},
                            {"field", f.field},
                            {"message", f.message}});
    }
    return {{"folder", report.folder}, {"files", report.files},   {"panels", report.panels},
            {"findings", findings},    {"errors", report.errors}, {"warnings", report.warnings},
            {"notes", report.notes}};
}

} // namespace

int RunCheck(const std::string& folder) {
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "varnet: %s is not a folder that can be read\n", folder.c_str());
        return 2;
    }
    if (!folder.empty() && (std::filesystem::directory_iterator(folder, ec), ec)) {
        std::fprintf(stderr, "varnet: cannot read the folder %s: %s\n", folder.c_str(),
                     ec.message().c_str());
        return 2;
    }
    const check::CheckReport report = check::CheckConfiguration(
        folder.empty() ? check::LibrarySearchSource() : check::FolderSource(folder));
    std::FILE* out = Report();
    if (JsonOutput()) {
        std::fprintf(out, "%s\n", ToJson(report).dump(2).c_str());
    } else {
        for (const check::Finding& f : report.findings) {
            std::fprintf(out, "%s\n", check::FormatFinding(f).c_str());
        }
        std::string panels;
        for (const std::string& panel : report.panels) {
            panels += (panels.empty() ? "" : ", ") + panel;
        }
        std::fprintf(out, "Checked %s: %zu files, panels %s\n", report.folder.c_str(),
                     report.files.size(), panels.empty() ? "(none)" : panels.c_str());
        std::fprintf(out, "%zu errors, %zu warnings, %zu notes\n", report.errors, report.warnings,
                     report.notes);
    }
    return report.errors > 0 ? 1 : 0;
}

} // namespace varnet::tool
