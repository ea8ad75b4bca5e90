// Connection to the Control Library run time: start-up, choice of adapter and display, the
// pixel-transformation pipeline, and the panel's identity from its EDID.
#include <algorithm>
#include <cstring>
#include <new>

#include "backend/edid_rules.h"
#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_binding.h"
#include "igcl/ctl_exports.h"
#include "igcl/igcl_diagnostics.h"

namespace varnet {

using igcl::DebugPrintf;
using igcl::StdoutPrintf;

namespace {

constexpr uint32_t kMaxAdapters = 100;
// The OS display encoder id of the notebook's built-in panel.
constexpr uint32_t kBuiltInEncoderId = 0x00800050;
constexpr uint32_t kOneDLutSamplesPerChannel = 256;
constexpr uint32_t kEdidBufferSize = 1024;

template <class T> std::unique_ptr<T[]> AllocateZeroed(std::size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]());
}

} // namespace

CIntelGraphicIGCL::CIntelGraphicIGCL() = default;

CIntelGraphicIGCL::~CIntelGraphicIGCL() {
    // The arrays go with their owners; the base part frees the saved gamma ramp.
    CloseRuntime(m_hApi);
}

bool CIntelGraphicIGCL::Guard() {
    return m_bInitialized != 0 || InitLib() != 0;
}

Bool CIntelGraphicIGCL::InitLib() {
    if (m_bInitialized != 0) {
        return 1;
    }
    ctl_init_args_t initArgs = {};
    initArgs.Size = sizeof initArgs;
    initArgs.Version = 0;
    initArgs.AppVersion = CTL_MAKE_VERSION(1, 0);
    if (ctlInit(&initArgs, &m_hApi) != CTL_RESULT_SUCCESS) {
        DebugPrintf("fail: ctlInit()\r\nCheck Driver version or Platform");
        return 0;
    }

    // A failed earlier attempt may have left an array behind; the count query must see none.
    m_phAdapters.reset();
    m_nAdapterCount = 0;
    if (ctlEnumerateDevices(m_hApi, &m_nAdapterCount, nullptr) != CTL_RESULT_SUCCESS ||
        m_nAdapterCount > kMaxAdapters) {
        return 0;
    }
    const uint32_t allocated = m_nAdapterCount;
    m_phAdapters = AllocateZeroed<ctl_device_adapter_handle_t>(allocated);
    if (m_phAdapters == nullptr) {
        return 0;
    }
    const ctl_result_t result = ctlEnumerateDevices(m_hApi, &m_nAdapterCount, m_phAdapters.get());
    if (result != CTL_RESULT_SUCCESS) {
        StdoutPrintf("ctlEnumerateDevices returned failure code: 0x%X\n", result);
        return 0;
    }
    // Never walk past what was allocated, whatever count the second call reported.
    m_nAdapterCount = std::min(m_nAdapterCount, allocated);

    // A later adapter with the panel overrides an earlier one: the last match wins.
    for (uint32_t a = 0; a < m_nAdapterCount; ++a) {
        FindDisplay(a);
    }

    QueryPipeline(); // a display without a pipeline is still a display
    m_bInitialized = 1;
    return 1;
}

void CIntelGraphicIGCL::FindDisplay(uint32_t adapterIndex) {
    ctl_device_adapter_handle_t adapter = m_phAdapters[adapterIndex];
    uint32_t count = 0;
    ctl_result_t result = ctlEnumerateDisplayOutputs(adapter, &count, nullptr);
    if (result != CTL_RESULT_SUCCESS) {
        StdoutPrintf("ctlEnumerateDisplayOutputs returned failure code: 0x%X\n", result);
        return;
    }
    const uint32_t allocated = count;
    auto displays = AllocateZeroed<ctl_display_output_handle_t>(allocated);
    if (displays == nullptr) {
        return;
    }
    result = ctlEnumerateDisplayOutputs(adapter, &count, displays.get());
    if (result != CTL_RESULT_SUCCESS) {
        StdoutPrintf("ctlEnumerateDisplayOutputs returned failure code: 0x%X\n", result);
        return;
    }
    count = std::min(count, allocated);
    for (uint32_t d = 0; d < count; ++d) {
        ctl_display_properties_t properties = {};
        properties.Size = sizeof properties;
        // A failed call leaves the record zeroed, which matches nothing.
        ctlGetDisplayProperties(displays[d], &properties);
        if (properties.Os_display_encoder_handle.WindowsDisplayEncoderID == kBuiltInEncoderId) {
            m_nAdapterIndex = adapterIndex;
            m_hDisplay = displays[d];
            return;
        }
    }
}

