#include "config/color_mode_readers.h"

#include "backend/graphics_types.h"
#include "config/color_mode_names.h"
#include "config/config_paths.h"
#include "config/parameter_list_parser.h"
#include "config/support_lookup.h"
#include "config/tone_curve_parser.h"
#include "config/zelmo_table_parser.h"

namespace varnet {

namespace {

// The 3D-LUT variant of a file when asked for and present, else the plain one.
std::string ChooseVariant(bool use3DLutFiles, const char* variantFile, const char* plainFile) {
    std::string path;
    if (use3DLutFiles) {
        path = GetConfigFilePath(variantFile);
    }
    if (path.empty()) {
        path = GetConfigFilePath(plainFile);
    }
    return path;
}

} // namespace

bool ReadColorModeSetting(ColorModeSetting& setting, const std::string& panelId, int32_t mode,
                          bool use3DLutFiles) {
    const char* section = GetColorModeName(mode);
    const std::string path = ChooseVariant(use3DLutFiles, kColorMode3DlutFile, kColorModeFile);
    const std::string value = LookupPanelValue(path, section, panelId);
    if (value.empty()) {
        return false;
    }
    ApplyParameterList(value, setting);
    return true;
}

bool ReadToneCurve(ColorModeSetting& setting, const std::string& panelId, int32_t mode,
                   bool use3DLutFiles) {
    const uint32_t gammaScale = GammaScale;
    const char* section = GetColorModeName(mode);
    const std::string path = ChooseVariant(use3DLutFiles, kToneCurve3DlutFile, kToneCurveFile);
    const std::string value = ReadProfileValue(path, section, panelId, kToneCurveReadLimit);
    if (value.empty()) {
        FillIdentityToneCurve(gammaScale, setting.toneCurve);
    } else {
        ParseToneCurve(value, gammaScale, setting.toneCurve);
    }
    return true;
}

bool ReadZelmoTable(ColorModeSetting& setting, const std::string& panelId, int32_t mode) {
    const std::string path = GetConfigFilePath(kZelmoFile);
    std::string value = ReadProfileValue(path, "MODE_STANDARD", panelId, kValueReadLimit);
    if (value.empty()) {
        value = ReadProfileValue(path, GetColorModeName(mode), kDefaultKey, kValueReadLimit);
    }
    if (value.empty()) {
        return false;
    }
    ApplyZelmoTable(value, setting);
    return true;
}

} // namespace varnet
