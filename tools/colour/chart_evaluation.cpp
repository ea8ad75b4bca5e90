#include "chart_evaluation.h"

#include <algorithm>

namespace varnet::colour {

namespace {

Rgb Unit(const std::array<uint8_t, 3>& code) {
    return {code[0] / 255.0, code[1] / 255.0, code[2] / 255.0};
}

std::optional<Xy> Shown(const PanelColour& panel, const PipelineState& pipeline, const Rgb& in) {
    const Rgb out = ApplyPipeline(pipeline, in);
    if (out[0] + out[1] + out[2] < 1e-6) {
        return std::nullopt;
    }
    return panel.PanelXy(out);
}

} // namespace

ChartResult EvaluateChart(const PanelColour& panel, const PipelineState& pipeline) {
    ChartResult chart;
    const PipelineState identity;
    auto add = [&](const Patch& patch, bool grey) {
        const Rgb in = Unit(patch.srgb);
        const Lab target = panel.SrgbLab(in);
        const Rgb before = ApplyPipeline(identity, in);
        const Rgb after = ApplyPipeline(pipeline, in);
        chart.patches.push_back({patch.name, patch.srgb, grey, panel.PanelToSrgb(before),
                                 panel.PanelToSrgb(after),
                                 DeltaE2000(target, panel.PanelLab(before)),
                                 DeltaE2000(target, panel.PanelLab(after))});
    };
    for (const Patch& patch : ColourCheckerPatches()) {
        add(patch, false);
    }
    for (const Patch& patch : GreyRampPatches()) {
        add(patch, true);
    }
    const std::size_t checker = ColourCheckerPatches().size();
    for (std::size_t i = 0; i < checker; ++i) {
        const PatchResult& p = chart.patches[i];
        chart.before.mean += p.deltaEBefore / checker;
        chart.after.mean += p.deltaEAfter / checker;
        chart.before.max = std::max(chart.before.max, p.deltaEBefore);
        chart.after.max = std::max(chart.after.max, p.deltaEAfter);
    }
    chart.red = Shown(panel, pipeline, {1, 0, 0});
    chart.green = Shown(panel, pipeline, {0, 1, 0});
    chart.blue = Shown(panel, pipeline, {0, 0, 1});
    chart.white = Shown(panel, pipeline, {1, 1, 1});
    return chart;
}

} // namespace varnet::colour
