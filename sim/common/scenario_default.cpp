// The built-in laptop: one adapter driving one eDP panel with a full pixel pipeline, LACE and
// DPST, all five video-processing features, a current driver, and the CUI SDK reporting the
// panel under the first display name.
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
        {"gammaRamp", "identity"},
        {"dpst", {{"enabled", true}, {"level", 3}, {"otherFeatures", 0}, {"enhanced", 0}}},
        {"sharpness",
         {{"filterTypes", 3}, {"enabled", false}, {"filterType", 1}, {"intensity", 0}}},
        // DPCD receiver capabilities of an eDP 1.4 panel: revision 1.4, 8.1 Gbit/s, four lanes
        // with enhanced framing; and the eDP revision at 0x00700.
        {"aux", {{"0x00000", "14 1E C4 81 01 00 01 C0 02 00 00 00 0F 0B 00"}, {"0x00700", "04"}}},
    };
    json video = {
        {"firstGroup", {{"enabled", false}, {"mode", 1}, {"value", 0.0}, {"default", 50.0}}},
        {"sharpness", {{"enabled", false}, {"mode", 1}, {"value", 0.0}, {"default", 50.0}}},
        {"adaptiveContrast", {{"enabled", false}, {"level", 0}, {"secondFlag", false}}},
        {"standardColorCorrection", {{"first", 0}, {"values", {0.0, 0.0, 0.0, 0.0}}}},
        {"totalColorCorrection", {{"enabled", false}, {"values", {128, 128, 128, 128, 128, 128}}}},
        {"skinTone", {{"enabled", false}, {"value", 0}}},
    };
    return {
        {"driverVersion", "31.0.101.4502"},
        {"panelSize", {{"width", 1920}, {"height", 1080}}},
        {"adapters", json::array({{{"displays", json::array({panel})}, {"video", video}}})},
        {"cuiDevices", json::array({{{"displayName", "\\\\.\\DISPLAY1"},
                                     {"index", 0},
                                     {"uid", "0x00001000"},
                                     {"type", 2},
                                     {"state", 0},
                                     {"colorMatrix", true},
                                     {"lut3dStatus", nullptr}}})},
        {"faults", json::array()},
    };
}

Scenario DefaultScenario() {
    return ParseScenario(DefaultScenarioJson());
}

} // namespace varnet::sim
