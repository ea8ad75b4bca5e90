#include "common/scenario.h"

#include <fstream>
#include <sstream>

namespace varnet::sim {

const DisplaySpec* Scenario::FindDisplay(const std::string& name) const {
    for (const AdapterSpec& adapter : adapters)
        for (const DisplaySpec& display : adapter.displays)
            if (display.name == name)
                return &display;
    return nullptr;
}

const CuiDeviceSpec* Scenario::FindCuiDevice(uint32_t uid) const {
    for (const CuiDeviceSpec& device : cuiDevices)
        if (device.uid == uid)
            return &device;
    return nullptr;
}

std::vector<uint8_t> Scenario::CuiEdid(const CuiDeviceSpec& device) const {
    if (device.edid)
        return *device.edid;
    const DisplaySpec* display = FindDisplay(device.displayName);
    return display ? display->edid : std::vector<uint8_t>();
}

uint32_t Scenario::CuiLaceSupported(const CuiDeviceSpec& device) const {
    if (device.laceSupported)
        return *device.laceSupported;
    const DisplaySpec* display = FindDisplay(device.displayName);
    return display && display->laceSupported ? 1 : 0;
}

Scenario LoadScenarioFile(const std::string& path) {
    if (path.empty())
        return DefaultScenario();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ScenarioError("cannot read the scenario file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return ParseScenarioText(text.str());
}

} // namespace varnet::sim
