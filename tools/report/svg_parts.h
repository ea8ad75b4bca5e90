// The page's inline SVG figures. Each returns one <svg> element.
#pragma once

#include <string>
#include <vector>

#include "report_data.h"

namespace varnet::report {

// The three channels of the ramp against the identity.
std::string RampPlotSvg(const std::vector<double>& ramp);
// Each patch before and after side by side, with its two CIEDE2000 figures.
std::string PatchChartSvg(const colour::ChartResult& chart);
// CIE 1931 xy: spectral locus, sRGB and DCI-P3, the panel's EDID gamut and the mode's.
std::string XyDiagramSvg(const colour::Chromaticity& panel, const colour::ChartResult& chart);

// Text made safe inside an element or a quoted attribute.
std::string Escape(const std::string& text);
// "#rrggbb" of an sRGB value 0..1.
std::string HexColour(const colour::Rgb& srgb);

} // namespace varnet::report
