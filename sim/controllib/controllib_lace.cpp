// Local adaptive contrast enhancement, kept per display in the driver state.
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

constexpr uint32_t kGetCurrent = 1, kGetDefault = 2, kGetCapability = 4;
constexpr uint32_t kTriggerAmbient = CTL_LACE_TRIGGER_FLAG_AMBIENT_LIGHT;
constexpr uint32_t kTriggerFixed = CTL_LACE_TRIGGER_FLAG_FIXED_AGGRESSIVENESS;

// Checks common to both directions; null when the call may go on.
std::optional<ctl_result_t> Check(const DisplaySpec& desc, const ctl_lace_config_t& config) {
    if (config.Size < sizeof(ctl_lace_config_t))
        return CTL_RESULT_ERROR_INVALID_SIZE;
    if (!desc.laceSupported)
        return CTL_RESULT_ERROR_UNSUPPORTED_FEATURE;
    return std::nullopt;
}

} // namespace

ctl_result_t CtlGetLACEConfig(ctl_display_output_handle_t displayHandle,
                              ctl_lace_config_t* config) {
    return Answer(call_name::ctlGetLACEConfig, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!config)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        const DisplaySpec& desc = *display->desc;
        record.args = {
            {"display", desc.name}, {"size", config->Size}, {"opTypeGet", config->OpTypeGet}};
        if (auto injected = Injected(record))
            return *injected;
        if (auto refused = Check(desc, *config))
            return *refused;
        LaceState lace;
        switch (config->OpTypeGet) {
        case kGetCurrent:
            lace = ReadState().Display(desc.name).lace;
            break;
        case kGetDefault:
            break;
        case kGetCapability:
            config->Trigger = kTriggerAmbient | kTriggerFixed;
            return CTL_RESULT_SUCCESS;
        default:
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;
        }
        config->Enabled = lace.enabled;
        config->Trigger = lace.trigger;
        // The aggressiveness shares its place with the lux map; only a fixed level is written.
        if (lace.trigger & kTriggerFixed)
            config->LaceConfig.FixedAggressivenessLevelPercent = static_cast<uint8_t>(lace.level);
        record.extra["out"] = {
            {"enabled", lace.enabled}, {"trigger", lace.trigger}, {"level", lace.level}};
        return CTL_RESULT_SUCCESS;
    });
}

ctl_result_t CtlSetLACEConfig(ctl_display_output_handle_t displayHandle,
                              ctl_lace_config_t* config) {
    return Answer(call_name::ctlSetLACEConfig, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!config)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        const DisplaySpec& desc = *display->desc;
        record.args = {{"display", desc.name},
                       {"size", config->Size},
                       {"opTypeSet", config->OpTypeSet},
                       {"enabled", config->Enabled},
                       {"trigger", config->Trigger},
                       {"level", config->LaceConfig.FixedAggressivenessLevelPercent}};
        if (auto injected = Injected(record))
            return *injected;
        if (auto refused = Check(desc, *config))
            return *refused;
        LaceState lace;
        if (config->OpTypeSet == CTL_SET_OPERATION_CUSTOM) {
            if (config->Trigger != kTriggerFixed && config->Trigger != kTriggerAmbient)
                return CTL_RESULT_ERROR_INVALID_ARGUMENT;
            if (config->Trigger == kTriggerFixed &&
                config->LaceConfig.FixedAggressivenessLevelPercent > 100)
                return CTL_RESULT_ERROR_INVALID_ARGUMENT;
            lace.enabled = config->Enabled;
            lace.trigger = config->Trigger;
            lace.level = config->Trigger == kTriggerFixed
                             ? config->LaceConfig.FixedAggressivenessLevelPercent
                             : 0;
        } else if (config->OpTypeSet != CTL_SET_OPERATION_RESTORE_DEFAULT) {
            return CTL_RESULT_ERROR_INVALID_ARGUMENT;
        }
        UpdateState([&](SimState& state) {
            LaceState& kept = state.Display(desc.name).lace;
            const uint32_t enableValue = kept.enableValue;
            kept = lace;
            kept.enableValue = enableValue;
        });
        return CTL_RESULT_SUCCESS;
    });
}

} // namespace varnet::sim::controllib
