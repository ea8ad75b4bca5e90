// varnet report: applies each mode on the simulated laptop and writes one HTML page of what the
// driver then does to a colour chart.
#include "commands.h"

#include <cstdio>

#include "report_stream.h"

#ifdef VARNET_HAVE_COLOUR

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/journal.h"
#include "driver_pipeline.h"
#include "panel_source.h"
#include "report_page.h"
#include "varnet/varnet.h"

namespace varnet::tool {

namespace {

// Six significant digits: the float-to-double widening adds noise that hides the value.
void Shorten(nlohmann::json& value) {
    if (value.is_number_float()) {
        char text[32];
        std::snprintf(text, sizeof text, "%.6g", value.get<double>());
        value = std::strtod(text, nullptr);
    } else if (value.is_structured()) {
        for (auto& item : value) {
            Shorten(item);
        }
    }
}

// The detail of a call with its bulky arrays cut down to their length.
std::string CallDetail(const nlohmann::json& entry) {
    if (!entry.contains("args") || entry["args"].empty()) {
        return "";
    }
    nlohmann::json args = entry["args"];
    for (const char* bulky : {"ramp", "values"}) {
        if (args.contains(bulky) && args[bulky].is_array()) {
            args[bulky] = std::to_string(args[bulky].size()) + " entries";
        }
    }
    Shorten(args);
    std::string text = args.dump();
    constexpr std::size_t kLongest = 400;
    if (text.size() > kLongest) {
        text.resize(kLongest);
        text += "...";
    }
    return text;
}

// Runs of like calls (the CUI monitor search) fold into their first, as apply shows them.
std::vector<report::CallRow> CallRows(const std::vector<nlohmann::json>& entries,
                                      std::size_t from) {
    std::vector<report::CallRow> rows;
    std::string previous;
    for (std::size_t i = from; i < entries.size(); ++i) {
        const nlohmann::json& e = entries[i];
        const nlohmann::json args = e.value("args", nlohmann::json::object());
        const std::string result = e.contains("result") ? e["result"].dump() : "";
        const std::string kind = e.value("call", "") + " " + args.value("guid", "") + " " + result;
        if (!rows.empty() && kind == previous) {
            ++rows.back().repeats;
            continue;
        }
        previous = kind;
        rows.push_back({e.value("sim", "?"), e.value("call", "?"), CallDetail(e), result, 0});
    }
    return rows;
}

// Each mode starts from a freshly started driver; the state found is put back at the end.
class StateKeeper {
public:
    explicit StateKeeper(std::string path) : m_path(std::move(path)) {
        std::ifstream in(m_path, std::ios::binary);
        if (in) {
            std::ostringstream text;
            text << in.rdbuf();
            m_saved = text.str();
            m_existed = true;
        }
    }
    ~StateKeeper() {
        std::error_code ec;
        if (m_existed) {
            std::ofstream(m_path, std::ios::binary | std::ios::trunc) << m_saved;
        } else {
            std::filesystem::remove(m_path, ec);
        }
    }
    StateKeeper(const StateKeeper&) = delete;
    StateKeeper& operator=(const StateKeeper&) = delete;
    void Fresh() const {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }

private:
    std::string m_path;
    std::string m_saved;
    bool m_existed = false;
};

void PrintSummary(const report::ReportData& data, const std::string& output) {
    std::FILE* out = Report();
    std::fprintf(out, "Panel %s, primaries from %s\n\n", data.panelId.c_str(),
                 data.edidSource.c_str());
    std::fprintf(out, "%-5s %-10s %-13s %-19s %s\n", "mode", "name", "driver calls",
                 "dE2000 mean / max", "without the mode");
    for (const report::ModeReport& m : data.modes) {
        char with[32], without[32];
        std::snprintf(with, sizeof with, "%.2f / %.2f", m.chart.after.mean, m.chart.after.max);
        std::snprintf(without, sizeof without, "%.2f / %.2f", m.chart.before.mean,
                      m.chart.before.max);
        std::size_t calls = 0;
        for (const report::CallRow& c : m.calls) {
            calls += 1 + c.repeats;
        }
        std::fprintf(out, "%-5d %-10s %-13zu %-19s %s\n", m.mode, m.name.c_str(), calls, with,
                     without);
    }
    std::fprintf(out, "\nReport written to %s\n", output.c_str());
}

} // namespace

int RunReport(const ReportOptions& options) {
    std::ofstream page(options.output, std::ios::binary | std::ios::trunc);
    if (!page) {
        std::fprintf(stderr, "varnet: cannot write the report to %s\n", options.output.c_str());
        return 2;
    }
    report::ReportData data;
    std::string error;
    if (!report::ReadPanelColour(options.edid, options.scenario, &data.panel, &data.edidSource,
                                 &error)) {
        std::fprintf(stderr, "varnet: %s\n", error.c_str());
        return 2;
    }
    // Before the first library call, so that the driver is left exactly as found.
    const StateKeeper keeper(options.state);
    char panelId[255] = {};
    data.panelId = GetEDID(panelId) > 0 ? panelId : "(none)";

    std::vector<int32_t> modes = options.modes;
    if (modes.empty()) {
        for (const report::ModeName& m : report::ModeNames()) {
            if (IsColorModeSupport(m.mode)) {
                modes.push_back(m.mode);
            }
        }
    }
    try {
        const colour::PanelColour panel(data.panel);
        for (const int32_t mode : modes) {
            keeper.Fresh();
            const std::size_t before = sim::ReadJournal(options.journal).size();
            report::ModeReport m;
            m.mode = mode;
            m.name = report::ModeLabel(mode);
            // Its answer is always false: the driver calls and state tell what happened.
            SetColorMode(mode, 2, false, 5);
            m.calls = CallRows(sim::ReadJournal(options.journal), before);
            const report::DriverPicture picture =
                report::ReadDriverPicture(options.state, options.scenario);
            m.ramp = picture.ramp;
            m.notModelled = picture.notModelled;
            m.chart = colour::EvaluateChart(panel, picture.pipeline);
            data.modes.push_back(std::move(m));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "varnet: %s\n", e.what());
        return 2;
    }
    page << report::RenderReportPage(data);
    page.close();
    if (!page) {
        std::fprintf(stderr, "varnet: cannot write the report to %s\n", options.output.c_str());
        return 2;
    }
    if (JsonOutput()) {
        nlohmann::json figures = report::ReportJson(data);
        figures["output"] = options.output;
        std::fprintf(Report(), "%s\n", figures.dump(2).c_str());
    } else {
        PrintSummary(data, options.output);
    }
    return 0;
}

} // namespace varnet::tool

#else

namespace varnet::tool {

int RunReport(const ReportOptions& /*options*/) {
    std::fprintf(stderr, "varnet: report is not in this build (Little CMS 2, which it needs, has "
                         "no MinGW-w64 package); run the Linux build's varnet report\n");
    return 2;
}

} // namespace varnet::tool

#endif
