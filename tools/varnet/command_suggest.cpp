// varnet suggest srgb: the matrix fields that make the panel show sRGB through the library's
// matrix-built 3D LUT, from the EDID's primaries and white point.
#include "commands.h"

#include <cstdio>

#include "report_stream.h"

#ifdef VARNET_HAVE_COLOUR

#include <nlohmann/json.hpp>

#include "panel_source.h"
#include "srgb_matrix.h"
#include "varnet/varnet.h"

namespace varnet::tool {

namespace {

// Any number but 0 (off) and 777 (.cube) selects the matrix; the CUI back-end applies it as a
// saturation when the LUT does not take, and 1 changes next to nothing there.
constexpr int kField27 = 1;

std::string Fields(const colour::SrgbSuggestion& s) {
    std::string text = std::to_string(kField27);
    for (const int32_t f : s.fields) {
        text += "/" + std::to_string(f);
    }
    return text;
}

nlohmann::json XyJson(const colour::Xy& p) {
    return {{"x", p.x}, {"y", p.y}};
}

int PrintJson(const colour::Chromaticity& panel, const std::string& source,
              const colour::SrgbSuggestion& s, const std::string& line) {
    nlohmann::json patches = nlohmann::json::array();
    for (const auto& p : s.chart.patches) {
        if (!p.grey) {
            patches.push_back({{"name", p.name},
                               {"deltaE2000", p.deltaEAfter},
                               {"deltaE2000_without", p.deltaEBefore}});
        }
    }
    const nlohmann::json document = {
        {"edid_source", source},
        {"primaries",
         {{"red", XyJson(panel.red)},
          {"green", XyJson(panel.green)},
          {"blue", XyJson(panel.blue)},
          {"white", XyJson(panel.white)}}},
        {"matrix", s.exact},
        {"fields_27_to_36", Fields(s)},
        {"fields", s.fields},
        {"mode_line", line},
        {"covers_srgb", s.coversSrgb},
        {"unreachable_patches", s.unreachable},
        {"deltaE2000", {{"mean", s.chart.after.mean}, {"max", s.chart.after.max}}},
        {"deltaE2000_without", {{"mean", s.chart.before.mean}, {"max", s.chart.before.max}}},
        {"patches", patches}};
    std::fprintf(Report(), "%s\n", document.dump(2).c_str());
    return 0;
}

} // namespace

int RunSuggestSrgb(const SuggestOptions& options) {
    colour::Chromaticity panel;
    std::string source, error;
    if (!report::ReadPanelColour(options.edid, options.scenario, &panel, &source, &error)) {
        std::fprintf(stderr, "varnet: %s\n", error.c_str());
        return 2;
    }
    std::string panelId = "PANEL_ID";
    if (options.edid.empty()) {
        char id[255] = {};
        if (GetEDID(id) > 0) {
            panelId = id;
        }
    }
    colour::SrgbSuggestion s;
    try {
        s = colour::SuggestSrgbMatrix(panel);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "varnet: %s\n", e.what());
        return 2;
    }
    // Hue, saturation and the video items left alone, no weights, the matrix LUT, no ICC.
    const std::string line =
        panelId + "=N/N/N/N/N/N/N/N/N/N/N/N/N/N/N/N/NOLUT/N/0/0/0/0/0/0/N/0/" + Fields(s);
    if (JsonOutput()) {
        return PrintJson(panel, source, s, line);
    }
    std::FILE* out = Report();
    std::fprintf(out, "Primaries from %s (CIE 1931 x, y)\n", source.c_str());
    const std::pair<const char*, colour::Xy> points[] = {
        {"red", panel.red}, {"green", panel.green}, {"blue", panel.blue}, {"white", panel.white}};
    for (const auto& [name, p] : points) {
        std::fprintf(out, "  %-6s %.4f %.4f\n", name, p.x, p.y);
    }
    std::fprintf(out, "\nsRGB to the panel, in linear light (white stays white):\n");
    for (int r = 0; r < 3; ++r) {
        std::fprintf(out, "  %9.5f %9.5f %9.5f\n", s.exact[r * 3], s.exact[r * 3 + 1],
                     s.exact[r * 3 + 2]);
    }
    std::fprintf(out,
                 "\nFields 27-36 of the mode's parameter list (28-36: the matrix x 10000):\n"
                 "  %s\n",
                 Fields(s).c_str());
    std::fprintf(out, "A whole mode line for IntelColorMode.ini:\n  %s\n\n", line.c_str());
    std::fprintf(out,
                 "dE2000 over the 24 colour-checker patches: mean %.2f, max %.2f "
                 "(without the matrix: mean %.2f, max %.2f)\n",
                 s.chart.after.mean, s.chart.after.max, s.chart.before.mean, s.chart.before.max);
    if (s.coversSrgb) {
        std::fprintf(out, "The panel's gamut covers sRGB.\n");
    } else {
        std::fprintf(out, "The panel's gamut does not cover sRGB: the matrix clips what lies "
                          "outside it.\n");
        if (s.unreachable.empty()) {
            std::fprintf(out, "Every colour-checker patch lies inside it.\n");
        } else {
            std::fprintf(out,
                         "Colour-checker patches it cannot reach (%zu):", s.unreachable.size());
            for (std::size_t i = 0; i < s.unreachable.size(); ++i) {
                std::fprintf(out, "%s %s", i == 0 ? "" : ",", s.unreachable[i].c_str());
            }
            std::fprintf(out, "\n");
        }
    }
    return 0;
}

} // namespace varnet::tool

#else

namespace varnet::tool {

int RunSuggestSrgb(const SuggestOptions& /*options*/) {
    std::fprintf(stderr, "varnet: suggest is not in this build (Little CMS 2, which it needs, "
                         "has no MinGW-w64 package); run the Linux build's varnet suggest\n");
    return 2;
}

} // namespace varnet::tool

#endif
