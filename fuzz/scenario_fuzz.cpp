// libFuzzer target: any text as a simulator scenario. A scenario is read or refused with a
// ScenarioError (the simulators turn that into their documented failure); any other exception
// or a crash is a finding. An accepted scenario's derived answers are asked too.
#include <cstdlib>
#include <string>

#include "common/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    varnet::sim::Scenario scenario;
    try {
        scenario = varnet::sim::ParseScenarioText(text);
    } catch (const varnet::sim::ScenarioError&) {
        return 0;
    }
    (void)scenario.PanelDisplayName();
    for (const varnet::sim::CuiDeviceSpec& device : scenario.cuiDevices) {
        (void)scenario.CuiEdid(device);
        (void)scenario.CuiLaceSupported(device);
        (void)scenario.CuiDisplay(device);
        (void)scenario.FindCuiDevice(device.uid);
    }
    for (const varnet::sim::AdapterSpec& adapter : scenario.adapters) {
        for (const varnet::sim::DisplaySpec& display : adapter.displays) {
            if (scenario.FindDisplay(display.name) == nullptr) {
                std::abort();
            }
        }
    }
    return 0;
}
