#include "config/color_mode_setting.h"

namespace varnet {

void InitColorModeSetting(ColorModeSetting& setting) {
    setting = ColorModeSetting{};
    setting.desktopGamma1Valid = 1;
    setting.desktopGamma2Valid = 1;
    setting.desktopGamma3Valid = 1;
    setting.hueValid = 1;
    setting.saturationValid = 1;
    setting.videoItem1Valid = 1;
    setting.sharpnessValid = 1;
    setting.videoItem3Valid = 1;
    setting.videoSwitch = kVideoSwitchOther;
}

} // namespace varnet
