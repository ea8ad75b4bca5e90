// Everything one report page shows, worked out before any of it is drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chart_evaluation.h"

namespace varnet::report {

// One driver call that carried a mode, as the simulators' journal recorded it.
struct CallRow {
    std::string sim;    // "controllib" or "cui"
    std::string call;   // the call's name
    std::string detail; // its arguments, shortened
    std::string result;
    std::size_t repeats = 0; // further calls of the same kind folded into this row
};

struct ModeReport {
    int32_t mode = 0;
    std::string name;
    std::vector<double> ramp; // the driver's 1D LUT: 3 x 256 samples 0..1, red first
    colour::ChartResult chart;
    std::vector<CallRow> calls;
    std::vector<std::string> notModelled; // what the driver also holds that the chart leaves out
};

struct ReportData {
    std::string panelId;
    std::string edidSource; // where the primaries came from, in words
    colour::Chromaticity panel;
    std::vector<ModeReport> modes;
};

} // namespace varnet::report
