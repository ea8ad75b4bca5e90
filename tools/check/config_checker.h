// The configuration checker: reads a folder's INI and .cube files with the library's own value
// parsers and reports what the library would skip, cut, wrap or never read.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "findings.h"

namespace varnet::check {

struct CheckSource {
    // Each configuration file by its name (IntelColorMode.ini...) and the local path to read it
    // from; an empty path means the library would not find the file.
    struct File {
        std::string name;
        std::string path;
        std::string shown; // how messages name it
    };
    std::vector<File> files;
    // The local path of a .cube file, by its file name; how messages name its folder.
    std::function<std::string(const std::string& fileName)> cubePath;
    std::string shownCubeFolder;
    std::string description; // what was checked, for the report
};

// The files of a folder, as the library would find them there (names compared without regard
// to case, as Windows compares them).
CheckSource FolderSource(const std::string& folder);

// The files where the library itself would look for them now: the configuration folder's
// search order, the AMOLED list beside the settings program, .cube files in ProgramData.
CheckSource LibrarySearchSource();

// Never throws; an unreadable file is itself a finding.
CheckReport CheckConfiguration(const CheckSource& source);

} // namespace varnet::check
