// The readers that fill a ColorModeSetting from the configuration folder: the mode's parameter
// list, its tone curve and the image-engine table. They read files only, never the driver.
#pragma once

#include <cstdint>
#include <string>

#include "config/color_mode_setting.h"

namespace varnet {

// The parameter list of the mode for the panel (or the "DEFAULT" one), from
// IntelColorMode3Dlut.ini when use3DLutFiles and that file exists, else IntelColorMode.ini.
// False, with the record untouched, when neither key gives a value.
bool ReadColorModeSetting(ColorModeSetting& setting, const std::string& panelId, int32_t mode,
                          bool use3DLutFiles);

// The panel's tone curve, scaled by GammaScale, from IntelColorToneCurve3Dlut.ini or
// IntelColorToneCurve.ini; identity ramps when the panel has none ("DEFAULT" is not consulted).
// Always true.
bool ReadToneCurve(ColorModeSetting& setting, const std::string& panelId, int32_t mode,
                   bool use3DLutFiles);

// The panel's table in section MODE_STANDARD of Zelmo.ini whatever the mode, else the "DEFAULT"
// key of the mode's own section. False, with the record untouched, when neither gives a value.
bool ReadZelmoTable(ColorModeSetting& setting, const std::string& panelId, int32_t mode);

} // namespace varnet
