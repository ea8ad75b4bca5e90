// What the checker found: each finding names the file, line, section, key and field it concerns,
// and prints in the form compilers use, so that editors can jump to it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace varnet::check {

enum class Severity { kError, kWarning, kNote };

struct Finding {
    Severity severity = Severity::kError;
    std::string file; // as the checker was given it: folder and file name
    std::size_t line = 0;
    std::string section;
    std::string key;
    std::size_t field = 0; // 0: the finding is about the whole value, key or section
    std::string message;
};

const char* SeverityName(Severity severity);

// "FILE:LINE: error: SECTION KEY field N: message"
std::string FormatFinding(const Finding& finding);

struct CheckReport {
    std::string folder;             // the folder checked, or a description of the search
    std::vector<std::string> files; // the configuration files read
    std::vector<std::string> panels;
    std::vector<Finding> findings;
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t notes = 0;

    void Add(Finding finding);
};

} // namespace varnet::check
