#include "findings.h"

namespace varnet::check {

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::kError:
        return "error";
    case Severity::kWarning:
        return "warning";
    case Severity::kNote:
        return "note";
    }
    return "error";
}

std::string FormatFinding(const Finding& f) {
    // Line 0: the finding is about the file as a whole (missing, unreadable).
    std::string text = f.file + (f.line != 0 ? ":" + std::to_string(f.line) : std::string()) +
                       ": " + SeverityName(f.severity) + ": ";
    std::string where = f.section;
    if (!f.key.empty()) {
        where += (where.empty() ? "" : " ") + f.key;
    }
    if (f.field != 0) {
        where += " field " + std::to_string(f.field);
    }
    if (!where.empty()) {
        text += where + ": ";
    }
    return text + f.message;
}

void CheckReport::Add(Finding finding) {
    switch (finding.severity) {
    case Severity::kError:
        ++errors;
        break;
    case Severity::kWarning:
        ++warnings;
        break;
    case Severity::kNote:
        ++notes;
        break;
    }
    findings.push_back(std::move(finding));
}

} // namespace varnet::check
