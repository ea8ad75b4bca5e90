// The pixel-transformation pipeline: its capability query.
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

void FillBlock(const PipelineBlock& spec, ctl_pixtx_block_config_t& block) {
    block.Size = sizeof(ctl_pixtx_block_config_t);
    block.BlockId = spec.id;
    block.BlockType = spec.type;
    // Capabilities carry no sample buffers: the caller's pointers stay as they are.
    switch (spec.type) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT:
        block.Config.OneDLutConfig.Size = sizeof(ctl_pixtx_1dlut_config_t);
        block.Config.OneDLutConfig.SamplingType = spec.sampling;
        block.Config.OneDLutConfig.NumSamplesPerChannel = spec.samples;
        block.Config.OneDLutConfig.NumChannels = spec.channels;
        break;
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT:
        block.Config.ThreeDLutConfig.Size = sizeof(ctl_pixtx_3dlut_config_t);
        block.Config.ThreeDLutConfig.NumSamplesPerChannel = spec.samples;
        break;
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX:
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX_AND_OFFSETS:
        block.Config.MatrixConfig.Size = sizeof(ctl_pixtx_matrix_config_t);
        break;
    default:
        break;
    }
}

ctl_result_t Capability(const DisplaySpec& spec, ctl_pixtx_pipe_get_config_t& config) {
    const uint32_t available = static_cast<uint32_t>(spec.pipeline.size());
    if (!config.pBlockConfigs) {
        config.NumBlocks = available;
        return CTL_RESULT_SUCCESS;
    }
    if (config.NumBlocks < available) {
        config.NumBlocks = available;
        return kResultInsufficientBlockMemory;
    }
    for (uint32_t i = 0; i < available; ++i)
        FillBlock(spec.pipeline[i], config.pBlockConfigs[i]);
    config.NumBlocks = available;
    return CTL_RESULT_SUCCESS;
}

} // namespace

ctl_result_t CtlPixelTransformationGetConfig(ctl_display_output_handle_t displayHandle,
                                             ctl_pixtx_pipe_get_config_t* config) {
    return Answer("ctlPixelTransformationGetConfig", [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!config)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        record.args = {{"display", display->spec->name},
                       {"size", config->Size},
                       {"queryType", config->QueryType},
                       {"numBlocks", config->NumBlocks},
                       {"blocks", config->pBlockConfigs != nullptr}};
        if (auto injected = Injected(record))
            return *injected;
        if (config->Size < sizeof(ctl_pixtx_pipe_get_config_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        switch (config->QueryType) {
        case CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY: {
            ctl_result_t result = Capability(*display->spec, *config);
            record.extra["out"] = {{"numBlocks", config->NumBlocks}};
            return result;
        }
        case CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT:
            return CTL_RESULT_ERROR_NOT_IMPLEMENTED;
        default:
            return kResultInvalidPixTxQueryType;
        }
    });
}

} // namespace varnet::sim::controllib
