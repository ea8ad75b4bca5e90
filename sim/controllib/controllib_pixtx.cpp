// The pixel-transformation pipeline: its capability query and the current contents of its
// blocks, read from the driver state.
#include "controllib/controllib_pixtx.h"

#include <cstring>
#include <vector>

#include "common/driver_model.h"
#include "common/lut_summary.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

using nlohmann::json;

void FillBlock(const PipelineBlock& desc, ctl_pixtx_block_config_t& block) {
    block.Size = sizeof(ctl_pixtx_block_config_t);
    block.BlockId = desc.id;
    block.BlockType = desc.type;
    // Capabilities carry no sample buffers: the caller's pointers stay as they are.
    switch (desc.type) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT:
        block.Config.OneDLutConfig.Size = sizeof(ctl_pixtx_1dlut_config_t);
        block.Config.OneDLutConfig.SamplingType = desc.sampling;
        block.Config.OneDLutConfig.NumSamplesPerChannel = desc.samples;
        block.Config.OneDLutConfig.NumChannels = desc.channels;
        break;
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT:
        block.Config.ThreeDLutConfig.Size = sizeof(ctl_pixtx_3dlut_config_t);
        block.Config.ThreeDLutConfig.NumSamplesPerChannel = desc.samples;
        break;
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX:
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX_AND_OFFSETS:
        block.Config.MatrixConfig.Size = sizeof(ctl_pixtx_matrix_config_t);
        break;
    default:
        break;
    }
}

ctl_result_t Capability(const DisplaySpec& desc, ctl_pixtx_pipe_get_config_t& config) {
    const uint32_t available = static_cast<uint32_t>(desc.pipeline.size());
    if (!config.pBlockConfigs) {
        config.NumBlocks = available;
        return CTL_RESULT_SUCCESS;
    }
    if (config.NumBlocks < available) {
        config.NumBlocks = available;
        return kResultInsufficientBlockMemory;
    }
    for (uint32_t i = 0; i < available; ++i)
        FillBlock(desc.pipeline[i], config.pBlockConfigs[i]);
    config.NumBlocks = available;
    return CTL_RESULT_SUCCESS;
}

// Each block must name a pipeline block and bring buffers for what it asks.
ctl_result_t CheckCurrentQuery(const DisplaySpec& desc, const ctl_pixtx_pipe_get_config_t& config) {
    if (!config.pBlockConfigs)
        return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
    if (config.NumBlocks == 0 || config.NumBlocks > desc.pipeline.size())
        return kResultInvalidPixTxBlockNumber;
    for (uint32_t i = 0; i < config.NumBlocks; ++i) {
        const ctl_pixtx_block_config_t& block = config.pBlockConfigs[i];
        const PipelineBlock* match = nullptr;
        if (ctl_result_t refused = MatchBlock(desc, block, &match))
            return refused;
        if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
            const ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
            if (!lut.pSampleValues)
                return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
            if (!LutCountsFit(lut))
                return CTL_RESULT_ERROR_INVALID_SIZE;
        } else if (block.BlockType == CTL_PIXTX_BLOCK_TYPE_3D_LUT) {
            const ctl_pixtx_3dlut_config_t& lut = block.Config.ThreeDLutConfig;
            if (!lut.pSampleValues)
                return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
            if (!LutCountsFit(lut))
                return CTL_RESULT_ERROR_INVALID_SIZE;
        }
    }
    return CTL_RESULT_SUCCESS;
}

// Fills what the caller's counts make room for, and reports the driver's own sample count,
// which may be larger than what was filled.
json FillCurrent(const PipelineBlock& desc, const DisplayState& state, const DisplaySpec& display,
                 ctl_pixtx_block_config_t& block) {
    json out = {{"blockId", block.BlockId}};
    switch (block.BlockType) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT: {
        ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
        const uint32_t channels = lut.NumChannels, samples = lut.NumSamplesPerChannel;
        ResampleLut(EffectiveGamma(&display, state), channels, samples, lut.pSampleValues);
        if (desc.samples != 0)
            lut.NumSamplesPerChannel = desc.samples;
        out["written"] = std::size_t{channels} * samples;
        out["samplesPerChannel"] = lut.NumSamplesPerChannel;
        break;
    }
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT: {
        ctl_pixtx_3dlut_config_t& lut = block.Config.ThreeDLutConfig;
        const uint32_t n = lut.NumSamplesPerChannel;
        std::vector<double> values(3 * std::size_t{n} * n * n);
        SampleLut3d(state.lut3d ? &*state.lut3d : nullptr, n, values.data());
        std::memcpy(lut.pSampleValues, values.data(), values.size() * sizeof(double));
        if (desc.samples != 0)
            lut.NumSamplesPerChannel = desc.samples;
        out["written"] = std::size_t{n} * n * n;
        out["pointsPerAxis"] = lut.NumSamplesPerChannel;
        out["inEffect"] = state.lut3d.has_value();
        break;
    }
    default: {
        ctl_pixtx_matrix_config_t& matrix = block.Config.MatrixConfig;
        const MatrixState csc = state.csc.value_or(MatrixState());
        std::memcpy(matrix.Matrix, csc.matrix.data(), sizeof matrix.Matrix);
        std::memcpy(matrix.PreOffsets, csc.preOffsets.data(), sizeof matrix.PreOffsets);
        std::memcpy(matrix.PostOffsets, csc.postOffsets.data(), sizeof matrix.PostOffsets);
        out["matrix"] = csc.matrix;
        break;
    }
    }
    return out;
}

} // namespace

