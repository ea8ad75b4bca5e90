#include "backend_choice.h"

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

namespace varnet::tool {

bool ApplyBackendChoice(ToolOptions& options, std::string* error) {
    if (options.backend == "auto") {
        return true;
    }
    if (options.backend != "cui") {
        *error = "--backend takes auto or cui";
        return false;
    }
    if (!options.simulated) {
        *error = "--backend cui works on the simulated laptop only (add --simulated)";
        return false;
    }
    nlohmann::json scenario = nlohmann::json::object();
    if (!options.scenario.empty()) {
        std::ifstream in(options.scenario);
        scenario = nlohmann::json::parse(in, nullptr, false);
        if (scenario.is_discarded() || !scenario.is_object()) {
            *error = "cannot read the scenario " + options.scenario;
            return false;
        }
    }
    if (!scenario.contains("faults")) {
        scenario["faults"] = nlohmann::json::array();
    }
    scenario["faults"].push_back({{"call", "ctlInit"},
                                  {"result", "0x40000026"},
                                  {"comment", "varnet --backend cui: no Control Library"}});
    const std::filesystem::path path =
        std::filesystem::path(options.state).replace_filename("varnet-backend-cui-scenario.json");
    std::ofstream out(path, std::ios::trunc);
    out << scenario.dump(2);
    if (!out) {
        *error = "cannot write " + path.string();
        return false;
    }
    options.scenario = path.string();
    return true;
}

} // namespace varnet::tool
