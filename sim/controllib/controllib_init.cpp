// ctlInit, ctlClose and ctlSetRuntimePath.
#include "common/text_utf8.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

ctl_result_t CtlInit(ctl_init_args_t* desc, ctl_api_handle_t* handle) {
    return Answer(call_name::ctlInit, [&](CallRecord& record) -> ctl_result_t {
        if (!desc || !handle)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        record.args = {{"size", desc->Size},
                       {"version", desc->Version},
                       {"appVersion", desc->AppVersion},
                       {"flags", desc->flags}};
        if (auto injected = Injected(record))
            return *injected;
        if (desc->Size < sizeof(ctl_init_args_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        if (CTL_MAJOR_VERSION(desc->AppVersion) != 1)
            return CTL_RESULT_ERROR_UNSUPPORTED_VERSION;
        // The machine as the scenario describes it now; a test may have rewritten it.
        Instance* instance = Runtime::Get().Open(CurrentScenario());
        UpdateState([](SimState& state) { ++state.inits; });
        desc->SupportedVersion = CTL_MAKE_VERSION(1, 1);
        *handle = reinterpret_cast<ctl_api_handle_t>(instance);
        return CTL_RESULT_SUCCESS;
    });
}

ctl_result_t CtlClose(ctl_api_handle_t handle) {
    return Answer(call_name::ctlClose, [&](CallRecord& record) -> ctl_result_t {
        Instance* instance = Runtime::Get().FindInstance(handle);
        record.args = {{"known", instance != nullptr}};
        if (!instance)
            return BadHandle(handle, CTL_RESULT_ERROR_INVALID_API_HANDLE);
        ctl_result_t result = CTL_RESULT_SUCCESS;
        if (auto injected = Injected(record))
            result = *injected;
        // A success with information ("still open by another caller") still closes this
        // caller's instance; an error leaves it open.
        if (result <= 0xFFFF)
            Runtime::Get().Close(instance);
        return result;
    });
}

ctl_result_t CtlSetRuntimePath(ctl_runtime_path_args_t* args) {
    return Answer(call_name::ctlSetRuntimePath, [&](CallRecord& record) -> ctl_result_t {
        if (!args)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        record.args = {{"size", args->Size},
                       {"path", args->pRuntimePath
                                    ? nlohmann::json(Utf8FromWide(args->pRuntimePath))
                                    : nlohmann::json(nullptr)},
                       {"deviceId", args->DeviceID},
                       {"revId", args->RevID}};
        if (auto injected = Injected(record))
            return *injected;
        return CTL_RESULT_SUCCESS;
    });
}

} // namespace varnet::sim::controllib
