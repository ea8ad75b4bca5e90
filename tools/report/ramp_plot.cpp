#include <cstdio>

#include "svg_parts.h"

namespace varnet::report {

namespace {

constexpr double kSize = 240.0;
constexpr double kMargin = 30.0;

std::string Polyline(const std::vector<double>& ramp, int channel, const char* colour,
                     const char* dash) {
    const std::size_t samples = ramp.size() / 3;
    std::string points;
    char text[48];
    for (std::size_t i = 0; i < samples; ++i) {
        const double x =
            kMargin + kSize * static_cast<double>(i) / static_cast<double>(samples - 1);
        const double y = kMargin + kSize * (1.0 - ramp[channel * samples + i]);
        std::snprintf(text, sizeof text, "%.1f,%.1f ", x, y);
        points += text;
    }
    return std::string("<polyline class=\"ramp\" fill=\"none\" stroke=\"") + colour +
           "\" stroke-width=\"1.5\" stroke-dasharray=\"" + dash + "\" points=\"" + points + "\"/>";
}

} // namespace

std::string RampPlotSvg(const std::vector<double>& ramp) {
    char frame[512];
    std::snprintf(frame, sizeof frame,
                  "<svg class=\"ramp-plot\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" "
                  "height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\">"
                  "<rect x=\"%.0f\" y=\"%.0f\" width=\"%.0f\" height=\"%.0f\" fill=\"#fafafa\" "
                  "stroke=\"#999\"/>"
                  "<line x1=\"%.0f\" y1=\"%.0f\" x2=\"%.0f\" y2=\"%.0f\" stroke=\"#bbb\" "
                  "stroke-dasharray=\"4 3\"/>",
                  kSize + 2 * kMargin, kSize + 2 * kMargin, kSize + 2 * kMargin,
                  kSize + 2 * kMargin, kMargin, kMargin, kSize, kSize, kMargin, kMargin + kSize,
                  kMargin + kSize, kMargin);
    std::string svg = frame;
    if (ramp.size() >= 6 && ramp.size() % 3 == 0) {
        // Dashes of different phase keep coinciding channels visible.
        svg += Polyline(ramp, 0, "#d22", "");
        svg += Polyline(ramp, 1, "#1a1", "6 3");
        svg += Polyline(ramp, 2, "#22d", "2 3");
    }
    char labels[400];
    std::snprintf(labels, sizeof labels,
                  "<text x=\"%.0f\" y=\"%.0f\" font-size=\"11\">input level 0..255</text>"
                  "<text x=\"4\" y=\"%.0f\" font-size=\"11\" transform=\"rotate(-90 10 %.0f)\">"
                  "output 0..65535</text>",
                  kMargin + 60, kMargin + kSize + 20, kMargin + kSize / 2 + 40,
                  kMargin + kSize / 2);
    return svg + labels + "</svg>";
}

} // namespace varnet::report
