// The display's sharpness filter: the filter types its scenario offers, and the setting.
#include <cmath>

#include "common/driver_model.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

ctl_result_t CtlGetCurrentSharpness(ctl_display_output_handle_t displayHandle,
                                    ctl_sharpness_settings_t* settings) {
    return Answer(call_name::ctlGetCurrentSharpness, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!settings)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        const DisplaySpec& desc = *display->desc;
        record.args = {{"display", desc.name}, {"size", settings->Size}};
        if (auto injected = Injected(record))
            return *injected;
        if (settings->Size < sizeof(ctl_sharpness_settings_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        const auto sharpness = EffectiveSharpness(&desc, ReadState().Display(desc.name));
        if (!sharpness)
            return CTL_RESULT_ERROR_UNSUPPORTED_FEATURE;
        settings->Enable = sharpness->enabled;
        settings->FilterType = sharpness->filterType;
        settings->Intensity = sharpness->intensity;
        record.extra["out"] = {{"enable", sharpness->enabled},
                               {"filterType", sharpness->filterType},
                               {"intensity", sharpness->intensity}};
        return CTL_RESULT_SUCCESS;
    });
}

ctl_result_t CtlSetCurrentSharpness(ctl_display_output_handle_t displayHandle,
                                    ctl_sharpness_settings_t* settings) {
    return Answer(call_name::ctlSetCurrentSharpness, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!settings)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        const DisplaySpec& desc = *display->desc;
        const float intensity = settings->Intensity;
        record.args = {{"display", desc.name},
                       {"size", settings->Size},
                       {"enable", settings->Enable},
                       {"filterType", settings->FilterType},
                       {"intensity", std::isfinite(intensity) ? nlohmann::json(intensity)
                                                              : nlohmann::json(nullptr)}};
        if (auto injected = Injected(record))
            return *injected;
        if (settings->Size < sizeof(ctl_sharpness_settings_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        const uint32_t offered = desc.sharpness.filterTypes;
        if (offered == 0)
            return CTL_RESULT_ERROR_UNSUPPORTED_FEATURE;
        const uint32_t filter = settings->FilterType;
        if (filter == 0 || (filter & (filter - 1)) != 0 || (filter & offered) == 0)
            return kResultInvalidSharpnessFilterFlag;
        if (!(intensity >= 0.0f && intensity <= 100.0f))
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;
        const SharpnessState sharpness{settings->Enable, filter, intensity};
        UpdateState([&](SimState& state) { state.Display(desc.name).sharpness = sharpness; });
        return CTL_RESULT_SUCCESS;
    });
}

} // namespace varnet::sim::controllib
