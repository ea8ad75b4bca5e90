// The entry points the simulated Control Library run time answers, with the public API's
// signatures. They keep C++ names: on the host they share the process with the library's own
// extern "C" ctl* functions, and on Windows the .def file exports them under the API's names.
#pragma once

#include <string>
#include <vector>

#include "igcl/igcl_api.h"

namespace varnet::sim::controllib {

ctl_result_t CtlInit(ctl_init_args_t* desc, ctl_api_handle_t* handle);
ctl_result_t CtlClose(ctl_api_handle_t handle);
ctl_result_t CtlSetRuntimePath(ctl_runtime_path_args_t* args);
ctl_result_t CtlEnumerateDevices(ctl_api_handle_t api, uint32_t* count,
                                 ctl_device_adapter_handle_t* devices);
ctl_result_t CtlEnumerateDisplayOutputs(ctl_device_adapter_handle_t adapter, uint32_t* count,
                                        ctl_display_output_handle_t* displays);
ctl_result_t CtlGetDisplayProperties(ctl_display_output_handle_t display,
                                     ctl_display_properties_t* properties);
ctl_result_t CtlPixelTransformationGetConfig(ctl_display_output_handle_t display,
                                             ctl_pixtx_pipe_get_config_t* config);
ctl_result_t CtlPanelDescriptorAccess(ctl_display_output_handle_t display,
                                      ctl_panel_descriptor_access_args_t* args);
ctl_result_t CtlGetLACEConfig(ctl_display_output_handle_t display, ctl_lace_config_t* config);
ctl_result_t CtlSetLACEConfig(ctl_display_output_handle_t display, ctl_lace_config_t* config);
ctl_result_t CtlPixelTransformationSetConfig(ctl_display_output_handle_t display,
                                             ctl_pixtx_pipe_set_config_t* config);
ctl_result_t CtlGetCurrentSharpness(ctl_display_output_handle_t display,
                                    ctl_sharpness_settings_t* settings);
ctl_result_t CtlSetCurrentSharpness(ctl_display_output_handle_t display,
                                    ctl_sharpness_settings_t* settings);
ctl_result_t CtlGetPowerOptimizationCaps(ctl_display_output_handle_t display,
                                         ctl_power_optimization_caps_t* caps);
ctl_result_t CtlGetPowerOptimizationSetting(ctl_display_output_handle_t display,
                                            ctl_power_optimization_settings_t* settings);
ctl_result_t CtlSetPowerOptimizationSetting(ctl_display_output_handle_t display,
                                            ctl_power_optimization_settings_t* settings);
ctl_result_t CtlGetSetVideoProcessingFeature(ctl_device_adapter_handle_t adapter,
                                             ctl_video_processing_feature_getset_t* feature);
ctl_result_t CtlAUXAccess(ctl_display_output_handle_t display, ctl_aux_access_args_t* args);

// The answered entry points: X(api name, function, parameter list, argument list). Adding a
// call: write the function, declare it above, list it here and name it in ControlLib.def.
#define VARNET_SIM_CONTROLLIB_CALLS(X)                                                             \
    X(ctlInit, CtlInit, (ctl_init_args_t * a, ctl_api_handle_t * b), (a, b))                       \
    X(ctlClose, CtlClose, (ctl_api_handle_t a), (a))                                               \
    X(ctlSetRuntimePath, CtlSetRuntimePath, (ctl_runtime_path_args_t * a), (a))                    \
    X(ctlEnumerateDevices, CtlEnumerateDevices,                                                    \
      (ctl_api_handle_t a, uint32_t * b, ctl_device_adapter_handle_t * c), (a, b, c))              \
    X(ctlEnumerateDisplayOutputs, CtlEnumerateDisplayOutputs,                                      \
      (ctl_device_adapter_handle_t a, uint32_t * b, ctl_display_output_handle_t * c), (a, b, c))   \
    X(ctlGetDisplayProperties, CtlGetDisplayProperties,                                            \
      (ctl_display_output_handle_t a, ctl_display_properties_t * b), (a, b))                       \
    X(ctlPixelTransformationGetConfig, CtlPixelTransformationGetConfig,                            \
      (ctl_display_output_handle_t a, ctl_pixtx_pipe_get_config_t * b), (a, b))                    \
    X(ctlPanelDescriptorAccess, CtlPanelDescriptorAccess,                                          \
      (ctl_display_output_handle_t a, ctl_panel_descriptor_access_args_t * b), (a, b))             \
    X(ctlGetLACEConfig, CtlGetLACEConfig, (ctl_display_output_handle_t a, ctl_lace_config_t * b),  \
      (a, b))                                                                                      \
    X(ctlSetLACEConfig, CtlSetLACEConfig, (ctl_display_output_handle_t a, ctl_lace_config_t * b),  \
      (a, b))                                                                                      \
    X(ctlPixelTransformationSetConfig, CtlPixelTransformationSetConfig,                            \
      (ctl_display_output_handle_t a, ctl_pixtx_pipe_set_config_t * b), (a, b))                    \
    X(ctlGetCurrentSharpness, CtlGetCurrentSharpness,                                              \
      (ctl_display_output_handle_t a, ctl_sharpness_settings_t * b), (a, b))                       \
    X(ctlSetCurrentSharpness, CtlSetCurrentSharpness,                                              \
      (ctl_display_output_handle_t a, ctl_sharpness_settings_t * b), (a, b))                       \
    X(ctlGetPowerOptimizationCaps, CtlGetPowerOptimizationCaps,                                    \
      (ctl_display_output_handle_t a, ctl_power_optimization_caps_t * b), (a, b))                  \
    X(ctlGetPowerOptimizationSetting, CtlGetPowerOptimizationSetting,                              \
      (ctl_display_output_handle_t a, ctl_power_optimization_settings_t * b), (a, b))              \
    X(ctlSetPowerOptimizationSetting, CtlSetPowerOptimizationSetting,                              \
      (ctl_display_output_handle_t a, ctl_power_optimization_settings_t * b), (a, b))              \
    X(ctlGetSetVideoProcessingFeature, CtlGetSetVideoProcessingFeature,                            \
      (ctl_device_adapter_handle_t a, ctl_video_processing_feature_getset_t * b), (a, b))          \
    X(ctlAUXAccess, CtlAUXAccess, (ctl_display_output_handle_t a, ctl_aux_access_args_t * b),      \
      (a, b))

// The entry point of that API name, as GetProcAddress would find it: null for names the
// simulator does not answer and for names the current scenario marks missing.
void* FindEntry(const char* name);
// Every API name the simulator answers.
std::vector<std::string> AnsweredNames();

// Each entry point answers under its constant, so its journal name is the table's.
namespace call_name {
#define VARNET_SIM_CALL_NAME(api, function, params, args) inline constexpr char api[] = #api;
VARNET_SIM_CONTROLLIB_CALLS(VARNET_SIM_CALL_NAME)
#undef VARNET_SIM_CALL_NAME
} // namespace call_name

} // namespace varnet::sim::controllib
