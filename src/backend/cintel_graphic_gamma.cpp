// Gamma ramps, white points and 3D look-up tables of the CUI back-end.
#include "backend/cintel_graphic.h"

namespace varnet {

// Not built yet: until the ramp reader lands this reports failure.
Bool CIntelGraphic::GetGammaRamp(uint16_t* /*ramp*/) {
    return 0;
}

// Not built yet: until the ramp writer lands this reports failure.
Bool CIntelGraphic::SetGammaRamp(const uint16_t* /*ramp*/) {
    return 0;
}

// Not built yet: until the ramp writer lands this reports failure.
Bool CIntelGraphic::SetGammaRampData(uint16_t* /*ramp*/, int32_t /*whitePointIndex*/,
                                     uint32_t /*gammaLevel*/) {
    return 0;
}

// Not built yet: until the gamma level curve lands this reports failure.
Bool CIntelGraphic::ApplyGammaLevel(uint32_t /*level*/, const uint16_t* /*in*/, uint16_t* /*out*/) {
    return 0;
}

// Not built yet: until the ramp reader lands this reports failure.
Bool CIntelGraphic::SaveGammaRamp() {
    return 0;
}

// Not built yet: until the ramp writer lands this reports failure.
Bool CIntelGraphic::SetColorTempGamnmaLUT(int32_t /*whitePointIndex*/) {
    return 0;
}

// Not built yet: until the .cube reader lands this reports failure.
Bool CIntelGraphic::LoadCubeFile(const char* /*name*/, Packed3DLut* /*table*/) {
    return 0;
}

// Not built yet: until the 3D LUT exchange lands this reports failure.
Bool CIntelGraphic::Get3DLut(uint32_t* /*enabled*/, Packed3DLut* /*table*/) {
    return 0;
}

// Not built yet: until the 3D LUT exchange lands this reports failure.
Bool CIntelGraphic::Set3DLut(Bool /*enable*/, const Packed3DLut* /*table*/) {
    return 0;
}

// Not built yet: until the colour transform lands the table is left as it is.
void CIntelGraphic::Build3DLut(const float* /*matrix*/, Packed3DLut* /*table*/) {}

// Not built yet: until the 3D LUT exchange lands this reports failure.
Bool CIntelGraphic::Set3DLutParams(Bool /*enable*/, const float* /*matrix*/,
                                   int32_t /*fallbackSaturation*/) {
    return 0;
}

// Not built yet: until the 3D LUT exchange lands this reports failure.
Bool CIntelGraphic::Reset3DLut() {
    return 0;
}

} // namespace varnet
