// The 83 entry points of the Control Library loader that Varnet exports, with the signatures of
// the public API. ctlInit, ctlClose and ctlSetRuntimePath load and release the run time; every
// other one passes its arguments on to the run time's entry of the same name.
#pragma once

#include "igcl/igcl_api.h"

extern "C" {

// ---- Loader ------------------------------------------------------------------------------------

ctl_result_t ctlInit(ctl_init_args_t* pInitDesc, ctl_api_handle_t* phAPIHandle);
ctl_result_t ctlClose(ctl_api_handle_t hAPIHandle);
ctl_result_t ctlSetRuntimePath(ctl_runtime_path_args_t* pArgs);

// ---- Forwarders --------------------------------------------------------------------------------

ctl_result_t ctlWaitForPropertyChange(ctl_device_adapter_handle_t hDeviceAdapter,
                                      ctl_wait_property_change_args_t* pArgs);
ctl_result_t ctlReservedCall(ctl_device_adapter_handle_t hDeviceAdapter,
                             ctl_reserved_args_t* pArgs);
ctl_result_t ctlGetSupported3DCapabilities(ctl_device_adapter_handle_t hDAhandle,
                                           ctl_3d_feature_caps_t* pFeatureCaps);
ctl_result_t ctlGetSet3DFeature(ctl_device_adapter_handle_t hDAhandle,
                                ctl_3d_feature_getset_t* pFeature);
ctl_result_t ctlCheckDriverVersion(ctl_device_adapter_handle_t hDeviceAdapter,
                                   ctl_version_info_t version_info);
ctl_result_t ctlEnumerateDevices(ctl_api_handle_t hAPIHandle, uint32_t* pCount,
                                 ctl_device_adapter_handle_t* phDevices);
ctl_result_t ctlEnumerateDisplayOutputs(ctl_device_adapter_handle_t hDeviceAdapter,
                                        uint32_t* pCount,
                                        ctl_display_output_handle_t* phDisplayOutputs);
ctl_result_t ctlGetDeviceProperties(ctl_device_adapter_handle_t hDAhandle,
                                    ctl_device_adapter_properties_t* pProperties);
ctl_result_t ctlGetDisplayProperties(ctl_display_output_handle_t hDisplayOutput,
                                     ctl_display_properties_t* pProperties);
ctl_result_t
ctlGetAdaperDisplayEncoderProperties(ctl_display_output_handle_t hDisplayOutput,
                                     ctl_adapter_display_encoder_properties_t* pProperties);
ctl_result_t ctlGetZeDevice(ctl_device_adapter_handle_t hDAhandle, void* pZeDevice,
                            void** hInstance);
ctl_result_t ctlGetSharpnessCaps(ctl_display_output_handle_t hDisplayOutput,
                                 ctl_sharpness_caps_t* pSharpnessCaps);
ctl_result_t ctlGetCurrentSharpness(ctl_display_output_handle_t hDisplayOutput,
                                    ctl_sharpness_settings_t* pSharpnessSettings);
ctl_result_t ctlSetCurrentSharpness(ctl_display_output_handle_t hDisplayOutput,
                                    ctl_sharpness_settings_t* pSharpnessSettings);
ctl_result_t ctlI2CAccess(ctl_display_output_handle_t hDisplayOutput,
                          ctl_i2c_access_args_t* pI2cAccessArgs);
ctl_result_t ctlAUXAccess(ctl_display_output_handle_t hDisplayOutput,
                          ctl_aux_access_args_t* pAuxAccessArgs);
ctl_result_t ctlGetPowerOptimizationCaps(ctl_display_output_handle_t hDisplayOutput,
                                         ctl_power_optimization_caps_t* pPowerOptimizationCaps);
ctl_result_t
ctlGetPowerOptimizationSetting(ctl_display_output_handle_t hDisplayOutput,
                               ctl_power_optimization_settings_t* pPowerOptimizationSettings);
ctl_result_t
ctlSetPowerOptimizationSetting(ctl_display_output_handle_t hDisplayOutput,
                               ctl_power_optimization_settings_t* pPowerOptimizationSettings);
ctl_result_t ctlPixelTransformationGetConfig(ctl_display_output_handle_t hDisplayOutput,
                                             ctl_pixtx_pipe_get_config_t* pPixTxGetConfigArgs);
ctl_result_t ctlPixelTransformationSetConfig(ctl_display_output_handle_t hDisplayOutput,
                                             ctl_pixtx_pipe_set_config_t* pPixTxSetConfigArgs);
ctl_result_t
ctlPanelDescriptorAccess(ctl_display_output_handle_t hDisplayOutput,
                         ctl_panel_descriptor_access_args_t* pPanelDescriptorAccessArgs);
ctl_result_t ctlGetSupportedRetroScalingCapability(ctl_device_adapter_handle_t hDAhandle,
                                                   ctl_retro_scaling_caps_t* pRetroScalingCaps);
ctl_result_t ctlGetSetRetroScaling(ctl_device_adapter_handle_t hDAhandle,
                                   ctl_retro_scaling_settings_t* pGetSetRetroScalingType);
ctl_result_t ctlGetSupportedScalingCapability(ctl_display_output_handle_t hDisplayOutput,
                                              ctl_scaling_caps_t* pScalingCaps);
ctl_result_t ctlGetCurrentScaling(ctl_display_output_handle_t hDisplayOutput,
                                  ctl_scaling_settings_t* pGetCurrentScalingType);
ctl_result_t ctlSetCurrentScaling(ctl_display_output_handle_t hDisplayOutput,
                                  ctl_scaling_settings_t* pSetScalingType);
ctl_result_t ctlGetLACEConfig(ctl_display_output_handle_t hDisplayOutput,
                              ctl_lace_config_t* pLaceConfig);
ctl_result_t ctlSetLACEConfig(ctl_display_output_handle_t hDisplayOutput,
                              ctl_lace_config_t* pLaceConfig);
ctl_result_t ctlSoftwarePSR(ctl_display_output_handle_t hDisplayOutput,
                            ctl_sw_psr_settings_t* pSoftwarePsrSetting);
ctl_result_t ctlEnumEngineGroups(ctl_device_adapter_handle_t hDAhandle, uint32_t* pCount,
                                 ctl_engine_handle_t* phEngine);
ctl_result_t ctlEngineGetProperties(ctl_engine_handle_t hEngine,
                                    ctl_engine_properties_t* pProperties);
ctl_result_t ctlEngineGetActivity(ctl_engine_handle_t hEngine, ctl_engine_stats_t* pStats);
ctl_result_t ctlEnumFans(ctl_device_adapter_handle_t hDAhandle, uint32_t* pCount,
                         ctl_fan_handle_t* phFan);
ctl_result_t ctlFanGetProperties(ctl_fan_handle_t hFan, ctl_fan_properties_t* pProperties);
ctl_result_t ctlFanGetConfig(ctl_fan_handle_t hFan, ctl_fan_config_t* pConfig);
ctl_result_t ctlFanSetDefaultMode(ctl_fan_handle_t hFan);
ctl_result_t ctlFanSetFixedSpeedMode(ctl_fan_handle_t hFan, const ctl_fan_speed_t* speed);
ctl_result_t ctlFanSetSpeedTableMode(ctl_fan_handle_t hFan,
                                     const ctl_fan_speed_table_t* speedTable);
ctl_result_t ctlFanGetState(ctl_fan_handle_t hFan, ctl_fan_speed_units_t units, int32_t* pSpeed);
ctl_result_t ctlEnumFrequencyDomains(ctl_device_adapter_handle_t hDAhandle, uint32_t* pCount,
                                     ctl_freq_handle_t* phFrequency);
ctl_result_t ctlFrequencyGetProperties(ctl_freq_handle_t hFrequency,
                                       ctl_freq_properties_t* pProperties);
ctl_result_t ctlFrequencyGetAvailableClocks(ctl_freq_handle_t hFrequency, uint32_t* pCount,
                                            double* phFrequency);
ctl_result_t ctlFrequencyGetRange(ctl_freq_handle_t hFrequency, ctl_freq_range_t* pLimits);
ctl_result_t ctlFrequencySetRange(ctl_freq_handle_t hFrequency, const ctl_freq_range_t* pLimits);
ctl_result_t ctlFrequencyGetState(ctl_freq_handle_t hFrequency, ctl_freq_state_t* pState);
ctl_result_t ctlFrequencyGetThrottleTime(ctl_freq_handle_t hFrequency,
                                         ctl_freq_throttle_time_t* pThrottleTime);
ctl_result_t
ctlGetSupportedVideoProcessingCapabilities(ctl_device_adapter_handle_t hDAhandle,
                                           ctl_video_processing_feature_caps_t* pFeatureCaps);
ctl_result_t ctlGetSetVideoProcessingFeature(ctl_device_adapter_handle_t hDAhandle,
                                             ctl_video_processing_feature_getset_t* pFeature);
ctl_result_t ctlEnumMemoryModules(ctl_device_adapter_handle_t hDAhandle, uint32_t* pCount,
                                  ctl_mem_handle_t* phMemory);
ctl_result_t ctlMemoryGetProperties(ctl_mem_handle_t hMemory, ctl_mem_properties_t* pProperties);
ctl_result_t ctlMemoryGetState(ctl_mem_handle_t hMemory, ctl_mem_state_t* pState);
ctl_result_t ctlMemoryGetBandwidth(ctl_mem_handle_t hMemory, ctl_mem_bandwidth_t* pBandwidth);
ctl_result_t ctlOverclockGetProperties(ctl_device_adapter_handle_t hDeviceHandle,
                                       ctl_oc_properties_t* pOcProperties);
ctl_result_t ctlOverclockWaiverSet(ctl_device_adapter_handle_t hDeviceHandle);
ctl_result_t ctlOverclockGpuFrequencyOffsetGet(ctl_device_adapter_handle_t hDeviceHandle,
                                               double* pOcFrequencyOffset);
ctl_result_t ctlOverclockGpuFrequencyOffsetSet(ctl_device_adapter_handle_t hDeviceHandle,
                                               double ocFrequencyOffset);
ctl_result_t ctlOverclockGpuVoltageOffsetGet(ctl_device_adapter_handle_t hDeviceHandle,
                                             double* pOcVoltageOffset);
ctl_result_t ctlOverclockGpuVoltageOffsetSet(ctl_device_adapter_handle_t hDeviceHandle,
                                             double ocVoltageOffset);
ctl_result_t ctlOverclockGpuLockGet(ctl_device_adapter_handle_t hDeviceHandle,
                                    ctl_oc_vf_pair_t* pVfPair);
ctl_result_t ctlOverclockGpuLockSet(ctl_device_adapter_handle_t hDeviceHandle,
                                    ctl_oc_vf_pair_t vFPair);
ctl_result_t ctlOverclockVramFrequencyOffsetGet(ctl_device_adapter_handle_t hDeviceHandle,
                                                double* pOcFrequencyOffset);
ctl_result_t ctlOverclockVramFrequencyOffsetSet(ctl_device_adapter_handle_t hDeviceHandle,
                                                double ocFrequencyOffset);
ctl_result_t ctlOverclockVramVoltageOffsetGet(ctl_device_adapter_handle_t hDeviceHandle,
                                              double* pVoltage);
ctl_result_t ctlOverclockVramVoltageOffsetSet(ctl_device_adapter_handle_t hDeviceHandle,
                                              double voltage);
ctl_result_t ctlOverclockPowerLimitGet(ctl_device_adapter_handle_t hDeviceHandle,
                                       double* pSustainedPowerLimit);
ctl_result_t ctlOverclockPowerLimitSet(ctl_device_adapter_handle_t hDeviceHandle,
                                       double sustainedPowerLimit);
ctl_result_t ctlOverclockTemperatureLimitGet(ctl_device_adapter_handle_t hDeviceHandle,
                                             double* pTemperatureLimit);
ctl_result_t ctlOverclockTemperatureLimitSet(ctl_device_adapter_handle_t hDeviceHandle,
                                             double temperatureLimit);
ctl_result_t ctlPowerTelemetryGet(ctl_device_adapter_handle_t hDeviceHandle,
                                  ctl_power_telemetry_t* pTelemetryInfo);
ctl_result_t ctlPciGetProperties(ctl_device_adapter_handle_t hDAhandle,
                                 ctl_pci_properties_t* pProperties);
ctl_result_t ctlPciGetState(ctl_device_adapter_handle_t hDAhandle, ctl_pci_state_t* pState);
ctl_result_t ctlEnumPowerDomains(ctl_device_adapter_handle_t hDAhandle, uint32_t* pCount,
                                 ctl_pwr_handle_t* phPower);
ctl_result_t ctlPowerGetProperties(ctl_pwr_handle_t hPower, ctl_power_properties_t* pProperties);
ctl_result_t ctlPowerGetEnergyCounter(ctl_pwr_handle_t hPower, ctl_power_energy_counter_t* pEnergy);
ctl_result_t ctlPowerGetLimits(ctl_pwr_handle_t hPower, ctl_power_limits_t* pPowerLimits);
ctl_result_t ctlPowerSetLimits(ctl_pwr_handle_t hPower, const ctl_power_limits_t* pPowerLimits);
ctl_result_t ctlEnumTemperatureSensors(ctl_device_adapter_handle_t hDAhandle, uint32_t* pCount,
                                       ctl_temp_handle_t* phTemperature);
ctl_result_t ctlTemperatureGetProperties(ctl_temp_handle_t hTemperature,
                                         ctl_temp_properties_t* pProperties);
ctl_result_t ctlTemperatureGetState(ctl_temp_handle_t hTemperature, double* pTemperature);

} // extern "C"
