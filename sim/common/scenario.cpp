#include "common/scenario.h"

#include <algorithm>
#include <cctype>
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

const DisplaySpec* Scenario::CuiDisplay(const CuiDeviceSpec& device) const {
    for (const AdapterSpec& adapter : adapters)
        for (const DisplaySpec& display : adapter.displays)
            if (display.name.size() == device.displayName.size() &&
                std::equal(display.name.begin(), display.name.end(), device.displayName.begin(),
                           [](char a, char b) {
                               return std::toupper(static_cast<unsigned char>(a)) ==
                                      std::toupper(static_cast<unsigned char>(b));
                           }))
                return &display;
    return nullptr;
}

std::string Scenario::PanelDisplayName() const {
    return cuiDevices.empty() ? std::string() : cuiDevices.front().displayName;
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