ctl_result_t CIntelGraphicIGCL::GetCapabilities(ctl_pixtx_pipe_get_config_t* caps) {
    StdoutPrintf("Start of get capability call\n");
    if (m_hDisplay == nullptr) {
        return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
    }
    // The array holds as many blocks as were asked for, whatever count the driver answers.
    const uint32_t room = caps->pBlockConfigs != nullptr ? caps->NumBlocks : 0;
    const ctl_result_t result = ctlPixelTransformationGetConfig(m_hDisplay, caps);
    if (result != CTL_RESULT_SUCCESS) {
        StdoutPrintf(
            "ctlPixelTransformationGetConfig for query type capability returned failure code: "
            "0x%X\n",
            result);
    } else {
        StdoutPrintf("ctlPixelTransformationGetConfig for query type capability passed\n");
        StdoutPrintf("GetPixTxCapsArgs.NumBlocks = %d\n", static_cast<int>(caps->NumBlocks));
        const uint32_t shown = std::min(caps->NumBlocks, room);
        for (uint32_t i = 0; caps->pBlockConfigs != nullptr && i < shown; ++i) {
            const ctl_pixtx_block_config_t& block = caps->pBlockConfigs[i];
            const int n = static_cast<int>(i);
            StdoutPrintf("pPixTxCaps->pBlockConfigs[%d].BlockId = %d\n", n,
                         static_cast<int>(block.BlockId));
            if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
                const ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
                StdoutPrintf("Block type is CTL_PIXTX_BLOCK_TYPE_1D_LUT\n");
                StdoutPrintf(
                    "pPixTxCaps->pBlockConfigs[%d].Config.OneDLutConfig.NumChannels = %d\n", n,
                    static_cast<int>(lut.NumChannels));
                StdoutPrintf("pPixTxCaps->pBlockConfigs[%d].Config.OneDLutConfig."
                             "NumSamplesPerChannel = %d\n",
                             n, static_cast<int>(lut.NumSamplesPerChannel));
                StdoutPrintf(
                    "pPixTxCaps->pBlockConfigs[%d].Config.OneDLutConfig.SamplingType = %d\n", n,
                    static_cast<int>(lut.SamplingType));
            } else if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX) {
                StdoutPrintf("Block type is CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX\n");
            }
        }
    }
    StdoutPrintf("End of get capability call\n");
    return result;
}

ctl_result_t CIntelGraphicIGCL::QueryPipeline() {
    ctl_pixtx_pipe_get_config_t caps = {};
    caps.Size = sizeof caps;
    caps.QueryType = CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY;
    GetCapabilities(&caps);
    if (caps.NumBlocks == 0) {
        DebugPrintf("ctlPixelTransformationGetConfig for query type capability returned number of "
                    "blocks as 0");
        return CTL_RESULT_ERROR_INVALID_SIZE;
    }
    const uint32_t allocated = caps.NumBlocks;
    auto blocks = AllocateZeroed<ctl_pixtx_block_config_t>(allocated);
    if (blocks == nullptr) {
        return CTL_RESULT_ERROR_INVALID_SIZE;
    }
    caps.pBlockConfigs = blocks.get();
    GetCapabilities(&caps);

    // Whole records, padding included: they are handed to the driver as they are.
    std::memset(&m_oneDLutBlock, 0, sizeof m_oneDLutBlock);
    std::memset(&m_threeDLutBlock, 0, sizeof m_threeDLutBlock);
    std::memset(&m_matrixBlock, 0, sizeof m_matrixBlock);
    std::memset(&m_pipeGetArgs, 0, sizeof m_pipeGetArgs);
    m_oneDLutBlock.Size = sizeof(ctl_pixtx_block_config_t);
    m_threeDLutBlock.Size = sizeof(ctl_pixtx_block_config_t);
    m_matrixBlock.Size = sizeof(ctl_pixtx_block_config_t);
    m_pipeGetArgs.Size = sizeof(ctl_pixtx_pipe_get_config_t);

    const uint32_t returned = std::min(caps.NumBlocks, allocated);
    for (uint32_t i = 0; i < returned; ++i) {
        const ctl_pixtx_block_config_t& block = blocks[i];
        switch (block.BlockType) {
        case CTL_PIXTX_BLOCK_TYPE_1D_LUT: {
            m_oneDLutBlock = block;
            m_oneDLutBlock.Size = sizeof(ctl_pixtx_block_config_t);
            ctl_pixtx_1dlut_config_t& lut = m_oneDLutBlock.Config.OneDLutConfig;
            lut.NumSamplesPerChannel = kOneDLutSamplesPerChannel;
            m_pOneDLutSamples = AllocateZeroed<double>(static_cast<std::size_t>(lut.NumChannels) *
                                                       kOneDLutSamplesPerChannel);
            lut.pSampleValues = m_pOneDLutSamples.get();
            break;
        }
        case CTL_PIXTX_BLOCK_TYPE_3D_LUT:
            m_threeDLutBlock = block;
            break;
        case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX:
            m_matrixBlock = block;
            m_nCscBlockId = block.BlockId;
            break;
        default:
            break;
        }
    }
    m_bPixTxCaps = 1;
    return CTL_RESULT_SUCCESS;
}

