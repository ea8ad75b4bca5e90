// The CUI back-end: the graphics driver's older SDK object "IgfxExt.CUIExternal", reached
// through COM. The session falls back to it when the Control Library run time cannot start.
#pragma once

#include <cstdint>

#include "backend/cgraphics.h"
#include "backend/cui_sdk.h"

namespace varnet {

class CIntelGraphic final : public CGraphics {
public:
    CIntelGraphic() = default;
    ~CIntelGraphic() override;

    Bool SetHueSat(float hue, float saturation) override;
    Bool LoadCubeFile(const char* name, Packed3DLut* table) override;
    Bool SetGammaRampData(uint16_t* ramp, int32_t whitePointIndex, uint32_t gammaLevel) override;
    Bool SetVideoQuality(int32_t a1, int32_t a2, int32_t a3, float a4, int32_t a5, int32_t a6,
                         int32_t a7, float a8, int32_t a9, int32_t a10, float a11,
                         int32_t a12) override;
    Bool GetLACE(uint32_t* enabled, uint32_t* second, uint32_t* level) override;
    Bool SetLACE(uint32_t enable, uint32_t level) override;
    Bool GetSharpness(uint32_t* enable, uint32_t* intensity) override;
    Bool SetSharpness(uint32_t enable, uint32_t intensity) override;
    Bool SetCscMatrix(uint32_t flag, const double* matrix) override;
    Bool GetCscMatrix(uint32_t* onOff, double* matrix) override;
    Bool InitLib() override;
    Bool ApplyGammaLevel(uint32_t level, const uint16_t* in, uint16_t* out) override;
    Bool Get3DLut(uint32_t* enabled, Packed3DLut* table) override;
    Bool Set3DLut(Bool enable, const Packed3DLut* table) override;
    void Build3DLut(const float* matrix, Packed3DLut* table) override;
    Bool GetDisplayTccArray(uint32_t* first, uint32_t* values) override;
    Bool SetDisplayTccArray(int32_t enable, const uint32_t* values) override;
    Bool Set3DLutParams(Bool enable, const float* matrix, int32_t fallbackSaturation) override;
    Bool Reset3DLut() override;
    Bool IsLACESupport() override;
    Bool GetPanelSize(uint32_t* width, uint32_t* height) override;
    Bool ReservedQuery1() override;
    Bool ReservedQuery2() override;
    Bool SetStandardColorCorrection(uint32_t first, float a, float b, float c, float d) override;
    Bool GetContrastSkinTone(int32_t* contrast, int32_t* skinTone) override;
    Bool SetContrastSkinTone(int32_t contrast, int32_t skinTone) override;
    const char* GetPannelModelName() override;
    Bool GetGammaRamp(uint16_t* ramp) override;
    Bool SetGammaRamp(const uint16_t* ramp) override;
    Bool SetSaturation(float saturation) override;
    Bool GetHueSat(float* saturation) override;
    Bool GetMediaTcc(uint32_t* enable, float* v1, float* v2, float* v3, float* v4, float* v5,
                     float* v6) override;
    Bool SetMediaTcc(uint32_t enable, float v1, float v2, float v3, float v4, float v5,
                     float v6) override;
    Bool GetVideoSharpness(uint32_t* mode, float* value) override;
    Bool SetVideoSharpness(uint32_t mode, float value) override;
    Bool GetDPST(uint32_t* enabled, uint32_t* level) override;
    Bool SetDPST(uint32_t enable, uint32_t level) override;
    Bool GetColorMatrix(Bool secondDisplay, uint32_t* enabled, uint32_t* value, uint32_t* third,
                        uint32_t* fourth, float* matrix) override;
    Bool SetColorMatrix(Bool secondDisplay, uint32_t value, uint32_t third, Bool withMatrix,
                        const float* matrix) override;
    Bool SaveGammaRamp() override;
    Bool SetColorTempGamnmaLUT(int32_t whitePointIndex) override;
    Bool WriteDPAuxData(uint32_t address, uint32_t value) override;
    Bool ReadDPAuxData(uint32_t address, uint8_t* value) override;
    Bool WriteDPAuxDataEx(uint32_t mode, uint32_t address, const uint8_t* data,
                          int32_t size) override;
    Bool ReadDPAuxDataEx(uint32_t mode, uint32_t address, uint8_t* data, int32_t size) override;
    Bool GetDisplayTcc(uint32_t* enable, uint32_t* r, uint32_t* g, uint32_t* b, uint32_t* y,
                       uint32_t* c, uint32_t* m) override;
    Bool SetDisplayTcc(uint32_t enable, uint32_t r, uint32_t g, uint32_t b, uint32_t y, uint32_t c,
                       uint32_t m) override;

    // Finds the device UID of a monitor type under the first three display names and stores it
    // in m_adwMonUID; a type that is not found keeps its previous entry.
    Bool GetMonitorUid(MonitorType type);

    // Read-only views for tests and the tool.
    uint32_t DriverVersion() const { return m_dwDriverVersion; }
    MonitorType RequestedMonitorType() const { return m_ReqMonType; }
    uint32_t MonitorUid(MonitorType type) const;
    bool Connected() const { return m_pCUIExternal8 != nullptr; }

private:
    // m_adwMonUID[m_ReqMonType], the display every operation addresses.
    uint32_t CurrentUid() const;

    // The gamma write behind SetGammaRamp and SetColorTempGamnmaLUT: refuses an empty ramp and
    // skips a ramp the driver already holds.
    Bool WriteGammaRampChecked(const uint16_t* ramp);
    // The gamma write behind SetGammaRampData: no checks, and no UID counts as done.
    Bool WriteGammaRampRaw(const uint16_t* ramp);
    // One extended 3D LUT read or write (SetDeviceDataEx) with the addressed display. The
    // header is filled here from the three fields that tell the calls apart; an exception from
    // the SDK counts as a failure.
    struct Lut3DCall {
        bool write;
        uint32_t enable;
        uint32_t operation;
        uint32_t bypass;
    };
    cui::HResult Exchange3DLut(Lut3DCall call, Packed3DLut& table, cui::Lut3DHeader& header,
                               int32_t& error);

    cui::ICUIExternal8* m_pCUIExternal8 = nullptr; // non-null means connected
    uint32_t m_bInitialized = 0;                   // InitLib ran to its end
    MonitorType m_ReqMonType = 0;
    uint32_t m_adwMonUID[kMonitorTypeCount] = {}; // 0: not found
    uint32_t m_dwDriverVersion = 0;               // see ParseDriverVersion
    char m_szPanelId[kPanelIdBufferSize] = {};
    uint8_t m_hueSatBlock[56] = {};
    uint8_t m_mediaColorBlock[240] = {};
};

} // namespace varnet
