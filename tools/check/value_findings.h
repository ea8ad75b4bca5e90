// Turns what the library's value parsers noted about one value into findings: a parameter list,
// a tone curve or an image-engine table, each at the line of its key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/color_mode_setting.h"
#include "findings.h"

namespace varnet::check {

// Where the value sits; field is filled in per finding.
struct ValueSite {
    std::string file;
    std::size_t line = 0;
    std::string section;
    std::string key;
};

// The parameter list as the library reads it (at most 1022 characters), into setting.
void CheckParameterList(const ValueSite& site, std::string_view value, ColorModeSetting& setting,
                        CheckReport& report);

// The tone curve as the library reads it (at most 3849 characters).
void CheckToneCurve(const ValueSite& site, std::string_view value, CheckReport& report);

// The image-engine table as the library reads it (at most 1022 characters).
void CheckZelmoTable(const ValueSite& site, std::string_view value, CheckReport& report);

// The characters a read with this limit keeps; reports the rest as lost.
std::string_view ReadLimited(const ValueSite& site, std::string_view value, uint32_t limit,
                             CheckReport& report);

} // namespace varnet::check
