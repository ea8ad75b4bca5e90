// Where a report or a suggestion takes the panel's primaries from: an EDID file the engineer
// names, or the simulated laptop's panel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "colour_types.h"

namespace varnet::report {

// edidFile: binary or hex text; empty: the panel of the scenario (empty: the default laptop).
// false with a one-line reason that names the file.
bool ReadPanelColour(const std::string& edidFile, const std::string& scenarioPath,
                     colour::Chromaticity* panel, std::string* source, std::string* error);

struct ModeName {
    int32_t mode;
    const char* name;
};
// The colour modes the library knows, by number.
const std::vector<ModeName>& ModeNames();
// "vivid", or "mode 42" for a number the library does not name.
std::string ModeLabel(int32_t mode);

} // namespace varnet::report
