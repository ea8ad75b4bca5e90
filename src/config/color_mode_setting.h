// Everything the configuration files say about one colour mode on one panel, filled by the
// readers and consumed by SetColorMode and IsICCProfileSupport.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "backend/graphics_types.h"

namespace varnet {

inline constexpr std::size_t kZelmoTableEntries = 260;
inline constexpr std::size_t kToneCurveChannelEntries = 256;
inline constexpr std::size_t kToneCurveEntries = 3 * kToneCurveChannelEntries;
static_assert(kToneCurveEntries == kGammaRampEntries);

// One register write of the image engine.
struct ZelmoEntry {
    uint16_t address = 0;
    uint8_t value = 0;

    friend bool operator==(const ZelmoEntry&, const ZelmoEntry&) = default;
};
static_assert(sizeof(ZelmoEntry) == 4);
static_assert(offsetof(ZelmoEntry, value) == 2);

// videoSwitch values.
inline constexpr int32_t kVideoSwitchU = 0;
inline constexpr int32_t kVideoSwitchC = 1;
inline constexpr int32_t kVideoSwitchOther = 2;

// The lut3dMode that means "load the .cube file named by cubeName".
inline constexpr int32_t kLut3dModeCubeFile = 777;
// lut3dParams are integers in units of 1/10000.
inline constexpr float kLut3dParamScale = 10000.0f;

// Value-initialising gives the all-zero record; InitColorModeSetting then gives the initial
// values. The field order follows the parameter-list documentation.
struct ColorModeSetting {
    int32_t desktopGamma1Valid = 0;
    int32_t desktopGamma1[3] = {};
    int32_t desktopGamma2Valid = 0;
    int32_t desktopGamma2[3] = {};
    int32_t desktopGamma3Valid = 0;
    int32_t desktopGamma3[3] = {};
    int32_t hueValid = 0;
    float hue = 0.0f;
    int32_t saturationValid = 0;
    float saturation = 0.0f;
    int32_t videoItem1Valid = 0;
    float videoItem1Value = 0.0f;
    int32_t sharpnessValid = 0;
    float sharpnessValue = 0.0f;
    int32_t videoItem3Valid = 0;
    float videoItem3Value = 0.0f;
    std::string lutName;
    int32_t videoItem1Auto = 0;
    int32_t sharpnessAuto = 0;
    int32_t videoItem3Enable = 0;
    int32_t videoItem1Reset = 0;
    int32_t sharpnessReset = 0;
    int32_t item15Auto = 0;
    int32_t videoSwitch = 0;
    int32_t displayTccPresent = 0;
    int32_t displayTccEnable = 0;
    int32_t item25Value = 0;
    int32_t lut3dMode = 0;
    int32_t displayTccValid = 0;
    int32_t item25Valid = 0;
    int32_t lut3dValid = 0;
    int32_t noLut = 0;
    int32_t displayTcc[6] = {};
    uint32_t zelmoCount = 0;
    int32_t lut3dParamsRead = 0;
    ZelmoEntry zelmoTable[kZelmoTableEntries] = {};
    int32_t item26Value = 0;
    int32_t lut3dParams[9] = {};
    int32_t iccProfile = 0;
    std::string cubeName;
    int32_t cubeNameValid = 0;
    // Red levels 0-255, then green, then blue: the layout of a gamma ramp.
    uint16_t toneCurve[kToneCurveEntries] = {};

    friend bool operator==(const ColorModeSetting&, const ColorModeSetting&) = default;
};

// Puts the record into its initial state: every valid flag 1 (desktop gammas, hue, saturation,
// the three video items), videoSwitch 2, everything else zero or empty.
void InitColorModeSetting(ColorModeSetting& setting);

} // namespace varnet
