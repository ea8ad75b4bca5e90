// The Control Library back-end: the driver's run time "ControlLib", reached through the
// process-wide module that the exported ctl* functions load.
#pragma once

#include <cstdint>
#include <memory>

#include "backend/cgraphics.h"
#include "igcl/igcl_api.h"

namespace varnet {

class CIntelGraphicIGCL final : public CGraphics {
public:
    CIntelGraphicIGCL();
    ~CIntelGraphicIGCL() override;

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

    // Read-only views for tests and the tool.
    bool IsInitialized() const { return m_bInitialized != 0; }
    ctl_api_handle_t ApiHandle() const { return m_hApi; }
    ctl_display_output_handle_t Display() const { return m_hDisplay; }
    uint32_t AdapterIndex() const { return m_nAdapterIndex; }
    uint32_t AdapterCount() const { return m_nAdapterCount; }
    bool HasPixelTransformCaps() const { return m_bPixTxCaps != 0; }
    uint32_t CscBlockId() const { return m_nCscBlockId; }
    const ctl_pixtx_block_config_t& OneDLutBlock() const { return m_oneDLutBlock; }
    const ctl_pixtx_block_config_t& ThreeDLutBlock() const { return m_threeDLutBlock; }
    const ctl_pixtx_block_config_t& MatrixBlock() const { return m_matrixBlock; }

private:
    // The InitLib guard every run-time operation starts with.
    bool Guard();
    // Looks through one adapter's displays for the built-in panel.
    void FindDisplay(uint32_t adapterIndex);
    ctl_result_t QueryPipeline();
    ctl_result_t GetCapabilities(ctl_pixtx_pipe_get_config_t* caps);
    // Size query then read of one EDID block into a 1024-byte buffer; size gets the bytes read.
    ctl_result_t ReadEdidBlock(uint32_t blockNumber, uint8_t* buffer, uint32_t* size);
    // The current LACE state, asked the same way by GetLACE and IsLACESupport.
    ctl_result_t QueryLace(ctl_lace_config_t* config);
    // One block to the pixel pipeline of the display.
    ctl_result_t SetPixelBlock(ctl_pixtx_block_config_t* block, uint32_t opType, uint32_t flags);
    // Points per axis of the pipeline's 3D LUT block as the driver reported it.
    uint32_t LutPointsPerAxis() const;
    // Gives buffer room for the largest grid, zeroed, if it has none yet; false when it cannot.
    static bool EnsureLutBuffer(std::unique_ptr<ctl_pixtx_3dlut_sample_t[]>& buffer);
    // m_p3DLutGrid as the identity grid (i / 16, j / 16, k / 16); false when it cannot be had.
    bool BuildIdentityGrid();
    // The adapter of the chosen display; null when start-up found none to index.
    ctl_device_adapter_handle_t CurrentAdapter() const;
    // One video-processing feature get or set on that adapter.
    ctl_result_t VideoFeature(uint32_t feature, bool set, uint32_t valueType, ctl_property_t* value,
                              void* custom, int32_t customSize);
    // The display's power-optimisation caps; reports a failure as a debugger text.
    ctl_result_t QueryPowerCaps(ctl_power_optimization_caps_t* caps);

    uint32_t m_nAceSecondFlag = 0;
    uint32_t m_nPanelWidth = 0;
    uint32_t m_nPanelHeight = 0;
    std::unique_ptr<ctl_pixtx_3dlut_sample_t[]> m_p3DLutGrid;
    std::unique_ptr<ctl_pixtx_3dlut_sample_t[]> m_p3DLutWork;
    double m_saturationMatrix[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    double m_cscMatrix[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    float m_fSaturation = 0.0f;
    char m_szPanelId[kPanelIdBufferSize] = {};
    std::unique_ptr<ctl_device_adapter_handle_t[]> m_phAdapters;
    uint32_t m_nAdapterIndex = 0;
    uint32_t m_nAdapterCount = 0;
    ctl_display_output_handle_t m_hDisplay = nullptr;
    uint32_t m_nCscBlockId = 0;
    ctl_pixtx_block_config_t m_oneDLutBlock = {};
    ctl_pixtx_block_config_t m_threeDLutBlock = {};
    ctl_pixtx_block_config_t m_matrixBlock = {};
    ctl_pixtx_pipe_get_config_t m_pipeGetArgs = {};
    std::unique_ptr<double[]> m_pOneDLutSamples;
    uint32_t m_bPixTxCaps = 0;
    uint32_t m_bInitialized = 0;
    ctl_api_handle_t m_hApi = nullptr;
};

} // namespace varnet
