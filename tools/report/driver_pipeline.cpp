#include "driver_pipeline.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/driver_model.h"
#include "common/scenario.h"
#include "common/sim_state.h"

namespace varnet::report {

namespace {

constexpr uint32_t kRampSamples = 256;

sim::SimState ReadState(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return sim::StateFromJson(nlohmann::json::parse(text.str(), nullptr, false));
}

const sim::DisplaySpec* PanelDisplay(const sim::Scenario& scenario) {
    const std::string name = scenario.PanelDisplayName();
    if (const sim::DisplaySpec* d = name.empty() ? nullptr : scenario.FindDisplay(name)) {
        return d;
    }
    for (const auto& adapter : scenario.adapters) {
        if (!adapter.displays.empty()) {
            return &adapter.displays.front();
        }
    }
    return nullptr;
}

std::string Number(double v) {
    std::ostringstream text;
    text << v;
    return text.str();
}

bool AnyWeight(const sim::SectorWeights& w) {
    return (w.red | w.green | w.blue | w.cyan | w.magenta | w.yellow) != 0;
}

std::vector<std::string> NotModelled(const sim::SimState& state, const sim::DisplayState& display) {
    std::vector<std::string> notes;
    if (display.hueSat.hue != 0.0f || display.hueSat.saturation != 0.0f) {
        notes.push_back("hue " + Number(display.hueSat.hue) + " and saturation " +
                        Number(display.hueSat.saturation) + " (CUI hue/saturation block)");
    }
    if (display.displayTcc.enable != 0 && AnyWeight(display.displayTcc.weights)) {
        notes.push_back("hue-sector weights (CUI display colour-correction block)");
    }
    if (AnyWeight(state.sixSector)) {
        notes.push_back("six-sector weights (CUI six-sector block)");
    }
    const auto& m = display.colorMatrix.matrix;
    if (display.colorMatrix.present != 0 &&
        !std::equal(m.begin(), m.end(), sim::kIdentityMatrix.begin())) {
        notes.push_back("a colour matrix (CUI colour-matrix block)");
    }
    return notes;
}

} // namespace

DriverPicture ReadDriverPicture(const std::string& statePath, const std::string& scenarioPath) {
    const sim::Scenario scenario = sim::LoadScenarioFile(scenarioPath);
    const sim::DisplaySpec* panel = PanelDisplay(scenario);
    if (panel == nullptr) {
        throw std::runtime_error("the simulated machine has no display");
    }
    sim::SimState state = ReadState(statePath);
    const sim::DisplayState& display = state.Display(panel->name);

    DriverPicture picture;
    picture.display = panel->name;
    picture.edid = panel->edid;
    picture.ramp.resize(3 * kRampSamples);
    sim::ResampleLut(sim::EffectiveGamma(panel, display), 3, kRampSamples, picture.ramp.data());
    picture.pipeline.rampSamples = kRampSamples;
    picture.pipeline.ramp = picture.ramp;
    if (display.csc) {
        for (int e = 0; e < 9; ++e) {
            picture.pipeline.matrix[e] = display.csc->matrix[e];
        }
    }
    if (display.lut3d) {
        picture.pipeline.lutPoints = display.lut3d->pointsPerAxis;
        picture.pipeline.lut = display.lut3d->values;
    }
    picture.notModelled = NotModelled(state, display);
    return picture;
}

} // namespace varnet::report
