// SetColorMode: reads what a colour mode means for this panel and drives the active back-end
// through five steps. It reports nothing: the result is false on every path.
#include <cstdio>
#include <memory>

#include "api/backend_session.h"
#include "api/export_guard.h"
#include "api/panel_id_cache.h"
#include "config/color_mode_readers.h"
#include "platform/platform.h"
#include "varnet/varnet.h"

namespace varnet {
namespace {

constexpr std::size_t kCubeNameBufferSize = 260;

void ApplyThreeDLut(CGraphics& backend, const ColorModeSetting& setting) {
    float params[9];
    for (int i = 0; i < 9; ++i) {
        params[i] = static_cast<float>(static_cast<float>(setting.lut3dParams[i]) / 10000.0);
    }
    if (setting.lut3dMode == 0) {
        backend.Set3DLutParams(0, params, 0);
        return;
    }
    if (setting.lut3dMode != kLut3dModeCubeFile) {
        backend.Set3DLutParams(1, params, setting.lut3dMode);
        return;
    }
    // A longer name cannot be held without naming another file; no 3D LUT is applied then.
    if (setting.cubeName.size() >= kCubeNameBufferSize) {
        platform::OutputDebugString("SetColorMode: .cube name longer than 259 characters\n");
        return;
    }
    char name[kCubeNameBufferSize] = {};
    std::snprintf(name, sizeof name, "%s", setting.cubeName.c_str());
    auto table = std::make_unique<Packed3DLut>();
    if (backend.LoadCubeFile(name, table.get()) == 0) {
        return;
    }
    if (backend.Set3DLut(1, table.get()) != 0) {
        return;
    }
    backend.Set3DLutParams(1, params, kLut3dModeCubeFile);
}

void ApplyColorMode(int32_t mode, int32_t whitePointIndex, bool use3DLutFiles, int32_t gammaLevel) {
    BackendSession session;
    session.FillPanelIdCache();
    CGraphics& backend = session.Active();

    auto setting = std::make_unique<ColorModeSetting>();
    InitColorModeSetting(*setting);
    const std::string panelId = PanelIdCache::Get();
    ReadColorModeSetting(*setting, panelId, mode, use3DLutFiles);
    ReadZelmoTable(*setting, panelId, mode);
    ReadToneCurve(*setting, panelId, mode, use3DLutFiles);
    const ColorModeSetting& s = *setting;

    if ((s.lutName.empty() || s.noLut != 0) && s.desktopGamma1Valid == 1 &&
        s.desktopGamma2Valid == 1 && s.desktopGamma3Valid == 1) {
        platform::OutputDebugString("Check: SetDesktopGamma()\n");
    }
    if (s.hueValid == 1 && s.saturationValid == 1) {
        backend.SetHueSat(s.hue, s.saturation);
    }
    backend.SetVideoQuality(s.videoItem1Reset, s.videoItem1Valid, s.videoItem1Auto,
                            s.videoItem1Value, s.sharpnessReset, s.sharpnessValid, s.sharpnessAuto,
                            s.sharpnessValue, s.videoItem3Valid, s.videoItem3Enable,
                            s.videoItem3Value, s.videoSwitch);
    backend.SetGammaRampData(setting->toneCurve, whitePointIndex,
                             static_cast<uint32_t>(gammaLevel));
    if (s.displayTccPresent == 1 && s.displayTccValid == 1 && s.lut3dValid == 0) {
        uint32_t weights[6];
        for (int i = 0; i < 6; ++i) {
            weights[i] = static_cast<uint32_t>(s.displayTcc[i]);
        }
        backend.SetDisplayTccArray(s.displayTccEnable, weights);
    }
    if (s.lut3dValid == 1) {
        ApplyThreeDLut(backend, s);
    }
}

} // namespace
} // namespace varnet

extern "C" bool SetColorMode(int32_t mode, int32_t whitePointIndex, bool use3DLutFiles,
                             int32_t gammaLevel) {
    return varnet::GuardExport(false, [&] {
        varnet::ApplyColorMode(mode, whitePointIndex, use3DLutFiles, gammaLevel);
        return false;
    });
}
