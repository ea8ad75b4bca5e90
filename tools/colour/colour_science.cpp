#include "colour_science.h"

#include <lcms2.h>

#include <algorithm>
#include <stdexcept>

namespace varnet::colour {

namespace {

cmsCIExyY ToxyY(const Xy& xy) {
    return cmsCIExyY{xy.x, xy.y, 1.0};
}

// An RGB matrix-shaper profile; tone: the curve all three channels share.
cmsHPROFILE RgbProfile(const Chromaticity& c, cmsToneCurve* tone) {
    const cmsCIExyY white = ToxyY(c.white);
    const cmsCIExyYTRIPLE primaries{ToxyY(c.red), ToxyY(c.green), ToxyY(c.blue)};
    cmsToneCurve* curves[3] = {tone, tone, tone};
    return cmsCreateRGBProfile(&white, &primaries, curves);
}

cmsToneCurve* SrgbCurve() {
    // IEC 61966-2-1: Y = ((X + 0.055) / 1.055)^2.4 above 0.04045, X / 12.92 below.
    const cmsFloat64Number parameters[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    return cmsBuildParametricToneCurve(nullptr, 4, parameters);
}

cmsHTRANSFORM Transform(cmsHPROFILE from, cmsUInt32Number fromFormat, cmsHPROFILE to,
                        cmsUInt32Number toFormat) {
    // Floating-point transforms are unbounded, so values outside a gamut come out as they are.
    cmsHTRANSFORM t = cmsCreateTransform(from, fromFormat, to, toFormat,
                                         INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
    if (t == nullptr) {
        throw std::runtime_error("Little CMS could not build a colour transform");
    }
    return t;
}

} // namespace

struct PanelColour::Handles {
    cmsHTRANSFORM panelToLab = nullptr;
    cmsHTRANSFORM srgbToLab = nullptr;
    cmsHTRANSFORM panelToSrgb = nullptr;
    cmsHTRANSFORM panelToXyz = nullptr;
    cmsHTRANSFORM srgbLinearToPanelLinear = nullptr;
    cmsHTRANSFORM srgbToPanelLinear = nullptr;
    cmsCIEXYZ panelWhite{};

    ~Handles() {
        for (cmsHTRANSFORM t : {panelToLab, srgbToLab, panelToSrgb, panelToXyz,
                                srgbLinearToPanelLinear, srgbToPanelLinear}) {
            if (t != nullptr) {
                cmsDeleteTransform(t);
            }
        }
    }
};

PanelColour::PanelColour(const Chromaticity& panel) : m_handles(std::make_unique<Handles>()) {
    cmsToneCurve* srgbCurve = SrgbCurve();
    cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
    cmsHPROFILE panelProfile = RgbProfile(panel, srgbCurve);
    cmsHPROFILE panelLinear = RgbProfile(panel, linear);
    cmsHPROFILE srgbLinear = RgbProfile(kSrgbChromaticity, linear);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHPROFILE xyz = cmsCreateXYZProfile();
    cmsFreeToneCurve(srgbCurve);
    cmsFreeToneCurve(linear);

    Handles& h = *m_handles;
    h.panelToLab = Transform(panelProfile, TYPE_RGB_DBL, lab, TYPE_Lab_DBL);
    h.srgbToLab = Transform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL);
    h.panelToSrgb = Transform(panelProfile, TYPE_RGB_DBL, srgb, TYPE_RGB_DBL);
    h.panelToXyz = Transform(panelProfile, TYPE_RGB_DBL, xyz, TYPE_XYZ_DBL);
    h.srgbLinearToPanelLinear = Transform(srgbLinear, TYPE_RGB_DBL, panelLinear, TYPE_RGB_DBL);
    h.srgbToPanelLinear = Transform(srgb, TYPE_RGB_DBL, panelLinear, TYPE_RGB_DBL);
    const cmsCIExyY white = ToxyY(panel.white);
    cmsxyY2XYZ(&h.panelWhite, &white);
    for (cmsHPROFILE p : {panelProfile, panelLinear, srgbLinear, srgb, lab, xyz}) {
        cmsCloseProfile(p);
    }
}

PanelColour::~PanelColour() = default;

Lab PanelColour::PanelLab(const Rgb& code) const {
    cmsCIELab out{};
    cmsDoTransform(m_handles->panelToLab, code.data(), &out, 1);
    return {out.L, out.a, out.b};
}

Lab PanelColour::SrgbLab(const Rgb& srgb) const {
    cmsCIELab out{};
    cmsDoTransform(m_handles->srgbToLab, srgb.data(), &out, 1);
    return {out.L, out.a, out.b};
}

Rgb PanelColour::PanelToSrgb(const Rgb& code) const {
    Rgb out{};
    cmsDoTransform(m_handles->panelToSrgb, code.data(), out.data(), 1);
    for (double& v : out) {
        v = std::clamp(v, 0.0, 1.0);
    }
    return out;
}

Xy PanelColour::PanelXy(const Rgb& code) const {
    cmsCIEXYZ pcs{};
    cmsDoTransform(m_handles->panelToXyz, code.data(), &pcs, 1);
    // The connection space is adapted to D50; undo that to get the panel's own chromaticity.
    cmsCIEXYZ native{};
    cmsAdaptToIlluminant(&native, cmsD50_XYZ(), &m_handles->panelWhite, &pcs);
    cmsCIExyY xyY{};
    cmsXYZ2xyY(&xyY, &native);
    return {xyY.x, xyY.y};
}

Matrix3 PanelColour::SrgbToPanelLinear() const {
    Matrix3 m{};
    for (int column = 0; column < 3; ++column) {
        Rgb unit{};
        unit[column] = 1.0;
        Rgb out{};
        cmsDoTransform(m_handles->srgbLinearToPanelLinear, unit.data(), out.data(), 1);
        for (int row = 0; row < 3; ++row) {
            m[row * 3 + column] = out[row];
        }
    }
    return m;
}

Rgb PanelColour::PanelLinearOf(const Rgb& srgb) const {
    Rgb out{};
    cmsDoTransform(m_handles->srgbToPanelLinear, srgb.data(), out.data(), 1);
    return out;
}

double DeltaE2000(const Lab& a, const Lab& b) {
    const cmsCIELab la{a.L, a.a, a.b};
    const cmsCIELab lb{b.L, b.a, b.b};
    return cmsCIE2000DeltaE(&la, &lb, 1.0, 1.0, 1.0);
}

} // namespace varnet::colour
