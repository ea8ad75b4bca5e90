// The colour chart through a pipeline on a panel: per patch what the panel shows without the
// pipeline (before) and with it (after), both as sRGB values a page can show and as CIEDE2000
// distances from the patch's sRGB target; and the primaries the pipeline leaves the panel.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "colour_checker.h"
#include "colour_science.h"
#include "pipeline_model.h"

namespace varnet::colour {

struct PatchResult {
    std::string name;
    std::array<uint8_t, 3> source{}; // the sRGB value sent
    bool grey = false;               // a step of the grey ramp, not a checker patch
    Rgb before{}, after{};           // sRGB 0..1 showing what the panel shows
    double deltaEBefore = 0.0, deltaEAfter = 0.0;
};

struct DeltaESummary {
    double mean = 0.0;
    double max = 0.0;
};

struct ChartResult {
    std::vector<PatchResult> patches; // the 24 checker patches, then the grey ramp
    DeltaESummary before, after;      // over the 24 checker patches
    // Chromaticity the panel shows for full red, green, blue and white through the pipeline;
    // nullopt where the pipeline leaves that input black.
    std::optional<Xy> red, green, blue, white;
};

ChartResult EvaluateChart(const PanelColour& panel, const PipelineState& pipeline);

} // namespace varnet::colour
