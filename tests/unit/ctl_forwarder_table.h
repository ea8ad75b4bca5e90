// The 80 forwarders as a table: each is called with arguments no other has (a pointer argument
// i points into slot i of g_area), and a typed stand-in for the run time's entry of that name
// notes which forwarder reached it and whether the arguments arrived exactly as sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "igcl/ctl_exports.h"

namespace varnet::test {

inline constexpr ctl_result_t kEntryResult = 0x48000013; // not one the binding gives itself
inline constexpr std::size_t kSlotBytes = 64;
inline uint8_t g_area[3 * kSlotBytes];
inline const void* g_reached = nullptr;
inline bool g_exact = false;

template <class T> T Arg(std::size_t i) {
    if constexpr (std::is_pointer_v<T>) {
        return reinterpret_cast<T>(g_area + i * kSlotBytes);
    } else if constexpr (std::is_same_v<T, double>) {
        return -1.0 / 3.0; // all 53 bits: a float on the way would show
    } else if constexpr (std::is_same_v<T, ctl_oc_vf_pair_t>) {
        return {static_cast<uint32_t>(sizeof(T)), 7, 0.8125000000000001, 2450.125};
    } else {
        static_assert(std::is_same_v<T, uint32_t>, "a new argument shape needs a value");
        return 0x5A5A0000u + static_cast<uint32_t>(i);
    }
}
template <class T> bool Same(const T& a, const T& b) {
    return a == b;
}
inline bool Same(const ctl_oc_vf_pair_t& a, const ctl_oc_vf_pair_t& b) { // field by field
    return std::tie(a.Size, a.Version, a.Voltage, a.Frequency) ==
           std::tie(b.Size, b.Version, b.Voltage, b.Frequency);
}

struct ForwarderRow {
    const char* name;
    void* entry; // the stand-in, as FindSymbol returns it
    ctl_result_t (*invoke)();
    const void* forwarder;
};

template <auto Fn, class = std::remove_pointer_t<decltype(Fn)>> struct Row;
template <auto Fn, class... Args> struct Row<Fn, ctl_result_t(Args...)> {
    template <std::size_t... I> static ctl_result_t Entry(std::index_sequence<I...>, Args... args) {
        g_reached = reinterpret_cast<const void*>(Fn);
        g_exact = (Same(args, Arg<Args>(I)) && ...);
        return kEntryResult;
    }
    template <std::size_t... I> static ctl_result_t Call(std::index_sequence<I...>) {
        return Fn(Arg<Args>(I)...);
    }
    static ctl_result_t Stand(Args... args) {
        return Entry(std::index_sequence_for<Args...>{}, args...);
    }
    static ctl_result_t Invoke() { return Call(std::index_sequence_for<Args...>{}); }
    static ForwarderRow Make(const char* name) {
        return {name, reinterpret_cast<void*>(&Stand), &Invoke, reinterpret_cast<const void*>(Fn)};
    }
};
#define FWD(fn) Row<&fn>::Make(#fn)

inline const std::vector<ForwarderRow>& ForwarderRows() {
    // clang-format off
    static const std::vector<ForwarderRow> rows = {
        FWD(ctlAUXAccess), FWD(ctlCheckDriverVersion), FWD(ctlEngineGetActivity),
        FWD(ctlEngineGetProperties), FWD(ctlEnumEngineGroups), FWD(ctlEnumFans),
        FWD(ctlEnumFrequencyDomains), FWD(ctlEnumMemoryModules), FWD(ctlEnumPowerDomains),
        FWD(ctlEnumTemperatureSensors), FWD(ctlEnumerateDevices), FWD(ctlEnumerateDisplayOutputs),
        FWD(ctlFanGetConfig), FWD(ctlFanGetProperties), FWD(ctlFanGetState),
        FWD(ctlFanSetDefaultMode), FWD(ctlFanSetFixedSpeedMode), FWD(ctlFanSetSpeedTableMode),
        FWD(ctlFrequencyGetAvailableClocks), FWD(ctlFrequencyGetProperties),
        FWD(ctlFrequencyGetRange), FWD(ctlFrequencyGetState), FWD(ctlFrequencyGetThrottleTime),
        FWD(ctlFrequencySetRange), FWD(ctlGetAdaperDisplayEncoderProperties),
        FWD(ctlGetCurrentScaling), FWD(ctlGetCurrentSharpness), FWD(ctlGetDeviceProperties),
        FWD(ctlGetDisplayProperties), FWD(ctlGetLACEConfig), FWD(ctlGetPowerOptimizationCaps),
        FWD(ctlGetPowerOptimizationSetting), FWD(ctlGetSet3DFeature), FWD(ctlGetSetRetroScaling),
        FWD(ctlGetSetVideoProcessingFeature), FWD(ctlGetSharpnessCaps),
        FWD(ctlGetSupported3DCapabilities), FWD(ctlGetSupportedRetroScalingCapability),
        FWD(ctlGetSupportedScalingCapability), FWD(ctlGetSupportedVideoProcessingCapabilities),
        FWD(ctlGetZeDevice), FWD(ctlI2CAccess), FWD(ctlMemoryGetBandwidth),
        FWD(ctlMemoryGetProperties), FWD(ctlMemoryGetState), FWD(ctlOverclockGetProperties),
        FWD(ctlOverclockGpuFrequencyOffsetGet), FWD(ctlOverclockGpuFrequencyOffsetSet),
        FWD(ctlOverclockGpuLockGet), FWD(ctlOverclockGpuLockSet),
        FWD(ctlOverclockGpuVoltageOffsetGet), FWD(ctlOverclockGpuVoltageOffsetSet),
        FWD(ctlOverclockPowerLimitGet), FWD(ctlOverclockPowerLimitSet),
        FWD(ctlOverclockTemperatureLimitGet), FWD(ctlOverclockTemperatureLimitSet),
        FWD(ctlOverclockVramFrequencyOffsetGet), FWD(ctlOverclockVramFrequencyOffsetSet),
        FWD(ctlOverclockVramVoltageOffsetGet), FWD(ctlOverclockVramVoltageOffsetSet),
        FWD(ctlOverclockWaiverSet), FWD(ctlPanelDescriptorAccess), FWD(ctlPciGetProperties),
        FWD(ctlPciGetState), FWD(ctlPixelTransformationGetConfig),
        FWD(ctlPixelTransformationSetConfig), FWD(ctlPowerGetEnergyCounter), FWD(ctlPowerGetLimits),
        FWD(ctlPowerGetProperties), FWD(ctlPowerSetLimits), FWD(ctlPowerTelemetryGet),
        FWD(ctlReservedCall), FWD(ctlSetCurrentScaling), FWD(ctlSetCurrentSharpness),
        FWD(ctlSetLACEConfig), FWD(ctlSetPowerOptimizationSetting), FWD(ctlSoftwarePSR),
        FWD(ctlTemperatureGetProperties), FWD(ctlTemperatureGetState),
        FWD(ctlWaitForPropertyChange)};
    // clang-format on
    return rows;
}

#undef FWD

} // namespace varnet::test