ctl_result_t MatchBlock(const DisplaySpec& display, const ctl_pixtx_block_config_t& block,
                        const PipelineBlock** match) {
    if (block.Size < sizeof(ctl_pixtx_block_config_t))
        return CTL_RESULT_ERROR_INVALID_SIZE;
    for (const PipelineBlock& desc : display.pipeline) {
        if (desc.id != block.BlockId)
            continue;
        if (desc.type != block.BlockType)
            return kResultInvalidPixTxBlockType;
        *match = &desc;
        return CTL_RESULT_SUCCESS;
    }
    return kResultInvalidPixTxBlockId;
}

bool LutCountsFit(const ctl_pixtx_1dlut_config_t& lut) {
    return lut.NumChannels >= 1 && lut.NumChannels <= kMaxLutChannels &&
           lut.NumSamplesPerChannel >= 1 && lut.NumSamplesPerChannel <= kMaxLutSamplesPerChannel;
}

bool LutCountsFit(const ctl_pixtx_3dlut_config_t& lut) {
    return lut.NumSamplesPerChannel >= 1 && lut.NumSamplesPerChannel <= kMax3dLutPointsPerAxis;
}

json DescribePixTxBlock(const ctl_pixtx_block_config_t& block, bool data) {
    static const char* const kTypeNames[] = {"1dlut", "3dlut", "matrix", "matrixOffsets"};
    json out = {{"blockId", block.BlockId}};
    out["blockType"] = block.BlockType >= 1 && block.BlockType <= 4
                           ? json(kTypeNames[block.BlockType - 1])
                           : json(block.BlockType);
    switch (block.BlockType) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT: {
        const ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
        out["samplingType"] = lut.SamplingType;
        out["channels"] = lut.NumChannels;
        out["samplesPerChannel"] = lut.NumSamplesPerChannel;
        if (data && lut.pSampleValues && LutCountsFit(lut))
            out["ramp"] = RampValues(lut.pSampleValues,
                                     std::size_t{lut.NumChannels} * lut.NumSamplesPerChannel);
        break;
    }
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT: {
        const ctl_pixtx_3dlut_config_t& lut = block.Config.ThreeDLutConfig;
        const uint32_t n = lut.NumSamplesPerChannel;
        out["pointsPerAxis"] = n;
        if (data && lut.pSampleValues && LutCountsFit(lut)) {
            std::vector<double> values(3 * std::size_t{n} * n * n);
            std::memcpy(values.data(), lut.pSampleValues, values.size() * sizeof(double));
            out.update(Lut3dSummary(values.data(), n));
        }
        break;
    }
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX:
    case CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX_AND_OFFSETS:
        if (data) {
            const ctl_pixtx_matrix_config_t& m = block.Config.MatrixConfig;
            json matrix = json::array(), pre = json::array(), post = json::array();
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c)
                    matrix.push_back(Number(m.Matrix[r][c]));
                pre.push_back(Number(m.PreOffsets[r]));
                post.push_back(Number(m.PostOffsets[r]));
            }
            out["matrix"] = matrix;
            out["preOffsets"] = pre;
            out["postOffsets"] = post;
        }
        break;
    default:
        break;
    }
    return out;
}

ctl_result_t CtlPixelTransformationGetConfig(ctl_display_output_handle_t displayHandle,
                                             ctl_pixtx_pipe_get_config_t* config) {
    return Answer(
        call_name::ctlPixelTransformationGetConfig, [&](CallRecord& record) -> ctl_result_t {
            SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
            if (!display)
                return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
            if (!config)
                return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
            const DisplaySpec& desc = *display->desc;
            record.args = {{"display", desc.name},
                           {"size", config->Size},
                           {"queryType", config->QueryType},
                           {"numBlocks", config->NumBlocks},
                           {"blocks", config->pBlockConfigs != nullptr}};
            if (config->QueryType == CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT && config->pBlockConfigs &&
                config->NumBlocks >= 1)
                record.args.update(DescribePixTxBlock(config->pBlockConfigs[0], false));
            if (auto injected = Injected(record))
                return *injected;
            if (config->Size < sizeof(ctl_pixtx_pipe_get_config_t))
                return CTL_RESULT_ERROR_INVALID_SIZE;
            switch (config->QueryType) {
            case CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY: {
                ctl_result_t result = Capability(desc, *config);
                record.extra["out"] = {{"numBlocks", config->NumBlocks}};
                return result;
            }
            case CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT: {
                if (ctl_result_t refused = CheckCurrentQuery(desc, *config))
                    return refused;
                const DisplayState state = ReadState().Display(desc.name);
                json out = json::array();
                for (uint32_t i = 0; i < config->NumBlocks; ++i) {
                    const PipelineBlock* match = nullptr;
                    MatchBlock(desc, config->pBlockConfigs[i], &match);
                    out.push_back(FillCurrent(*match, state, desc, config->pBlockConfigs[i]));
                }
                record.extra["out"] = out.size() == 1 ? out[0] : json{{"blocks", out}};
                return CTL_RESULT_SUCCESS;
            }
            default:
                return kResultInvalidPixTxQueryType;
            }
        });
}

} // namespace varnet::sim::controllib
