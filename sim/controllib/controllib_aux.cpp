// DisplayPort AUX access: native transfers read and write the panel's DPCD, a 20-bit address
// space kept in the driver state; nothing answers I2C over AUX.
#include <algorithm>

#include "common/driver_model.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

constexpr uint32_t kAllAuxFlags = CTL_AUX_FLAG_NATIVE_AUX | 0x2 | 0x4; // native, I2C, I2C MOT
constexpr uint32_t kDisplayPort = 1; // CTL_DISPLAY_OUTPUT_TYPES_DISPLAYPORT

std::vector<uint8_t> Bytes(const uint8_t* data, uint32_t size) {
    return std::vector<uint8_t>(data, data + std::min<uint32_t>(size, CTL_AUX_MAX_DATA_SIZE));
}

} // namespace

ctl_result_t CtlAUXAccess(ctl_display_output_handle_t displayHandle, ctl_aux_access_args_t* args) {
    return Answer(call_name::ctlAUXAccess, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!args)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        const DisplaySpec& desc = *display->desc;
        const bool write = args->OpType == CTL_OPERATION_TYPE_WRITE;
        record.args = {{"display", desc.name},     {"size", args->Size},
                       {"opType", args->OpType},   {"flags", args->Flags},
                       {"address", args->Address}, {"dataSize", args->DataSize}};
        if (write)
            record.args["data"] = ToHex(Bytes(args->Data, args->DataSize));
        if (auto injected = Injected(record))
            return *injected;
        if (args->Size < sizeof(ctl_aux_access_args_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        if (!write && args->OpType != CTL_OPERATION_TYPE_READ)
            return CTL_RESULT_ERROR_INVALID_OPERATION_TYPE;
        if (args->DataSize > CTL_AUX_MAX_DATA_SIZE)
            return CTL_RESULT_ERROR_INVALID_SIZE;
        if (args->Flags == 0 || (args->Flags & ~kAllAuxFlags) != 0)
            return kResultInvalidAuxAccessFlag;
        if (desc.outputType != kDisplayPort)
            return CTL_RESULT_ERROR_UNSUPPORTED_FEATURE;
        if (args->Flags != CTL_AUX_FLAG_NATIVE_AUX)
            return kResultI2cAuxUnsuccessful;
        if (args->Address >= kDpcdSpace || args->DataSize > kDpcdSpace - args->Address)
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;
        const uint32_t address = args->Address, size = args->DataSize;
        if (write) {
            UpdateState([&](SimState& state) {
                DisplayState& kept = state.Display(desc.name);
                for (uint32_t i = 0; i < size; ++i)
                    kept.aux[address + i] = args->Data[i];
            });
            return CTL_RESULT_SUCCESS;
        }
        const DisplayState state = ReadState().Display(desc.name);
        for (uint32_t i = 0; i < size; ++i)
            args->Data[i] = AuxByte(&desc, state, address + i);
        record.extra["out"] = {{"data", ToHex(Bytes(args->Data, size))}};
        return CTL_RESULT_SUCCESS;
    });
}

} // namespace varnet::sim::controllib
