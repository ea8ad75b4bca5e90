// Saturation and the colour-space-conversion matrix on the Control Library back-end. Both
// reach the driver as one 3x3 matrix block: the saturation matrix (a chroma gain in BT.709
// YCbCr) times the CSC matrix. The last values set are kept in the settings registry, because
// the object that set them lives for one exported call only.
#include <cmath>
#include <cstring>

#include "backend/saturating_truncation.h"
#include "config/settings_store.h"
#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_exports.h"
#include "igcl/igcl_diagnostics.h"

namespace varnet {

namespace {

using Matrix3 = double[3][3];

constexpr Matrix3 kBt709YcbcrToRgb = {
    {1.0, 0.0, 1.5748}, {1.0, -0.1873, -0.4681}, {1.0, 1.8556, 0.0}};
constexpr Matrix3 kBt709RgbToYcbcr = {
    {0.2126, 0.7152, 0.0722}, {-0.1146, -0.3854, 0.5}, {0.5, -0.4542, -0.0458}};
constexpr Matrix3 kIdentity = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

constexpr uint32_t kMissing = 0xFFFFFFFFu;
constexpr double kCscScale = 10000.0;
constexpr const char* kCscElementNames[3][3] = {{"igcl_m00", "igcl_m01", "igcl_m02"},
                                                {"igcl_m10", "igcl_m11", "igcl_m12"},
                                                {"igcl_m20", "igcl_m21", "igcl_m22"}};

void Multiply(const Matrix3& a, const Matrix3& b, Matrix3& out) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            out[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
        }
    }
}

void Copy(const Matrix3& from, Matrix3& to) {
    std::memcpy(to, from, sizeof(Matrix3));
}

// Luma kept, both chroma components scaled by saturation / 100 + 1; exactly 0 is the identity
// rather than the rounded round trip through the two tables.
void BuildSaturationMatrix(float saturation, Matrix3& out) {
    if (saturation == 0.0f) {
        Copy(kIdentity, out);
        return;
    }
    const double k = static_cast<double>(saturation) / 100.0 + 1.0;
    Matrix3 scaled;
    Copy(kBt709RgbToYcbcr, scaled);
    for (int c = 0; c < 3; ++c) {
        scaled[1][c] *= k;
        scaled[2][c] *= k;
    }
    Multiply(kBt709YcbcrToRgb, scaled, out);
}

void StoreSigned(const char* name, int32_t value) {
    WriteSettingDword(name, static_cast<uint32_t>(value));
}

} // namespace

// The hue has no place in the pipeline; only the saturation is applied.
Bool CIntelGraphicIGCL::SetHueSat(float /*hue*/, float saturation) {
    return SetSaturation(saturation);
}

Bool CIntelGraphicIGCL::SetSaturation(float saturation) {
    if (!std::isfinite(saturation)) {
        return 0;
    }
    BuildSaturationMatrix(saturation, m_saturationMatrix);
    ctl_pixtx_block_config_t block = m_matrixBlock;
    Multiply(m_saturationMatrix, m_cscMatrix, block.Config.MatrixConfig.Matrix);
    if (SetPixelBlock(&block, CTL_PIXTX_CONFIG_OPERTAION_TYPE_SET_CUSTOM, 0) !=
        CTL_RESULT_SUCCESS) {
        return 0;
    }
    m_fSaturation = saturation;
    StoreSigned("igcl_saturation", TruncateToInt32(saturation));
    return 1;
}

Bool CIntelGraphicIGCL::SetCscMatrix(uint32_t /*flag*/, const double* matrix) {
    if (matrix == nullptr) {
        return 0;
    }
    std::memcpy(m_cscMatrix, matrix, sizeof m_cscMatrix);
    ctl_pixtx_block_config_t block = m_matrixBlock;
    block.BlockType = CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX;
    block.BlockId = m_nCscBlockId;
    ctl_pixtx_matrix_config_t& config = block.Config.MatrixConfig;
    const double offsets[3] = {1.0, 0.0, 0.0};
    std::memcpy(config.PreOffsets, offsets, sizeof offsets);
    std::memcpy(config.PostOffsets, offsets, sizeof offsets);
    Multiply(m_saturationMatrix, m_cscMatrix, config.Matrix);
    if (SetPixelBlock(&block, CTL_PIXTX_CONFIG_OPERTAION_TYPE_SET_CUSTOM, 0) !=
        CTL_RESULT_SUCCESS) {
        igcl::DebugPrintf("ctlPixelTransformationSetConfig (CSC)\n");
        return 0;
    }

    int32_t stored[3][3];
    bool identity = true;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            stored[r][c] = TruncateToInt32(m_cscMatrix[r][c] * kCscScale);
            identity = identity && stored[r][c] == (r == c ? 10000 : 0);
        }
    }
    // An identity CSC means "no correction", and the recorded saturation goes with it.
    if (identity) {
        m_fSaturation = 0.0f;
        StoreSigned("igcl_saturation", 0);
    }
    WriteSettingDword("igcl_CscOnOff", 1);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            StoreSigned(kCscElementNames[r][c], stored[r][c]);
        }
    }
    return 1;
}

Bool CIntelGraphicIGCL::GetCscMatrix(uint32_t* onOff, double* matrix) {
    uint32_t state = kMissing;
    ReadSettingDword("igcl_CscOnOff", &state);
    if (onOff != nullptr) {
        *onOff = state;
    }
    if (state == kMissing) {
        if (matrix != nullptr) {
            std::memcpy(matrix, kIdentity, sizeof kIdentity);
        }
        return 1;
    }
    WriteSettingDword("igcl_CscOnOff", 1);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            uint32_t value = 0;
            ReadSettingDword(kCscElementNames[r][c], &value);
            if (matrix != nullptr) {
                matrix[r * 3 + c] = static_cast<int32_t>(value) / kCscScale;
            }
        }
    }
    return 1;
}

Bool CIntelGraphicIGCL::GetHueSat(float* saturation) {
    uint32_t value = kMissing;
    ReadSettingDword("igcl_saturation", &value);
    if (value == kMissing) {
        m_fSaturation = 0.0f;
        WriteSettingDword("igcl_saturation", 0);
    } else {
        m_fSaturation = static_cast<float>(static_cast<int32_t>(value));
    }
    if (saturation != nullptr) {
        *saturation = m_fSaturation;
    }
    return 1;
}

} // namespace varnet
