// Gamma ramps of the CUI back-end: read and write, a gamma level and a white point applied
// before loading, and the saved ramp re-applied with another white point.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "backend/cintel_graphic.h"
#include "backend/gamma_level_curve.h"
#include "backend/white_point_table.h"
#include "config/diagnostic_log.h"
#include "platform/platform.h"

namespace varnet {

namespace {

constexpr std::size_t kTextSize = 260;
constexpr std::size_t kLevels = 256;

// The Korean texts below go out as code page 949 bytes, not UTF-8.
// "SetGammaRamp: no value stored"
constexpr char kEmptyRampText[] =
    "SetGammaRamp \xC0\xFA\xC0\xE5\xB5\xC8 \xB0\xAA\xC0\xCC \xBE\xF8\xC0\xBD\r\n";
// "SetGammaRamp: same as the value currently set."
constexpr char kSameRampText[] = "SetGammaRamp \xC7\xF6\xC0\xE7 "
                                 "\xBC\xB3\xC1\xA4\xB5\xC8\xB0\xAA\xB0\xFA \xB0\xB0\xC0\xBD.\r\n";
// "SetColorTempGamnmaLUT: no value stored"
constexpr char kEmptySavedRampText[] =
    "SetColorTempGamnmaLUT \xC0\xFA\xC0\xE5\xB5\xC8 \xB0\xAA\xC0\xCC \xBE\xF8\xC0\xBD\r\n";

void DebugErrorCode(const char* format, int32_t error) {
    char text[kTextSize];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(error));
    platform::OutputDebugString(text);
}

// The last entry, blue at level 255, is 0 only in a ramp nobody filled.
bool IsEmptyRamp(const uint16_t* ramp) {
    return ramp[kGammaRampEntries - 1] == 0;
}

bool IsMonotonic(const uint16_t* ramp) {
    for (std::size_t c = 0; c < kGammaRampEntries; c += kLevels) {
        for (std::size_t i = 1; i < kLevels; ++i) {
            if (ramp[c + i] < ramp[c + i - 1]) {
                return false;
            }
        }
    }
    return true;
}

bool ValidWhitePoint(int32_t index) {
    return index >= 0 && index < static_cast<int32_t>(kWhitePointCount);
}

} // namespace

Bool CIntelGraphic::GetGammaRamp(uint16_t* ramp) {
    if (ramp == nullptr) {
        return 0;
    }
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    if (m_pCUIExternal8 == nullptr) {
        platform::OutputDebugString("GetGammaRamp : NULL == m_pCUIExternal8\r\n");
        return 0;
    }
    try {
        GammaRamp current = {};
        int32_t error = 0;
        const uint32_t uid = CurrentUid();
        if (uid == 0) {
            platform::OutputDebugString("GetGammaRamp : 0 == m_adwMonUID[m_ReqMonType]\r\n");
            return 0;
        }
        if (m_pCUIExternal8->GetGammaRamp(uid, kGammaRampBytes, reinterpret_cast<uint8_t*>(current),
                                          &error) != 0) {
            DebugErrorCode("GetGammaRamp Error : 0x%x\r\n", error);
            return 0;
        }
        std::memcpy(ramp, current, sizeof current);
        return 1;
    } catch (...) {
        WriteLog("try GetGammaRamp()...");
        return 0;
    }
}

Bool CIntelGraphic::SetGammaRamp(const uint16_t* ramp) {
    if (ramp == nullptr) {
        return 0;
    }
    // A falling channel would invert part of the picture: never loaded from here.
    if (!IsMonotonic(ramp)) {
        platform::OutputDebugString("check: SetGammaRamp() reverse order...");
        return 0;
    }
    return WriteGammaRampChecked(ramp);
}

Bool CIntelGraphic::WriteGammaRampChecked(const uint16_t* ramp) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    if (m_pCUIExternal8 == nullptr) {
        platform::OutputDebugString("SetGammaRamp : NULL == m_pCUIExternal8\r\n");
        return 0;
    }
    if (IsEmptyRamp(ramp)) {
        platform::OutputDebugString(kEmptyRampText);
        return 0;
    }
    // A failed read leaves the zero ramp, which never equals a non-empty one.
    GammaRamp current = {};
    GetGammaRamp(current);
    if (std::memcmp(current, ramp, sizeof current) == 0) {
        platform::OutputDebugString(kSameRampText);
        return 1;
    }
    const uint32_t uid = CurrentUid();
    if (uid == 0) {
        return 0;
    }
    try {
        GammaRamp buffer;
        std::memcpy(buffer, ramp, sizeof buffer);
        int32_t error = 0;
        if (m_pCUIExternal8->SetGammaRamp(uid, kGammaRampBytes, reinterpret_cast<uint8_t*>(buffer),
                                          &error) != 0) {
            DebugErrorCode("SetGammaRamp Error : 0x%x\r\n", error);
            return 0;
        }
        return 1;
    } catch (...) {
        WriteLog("try SetGammaRamp()...");
        return 0;
    }
}

