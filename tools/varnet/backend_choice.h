// --backend cui: the simulated run time is told to refuse to start, so that every session falls
// back to the CUI SDK object, as on a machine whose driver has no Control Library.
#pragma once

#include <string>

#include "tool_environment.h"

namespace varnet::tool {

// With options.backend "cui", writes a scenario beside the state file that adds the refusal to
// the chosen scenario, and points options.scenario at it. "auto" leaves everything alone.
bool ApplyBackendChoice(ToolOptions& options, std::string* error);

} // namespace varnet::tool
