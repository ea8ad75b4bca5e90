// The CUI back-end's fixed-size device data blocks: hue and saturation, video quality, media
// colour, LACE, six-sector saturation, colour matrix, DPST, DisplayPort AUX and panel size.
#include "backend/cintel_graphic.h"
#include "backend/cui_guarded_calls.h"

namespace varnet {

namespace {
constexpr uint32_t kLaceBlockVersion = 1;
} // namespace

// The supported field is passed on as the driver gave it: some drivers answer 2.
Bool CIntelGraphic::IsLACESupport() {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::LaceBlock block;
    block.version = kLaceBlockVersion;
    block.uid = CurrentUid();
    int32_t error = 0;
    if (CuiGetDeviceData(m_pCUIExternal8, cui::kLaceGuid, sizeof block, &block, &error) != 0) {
        return 0;
    }
    return static_cast<Bool>(block.supported);
}

// Not built yet: until the hue/saturation block lands this reports failure.
Bool CIntelGraphic::SetHueSat(float /*hue*/, float /*saturation*/) {
    return 0;
}

// Not built yet: until the hue/saturation block lands this reports failure.
Bool CIntelGraphic::SetSaturation(float /*saturation*/) {
    return 0;
}

// Not built yet: until the hue/saturation block lands this reports failure.
Bool CIntelGraphic::GetHueSat(float* /*saturation*/) {
    return 0;
}

// Not built yet: until the video-quality block lands this reports failure.
Bool CIntelGraphic::SetVideoQuality(int32_t /*a1*/, int32_t /*a2*/, int32_t /*a3*/, float /*a4*/,
                                    int32_t /*a5*/, int32_t /*a6*/, int32_t /*a7*/, float /*a8*/,
                                    int32_t /*a9*/, int32_t /*a10*/, float /*a11*/,
                                    int32_t /*a12*/) {
    return 0;
}

// Not built yet: until the video-quality block lands this reports failure.
Bool CIntelGraphic::GetContrastSkinTone(int32_t* /*contrast*/, int32_t* /*skinTone*/) {
    return 0;
}

// Not built yet: until the video-quality block lands this reports failure.
Bool CIntelGraphic::SetContrastSkinTone(int32_t /*contrast*/, int32_t /*skinTone*/) {
    return 0;
}

// Not built yet: until the video-quality block lands this reports failure.
Bool CIntelGraphic::GetVideoSharpness(uint32_t* /*mode*/, float* /*value*/) {
    return 0;
}

// Not built yet: until the video-quality block lands this reports failure.
Bool CIntelGraphic::SetVideoSharpness(uint32_t /*mode*/, float /*value*/) {
    return 0;
}

// Not built yet: until the media colour block lands this reports failure.
Bool CIntelGraphic::SetStandardColorCorrection(uint32_t /*first*/, float /*a*/, float /*b*/,
                                               float /*c*/, float /*d*/) {
    return 0;
}

// Not built yet: until the media colour block lands this reports failure.
Bool CIntelGraphic::GetMediaTcc(uint32_t* /*enable*/, float* /*v1*/, float* /*v2*/, float* /*v3*/,
                                float* /*v4*/, float* /*v5*/, float* /*v6*/) {
    return 0;
}

// Not built yet: until the media colour block lands this reports failure.
Bool CIntelGraphic::SetMediaTcc(uint32_t /*enable*/, float /*v1*/, float /*v2*/, float /*v3*/,
                                float /*v4*/, float /*v5*/, float /*v6*/) {
    return 0;
}

// Not built yet: until the LACE read lands this reports failure.
Bool CIntelGraphic::GetLACE(uint32_t* /*enabled*/, uint32_t* /*second*/, uint32_t* /*level*/) {
    return 0;
}

// Not built yet: until the LACE write lands this reports failure.
Bool CIntelGraphic::SetLACE(uint32_t /*enable*/, uint32_t /*level*/) {
    return 0;
}

// Not built yet: until the six-sector block lands this reports failure.
Bool CIntelGraphic::GetDisplayTccArray(uint32_t* /*first*/, uint32_t* /*values*/) {
    return 0;
}

// Not built yet: until the six-sector block lands this reports failure.
Bool CIntelGraphic::SetDisplayTccArray(int32_t /*enable*/, const uint32_t* /*values*/) {
    return 0;
}

// Not built yet: until the display TCC block lands this reports failure.
Bool CIntelGraphic::GetDisplayTcc(uint32_t* /*enable*/, uint32_t* /*r*/, uint32_t* /*g*/,
                                  uint32_t* /*b*/, uint32_t* /*y*/, uint32_t* /*c*/,
                                  uint32_t* /*m*/) {
    return 0;
}

// Not built yet: until the display TCC block lands this reports failure.
Bool CIntelGraphic::SetDisplayTcc(uint32_t /*enable*/, uint32_t /*r*/, uint32_t /*g*/,
                                  uint32_t /*b*/, uint32_t /*y*/, uint32_t /*c*/, uint32_t /*m*/) {
    return 0;
}

// Not built yet: until the colour-matrix blocks land this reports failure.
Bool CIntelGraphic::GetColorMatrix(Bool /*secondDisplay*/, uint32_t* /*enabled*/,
                                   uint32_t* /*value*/, uint32_t* /*third*/, uint32_t* /*fourth*/,
                                   float* /*matrix*/) {
    return 0;
}

// Not built yet: until the colour-matrix blocks land this reports failure.
Bool CIntelGraphic::SetColorMatrix(Bool /*secondDisplay*/, uint32_t /*value*/, uint32_t /*third*/,
                                   Bool /*withMatrix*/, const float* /*matrix*/) {
    return 0;
}

// Not built yet: until the DPST block lands this reports failure.
Bool CIntelGraphic::GetDPST(uint32_t* /*enabled*/, uint32_t* /*level*/) {
    return 0;
}

// Not built yet: until the DPST block lands this reports failure.
Bool CIntelGraphic::SetDPST(uint32_t /*enable*/, uint32_t /*level*/) {
    return 0;
}

// Not built yet: until the AUX block lands this reports failure.
Bool CIntelGraphic::WriteDPAuxData(uint32_t /*address*/, uint32_t /*value*/) {
    return 0;
}

// Not built yet: until the AUX block lands this reports failure.
Bool CIntelGraphic::ReadDPAuxData(uint32_t /*address*/, uint8_t* /*value*/) {
    return 0;
}

// Not built yet: until the AUX block lands this reports failure.
Bool CIntelGraphic::WriteDPAuxDataEx(uint32_t /*mode*/, uint32_t /*address*/,
                                     const uint8_t* /*data*/, int32_t /*size*/) {
    return 0;
}

// Not built yet: until the AUX block lands this reports failure.
Bool CIntelGraphic::ReadDPAuxDataEx(uint32_t /*mode*/, uint32_t /*address*/, uint8_t* /*data*/,
                                    int32_t /*size*/) {
    return 0;
}

// Not built yet: until the panel-size block lands this reports failure.
Bool CIntelGraphic::GetPanelSize(uint32_t* /*width*/, uint32_t* /*height*/) {
    return 0;
}

} // namespace varnet
