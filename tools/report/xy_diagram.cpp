#include <cstdio>

#include "svg_parts.h"

namespace varnet::report {

namespace {

// The CIE 1931 2-degree spectral locus, 380 to 700 nm.
constexpr colour::Xy kLocus[] = {
    {0.1741, 0.0050}, {0.1733, 0.0048}, {0.1714, 0.0051}, {0.1689, 0.0069}, {0.1644, 0.0109},
    {0.1566, 0.0177}, {0.1440, 0.0297}, {0.1241, 0.0578}, {0.1096, 0.0868}, {0.0913, 0.1327},
    {0.0687, 0.2007}, {0.0454, 0.2950}, {0.0235, 0.4127}, {0.0082, 0.5384}, {0.0039, 0.6548},
    {0.0139, 0.7502}, {0.0389, 0.8120}, {0.0743, 0.8338}, {0.1142, 0.8262}, {0.1547, 0.8059},
    {0.2296, 0.7543}, {0.3016, 0.6923}, {0.3731, 0.6245}, {0.4441, 0.5547}, {0.5125, 0.4866},
    {0.5752, 0.4242}, {0.6270, 0.3725}, {0.6658, 0.3340}, {0.6915, 0.3083}, {0.7079, 0.2920},
    {0.7190, 0.2809}, {0.7260, 0.2740}, {0.7300, 0.2700}, {0.7334, 0.2666}, {0.7347, 0.2653}};

constexpr double kScale = 380.0; // pixels per unit of x and y
constexpr double kLeft = 30.0, kTop = 10.0, kRange = 0.9;

std::string Point(const colour::Xy& p) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f,%.1f ", kLeft + p.x * kScale,
                  kTop + (kRange - p.y) * kScale);
    return text;
}

std::string Triangle(const char* cls, const colour::Xy& r, const colour::Xy& g, const colour::Xy& b,
                     const char* stroke, const char* dash, const char* width = "1.6") {
    return std::string("<polygon class=\"") + cls + "\" fill=\"none\" stroke=\"" + stroke +
           "\" stroke-width=\"" + width + "\" stroke-dasharray=\"" + dash + "\" points=\"" +
           Point(r) + Point(g) + Point(b) + "\"/>";
}

std::string Dot(const char* cls, const colour::Xy& p, const char* fill) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "<circle class=\"%s\" cx=\"%.1f\" cy=\"%.1f\" r=\"3.5\" fill=\"%s\" "
                  "stroke=\"#000\"/>",
                  cls, kLeft + p.x * kScale, kTop + (kRange - p.y) * kScale, fill);
    return text;
}

std::string Legend(double y, const char* stroke, const char* dash, const char* label) {
    char text[300];
    std::snprintf(text, sizeof text,
                  "<line x1=\"250\" y1=\"%.0f\" x2=\"275\" y2=\"%.0f\" stroke=\"%s\" "
                  "stroke-width=\"1.6\" stroke-dasharray=\"%s\"/><text x=\"280\" y=\"%.0f\" "
                  "font-size=\"11\">%s</text>",
                  y, y, stroke, dash, y + 4, label);
    return text;
}

} // namespace

std::string XyDiagramSvg(const colour::Chromaticity& panel, const colour::ChartResult& chart) {
    const double size = kRange * kScale;
    char head[400];
    std::snprintf(head, sizeof head,
                  "<svg class=\"diagram\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" "
                  "height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\"><rect x=\"%.0f\" y=\"%.0f\" "
                  "width=\"%.0f\" height=\"%.0f\" fill=\"#fdfdfd\" stroke=\"#999\"/>",
                  size + kLeft + 10, size + kTop + 30, size + kLeft + 10, size + kTop + 30, kLeft,
                  kTop, size, size);
    std::string svg = head;
    std::string locus;
    for (const auto& p : kLocus) {
        locus += Point(p);
    }
    svg += "<polygon class=\"locus\" fill=\"#eef\" stroke=\"#557\" points=\"" + locus + "\"/>";
    const auto& s = colour::kSrgbChromaticity;
    const auto& p3 = colour::kDisplayP3Chromaticity;
    // Wide and light underneath, so that the mode's gamut on top leaves the panel's visible.
    svg += Triangle("panel", panel.red, panel.green, panel.blue, "#7ac", "", "5");
    svg += Triangle("p3", p3.red, p3.green, p3.blue, "#b80", "2 3");
    svg += Triangle("srgb", s.red, s.green, s.blue, "#444", "5 3");
    svg += Dot("panel-white", panel.white, "#fff");
    if (chart.red && chart.green && chart.blue) {
        svg += Triangle("effective", *chart.red, *chart.green, *chart.blue, "#c0c", "");
    }
    if (chart.white) {
        svg += Dot("effective-white", *chart.white, "#c0c");
    }
    svg += Legend(30, "#444", "5 3", "sRGB");
    svg += Legend(46, "#b80", "2 3", "DCI-P3");
    svg += Legend(62, "#7ac", "", "panel (EDID)");
    svg += Legend(78, "#c0c", "", "with this mode");
    char axes[200];
    std::snprintf(axes, sizeof axes,
                  "<text x=\"%.0f\" y=\"%.0f\" font-size=\"11\">x</text><text x=\"12\" "
                  "y=\"%.0f\" font-size=\"11\">y</text>",
                  kLeft + size / 2, kTop + size + 18, kTop + size / 2);
    return svg + axes + "</svg>";
}

} // namespace varnet::report
