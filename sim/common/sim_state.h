// What the simulated driver remembers between calls: a real driver keeps its settings while the
// application loads and unloads the run time around every call, so the simulators keep theirs in
// the JSON file named by VARNET_SIM_STATE (in memory when unset). Fields other than the ones
// below are kept as found, so a file stays readable by older and newer simulators.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varnet::sim {

struct LaceState {
    bool enabled = false;
    uint32_t trigger = 2;     // ctl_lace_trigger_flags_t: fixed aggressiveness
    uint32_t level = 0;       // aggressiveness, percent
    uint32_t enableValue = 0; // what the CUI SDK last received as its enable value
};

// Per display, keyed by the display name ("\\.\DISPLAY1") both simulators share.
struct DisplayState {
    LaceState lace;
};

struct SimState {
    uint64_t inits = 0;      // ctlInit calls that succeeded
    uint64_t cuiObjects = 0; // CUI SDK objects created
    std::map<std::string, DisplayState> displays;
    // Matching calls seen per scenario fault, valid for the faults written as faultSignature.
    std::string faultSignature;
    std::vector<int> faultCounts;
    nlohmann::json other = nlohmann::json::object();

    DisplayState& Display(const std::string& name) { return displays[name]; }
};

nlohmann::json StateToJson(const SimState& state);
// Missing or mistyped fields take their defaults.
SimState StateFromJson(const nlohmann::json& document);

} // namespace varnet::sim
