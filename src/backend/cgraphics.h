// The interface through which the exported colour functions drive the graphics driver.
//
// The operations stand in a fixed order (their vtable positions are part of the contract with
// the back-ends); many are real in one implementation and a fixed answer in the other.
#pragma once

#include <cstdint>

#include "backend/graphics_types.h"

namespace varnet {

// A 32-bit BOOL: 1 for success, 0 for failure, unless an operation says otherwise.
using Bool = int32_t;

class CGraphics {
public:
    CGraphics() = default;
    CGraphics(const CGraphics&) = delete;
    CGraphics& operator=(const CGraphics&) = delete;

    virtual Bool SetHueSat(float hue, float saturation) = 0;             // 0
    virtual Bool LoadCubeFile(const char* name, Packed3DLut* table) = 0; // 1
    virtual Bool SetGammaRampData(uint16_t* ramp, int32_t whitePointIndex,
                                  uint32_t gammaLevel) = 0; // 2
    virtual Bool SetVideoQuality(int32_t a1, int32_t a2, int32_t a3, float a4, int32_t a5,
                                 int32_t a6, int32_t a7, float a8, int32_t a9, int32_t a10,
                                 float a11, int32_t a12) = 0;                            // 3
    virtual Bool GetLACE(uint32_t* enabled, uint32_t* second, uint32_t* level) = 0;      // 4
    virtual Bool SetLACE(uint32_t enable, uint32_t level) = 0;                           // 5
    virtual Bool GetSharpness(uint32_t* enable, uint32_t* intensity) = 0;                // 6
    virtual Bool SetSharpness(uint32_t enable, uint32_t intensity) = 0;                  // 7
    virtual Bool SetCscMatrix(uint32_t flag, const double* matrix) = 0;                  // 8
    virtual Bool GetCscMatrix(uint32_t* onOff, double* matrix) = 0;                      // 9
    virtual Bool InitLib() = 0;                                                          // 10
    virtual Bool ApplyGammaLevel(uint32_t level, const uint16_t* in, uint16_t* out) = 0; // 11
    virtual Bool Get3DLut(uint32_t* enabled, Packed3DLut* table) = 0;                    // 12
    virtual Bool Set3DLut(Bool enable, const Packed3DLut* table) = 0;                    // 13
    virtual void Build3DLut(const float* matrix, Packed3DLut* table) = 0;                // 14
    virtual Bool GetDisplayTccArray(uint32_t* first, uint32_t* values) = 0;              // 15
    virtual Bool SetDisplayTccArray(int32_t enable, const uint32_t* values) = 0;         // 16
    virtual Bool Set3DLutParams(Bool enable, const float* matrix,
                                int32_t fallbackSaturation) = 0;      // 17
    virtual Bool Reset3DLut() = 0;                                    // 18
    virtual Bool IsLACESupport() = 0;                                 // 19
    virtual Bool GetPanelSize(uint32_t* width, uint32_t* height) = 0; // 20
    virtual Bool ReservedQuery1() = 0;                                // 21
    virtual Bool ReservedQuery2() = 0;                                // 22
    virtual Bool SetStandardColorCorrection(uint32_t first, float a, float b, float c,
                                            float d) = 0;                       // 23
    virtual Bool GetContrastSkinTone(int32_t* contrast, int32_t* skinTone) = 0; // 24
    virtual Bool SetContrastSkinTone(int32_t contrast, int32_t skinTone) = 0;   // 25
    virtual const char* GetPannelModelName() = 0;                               // 26
    virtual Bool GetGammaRamp(uint16_t* ramp) = 0;                              // 27
    virtual Bool SetGammaRamp(const uint16_t* ramp) = 0;                        // 28
    virtual Bool SetSaturation(float saturation) = 0;                           // 29
    virtual Bool GetHueSat(float* saturation) = 0;                              // 30
    virtual Bool GetMediaTcc(uint32_t* enable, float* v1, float* v2, float* v3, float* v4,
                             float* v5, float* v6) = 0; // 31
    virtual Bool SetMediaTcc(uint32_t enable, float v1, float v2, float v3, float v4, float v5,
                             float v6) = 0;                           // 32
    virtual Bool GetVideoSharpness(uint32_t* mode, float* value) = 0; // 33
    virtual Bool SetVideoSharpness(uint32_t mode, float value) = 0;   // 34
    virtual Bool GetDPST(uint32_t* enabled, uint32_t* level) = 0;     // 35
    virtual Bool SetDPST(uint32_t enable, uint32_t level) = 0;        // 36
    virtual Bool GetColorMatrix(Bool secondDisplay, uint32_t* enabled, uint32_t* value,
                                uint32_t* third, uint32_t* fourth, float* matrix) = 0; // 37
    virtual Bool SetColorMatrix(Bool secondDisplay, uint32_t value, uint32_t third, Bool withMatrix,
                                const float* matrix) = 0;              // 38
    virtual Bool SaveGammaRamp() = 0;                                  // 39
    virtual Bool SetColorTempGamnmaLUT(int32_t whitePointIndex) = 0;   // 40
    virtual Bool WriteDPAuxData(uint32_t address, uint32_t value) = 0; // 41
    virtual Bool ReadDPAuxData(uint32_t address, uint8_t* value) = 0;  // 42
    virtual Bool WriteDPAuxDataEx(uint32_t mode, uint32_t address, const uint8_t* data,
                                  int32_t size) = 0; // 43
    virtual Bool ReadDPAuxDataEx(uint32_t mode, uint32_t address, uint8_t* data,
                                 int32_t size) = 0; // 44
    virtual Bool GetDisplayTcc(uint32_t* enable, uint32_t* r, uint32_t* g, uint32_t* b, uint32_t* y,
                               uint32_t* c, uint32_t* m) = 0; // 45
    virtual Bool SetDisplayTcc(uint32_t enable, uint32_t r, uint32_t g, uint32_t b, uint32_t y,
                               uint32_t c, uint32_t m) = 0; // 46
    virtual ~CGraphics();                                   // 47

protected:
    // One gamma ramp (kGammaRampBytes) from malloc, or null; freed by this destructor.
    uint16_t* m_pSavedGammaRamp = nullptr;
};

} // namespace varnet
