// The pixel-transformation pipeline as the gamma, matrix and 3D LUT operations share it: one
// block sent at a time, and the 3D LUT buffers kept in the object.
#include <cstring>
#include <new>

#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_exports.h"
#include "igcl/partial_saturation_lut.h"

namespace varnet {

ctl_result_t CIntelGraphicIGCL::SetPixelBlock(ctl_pixtx_block_config_t* block, uint32_t opType,
                                              uint32_t flags) {
    ctl_pixtx_pipe_set_config_t args;
    std::memset(&args, 0, sizeof args);
    args.Size = sizeof args;
    args.Version = 0;
    args.OpertaionType = opType;
    args.Flags = flags;
    args.NumBlocks = 1;
    args.pBlockConfigs = block;
    return ctlPixelTransformationSetConfig(m_hDisplay, &args);
}

uint32_t CIntelGraphicIGCL::LutPointsPerAxis() const {
    return m_threeDLutBlock.Config.ThreeDLutConfig.NumSamplesPerChannel;
}

// Always the largest grid: a block reporting 0 points still gets a full buffer, and no smaller
// N can make a later operation outgrow it.
bool CIntelGraphicIGCL::EnsureLutBuffer(std::unique_ptr<ctl_pixtx_3dlut_sample_t[]>& buffer) {
    if (buffer == nullptr) {
        buffer.reset(new (std::nothrow) ctl_pixtx_3dlut_sample_t[igcl::kMaxLutEntries]());
    }
    return buffer != nullptr;
}

bool CIntelGraphicIGCL::BuildIdentityGrid() {
    if (!EnsureLutBuffer(m_p3DLutGrid)) {
        return false;
    }
    const std::size_t n = LutPointsPerAxis();
    if (n > igcl::kMaxLutPointsPerAxis) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t k = 0; k < n; ++k) {
                m_p3DLutGrid[(i * n + j) * n + k] = {static_cast<double>(i) / 16.0,
                                                     static_cast<double>(j) / 16.0,
                                                     static_cast<double>(k) / 16.0};
            }
        }
    }
    return true;
}

} // namespace varnet
