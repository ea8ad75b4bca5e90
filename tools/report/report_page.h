// The report as one self-contained HTML page (inline SVG and CSS, nothing fetched, no script),
// and the figures behind it as JSON.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "report_data.h"

namespace varnet::report {

std::string RenderReportPage(const ReportData& data);
nlohmann::json ReportJson(const ReportData& data);

} // namespace varnet::report
