// The 80 exported ctl* functions that only pass their call on to the run time's entry of the
// same name. Each definition takes its parameter types from its declaration in ctl_exports.h, so
// a forwarder cannot drift from the public signature.
#include <cstddef>
#include <tuple>

#include "api/export_guard.h"
#include "igcl/ctl_binding.h"
#include "igcl/ctl_exports.h"

namespace {

template <class Fn> struct Forwarder;

template <class... Args> struct Forwarder<ctl_result_t(Args...)> {
    template <std::size_t I> using Param = std::tuple_element_t<I, std::tuple<Args...>>;

    // Arguments travel by value exactly as received: doubles as doubles, records by copy.
    static ctl_result_t Call(const char* name, Args... args) {
        return varnet::GuardExport<ctl_result_t>(CTL_RESULT_ERROR_UNKNOWN, [&]() -> ctl_result_t {
            auto* entry = varnet::RuntimeEntry<ctl_result_t(Args...)>(name);
            if (entry == nullptr) {
                return CTL_RESULT_ERROR_NOT_INITIALIZED;
            }
            return entry(args...);
        });
    }
};

} // namespace

#define VARNET_PARAM(fn, i) Forwarder<decltype(fn)>::Param<i>
#define VARNET_FORWARD1(fn)                                                                        \
    ctl_result_t fn(VARNET_PARAM(fn, 0) a0) {                                                      \
        return Forwarder<decltype(fn)>::Call(#fn, a0);                                             \
    }
#define VARNET_FORWARD2(fn)                                                                        \
    ctl_result_t fn(VARNET_PARAM(fn, 0) a0, VARNET_PARAM(fn, 1) a1) {                              \
        return Forwarder<decltype(fn)>::Call(#fn, a0, a1);                                         \
    }
#define VARNET_FORWARD3(fn)                                                                        \
    ctl_result_t fn(VARNET_PARAM(fn, 0) a0, VARNET_PARAM(fn, 1) a1, VARNET_PARAM(fn, 2) a2) {      \
        return Forwarder<decltype(fn)>::Call(#fn, a0, a1, a2);                                     \
    }

// In the order of the export table.
VARNET_FORWARD2(ctlAUXAccess)
VARNET_FORWARD2(ctlCheckDriverVersion)
VARNET_FORWARD2(ctlEngineGetActivity)
VARNET_FORWARD2(ctlEngineGetProperties)
VARNET_FORWARD3(ctlEnumEngineGroups)
VARNET_FORWARD3(ctlEnumFans)
VARNET_FORWARD3(ctlEnumFrequencyDomains)
VARNET_FORWARD3(ctlEnumMemoryModules)
VARNET_FORWARD3(ctlEnumPowerDomains)
VARNET_FORWARD3(ctlEnumTemperatureSensors)
VARNET_FORWARD3(ctlEnumerateDevices)
VARNET_FORWARD3(ctlEnumerateDisplayOutputs)
VARNET_FORWARD2(ctlFanGetConfig)
VARNET_FORWARD2(ctlFanGetProperties)
VARNET_FORWARD3(ctlFanGetState)
VARNET_FORWARD1(ctlFanSetDefaultMode)
VARNET_FORWARD2(ctlFanSetFixedSpeedMode)
VARNET_FORWARD2(ctlFanSetSpeedTableMode)
VARNET_FORWARD3(ctlFrequencyGetAvailableClocks)
VARNET_FORWARD2(ctlFrequencyGetProperties)
VARNET_FORWARD2(ctlFrequencyGetRange)
VARNET_FORWARD2(ctlFrequencyGetState)
VARNET_FORWARD2(ctlFrequencyGetThrottleTime)
VARNET_FORWARD2(ctlFrequencySetRange)
VARNET_FORWARD2(ctlGetAdaperDisplayEncoderProperties)
VARNET_FORWARD2(ctlGetCurrentScaling)
VARNET_FORWARD2(ctlGetCurrentSharpness)
VARNET_FORWARD2(ctlGetDeviceProperties)
VARNET_FORWARD2(ctlGetDisplayProperties)
VARNET_FORWARD2(ctlGetLACEConfig)
VARNET_FORWARD2(ctlGetPowerOptimizationCaps)
VARNET_FORWARD2(ctlGetPowerOptimizationSetting)
VARNET_FORWARD2(ctlGetSet3DFeature)
VARNET_FORWARD2(ctlGetSetRetroScaling)
VARNET_FORWARD2(ctlGetSetVideoProcessingFeature)
VARNET_FORWARD2(ctlGetSharpnessCaps)
VARNET_FORWARD2(ctlGetSupported3DCapabilities)
VARNET_FORWARD2(ctlGetSupportedRetroScalingCapability)
VARNET_FORWARD2(ctlGetSupportedScalingCapability)
VARNET_FORWARD2(ctlGetSupportedVideoProcessingCapabilities)
VARNET_FORWARD3(ctlGetZeDevice)
VARNET_FORWARD2(ctlI2CAccess)
VARNET_FORWARD2(ctlMemoryGetBandwidth)
VARNET_FORWARD2(ctlMemoryGetProperties)
VARNET_FORWARD2(ctlMemoryGetState)
VARNET_FORWARD2(ctlOverclockGetProperties)
VARNET_FORWARD2(ctlOverclockGpuFrequencyOffsetGet)
VARNET_FORWARD2(ctlOverclockGpuFrequencyOffsetSet)
VARNET_FORWARD2(ctlOverclockGpuLockGet)
VARNET_FORWARD2(ctlOverclockGpuLockSet)
VARNET_FORWARD2(ctlOverclockGpuVoltageOffsetGet)
VARNET_FORWARD2(ctlOverclockGpuVoltageOffsetSet)
VARNET_FORWARD2(ctlOverclockPowerLimitGet)
VARNET_FORWARD2(ctlOverclockPowerLimitSet)
VARNET_FORWARD2(ctlOverclockTemperatureLimitGet)
VARNET_FORWARD2(ctlOverclockTemperatureLimitSet)
VARNET_FORWARD2(ctlOverclockVramFrequencyOffsetGet)
VARNET_FORWARD2(ctlOverclockVramFrequencyOffsetSet)
VARNET_FORWARD2(ctlOverclockVramVoltageOffsetGet)
VARNET_FORWARD2(ctlOverclockVramVoltageOffsetSet)
VARNET_FORWARD1(ctlOverclockWaiverSet)
VARNET_FORWARD2(ctlPanelDescriptorAccess)
VARNET_FORWARD2(ctlPciGetProperties)
VARNET_FORWARD2(ctlPciGetState)
VARNET_FORWARD2(ctlPixelTransformationGetConfig)
VARNET_FORWARD2(ctlPixelTransformationSetConfig)
VARNET_FORWARD2(ctlPowerGetEnergyCounter)
VARNET_FORWARD2(ctlPowerGetLimits)
VARNET_FORWARD2(ctlPowerGetProperties)
VARNET_FORWARD2(ctlPowerSetLimits)
VARNET_FORWARD2(ctlPowerTelemetryGet)
VARNET_FORWARD2(ctlReservedCall)
VARNET_FORWARD2(ctlSetCurrentScaling)
VARNET_FORWARD2(ctlSetCurrentSharpness)
VARNET_FORWARD2(ctlSetLACEConfig)
VARNET_FORWARD2(ctlSetPowerOptimizationSetting)
VARNET_FORWARD2(ctlSoftwarePSR)
VARNET_FORWARD2(ctlTemperatureGetProperties)
VARNET_FORWARD2(ctlTemperatureGetState)
VARNET_FORWARD2(ctlWaitForPropertyChange)
