// 3D look-up tables on the Control Library back-end: read back from the driver, built from a
// colour matrix, or built from the six hue-sector weights of the partial saturation. Tables are
// N x N x N triples of doubles, red index outermost, on the grid i / 16.
#include <cstring>

#include "backend/color_transform_srgb.h"
#include "config/settings_store.h"
#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_exports.h"
#include "igcl/igcl_diagnostics.h"
#include "igcl/partial_saturation_lut.h"

namespace varnet {

namespace {

// A matrix-built table must survive the display sleeping.
constexpr uint32_t kPersistAcrossPowerEvents =
    CTL_PIXTX_PIPE_SET_CONFIG_FLAG_PERSIST_ACROSS_POWER_EVENTS;

// Weight w is a gain of w / 50 + 1: 0 leaves a sector alone, 50 doubles it, -50 greys it.
double SectorGain(uint32_t weight) {
    return static_cast<int32_t>(weight) / 50.0 + 1.0;
}

void ReadWeight(const char* name, uint32_t* out) {
    if (out != nullptr) {
        ReadSettingDword(name, out);
    }
}

} // namespace

// .cube files are a CUI back-end feature; this one has nothing to read them into.
Bool CIntelGraphicIGCL::LoadCubeFile(const char* /*name*/, Packed3DLut* /*table*/) {
    return 1;
}

// Packed tables belong to the CUI back-end; this one builds its own from matrices.
Bool CIntelGraphicIGCL::Set3DLut(Bool /*enable*/, const Packed3DLut* /*table*/) {
    return 0;
}

void CIntelGraphicIGCL::Build3DLut(const float* /*matrix*/, Packed3DLut* /*table*/) {}

Bool CIntelGraphicIGCL::Reset3DLut() {
    return 0;
}

// Neither argument is used: the table read lands in the object's own grid, for SetDisplayTcc.
Bool CIntelGraphicIGCL::Get3DLut(uint32_t* /*enabled*/, Packed3DLut* /*table*/) {
    if (!Guard() || LutPointsPerAxis() > igcl::kMaxLutPointsPerAxis) {
        return 0;
    }
    if (m_p3DLutGrid == nullptr) {
        return BuildIdentityGrid() ? 1 : 0;
    }
    ctl_pixtx_block_config_t block = m_threeDLutBlock;
    block.Config.ThreeDLutConfig.pSampleValues = m_p3DLutGrid.get();
    ctl_pixtx_pipe_get_config_t args;
    std::memset(&args, 0, sizeof args);
    args.Size = sizeof args;
    args.QueryType = CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT;
    args.NumBlocks = 1;
    args.pBlockConfigs = &block;
    const ctl_result_t result = ctlPixelTransformationGetConfig(m_hDisplay, &args);
    if (result != CTL_RESULT_SUCCESS) {
        igcl::DebugPrintf(
            "ctlPixelTransformationGetConfig for set custom 3dlut returned failure code: 0x%X\n",
            result);
        return 0;
    }
    igcl::DebugPrintf("ctlPixelTransformationGetConfig for set custom 3dlut passed\n");
    return 1;
}

// The fallback saturation is a CUI back-end affair: this driver reports no "not in effect".
Bool CIntelGraphicIGCL::Set3DLutParams(Bool enable, const float* matrix,
                                       int32_t /*fallbackSaturation*/) {
    if (matrix == nullptr || !Guard()) {
        return 0;
    }
    const std::size_t n = LutPointsPerAxis();
    if (n > igcl::kMaxLutPointsPerAxis || !EnsureLutBuffer(m_p3DLutGrid)) {
        return 0;
    }
    ctl_pixtx_3dlut_sample_t* grid = m_p3DLutGrid.get();
    ColorTransformSrgbGrid(matrix, n, [grid](std::size_t entry, const RgbDouble& out) {
        grid[entry] = {out.red, out.green, out.blue};
    });
    ctl_pixtx_block_config_t block = m_threeDLutBlock;
    block.Config.ThreeDLutConfig.pSampleValues = grid;
    const uint32_t opType = enable != 0 ? CTL_PIXTX_CONFIG_OPERTAION_TYPE_SET_CUSTOM
                                        : CTL_PIXTX_CONFIG_OPERTAION_TYPE_RESTORE_DEFAULT;
    const ctl_result_t result = SetPixelBlock(&block, opType, kPersistAcrossPowerEvents);
    if (result != CTL_RESULT_SUCCESS) {
        for (int i = 0; i < 2; ++i) {
            igcl::DebugPrintf(
                "ctlPixelTransformationSetConfig for set custom 3dlut returned failure code: "
                "0x%X\n",
                result);
        }
        return 0;
    }
    return 1;
}

Bool CIntelGraphicIGCL::GetDisplayTccArray(uint32_t* first, uint32_t* values) {
    if (values == nullptr) {
        return GetDisplayTcc(first, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    return GetDisplayTcc(first, &values[0], &values[1], &values[2], &values[3], &values[4],
                         &values[5]);
}

Bool CIntelGraphicIGCL::SetDisplayTccArray(int32_t enable, const uint32_t* values) {
    if (values == nullptr) {
        return 0;
    }
    return SetDisplayTcc(static_cast<uint32_t>(enable), values[0], values[1], values[2], values[3],
                         values[4], values[5]);
}

// The weights the last accepted SetDisplayTcc stored; the enable output is not ours to give.
Bool CIntelGraphicIGCL::GetDisplayTcc(uint32_t* /*enable*/, uint32_t* r, uint32_t* g, uint32_t* b,
                                      uint32_t* y, uint32_t* c, uint32_t* m) {
    ReadWeight("igcl_disptcc_R", r);
    ReadWeight("igcl_disptcc_G", g);
    ReadWeight("igcl_disptcc_B", b);
    ReadWeight("igcl_disptcc_C", c);
    ReadWeight("igcl_disptcc_M", m);
    ReadWeight("igcl_disptcc_Y", y);
    return 1;
}

// Weights cross the interface unsigned but are signed percentages. The result is 1 whether or
// not the driver took the table; only a table that could not be built gives its error code.
Bool CIntelGraphicIGCL::SetDisplayTcc(uint32_t /*enable*/, uint32_t r, uint32_t g, uint32_t b,
                                      uint32_t y, uint32_t c, uint32_t m) {
    if (!Guard()) {
        return 0;
    }
    const double gains[igcl::kHueSectorCount] = {SectorGain(r), SectorGain(y), SectorGain(g),
                                                 SectorGain(c), SectorGain(b), SectorGain(m)};
    const uint32_t n = LutPointsPerAxis();
    ctl_result_t generated = CTL_RESULT_ERROR_INVALID_SIZE;
    if (n <= igcl::kMaxLutPointsPerAxis) {
        generated = CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        if ((m_p3DLutGrid != nullptr || BuildIdentityGrid()) && EnsureLutBuffer(m_p3DLutWork)) {
            std::memcpy(m_p3DLutWork.get(), m_p3DLutGrid.get(),
                        igcl::kMaxLutEntries * sizeof(ctl_pixtx_3dlut_sample_t));
            generated = igcl::GeneratePartialSaturationLut(m_p3DLutWork.get(), n, gains);
        }
    }
    if (generated != CTL_RESULT_SUCCESS) {
        igcl::DebugPrintf("Genration of 3DLUT from partial saturation weights failed with "
                          "failure \n");
        return static_cast<Bool>(generated);
    }
    ctl_pixtx_block_config_t block = m_threeDLutBlock;
    block.Config.ThreeDLutConfig.pSampleValues = m_p3DLutWork.get();
    if (SetPixelBlock(&block, CTL_PIXTX_CONFIG_OPERTAION_TYPE_SET_CUSTOM, 0) ==
        CTL_RESULT_SUCCESS) {
        WriteSettingDword("igcl_disptcc_R", r);
        WriteSettingDword("igcl_disptcc_G", g);
        WriteSettingDword("igcl_disptcc_B", b);
        WriteSettingDword("igcl_disptcc_C", c);
        WriteSettingDword("igcl_disptcc_M", m);
        WriteSettingDword("igcl_disptcc_Y", y);
    }
    return 1;
}

} // namespace varnet
