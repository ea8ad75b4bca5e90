// The simulated laptop's panel and pixel pipeline as its driver holds them: read from the
// simulators' state file and scenario, never recomputed from what the library sent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pipeline_model.h"

namespace varnet::report {

struct DriverPicture {
    std::string display;       // the panel's display name
    std::vector<uint8_t> edid; // its EDID base block
    colour::PipelineState pipeline;
    std::vector<double> ramp; // the 1D LUT as 3 x 256 samples 0..1
    // Settings the driver holds that change the picture but lie outside the model (the CUI
    // SDK's hue and saturation, six-sector weights and colour matrix), in words.
    std::vector<std::string> notModelled;
};

// Throws std::exception with a one-line reason when the scenario cannot be read or has no panel.
// A missing or damaged state file reads as a freshly started driver.
DriverPicture ReadDriverPicture(const std::string& statePath, const std::string& scenarioPath);

} // namespace varnet::report
