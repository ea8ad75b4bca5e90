// The built-in laptop: one adapter driving one eDP panel with a full pixel pipeline, LACE and
// DPST, a current driver, and the CUI SDK reporting the panel under the first display name.
#include "common/edid_builder.h"
#include "common/scenario.h"
#include "common/scenario_values.h"

namespace varnet::sim {

nlohmann::json DefaultScenarioJson() {
    using nlohmann::json;
    json pipeline = json::array({
        {{"id", 1}, {"type", "1dlut"}, {"channels", 3}, {"samples", 1024}, {"sampling", 0}},
        {{"id", 2}, {"type", "matrix"}},
        {{"id", 3}, {"type", "3dlut"}, {"samples", 17}},
    });
    json panel = {
        {"name", "\\\\.\\DISPLAY1"},
        {"encoderId", "0x00800050"},
        {"outputType", 1},
        {"edid",
         {{"text", "VN156FHD01"},
          {"manufacturer", "VNX"},
          {"product", "0x156A"},
          {"width", 1920},
          {"height", 1080}}},
        {"extensions", json::array({ToHex(BuildExtensionBlock())})},
        {"pipeline", pipeline},
        {"lace", true},
        {"powerFeatures", "0x17"},
    };
    return {
        {"driverVersion", "31.0.101.4502"},
        {"panelSize", {{"width", 1920}, {"height", 1080}}},
        {"adapters", json::array({{{"displays", json::array({panel})}}})},
        {"cuiDevices", json::array({{{"displayName", "\\\\.\\DISPLAY1"},
                                     {"index", 0},
                                     {"uid", "0x00001000"},
                                     {"type", 2},
                                     {"state", 0}}})},
        {"faults", json::array()},
    };
}

Scenario DefaultScenario() {
    return ParseScenario(DefaultScenarioJson());
}

} // namespace varnet::sim
