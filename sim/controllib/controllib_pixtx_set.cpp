// Loading the pipeline's blocks: a custom 1D LUT, matrix or 3D LUT, or the driver's default.
// Every block of a call is checked before any is applied, so a refused call changes nothing.
#include <cmath>
#include <cstring>

#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"
#include "controllib/controllib_pixtx.h"

namespace varnet::sim::controllib {

namespace {

using nlohmann::json;

bool AllFinite(const double* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

ctl_result_t CheckCustom(const PipelineBlock& desc, const ctl_pixtx_block_config_t& block) {
    switch (block.BlockType) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT: {
        const ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
        if (lut.SamplingType != CTL_PIXTX_LUT_SAMPLING_TYPE_UNIFORM)
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;
        if (lut.NumChannels < 1 || lut.NumChannels > kMaxLutChannels)
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;
        if (lut.NumSamplesPerChannel < 2 || lut.NumSamplesPerChannel > kMaxLutSamplesPerChannel)
            return kResultInvalidNumberOfSamples;
        if (!lut.pSampleValues)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        if (!AllFinite(lut.pSampleValues, std::size_t{lut.NumChannels} * lut.NumSamplesPerChannel))
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;
        return CTL_RESULT_SUCCESS;
    }
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT: {
        const ctl_pixtx_3dlut_config_t& lut = block.Config.ThreeDLutConfig;
        const std::size_t n = lut.NumSamplesPerChannel;
        // The hardware's grid is fixed: a table of another size does not fit it.
        if (n < 2 || n != desc.samples || n > kMax3dLutPointsPerAxis)
            return kResultInvalidNumberOfSamples;
        if (!lut.pSampleValues)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        std::vector<double> values(3 * n * n * n);
        std::memcpy(values.data(), lut.pSampleValues, values.size() * sizeof(double));
        return AllFinite(values.data(), values.size()) ? CTL_RESULT_SUCCESS
                                                       : kResult3dLutInvalidData;
    }
    default: {
        const ctl_pixtx_matrix_config_t& m = block.Config.MatrixConfig;
        const bool finite = AllFinite(&m.Matrix[0][0], 9) && AllFinite(m.PreOffsets, 3) &&
                            AllFinite(m.PostOffsets, 3);
        return finite ? CTL_RESULT_SUCCESS : CTL_RESULT_ERROR_INVALID_ARGUMENT;
    }
    }
}

// Restoring the default forgets what was loaded: the block reads as the scenario starts.
void Apply(const ctl_pixtx_block_config_t& block, bool custom, DisplayState& state) {
    switch (block.BlockType) {
    case CTL_PIXTX_BLOCK_TYPE_1D_LUT: {
        state.gamma.reset();
        if (!custom)
            return;
        const ctl_pixtx_1dlut_config_t& lut = block.Config.OneDLutConfig;
        OneDLutState loaded;
        loaded.channels = lut.NumChannels;
        loaded.samplesPerChannel = lut.NumSamplesPerChannel;
        loaded.values.assign(lut.pSampleValues, lut.pSampleValues + std::size_t{lut.NumChannels} *
                                                                        lut.NumSamplesPerChannel);
        state.gamma = std::move(loaded);
        return;
    }
    case CTL_PIXTX_BLOCK_TYPE_3D_LUT: {
        state.lut3d.reset();
        if (!custom)
            return;
        const ctl_pixtx_3dlut_config_t& lut = block.Config.ThreeDLutConfig;
        const std::size_t n = lut.NumSamplesPerChannel;
        Lut3dState loaded;
        loaded.pointsPerAxis = lut.NumSamplesPerChannel;
        loaded.values.resize(3 * n * n * n);
        std::memcpy(loaded.values.data(), lut.pSampleValues, loaded.values.size() * sizeof(double));
        state.lut3d = std::move(loaded);
        return;
    }
    default: {
        state.csc.reset();
        if (!custom)
            return;
        const ctl_pixtx_matrix_config_t& m = block.Config.MatrixConfig;
        MatrixState loaded;
        loaded.blockId = block.BlockId;
        std::memcpy(loaded.matrix.data(), m.Matrix, sizeof m.Matrix);
        std::memcpy(loaded.preOffsets.data(), m.PreOffsets, sizeof m.PreOffsets);
        std::memcpy(loaded.postOffsets.data(), m.PostOffsets, sizeof m.PostOffsets);
        state.csc = loaded;
        return;
    }
    }
}

} // namespace

ctl_result_t CtlPixelTransformationSetConfig(ctl_display_output_handle_t displayHandle,
                                             ctl_pixtx_pipe_set_config_t* config) {
    return Answer(
        call_name::ctlPixelTransformationSetConfig, [&](CallRecord& record) -> ctl_result_t {
            SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
            if (!display)
                return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
            if (!config)
                return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
            const DisplaySpec& desc = *display->desc;
            const bool custom = config->OpertaionType == CTL_PIXTX_CONFIG_OPERTAION_TYPE_SET_CUSTOM;
            record.args = {{"display", desc.name},
                           {"size", config->Size},
                           {"opType", config->OpertaionType},
                           {"flags", config->Flags},
                           {"numBlocks", config->NumBlocks}};
            // The caller's blocks as far as they can be read; a count beyond the pipeline is
            // refused below without looking at the array.
            const bool readable = config->pBlockConfigs && config->NumBlocks >= 1 &&
                                  config->NumBlocks <= desc.pipeline.size();
            if (readable) {
                record.args.update(DescribePixTxBlock(config->pBlockConfigs[0], custom));
                for (uint32_t i = 1; i < config->NumBlocks; ++i)
                    record.args["moreBlocks"].push_back(
                        DescribePixTxBlock(config->pBlockConfigs[i], custom));
            }
            if (auto injected = Injected(record))
                return *injected;
            if (config->Size < sizeof(ctl_pixtx_pipe_set_config_t))
                return CTL_RESULT_ERROR_INVALID_SIZE;
            if (!custom && config->OpertaionType != CTL_PIXTX_CONFIG_OPERTAION_TYPE_RESTORE_DEFAULT)
                return kResultInvalidPixTxSetOperationType;
            if (!config->pBlockConfigs)
                return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
            if (!readable)
                return kResultInvalidPixTxBlockNumber;
            for (uint32_t i = 0; i < config->NumBlocks; ++i) {
                const PipelineBlock* match = nullptr;
                if (ctl_result_t refused = MatchBlock(desc, config->pBlockConfigs[i], &match))
                    return refused;
                if (custom)
                    if (ctl_result_t refused = CheckCustom(*match, config->pBlockConfigs[i]))
                        return refused;
            }
            UpdateState([&](SimState& state) {
                for (uint32_t i = 0; i < config->NumBlocks; ++i)
                    Apply(config->pBlockConfigs[i], custom, state.Display(desc.name));
            });
            return CTL_RESULT_SUCCESS;
        });
}

} // namespace varnet::sim::controllib