ctl_result_t CIntelGraphicIGCL::ReadEdidBlock(uint32_t blockNumber, uint8_t* buffer,
                                              uint32_t* size) {
    ctl_panel_descriptor_access_args_t args = {};
    args.Size = sizeof args;
    args.Version = 0;
    args.OpType = CTL_OPERATION_TYPE_READ;
    args.BlockNumber = blockNumber;
    ctl_result_t result = ctlPanelDescriptorAccess(m_hDisplay, &args);
    if (result != CTL_RESULT_SUCCESS) {
        DebugPrintf("check: ctlPanelDescriptorAccess()\n");
        return result;
    }
    // The buffer holds 1024 bytes; a larger announced size is read only as far as it fits.
    args.DescriptorDataSize = std::min(args.DescriptorDataSize, kEdidBufferSize);
    args.pDescriptorData = buffer;
    result = ctlPanelDescriptorAccess(m_hDisplay, &args);
    *size = std::min(args.DescriptorDataSize, kEdidBufferSize);
    return result;
}

const char* CIntelGraphicIGCL::GetPannelModelName() {
    if (!Guard()) {
        return nullptr;
    }
    uint8_t edid[kEdidBufferSize] = {};
    uint32_t size = 0;
    if (ReadEdidBlock(0, edid, &size) != CTL_RESULT_SUCCESS) {
        return nullptr;
    }
    const EdidBaseBlock base = std::span(edid).first<kEdidBaseBlockSize>();
    const PanelSize panel = FirstTimingActivePixels(base);
    m_nPanelWidth = panel.width;
    m_nPanelHeight = panel.height;
    for (uint32_t i = 0; i < size; ++i) {
        DebugPrintf("EDID data[%d] = : 0x%X\n", static_cast<int>(i), edid[i]);
    }
    BuildPanelId(base, m_szPanelId);

    // Extension blocks are only dumped, but an unreadable one fails the whole identification.
    const uint32_t extensions = edid[126];
    for (uint32_t n = 1; n <= extensions; ++n) {
        uint8_t extension[kEdidBufferSize] = {};
        uint32_t extensionSize = 0;
        if (ReadEdidBlock(n, extension, &extensionSize) != CTL_RESULT_SUCCESS) {
            return nullptr;
        }
        for (uint32_t i = 0; i < extensionSize; ++i) {
            DebugPrintf("extEDID data[%d] = : 0x%X\n", static_cast<int>(i), extension[i]);
        }
    }
    return m_szPanelId;
}

Bool CIntelGraphicIGCL::GetPanelSize(uint32_t* width, uint32_t* height) {
    if (!Guard()) {
        return 0;
    }
    // Before any EDID was read the size is unknown; a common panel size stands in.
    const bool known = m_nPanelWidth != 0;
    if (width != nullptr) {
        *width = known ? m_nPanelWidth : 1920;
    }
    if (height != nullptr) {
        *height = known ? m_nPanelHeight : 1080;
    }
    return 1;
}

} // namespace varnet
