// Colorimetry through Little CMS 2: what a panel of given primaries shows for a code value, the
// sRGB value a browser needs to show the same colour, CIELAB and CIEDE2000.
//
// A panel is modelled as a matrix-shaper display with its EDID primaries and white and the sRGB
// tone curve (what the library's sRGB transform assumes of it). Colours are compared relative to
// each display's own white (ICC relative colorimetry, Bradford adaptation), as an eye adapted to
// the panel sees them.
#pragma once

#include <memory>

#include "colour_types.h"

namespace varnet::colour {

class PanelColour {
public:
    explicit PanelColour(const Chromaticity& panel);
    ~PanelColour();
    PanelColour(const PanelColour&) = delete;
    PanelColour& operator=(const PanelColour&) = delete;

    // CIELAB (D50) of what the panel shows for code values 0..1.
    Lab PanelLab(const Rgb& code) const;
    // CIELAB (D50) of an sRGB value 0..1: the target a patch should reach.
    Lab SrgbLab(const Rgb& srgb) const;
    // The sRGB value (0..1, clipped) that shows on an sRGB screen what the panel shows.
    Rgb PanelToSrgb(const Rgb& code) const;
    // Chromaticity of what the panel shows (absolute: the panel's own white stays its white).
    Xy PanelXy(const Rgb& code) const;
    // The linear-light matrix that takes sRGB's linear values to this panel's, white kept white.
    Matrix3 SrgbToPanelLinear() const;
    // The panel's linear values that show an sRGB value; outside 0..1 where the panel cannot.
    Rgb PanelLinearOf(const Rgb& srgb) const;

private:
    struct Handles;
    std::unique_ptr<Handles> m_handles;
};

double DeltaE2000(const Lab& a, const Lab& b);

} // namespace varnet::colour
