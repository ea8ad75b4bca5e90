// The simulated driver's settings as a reader outside the simulators sees them (the tool's
// "state" command, tests): per display the gamma ramp, CSC matrix, 3D LUT, DPST, LACE,
// sharpness, the AUX bytes written and the CUI-only colour settings; per adapter the video
// settings. Settings never changed read as the scenario starts them. Nothing is written.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "common/scenario.h"
#include "common/sim_state.h"

namespace varnet::sim {

// A missing or damaged state file reads as a freshly installed driver; an empty scenario path
// as the default laptop. Throws ScenarioError when the scenario cannot be read.
nlohmann::json DescribeDriverState(const std::string& statePath,
                                   const std::string& scenarioPath = "");
nlohmann::json DescribeDriverState(const SimState& state, const Scenario& scenario);

} // namespace varnet::sim
