#include "common/driver_state_summary.h"

#include <fstream>
#include <sstream>

#include "common/driver_model.h"
#include "common/lut_summary.h"

namespace varnet::sim {

namespace {

using nlohmann::json;

json GammaSummary(const DisplaySpec* desc, const DisplayState& state) {
    const OneDLutState lut = EffectiveGamma(desc, state);
    const GammaRamp ramp = RampFromLut(lut);
    bool identity = true;
    for (std::size_t k = 0; k < kRampEntries; ++k)
        identity = identity && ramp[k] == (k % 256) * 257;
    json at = json::object();
    for (int i : {0, 64, 128, 192, 255})
        at[std::to_string(i)] = {ramp[i], ramp[256 + i], ramp[512 + i]};
    return {{"changed", state.gamma.has_value()},
            {"identity", identity},
            {"channels", lut.channels},
            {"samplesPerChannel", lut.samplesPerChannel},
            {"at", at},
            {"ramp", ramp}};
}

json CscSummary(const DisplayState& state) {
    const MatrixState csc = state.csc.value_or(MatrixState());
    return {{"changed", state.csc.has_value()}, {"identity", csc.matrix == kIdentityMatrix},
            {"blockId", csc.blockId},           {"matrix", csc.matrix},
            {"preOffsets", csc.preOffsets},     {"postOffsets", csc.postOffsets}};
}

json Lut3dSummaryOf(const DisplayState& state) {
    json out = {{"inEffect", state.lut3d.has_value()}};
    if (state.lut3d)
        out.update(Lut3dSummary(state.lut3d->values.data(), state.lut3d->pointsPerAxis));
    return out;
}

json DpstSummary(const DisplaySpec* desc, const DisplayState& state) {
    const DpstState dpst = EffectiveDpst(desc, state);
    const uint32_t supported = DpstSupportedFeatures(desc);
    return {{"supported", (supported & kDpstFeatureBit) != 0},
            {"supportedFeatures", supported},
            {"enabled", (dpst.enabledFeatures & kDpstFeatureBit) != 0},
            {"enabledFeatures", dpst.enabledFeatures},
            {"level", dpst.level},
            {"enhancedOffered", DpstOffersEnhanced(desc)},
            {"enhanced", dpst.enhanced}};
}

json DisplaySummary(const DisplaySpec* desc, const DisplayState& state) {
    json out = {{"described", desc != nullptr}};
    out["gamma"] = GammaSummary(desc, state);
    out["csc"] = CscSummary(state);
    out["lut3d"] = Lut3dSummaryOf(state);
    out["dpst"] = DpstSummary(desc, state);
    out["lace"] = {{"supported", desc && desc->laceSupported},
                   {"enabled", state.lace.enabled},
                   {"trigger", state.lace.trigger},
                   {"level", state.lace.level},
                   {"enableValue", state.lace.enableValue}};
    const auto sharpness = EffectiveSharpness(desc, state);
    out["sharpness"] = sharpness ? json{{"filterTypes", desc->sharpness.filterTypes},
                                        {"enabled", sharpness->enabled},
                                        {"filterType", sharpness->filterType},
                                        {"intensity", sharpness->intensity}}
                                 : json(nullptr);
    json power = json::object();
    for (const auto& [feature, enabled] : state.powerFeatures)
        power[std::to_string(feature)] = enabled;
    out["power"] = {{"supported", desc ? desc->powerFeatures : 0u}, {"switched", power}};
    out["aux"] = {{"written", AuxToJson(state.aux)}};
    out["hueSat"] = {{"hue", state.hueSat.hue}, {"saturation", state.hueSat.saturation}};
    out["displayTcc"] = {{"enable", state.displayTcc.enable},
                         {"weights", SectorWeightsToJson(state.displayTcc.weights)}};
    out["colorMatrix"] = {{"control", state.colorMatrix.control},
                          {"third", state.colorMatrix.third},
                          {"present", state.colorMatrix.present},
                          {"matrix", state.colorMatrix.matrix}};
    return out;
}

json VideoFeatureNames(uint32_t features) {
    static const struct {
        uint32_t feature;
        const char* name;
    } kNames[] = {{2, "sharpness"},
                  {3, "adaptiveContrast"},
                  {5, "standardColorCorrection"},
                  {6, "totalColorCorrection"},
                  {7, "skinTone"}};
    json names = json::array();
    for (const auto& n : kNames)
        if (features & (1u << n.feature))
            names.push_back(n.name);
    return names;
}

} // namespace

json DescribeDriverState(const SimState& state, const Scenario& scenario) {
    json displays = json::object();
    const DisplayState fresh;
    for (const AdapterSpec& adapter : scenario.adapters)
        for (const DisplaySpec& display : adapter.displays) {
            auto kept = state.displays.find(display.name);
            displays[display.name] =
                DisplaySummary(&display, kept == state.displays.end() ? fresh : kept->second);
        }
    // Displays only the CUI SDK knows, or that a former scenario had.
    for (const auto& [name, kept] : state.displays)
        if (!displays.contains(name))
            displays[name] = DisplaySummary(nullptr, kept);

    json adapters = json::array();
    for (std::size_t i = 0; i < scenario.adapters.size(); ++i) {
        auto kept = state.adapters.find(static_cast<uint32_t>(i));
        const VideoState video = EffectiveVideo(
            &scenario.adapters[i], kept == state.adapters.end() ? AdapterState() : kept->second);
        adapters.push_back(
            {{"index", i},
             {"videoFeatures", VideoFeatureNames(scenario.adapters[i].videoFeatures)},
             {"video", VideoToJson(video)}});
    }
    return {{"inits", state.inits},
            {"cuiObjects", state.cuiObjects},
            {"displays", displays},
            {"adapters", adapters},
            {"sixSector", SectorWeightsToJson(state.sixSector)}};
}

json DescribeDriverState(const std::string& statePath, const std::string& scenarioPath) {
    const Scenario scenario = LoadScenarioFile(scenarioPath);
    std::string text;
    if (!statePath.empty()) {
        std::ifstream in(statePath, std::ios::binary);
        std::ostringstream buffer;
        buffer << in.rdbuf();
        text = buffer.str();
    }
    return DescribeDriverState(StateFromJson(json::parse(text, nullptr, false)), scenario);
}

} // namespace varnet::sim
