// The simulated machine: its adapters, displays and panels, the CUI SDK's view of the same
// displays, the driver version, and the failures to inject. Read from the JSON file named by
// VARNET_SIM_SCENARIO; without one, the built-in default laptop. A scenario file replaces only
// the top-level entries it names, and a display only the fields it names, so a small file can
// change one thing of the default laptop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/faults.h"
#include "common/scenario_values.h"

namespace varnet::sim {

inline constexpr uint32_t kPanelEncoderId = 0x00800050;

struct PipelineBlock {
    uint32_t id = 0;
    uint32_t type = 0;     // ctl_pixtx_block_type_t
    uint32_t channels = 0; // 1D LUT
    uint32_t samples = 0;  // per channel: 1D LUT and 3D LUT
    uint32_t sampling = 0; // 1D LUT sampling type
};

struct DisplaySpec {
    std::string name; // "\\.\DISPLAYn"; also the key of its driver state
    uint32_t encoderId = kPanelEncoderId;
    uint32_t outputType = 1;                      // ctl_display_output_types_t: DisplayPort (eDP)
    std::vector<uint8_t> edid;                    // block 0
    std::vector<std::vector<uint8_t>> extensions; // blocks 1, 2...
    std::optional<uint32_t> reportedEdidSize;     // what a size query of block 0 answers
    std::vector<PipelineBlock> pipeline;
    bool laceSupported = true;
    uint32_t powerFeatures = 0; // ctl_power_optimization_flags_t
};

struct AdapterSpec {
    std::vector<DisplaySpec> displays;
};

// One answer of the CUI SDK's device enumeration.
struct CuiDeviceSpec {
    std::string displayName; // "\\.\DISPLAY1"
    int32_t index = 0;
    uint32_t uid = 0;
    int32_t type = 0;
    int32_t state = 0;
    std::optional<uint32_t> laceSupported;    // otherwise from the display of the same name
    std::optional<std::vector<uint8_t>> edid; // otherwise from the display of the same name
};

struct Scenario {
    std::optional<std::string> driverVersion; // null: the adapter has no "DriverVersion"
    uint32_t panelWidth = 0;
    uint32_t panelHeight = 0;
    std::vector<AdapterSpec> adapters;
    std::vector<CuiDeviceSpec> cuiDevices;
    std::vector<Fault> faults;
    std::string faultSignature; // the faults as written; counts restart when it changes

    const DisplaySpec* FindDisplay(const std::string& name) const;
    const CuiDeviceSpec* FindCuiDevice(uint32_t uid) const;
    // The EDID base block the CUI SDK reports for a device; empty when it has none.
    std::vector<uint8_t> CuiEdid(const CuiDeviceSpec& device) const;
    uint32_t CuiLaceSupported(const CuiDeviceSpec& device) const;
};

// The default laptop as a scenario file would spell it.
nlohmann::json DefaultScenarioJson();
Scenario DefaultScenario();
// Throws ScenarioError with the path of the offending field.
Scenario ParseScenario(const nlohmann::json& document);
Scenario ParseScenarioText(const std::string& text);
// An empty path gives the default laptop.
Scenario LoadScenarioFile(const std::string& path);

} // namespace varnet::sim
