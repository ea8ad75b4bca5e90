// Power optimisation of a display: the features its scenario offers, and their settings. DPST
// is the CUI SDK's DPST block seen through this API; other features only switch on and off.
#include "common/driver_model.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

constexpr uint32_t kKnownFeatures = 0x3F; // FBC, PSR, DPST, LRR, LACE, SPH
constexpr uint8_t kDpstMinLevel = 1, kDpstMaxLevel = 6;

// A feature is one known flag, and the display must offer it.
std::optional<ctl_result_t> CheckFeature(const DisplaySpec& desc, uint32_t feature) {
    if (feature == 0 || (feature & (feature - 1)) != 0 || (feature & ~kKnownFeatures) != 0)
        return kResultInvalidPowerFeatureFlag;
    if ((desc.powerFeatures & feature) == 0)
        return CTL_RESULT_ERROR_UNSUPPORTED_FEATURE;
    return std::nullopt;
}

} // namespace

ctl_result_t CtlGetPowerOptimizationCaps(ctl_display_output_handle_t displayHandle,
                                         ctl_power_optimization_caps_t* caps) {
    return Answer(call_name::ctlGetPowerOptimizationCaps, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!caps)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        record.args = {{"display", display->desc->name}, {"size", caps->Size}};
        if (auto injected = Injected(record))
            return *injected;
        if (caps->Size < sizeof(ctl_power_optimization_caps_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        caps->SupportedFeatures = display->desc->powerFeatures;
        record.extra["out"] = {{"supported", caps->SupportedFeatures}};
        return CTL_RESULT_SUCCESS;
    });
}

ctl_result_t CtlGetPowerOptimizationSetting(ctl_display_output_handle_t displayHandle,
                                            ctl_power_optimization_settings_t* settings) {
    return Answer(call_name::ctlGetPowerOptimizationSetting,
                  [&](CallRecord& record) -> ctl_result_t {
                      SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
                      if (!display)
                          return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
                      if (!settings)
                          return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
                      const DisplaySpec& desc = *display->desc;
                      record.args = {{"display", desc.name},
                                     {"size", settings->Size},
                                     {"plan", settings->PowerOptimizationPlan},
                                     {"feature", settings->PowerOptimizationFeature}};
                      if (auto injected = Injected(record))
                          return *injected;
                      if (settings->Size < sizeof(ctl_power_optimization_settings_t))
                          return CTL_RESULT_ERROR_INVALID_SIZE;
                      const uint32_t feature = settings->PowerOptimizationFeature;
                      if (auto refused = CheckFeature(desc, feature))
                          return *refused;
                      const DisplayState state = ReadState().Display(desc.name);
                      if (feature != CTL_POWER_OPTIMIZATION_FLAG_DPST) {
                          auto set = state.powerFeatures.find(feature);
                          settings->Enable = set == state.powerFeatures.end() || set->second;
                          record.extra["out"] = {{"enable", settings->Enable}};
                          return CTL_RESULT_SUCCESS;
                      }
                      const DpstState dpst = EffectiveDpst(&desc, state);
                      ctl_power_optimization_dpst_t& info = settings->FeatureSpecificData.DPSTInfo;
                      settings->Enable = (dpst.enabledFeatures & kDpstFeatureBit) != 0;
                      info.Size = sizeof info;
                      info.MinLevel = kDpstMinLevel;
                      info.MaxLevel = kDpstMaxLevel;
                      info.Level = static_cast<uint8_t>(dpst.level);
                      info.SupportedFeatures = 0x1; // backlight
                      info.EnabledFeatures = settings->Enable ? 0x1 : 0x0;
                      record.extra["out"] = {{"enable", settings->Enable}, {"level", info.Level}};
                      return CTL_RESULT_SUCCESS;
                  });
}

ctl_result_t CtlSetPowerOptimizationSetting(ctl_display_output_handle_t displayHandle,
                                            ctl_power_optimization_settings_t* settings) {
    return Answer(call_name::ctlSetPowerOptimizationSetting,
                  [&](CallRecord& record) -> ctl_result_t {
                      SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
                      if (!display)
                          return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
                      if (!settings)
                          return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
                      const DisplaySpec& desc = *display->desc;
                      const uint32_t feature = settings->PowerOptimizationFeature;
                      const bool enable = settings->Enable;
                      const uint8_t level = settings->FeatureSpecificData.DPSTInfo.Level;
                      record.args = {{"display", desc.name},
                                     {"size", settings->Size},
                                     {"plan", settings->PowerOptimizationPlan},
                                     {"feature", feature},
                                     {"enable", enable}};
                      if (feature == CTL_POWER_OPTIMIZATION_FLAG_DPST)
                          record.args["level"] = level;
                      if (auto injected = Injected(record))
                          return *injected;
                      if (settings->Size < sizeof(ctl_power_optimization_settings_t))
                          return CTL_RESULT_ERROR_INVALID_SIZE;
                      if (auto refused = CheckFeature(desc, feature))
                          return *refused;
                      UpdateState([&](SimState& state) {
                          DisplayState& kept = state.Display(desc.name);
                          if (feature != CTL_POWER_OPTIMIZATION_FLAG_DPST) {
                              kept.powerFeatures[feature] = enable;
                              return;
                          }
                          // The SDK's other feature bits and its enhanced value stay as they were.
                          DpstState dpst = EffectiveDpst(&desc, kept);
                          dpst.enabledFeatures = enable ? (dpst.enabledFeatures | kDpstFeatureBit)
                                                        : (dpst.enabledFeatures & ~kDpstFeatureBit);
                          dpst.level = level;
                          kept.dpst = dpst;
                      });
                      return CTL_RESULT_SUCCESS;
                  });
}

} // namespace varnet::sim::controllib
