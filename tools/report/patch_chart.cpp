#include <cstdio>

#include "svg_parts.h"

namespace varnet::report {

namespace {

constexpr int kColumns = 6;
constexpr int kGreyColumns = 11;
constexpr double kCellWidth = 104.0;
constexpr double kCellHeight = 78.0;
constexpr double kSwatch = 46.0;

// Before on the left, after on the right, the two CIEDE2000 figures underneath.
std::string Cell(const colour::PatchResult& p, std::size_t index, double x, double y,
                 double width) {
    const double swatch = width / 2.0 - 4.0;
    const std::string kind = p.grey ? "grey" : "patch";
    char text[1024];
    std::snprintf(text, sizeof text,
                  "<g class=\"%s\" data-index=\"%zu\"><title>%s: sRGB %d %d %d; dE2000 before "
                  "%.2f, after %.2f</title>"
                  "<rect class=\"before\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" "
                  "fill=\"%s\"/>"
                  "<rect class=\"after\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" "
                  "fill=\"%s\"/>"
                  "<text x=\"%.1f\" y=\"%.1f\" font-size=\"10\">%.1f &#8594; %.1f</text></g>",
                  kind.c_str(), index, Escape(p.name).c_str(), p.source[0], p.source[1],
                  p.source[2], p.deltaEBefore, p.deltaEAfter, x, y, swatch, kSwatch,
                  HexColour(p.before).c_str(), x + swatch, y, swatch, kSwatch,
                  HexColour(p.after).c_str(), x + 2, y + kSwatch + 13, p.deltaEBefore,
                  p.deltaEAfter);
    return text;
}

} // namespace

std::string PatchChartSvg(const colour::ChartResult& chart) {
    std::size_t checker = 0;
    for (const auto& p : chart.patches) {
        checker += p.grey ? 0 : 1;
    }
    const int rows = static_cast<int>((checker + kColumns - 1) / kColumns);
    const double width = kColumns * kCellWidth + 10;
    const double greyWidth = (width - 10) / kGreyColumns;
    const double height = rows * kCellHeight + kCellHeight + 30;
    char head[300];
    std::snprintf(head, sizeof head,
                  "<svg class=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" "
                  "height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\"><rect width=\"100%%\" "
                  "height=\"100%%\" fill=\"#606060\"/>",
                  width, height, width, height);
    std::string svg = head;
    std::size_t grey = 0;
    for (std::size_t i = 0; i < chart.patches.size(); ++i) {
        const auto& p = chart.patches[i];
        if (!p.grey) {
            const double x = 5 + static_cast<double>(i % kColumns) * kCellWidth;
            const double y = 5 + static_cast<double>(i / kColumns) * kCellHeight;
            svg += Cell(p, i, x, y, kCellWidth - 4);
        } else {
            const double x = 5 + static_cast<double>(grey++) * greyWidth;
            svg += Cell(p, i, x, 15 + rows * kCellHeight, greyWidth - 2);
        }
    }
    char foot[200];
    std::snprintf(foot, sizeof foot,
                  "<text x=\"6\" y=\"%.0f\" font-size=\"11\" fill=\"#fff\">left: without the "
                  "mode, right: with it; dE2000 to the sRGB target, before &#8594; after</text>",
                  height - 8);
    return svg + foot + "</svg>";
}

} // namespace varnet::report
