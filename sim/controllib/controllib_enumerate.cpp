// Adapters, their display outputs and the display properties.
#include <algorithm>

#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

// The enumeration pattern: a null array (or a count of 0) asks for the number; otherwise at
// most *count handles are written and *count says how many.
template <typename Handle, typename Item>
void Enumerate(const std::vector<std::unique_ptr<Item>>& items, uint32_t* count, Handle* handles) {
    const uint32_t available = static_cast<uint32_t>(items.size());
    if (!handles || *count == 0) {
        *count = available;
        return;
    }
    const uint32_t written = std::min(*count, available);
    for (uint32_t i = 0; i < written; ++i)
        handles[i] = reinterpret_cast<Handle>(items[i].get());
    *count = written;
}

// Active size and refresh of the EDID's first detailed timing.
void FillTiming(const std::vector<uint8_t>& edid, ctl_display_timing_t& timing) {
    timing.Size = sizeof(ctl_display_timing_t);
    if (edid.size() < 72)
        return;
    const uint8_t* d = &edid[54];
    const uint32_t clock10kHz = d[0] | (d[1] << 8);
    timing.PixelClock = static_cast<uint64_t>(clock10kHz) * 10000;
    timing.HActive = d[2] | ((d[4] & 0xF0) << 4);
    timing.HBlank = d[3] | ((d[4] & 0x0F) << 8);
    timing.VActive = d[5] | ((d[7] & 0xF0) << 4);
    timing.VBlank = d[6] | ((d[7] & 0x0F) << 8);
    timing.HTotal = timing.HActive + timing.HBlank;
    timing.VTotal = timing.VActive + timing.VBlank;
    timing.HSync = d[9] | ((d[11] & 0x30) << 4);
    timing.VSync = (d[10] & 0x0F) | ((d[11] & 0x03) << 4);
    if (timing.HTotal && timing.VTotal)
        timing.RefreshRate =
            static_cast<float>(static_cast<double>(timing.PixelClock) /
                               (static_cast<double>(timing.HTotal) * timing.VTotal));
}

} // namespace

ctl_result_t CtlEnumerateDevices(ctl_api_handle_t api, uint32_t* count,
                                 ctl_device_adapter_handle_t* devices) {
    return Answer(call_name::ctlEnumerateDevices, [&](CallRecord& record) -> ctl_result_t {
        Instance* instance = Runtime::Get().FindInstance(api);
        if (!instance)
            return BadHandle(api, CTL_RESULT_ERROR_INVALID_API_HANDLE);
        if (!count)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        record.args = {{"count", *count}, {"fill", devices != nullptr}};
        if (auto injected = Injected(record))
            return *injected;
        Enumerate(instance->adapters, count, devices);
        record.extra["out"] = {{"count", *count}};
        return CTL_RESULT_SUCCESS;
    });
}

ctl_result_t CtlEnumerateDisplayOutputs(ctl_device_adapter_handle_t adapterHandle, uint32_t* count,
                                        ctl_display_output_handle_t* displays) {
    return Answer(call_name::ctlEnumerateDisplayOutputs, [&](CallRecord& record) -> ctl_result_t {
        SimAdapter* adapter = Runtime::Get().FindAdapter(adapterHandle);
        if (!adapter)
            return BadHandle(adapterHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!count)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        record.args = {
            {"adapter", adapter->index}, {"count", *count}, {"fill", displays != nullptr}};
        if (auto injected = Injected(record))
            return *injected;
        Enumerate(adapter->displays, count, displays);
        record.extra["out"] = {{"count", *count}};
        return CTL_RESULT_SUCCESS;
    });
}

ctl_result_t CtlGetDisplayProperties(ctl_display_output_handle_t displayHandle,
                                     ctl_display_properties_t* properties) {
    return Answer(call_name::ctlGetDisplayProperties, [&](CallRecord& record) -> ctl_result_t {
        SimDisplay* display = Runtime::Get().FindDisplay(displayHandle);
        if (!display)
            return BadHandle(displayHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
        if (!properties)
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        const DisplaySpec& desc = *display->desc;
        record.args = {{"display", desc.name}, {"size", properties->Size}};
        if (auto injected = Injected(record))
            return *injected;
        if (properties->Size < sizeof(ctl_display_properties_t))
            return CTL_RESULT_ERROR_INVALID_SIZE;
        properties->Os_display_encoder_handle.WindowsDisplayEncoderID = desc.encoderId;
        properties->Type = desc.outputType;
        properties->SupportedSpec = {1, 4, 0};
        properties->SupportedOutputBPCFlags = 0x2 | 0x4; // 8 and 10 bits per colour
        properties->DisplayConfigFlags = 0x1 | 0x2;      // active and attached
        properties->FeatureSupportedFlags = 0x4;         // PSR
        properties->AdvancedFeatureSupportedFlags =
            ((desc.powerFeatures & CTL_POWER_OPTIMIZATION_FLAG_DPST) ? 0x1u : 0u) |
            (desc.laceSupported ? 0x2u : 0u);
        FillTiming(desc.edid, properties->Display_Timing_Info);
        return CTL_RESULT_SUCCESS;
    });
}

} // namespace varnet::sim::controllib
