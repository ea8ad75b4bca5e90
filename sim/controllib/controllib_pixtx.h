// What the pipeline's get and set calls share: matching a caller's block record to a block of
// the display's pipeline, the limits of the sample buffers, and a block as the journal shows it.
#pragma once

#include <cstdint>

#include <nlohmann/json.hpp>

#include "common/scenario.h"
#include "igcl/igcl_api.h"

namespace varnet::sim::controllib {

inline constexpr uint32_t kMaxLutChannels = 3;
inline constexpr uint32_t kMaxLutSamplesPerChannel = 4096;
inline constexpr uint32_t kMax3dLutPointsPerAxis = 65;

// The pipeline block the caller's record names by BlockId, checked for its type and record
// size; otherwise the result to answer.
ctl_result_t MatchBlock(const DisplaySpec& display, const ctl_pixtx_block_config_t& block,
                        const PipelineBlock** match);

// The block's id, type ("1dlut", "3dlut", "matrix", "matrixOffsets" or the number) and
// counts; with data, what its sample buffer or matrix holds, as far as its counts are sane.
nlohmann::json DescribePixTxBlock(const ctl_pixtx_block_config_t& block, bool data);

// Whether the 1D and 3D LUT buffers of a record can be read or written at their counts.
bool LutCountsFit(const ctl_pixtx_1dlut_config_t& lut);
bool LutCountsFit(const ctl_pixtx_3dlut_config_t& lut);

} // namespace varnet::sim::controllib
