// What the simulated driver remembers between calls: a real driver keeps its settings while the
// application loads and unloads the run time around every call, so the simulators keep theirs in
// the JSON file named by VARNET_SIM_STATE (in memory when unset). Fields other than the ones
// below are kept as found, so a file stays readable by older and newer simulators.
//
// Both simulators drive one machine: the Control Library's 1D LUT is the CUI SDK's gamma ramp,
// its 3D LUT the SDK's packed table, its DPST setting the SDK's DPST block, its video-processing
// features the SDK's video-quality and media-colour blocks. A setting that was never changed is
// absent here and reads as the scenario describes the machine.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varnet::sim {

struct LaceState {
    bool enabled = false;
    uint32_t trigger = 2;     // ctl_lace_trigger_flags_t: fixed aggressiveness
    uint32_t level = 0;       // aggressiveness, percent
    uint32_t enableValue = 0; // what the CUI SDK last received as its enable value
};

// The display's 1D LUT: channel-major samples in 0.0..1.0, uniformly spaced.
struct OneDLutState {
    uint32_t channels = 3;
    uint32_t samplesPerChannel = 256;
    std::vector<double> values; // channels x samplesPerChannel
};

inline constexpr std::array<double, 9> kIdentityMatrix = {1, 0, 0, 0, 1, 0, 0, 0, 1};

// The pipeline's 3x3 matrix block, row-major.
struct MatrixState {
    uint32_t blockId = 0;
    std::array<double, 9> matrix = kIdentityMatrix;
    std::array<double, 3> preOffsets = {};
    std::array<double, 3> postOffsets = {};
};

// A 3D LUT in effect: N^3 (red, green, blue) triples, red index outermost, blue innermost.
struct Lut3dState {
    uint32_t pointsPerAxis = 17;
    std::vector<double> values; // 3 x N^3
};

// DPST as the CUI SDK's block holds it; the Control Library sees bit value 8 and the level.
struct DpstState {
    uint32_t enabledFeatures = 0; // bit value 8 is DPST
    uint32_t level = 0;
    uint32_t enhanced = 0; // the enhanced value, where the driver offers it
};

struct SharpnessState {
    bool enabled = false;
    uint32_t filterType = 1; // ctl_sharpness_filter_type_flags_t
    float intensity = 0.0f;  // 0..100
};

// Six-sector weights as 32-bit patterns; callers treat them as signed percentages.
struct SectorWeights {
    uint32_t red = 0, green = 0, blue = 0, cyan = 0, magenta = 0, yellow = 0;
};

struct DisplayTccState {
    uint32_t enable = 0;
    SectorWeights weights;
};

struct HueSatState {
    float hue = 0.0f;
    float saturation = 0.0f;
};

struct ColorMatrixState {
    uint32_t control = 0; // the colour-matrix control block's value
    uint32_t third = 0;
    uint32_t present = 0;
    std::array<float, 9> matrix = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

// Video processing of an adapter. The CUI SDK's video-quality block carries the first group and
// the sharpness mode and default, which the Control Library does not know.
struct VideoGroup {
    bool enabled = false;
    uint32_t mode = 1;
    double value = 0.0;
    double defaultValue = 50.0;
};

struct VideoState {
    VideoGroup firstGroup;
    VideoGroup sharpness;
    struct {
        bool enabled = false;
        double value = 0.0;
        bool secondFlag = false;
    } contrast;
    struct {
        bool enabled = false;
        double value = 0.0;
    } skinTone;
    struct {
        uint32_t first = 0;                // the CUI value; the Control Library's enable byte
        std::array<double, 4> values = {}; // in the Control Library's order a, b, c, d
    } standardColorCorrection;
    struct {
        bool enabled = false;
        std::array<double, 6> values = {128, 128, 128, 128, 128, 128};
    } totalColorCorrection;
};

// Per display, keyed by the display name ("\\.\DISPLAY1") both simulators share.
struct DisplayState {
    LaceState lace;
    std::optional<OneDLutState> gamma;      // absent: the scenario's initial ramp
    std::optional<MatrixState> csc;         // absent: identity
    std::optional<Lut3dState> lut3d;        // absent: no 3D LUT in effect
    std::optional<DpstState> dpst;          // absent: the scenario's DPST
    std::map<uint32_t, bool> powerFeatures; // other power features switched by the caller
    std::optional<SharpnessState> sharpness;
    std::map<uint32_t, uint8_t> aux; // DPCD bytes written; the rest read from the scenario
    HueSatState hueSat;
    DisplayTccState displayTcc;
    ColorMatrixState colorMatrix;
};

struct AdapterState {
    std::optional<VideoState> video; // absent: the scenario's values
};

struct SimState {
    uint64_t inits = 0;      // ctlInit calls that succeeded
    uint64_t cuiObjects = 0; // CUI SDK objects created
    std::map<std::string, DisplayState> displays;
    std::map<uint32_t, AdapterState> adapters; // by enumeration index
    SectorWeights sixSector;                   // the SDK's six-sector block has no display
    // Matching calls seen per scenario fault, valid for the faults written as faultSignature.
    std::string faultSignature;
    std::vector<int> faultCounts;
    std::vector<int> faultFired; // times each fault decided an answer, same validity
    nlohmann::json other = nlohmann::json::object();

    DisplayState& Display(const std::string& name) { return displays[name]; }
    AdapterState& Adapter(uint32_t index) { return adapters[index]; }
};

nlohmann::json StateToJson(const SimState& state);
// Missing or mistyped fields take their defaults.
SimState StateFromJson(const nlohmann::json& document);

// Pieces of the state file's form that the driver-state summary shares.
nlohmann::json VideoToJson(const VideoState& video);
nlohmann::json SectorWeightsToJson(const SectorWeights& weights);
// Runs of consecutive bytes: {"0x00600": "01 02"}.
nlohmann::json AuxToJson(const std::map<uint32_t, uint8_t>& bytes);

} // namespace varnet::sim
