// The panel's descriptor (EDID) blocks: a size query, then a read into the caller's buffer.
#include <algorithm>
#include <cstring>

#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

ctl_result_t CtlPanelDescriptorAccess(ctl_display_output_handle_t displayHandle,
                                      ctl_panel_descriptor_access_args_t* args) {
    return Answer(call_name::ctlPanelDescriptorAccess, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!args)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        const DisplaySpec& desc = *display->desc;
        record.args = {{"display", desc.name},
                       {"size", args->Size},
                       {"opType", args->OpType},
                       {"block", args->BlockNumber},
                       {"dataSize", args->DescriptorDataSize},
                       {"read", args->pDescriptorData != nullptr}};
        if (auto injected = Injected(record))
            return *injected;
        if (args->Size < sizeof(ctl_panel_descriptor_access_args_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        if (args->OpType != CTL_OPERATION_TYPE_READ)
            return CTL_RESULT_ERROR_INVALID_OPERATION_TYPE;
        const std::vector<uint8_t>* block = nullptr;
        if (args->BlockNumber == 0)
            block = &desc.edid;
        else if (args->BlockNumber <= desc.extensions.size())
            block = &desc.extensions[args->BlockNumber - 1];
        else
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;

        if (!args->pDescriptorData) {
            uint32_t size = static_cast<uint32_t>(block->size());
            if (args->BlockNumber == 0 && desc.reportedEdidSize)
                size = *desc.reportedEdidSize;
            args->DescriptorDataSize = size;
            record.extra["out"] = {{"dataSize", size}};
            return CTL_RESULT_SUCCESS;
        }
        if (args->DescriptorDataSize == 0)
            return CTL_RESULT_ERROR_INVALID_SIZE;
        // Whatever the size query claimed, the caller's size bounds the write.
        const std::size_t written = std::min<std::size_t>(args->DescriptorDataSize, block->size());
        if (written)
            std::memcpy(args->pDescriptorData, block->data(), written);
        record.extra["out"] = {{"written", written}};
        return CTL_RESULT_SUCCESS;
    });
}

} // namespace varnet::sim::controllib