Bool CIntelGraphic::WriteGammaRampRaw(const uint16_t* ramp) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    if (m_pCUIExternal8 == nullptr) {
        platform::OutputDebugString("SetGammaRampData : NULL == m_pCUIExternal8\r\n");
        return 0;
    }
    GammaRamp buffer;
    std::memcpy(buffer, ramp, sizeof buffer);
    const uint32_t uid = CurrentUid();
    // Without a display there is nothing to tint; the mode is applied as far as it can be.
    if (uid == 0) {
        return 1;
    }
    // No exception may reach the exports; this write fails the way the checked one does.
    try {
        int32_t error = 0;
        if (m_pCUIExternal8->SetGammaRamp(uid, kGammaRampBytes, reinterpret_cast<uint8_t*>(buffer),
                                          &error) != 0) {
            DebugErrorCode("SetGammaRamp Error : 0x%x\r\n", error);
            return 0;
        }
        return 1;
    } catch (...) {
        WriteLog("try SetGammaRamp()...");
        return 0;
    }
}

Bool CIntelGraphic::SetGammaRampData(uint16_t* ramp, int32_t whitePointIndex, uint32_t gammaLevel) {
    // Refused before the caller's ramp is touched.
    if (ramp == nullptr || !ValidWhitePoint(whitePointIndex)) {
        return 0;
    }
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    if (m_pCUIExternal8 == nullptr) {
        platform::OutputDebugString("SetGammaRampData : NULL == m_pCUIExternal8\r\n");
        return 0;
    }
    if (gammaLevel != kNeutralGammaLevel) {
        GammaRamp adjusted = {};
        ApplyGammaLevel(gammaLevel, ramp, adjusted);
        std::memcpy(ramp, adjusted, sizeof adjusted);
    }
    // The neutral white point loads the ramp as it is, above GammaMax or not.
    if (whitePointIndex == kNeutralWhitePoint) {
        return WriteGammaRampRaw(ramp);
    }
    GammaRamp tinted = {};
    ApplyWhitePoint(ramp, whitePointIndex, GammaMax, tinted);
    return WriteGammaRampRaw(tinted);
}

Bool CIntelGraphic::ApplyGammaLevel(uint32_t level, const uint16_t* in, uint16_t* out) {
    if (in == nullptr || out == nullptr) {
        return 0;
    }
    // The curve reduces its source to 8-bit values in place; the caller's stays as it was.
    GammaRamp source;
    std::memcpy(source, in, sizeof source);
    ApplyGammaLevelCurve(level, source, out);
    return 1;
}

Bool CIntelGraphic::SaveGammaRamp() {
    if (m_bInitialized == 0) {
        InitLib();
    }
    if (m_pSavedGammaRamp == nullptr) {
        // Freed with free() by the base destructor.
        m_pSavedGammaRamp =
            static_cast<uint16_t*>(std::calloc(kGammaRampEntries, sizeof(uint16_t)));
        if (m_pSavedGammaRamp == nullptr) {
            return 0;
        }
    }
    return GetGammaRamp(m_pSavedGammaRamp) != 0 ? 1 : 0;
}

Bool CIntelGraphic::SetColorTempGamnmaLUT(int32_t whitePointIndex) {
    if (m_bInitialized == 0) {
        InitLib();
    }
    if (m_pSavedGammaRamp == nullptr) {
        return 0;
    }
    if (IsEmptyRamp(m_pSavedGammaRamp)) {
        platform::OutputDebugString(kEmptySavedRampText);
        return 0;
    }
    GammaRamp tinted = {};
    if (!ApplyWhitePoint(m_pSavedGammaRamp, whitePointIndex, GammaMax, tinted)) {
        return 0;
    }
    // The write's own lines say what became of it; the colour temperature counts as applied.
    WriteGammaRampChecked(tinted);
    return 1;
}

} // namespace varnet
