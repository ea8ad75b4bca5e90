#include "report_page.h"

#include <cstdio>

#include "svg_parts.h"

namespace varnet::report {

namespace {

constexpr char kStyle[] =
    "body{font-family:sans-serif;margin:16px;color:#222;background:#fff}"
    "section.mode{border-top:2px solid #ccc;margin-top:18px;padding-top:6px}"
    ".figures{display:flex;flex-wrap:wrap;gap:16px;align-items:flex-start}"
    "figure{margin:0}figcaption{max-width:320px;font-size:13px;margin-bottom:4px}"
    "table{border-collapse:collapse;font-size:12px}td,th{border:1px solid #ccc;padding:2px 6px;"
    "text-align:left;vertical-align:top}td.detail{font-family:monospace;max-width:760px;"
    "word-break:break-all}.summary{font-size:14px}.not-modelled{color:#a40}";

std::string Figure(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::string XyText(const colour::Xy& p) {
    char text[48];
    std::snprintf(text, sizeof text, "(%.4f, %.4f)", p.x, p.y);
    return text;
}

std::string CallsTable(const std::vector<CallRow>& calls) {
    std::string html = "<table class=\"calls\"><tr><th>simulator</th><th>call</th>"
                       "<th>arguments</th><th>result</th></tr>";
    for (const CallRow& c : calls) {
        std::string call = Escape(c.call);
        if (c.repeats > 0) {
            call += " (and " + std::to_string(c.repeats) + " more like it)";
        }
        html += "<tr><td>" + Escape(c.sim) + "</td><td>" + call + "</td><td class=\"detail\">" +
                Escape(c.detail) + "</td><td>" + Escape(c.result) + "</td></tr>";
    }
    return html + "</table>";
}

std::string ModeSection(const ReportData& data, const ModeReport& m) {
    std::string html = "<section class=\"mode\" id=\"mode-" + std::to_string(m.mode) + "\">";
    html += "<h2>Mode " + std::to_string(m.mode) + ": " + Escape(m.name) + "</h2>";
    html += "<p class=\"summary\">CIEDE2000 over the 24 patches: mean " +
            Figure(m.chart.after.mean) + ", max " + Figure(m.chart.after.max) +
            " (without the mode: mean " + Figure(m.chart.before.mean) + ", max " +
            Figure(m.chart.before.max) + ").</p>";
    if (!m.notModelled.empty()) {
        std::string list;
        for (const std::string& note : m.notModelled) {
            list += (list.empty() ? "" : "; ") + Escape(note);
        }
        html += "<p class=\"not-modelled\">The driver also holds " + list +
                ", which the chart does not include.</p>";
    }
    html += "<div class=\"figures\"><figure><figcaption>Gamma ramp in the driver (red solid, "
            "green dashed, blue dotted; grey: identity)</figcaption>" +
            RampPlotSvg(m.ramp) + "</figure>";
    html += "<figure><figcaption>CIE 1931 xy</figcaption>" + XyDiagramSvg(data.panel, m.chart) +
            "</figure>";
    html += "<figure><figcaption>Colour checker and grey ramp</figcaption>" +
            PatchChartSvg(m.chart) + "</figure></div>";
    html += "<h3>Driver calls that carried the mode</h3>" + CallsTable(m.calls);
    return html + "</section>";
}

nlohmann::json XyJson(const std::optional<colour::Xy>& p) {
    return p ? nlohmann::json{{"x", p->x}, {"y", p->y}} : nlohmann::json();
}

nlohmann::json RgbJson(const colour::Rgb& v) {
    return {v[0], v[1], v[2]};
}

} // namespace

std::string RenderReportPage(const ReportData& data) {
    std::string html = "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<title>Varnet colour report: " +
                       Escape(data.panelId) + "</title><style>" + kStyle + "</style></head><body>";
    html += "<h1>Colour report for panel " + Escape(data.panelId) + "</h1>";
    html += "<p>Primaries from " + Escape(data.edidSource) + ": red " + XyText(data.panel.red) +
            ", green " + XyText(data.panel.green) + ", blue " + XyText(data.panel.blue) +
            ", white " + XyText(data.panel.white) +
            ". Each mode is applied to the simulated driver as it starts; the chart shows what the "
            "panel displays, through the driver's 1D LUT, matrix and 3D LUT, compared with the "
            "patches' sRGB values.</p>";
    for (const ModeReport& m : data.modes) {
        html += ModeSection(data, m);
    }
    return html + "</body></html>\n";
}

nlohmann::json ReportJson(const ReportData& data) {
    using nlohmann::json;
    json modes = json::array();
    for (const ModeReport& m : data.modes) {
        json patches = json::array();
        for (const auto& p : m.chart.patches) {
            patches.push_back({{"name", p.name},
                               {"grey", p.grey},
                               {"srgb", {p.source[0], p.source[1], p.source[2]}},
                               {"before", RgbJson(p.before)},
                               {"after", RgbJson(p.after)},
                               {"deltaE2000_before", p.deltaEBefore},
                               {"deltaE2000_after", p.deltaEAfter}});
        }
        json calls = json::array();
        for (const CallRow& c : m.calls) {
            calls.push_back({{"sim", c.sim},
                             {"call", c.call},
                             {"detail", c.detail},
                             {"result", c.result},
                             {"repeats", c.repeats}});
        }
        modes.push_back({{"mode", m.mode},
                         {"name", m.name},
                         {"deltaE2000", {{"mean", m.chart.after.mean}, {"max", m.chart.after.max}}},
                         {"deltaE2000_without_mode",
                          {{"mean", m.chart.before.mean}, {"max", m.chart.before.max}}},
                         {"effective_primaries",
                          {{"red", XyJson(m.chart.red)},
                           {"green", XyJson(m.chart.green)},
                           {"blue", XyJson(m.chart.blue)},
                           {"white", XyJson(m.chart.white)}}},
                         {"ramp_at",
                          [&] {
                              json at = json::object();
                              const std::size_t n = m.ramp.size() / 3;
                              const char* names[] = {"red", "green", "blue"};
                              for (int c = 0; c < 3 && n > 0; ++c) {
                                  for (std::size_t level : {0, 64, 128, 192, 255}) {
                                      at[names[c]].push_back(m.ramp[c * n + level * (n - 1) / 255]);
                                  }
                              }
                              return at;
                          }()},
                         {"patches", patches},
                         {"calls", calls},
                         {"not_modelled", m.notModelled}});
    }
    return {{"panel_id", data.panelId},
            {"edid_source", data.edidSource},
            {"primaries",
             {{"red", XyJson(data.panel.red)},
              {"green", XyJson(data.panel.green)},
              {"blue", XyJson(data.panel.blue)},
              {"white", XyJson(data.panel.white)}}},
            {"modes", modes}};
}

} // namespace varnet::report
