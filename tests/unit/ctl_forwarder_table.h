// The 80 forwarders as a table: for each, a way to call it with distinct arguments, and a typed
// stand-in for the run time's entry that records what it received.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "igcl/ctl_exports.h"

namespace varnet::test {

// What the stand-in entries answer, so a forwarded result is told apart from the binding's own.
inline constexpr ctl_result_t kEntryResult = 0x48000013;

// Each pointer argument points into its own slot of a caller-owned area.
inline constexpr std::size_t kArgSlotBytes = 64;
inline constexpr std::size_t kArgAreaBytes = 3 * kArgSlotBytes;

struct ReceivedCall {
    const void* entry = nullptr; // which forwarder's stand-in ran
    std::vector<std::string> args;
};

inline std::vector<ReceivedCall>& ReceivedCalls() {
    static std::vector<ReceivedCall> calls;
    return calls;
}

// An argument as bytes, to compare what was sent with what arrived.
inline std::string ArgBytes(const ctl_oc_vf_pair_t& pair) {
    // Field by field: the padding after Version is not part of the value.
    std::string bytes(reinterpret_cast<const char*>(&pair.Size), sizeof pair.Size);
    bytes.append(reinterpret_cast<const char*>(&pair.Version), sizeof pair.Version);
    bytes.append(reinterpret_cast<const char*>(&pair.Voltage), sizeof pair.Voltage);
    bytes.append(reinterpret_cast<const char*>(&pair.Frequency), sizeof pair.Frequency);
    return bytes;
}
template <class T> std::string ArgBytes(const T& value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// Argument i of type T: a pointer into slot i, or a value no other argument has.
template <class T> T MakeArg([[maybe_unused]] std::size_t i, [[maybe_unused]] uint8_t* area) {
    if constexpr (std::is_pointer_v<T>) {
        return reinterpret_cast<T>(area + i * kArgSlotBytes);
    } else if constexpr (std::is_same_v<T, double>) {
        return -1.0 / 3.0; // needs all 53 bits: a float on the way would show
    } else if constexpr (std::is_same_v<T, ctl_oc_vf_pair_t>) {
        ctl_oc_vf_pair_t pair = {};
        pair.Size = sizeof pair;
        pair.Version = 7;
        pair.Voltage = 0.8125000000000001;
        pair.Frequency = 2450.125;
        return pair;
    } else {
        static_assert(std::is_same_v<T, uint32_t>, "a new argument shape needs a value");
        return 0x5A5A0000u + static_cast<uint32_t>(i);
    }
}

struct ForwarderRow {
    const char* name;
    void* entry; // the typed stand-in, as FindSymbol would return it
    // Calls the export with distinct arguments and says what it sent.
    ctl_result_t (*invoke)(uint8_t* area, std::vector<std::string>* sent);
    const void* exportAddress;
};

template <auto Export, class Fn = std::remove_pointer_t<decltype(Export)>> struct ForwarderCase;

template <auto Export, class... Args> struct ForwarderCase<Export, ctl_result_t(Args...)> {
    static ctl_result_t Entry(Args... args) {
        ReceivedCalls().push_back({reinterpret_cast<const void*>(Export), {ArgBytes(args)...}});
        return kEntryResult;
    }

    static ctl_result_t Invoke(uint8_t* area, std::vector<std::string>* sent) {
        return InvokeWith(area, sent, std::index_sequence_for<Args...>{});
    }

    template <std::size_t... I>
    static ctl_result_t InvokeWith(uint8_t* area, std::vector<std::string>* sent,
                                   std::index_sequence<I...>) {
        std::tuple<Args...> args{MakeArg<Args>(I, area)...};
        *sent = {ArgBytes(std::get<I>(args))...};
        return std::apply(Export, args);
    }
};

#define VARNET_FORWARDER_ROW(fn)                                                                   \
    ForwarderRow {                                                                                 \
#fn, reinterpret_cast < void*>(&ForwarderCase <&fn>::Entry),                               \
            &ForwarderCase < &fn> ::Invoke, reinterpret_cast < const void*>(&fn)                   \
    }

inline const std::vector<ForwarderRow>& ForwarderRows() {
    static const std::vector<ForwarderRow> rows = {
        VARNET_FORWARDER_ROW(ctlAUXAccess),
        VARNET_FORWARDER_ROW(ctlCheckDriverVersion),
        VARNET_FORWARDER_ROW(ctlEngineGetActivity),
        VARNET_FORWARDER_ROW(ctlEngineGetProperties),
        VARNET_FORWARDER_ROW(ctlEnumEngineGroups),
        VARNET_FORWARDER_ROW(ctlEnumFans),
        VARNET_FORWARDER_ROW(ctlEnumFrequencyDomains),
        VARNET_FORWARDER_ROW(ctlEnumMemoryModules),
        VARNET_FORWARDER_ROW(ctlEnumPowerDomains),
        VARNET_FORWARDER_ROW(ctlEnumTemperatureSensors),
        VARNET_FORWARDER_ROW(ctlEnumerateDevices),
        VARNET_FORWARDER_ROW(ctlEnumerateDisplayOutputs),
        VARNET_FORWARDER_ROW(ctlFanGetConfig),
        VARNET_FORWARDER_ROW(ctlFanGetProperties),
        VARNET_FORWARDER_ROW(ctlFanGetState),
        VARNET_FORWARDER_ROW(ctlFanSetDefaultMode),
        VARNET_FORWARDER_ROW(ctlFanSetFixedSpeedMode),
        VARNET_FORWARDER_ROW(ctlFanSetSpeedTableMode),
        VARNET_FORWARDER_ROW(ctlFrequencyGetAvailableClocks),
        VARNET_FORWARDER_ROW(ctlFrequencyGetProperties),
        VARNET_FORWARDER_ROW(ctlFrequencyGetRange),
        VARNET_FORWARDER_ROW(ctlFrequencyGetState),
        VARNET_FORWARDER_ROW(ctlFrequencyGetThrottleTime),
        VARNET_FORWARDER_ROW(ctlFrequencySetRange),
        VARNET_FORWARDER_ROW(ctlGetAdaperDisplayEncoderProperties),
        VARNET_FORWARDER_ROW(ctlGetCurrentScaling),
        VARNET_FORWARDER_ROW(ctlGetCurrentSharpness),
        VARNET_FORWARDER_ROW(ctlGetDeviceProperties),
        VARNET_FORWARDER_ROW(ctlGetDisplayProperties),
        VARNET_FORWARDER_ROW(ctlGetLACEConfig),
        VARNET_FORWARDER_ROW(ctlGetPowerOptimizationCaps),
        VARNET_FORWARDER_ROW(ctlGetPowerOptimizationSetting),
        VARNET_FORWARDER_ROW(ctlGetSet3DFeature),
        VARNET_FORWARDER_ROW(ctlGetSetRetroScaling),
        VARNET_FORWARDER_ROW(ctlGetSetVideoProcessingFeature),
        VARNET_FORWARDER_ROW(ctlGetSharpnessCaps),
        VARNET_FORWARDER_ROW(ctlGetSupported3DCapabilities),
        VARNET_FORWARDER_ROW(ctlGetSupportedRetroScalingCapability),
        VARNET_FORWARDER_ROW(ctlGetSupportedScalingCapability),
        VARNET_FORWARDER_ROW(ctlGetSupportedVideoProcessingCapabilities),
        VARNET_FORWARDER_ROW(ctlGetZeDevice),
        VARNET_FORWARDER_ROW(ctlI2CAccess),
        VARNET_FORWARDER_ROW(ctlMemoryGetBandwidth),
        VARNET_FORWARDER_ROW(ctlMemoryGetProperties),
        VARNET_FORWARDER_ROW(ctlMemoryGetState),
        VARNET_FORWARDER_ROW(ctlOverclockGetProperties),
        VARNET_FORWARDER_ROW(ctlOverclockGpuFrequencyOffsetGet),
        VARNET_FORWARDER_ROW(ctlOverclockGpuFrequencyOffsetSet),
        VARNET_FORWARDER_ROW(ctlOverclockGpuLockGet),
        VARNET_FORWARDER_ROW(ctlOverclockGpuLockSet),
        VARNET_FORWARDER_ROW(ctlOverclockGpuVoltageOffsetGet),
        VARNET_FORWARDER_ROW(ctlOverclockGpuVoltageOffsetSet),
        VARNET_FORWARDER_ROW(ctlOverclockPowerLimitGet),
        VARNET_FORWARDER_ROW(ctlOverclockPowerLimitSet),
        VARNET_FORWARDER_ROW(ctlOverclockTemperatureLimitGet),
        VARNET_FORWARDER_ROW(ctlOverclockTemperatureLimitSet),
        VARNET_FORWARDER_ROW(ctlOverclockVramFrequencyOffsetGet),
        VARNET_FORWARDER_ROW(ctlOverclockVramFrequencyOffsetSet),
        VARNET_FORWARDER_ROW(ctlOverclockVramVoltageOffsetGet),
        VARNET_FORWARDER_ROW(ctlOverclockVramVoltageOffsetSet),
        VARNET_FORWARDER_ROW(ctlOverclockWaiverSet),
        VARNET_FORWARDER_ROW(ctlPanelDescriptorAccess),
        VARNET_FORWARDER_ROW(ctlPciGetProperties),
        VARNET_FORWARDER_ROW(ctlPciGetState),
        VARNET_FORWARDER_ROW(ctlPixelTransformationGetConfig),
        VARNET_FORWARDER_ROW(ctlPixelTransformationSetConfig),
        VARNET_FORWARDER_ROW(ctlPowerGetEnergyCounter),
        VARNET_FORWARDER_ROW(ctlPowerGetLimits),
        VARNET_FORWARDER_ROW(ctlPowerGetProperties),
        VARNET_FORWARDER_ROW(ctlPowerSetLimits),
        VARNET_FORWARDER_ROW(ctlPowerTelemetryGet),
        VARNET_FORWARDER_ROW(ctlReservedCall),
        VARNET_FORWARDER_ROW(ctlSetCurrentScaling),
        VARNET_FORWARDER_ROW(ctlSetCurrentSharpness),
        VARNET_FORWARDER_ROW(ctlSetLACEConfig),
        VARNET_FORWARDER_ROW(ctlSetPowerOptimizationSetting),
        VARNET_FORWARDER_ROW(ctlSoftwarePSR),
        VARNET_FORWARDER_ROW(ctlTemperatureGetProperties),
        VARNET_FORWARDER_ROW(ctlTemperatureGetState),
        VARNET_FORWARDER_ROW(ctlWaitForPropertyChange),
    };
    return rows;
}

#undef VARNET_FORWARDER_ROW

} // namespace varnet::test
