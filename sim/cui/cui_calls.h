// The methods the simulated CUI SDK object answers, by the names its journal lines and scenario
// faults use. Each method answers under its constant, so a name cannot drift from this list.
#pragma once

#define VARNET_SIM_CUI_CALLS(X)                                                                    \
    X(CreateInstance)                                                                              \
    X(EnumAttachableDevices)                                                                       \
    X(GetGammaRamp)                                                                                \
    X(SetGammaRamp)                                                                                \
    X(GetDeviceData)                                                                               \
    X(SetDeviceData)                                                                               \
    X(GetDeviceDataEx)                                                                             \
    X(SetDeviceDataEx)                                                                             \
    X(Unused)

namespace varnet::sim::cui::call_name {
#define VARNET_SIM_CUI_NAME(name) inline constexpr char name[] = #name;
VARNET_SIM_CUI_CALLS(VARNET_SIM_CUI_NAME)
#undef VARNET_SIM_CUI_NAME
} // namespace varnet::sim::cui::call_name
