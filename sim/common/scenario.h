// The simulated machine: its adapters, displays and panels, the CUI SDK's view of the same
// displays, the driver version, and the failures to inject. Read from the JSON file named by
// VARNET_SIM_SCENARIO; without one, the built-in default laptop. A scenario file replaces only
// the top-level entries it names, and a display only the fields it names, so a small file can
// change one thing of the default laptop.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/faults.h"
#include "common/scenario_values.h"
#include "common/sim_state.h"

namespace varnet::sim {

inline constexpr uint32_t kPanelEncoderId = 0x00800050;

struct PipelineBlock {
    uint32_t id = 0;
    uint32_t type = 0;     // ctl_pixtx_block_type_t
    uint32_t channels = 0; // 1D LUT
    uint32_t samples = 0;  // per channel: 1D LUT and 3D LUT
    uint32_t sampling = 0; // 1D LUT sampling type
};

// DPST as the driver starts. The CUI SDK's block reports DPST (bit value 8) as supported when
// the display's power features include DPST; otherFeatures are further feature bits that block
// reports as both supported and on.
struct DpstSpec {
    bool enabled = true;
    uint32_t level = 3;
    uint32_t otherFeatures = 0;
    std::optional<uint32_t> enhanced = 0; // null: the driver does not offer the enhanced value
};

struct SharpnessSpec {
    uint32_t filterTypes = 3; // supported ctl_sharpness_filter_type_flags_t; 0: no sharpness
    SharpnessState initial;
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
    uint32_t powerFeatures = 0;                     // ctl_power_optimization_flags_t
    std::optional<std::vector<uint16_t>> gammaRamp; // 768 entries; null: identity
    DpstSpec dpst;
    SharpnessSpec sharpness;
    std::map<uint32_t, uint8_t> aux; // DPCD bytes; unset addresses read 0
};

// Bits (1 << ctl_video_processing_feature_t) of the features an adapter offers.
inline constexpr uint32_t kAllVideoFeatures =
    (1u << 2) | (1u << 3) | (1u << 5) | (1u << 6) | (1u << 7);

struct AdapterSpec {
    std::vector<DisplaySpec> displays;
    uint32_t videoFeatures = kAllVideoFeatures;
    VideoState video;
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
    bool colorMatrix = true;                  // the colour-matrix block reports it enabled
    std::optional<uint32_t> lut3dStatus;      // otherwise 1 while a 3D LUT is in effect, else 0
    std::optional<uint32_t> panelWidth, panelHeight; // otherwise the scenario's panelSize
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
    // The display a CUI device shows; null when the scenario has none of that name.
    const DisplaySpec* CuiDisplay(const CuiDeviceSpec& device) const;
    // The internal panel, whose state blocks without a device UID (DPST) belong to: the first
    // CUI device's display name; empty without devices.
    std::string PanelDisplayName() const;
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
