#include "common/scenario_features.h"

#include <cmath>

#include "common/scenario_values.h"

namespace varnet::sim {

namespace {

using nlohmann::json;

constexpr std::size_t kRampEntries = 768;
constexpr uint32_t kDpcdSpace = 0x100000;

void SetBool(const json& object, const char* key, const std::string& field, bool& out) {
    if (object.contains(key))
        out = ParseBool(object.at(key), field + "." + key);
}

void SetU32(const json& object, const char* key, const std::string& field, uint32_t& out) {
    if (object.contains(key))
        out = ParseU32(object.at(key), field + "." + key);
}

void SetDouble(const json& object, const char* key, const std::string& field, double& out) {
    if (object.contains(key))
        out = ParseNumber(object.at(key), field + "." + key);
}

template <std::size_t N>
void SetArray(const json& object, const char* key, const std::string& field,
              std::array<double, N>& out) {
    if (!object.contains(key))
        return;
    const json& values = object.at(key);
    const std::string name = field + "." + key;
    if (!values.is_array() || values.size() != N)
        throw ScenarioError(name + ": expected " + std::to_string(N) + " numbers");
    for (std::size_t i = 0; i < N; ++i)
        out[i] = ParseNumber(values[i], name);
}

void ParseGroup(const json& value, const std::string& field, VideoGroup& group) {
    CheckKeys(value, field, {"enabled", "mode", "value", "default"});
    SetBool(value, "enabled", field, group.enabled);
    SetU32(value, "mode", field, group.mode);
    SetDouble(value, "value", field, group.value);
    SetDouble(value, "default", field, group.defaultValue);
}

} // namespace

std::optional<std::vector<uint16_t>> ParseGammaRamp(const json& value, const std::string& field) {
    if (value.is_string()) {
        if (value.get<std::string>() != "identity")
            throw ScenarioError(field + ": \"identity\", 768 entries or {\"exponent\": x}");
        return std::nullopt;
    }
    std::vector<uint16_t> ramp(kRampEntries);
    if (value.is_object()) {
        CheckKeys(value, field, {"exponent"});
        const double exponent = ParseNumber(value.at("exponent"), field + ".exponent");
        if (!(exponent > 0.0) || !std::isfinite(exponent))
            throw ScenarioError(field + ".exponent: a positive number");
        for (std::size_t k = 0; k < kRampEntries; ++k)
            ramp[k] = static_cast<uint16_t>(
                std::lround(65535.0 * std::pow(static_cast<double>(k % 256) / 255.0, exponent)));
        return ramp;
    }
    if (!value.is_array() || value.size() != kRampEntries)
        throw ScenarioError(field + ": a ramp has 768 entries");
    for (std::size_t k = 0; k < kRampEntries; ++k) {
        const uint32_t entry = ParseU32(value[k], field);
        if (entry > 0xFFFF)
            throw ScenarioError(field + ": ramp entries have 16 bits");
        ramp[k] = static_cast<uint16_t>(entry);
    }
    return ramp;
}

DpstSpec ParseDpst(const json& value, const std::string& field) {
    CheckKeys(value, field, {"enabled", "level", "otherFeatures", "enhanced"});
    DpstSpec dpst;
    SetBool(value, "enabled", field, dpst.enabled);
    SetU32(value, "level", field, dpst.level);
    SetU32(value, "otherFeatures", field, dpst.otherFeatures);
    if ((dpst.otherFeatures & 8u) != 0)
        throw ScenarioError(field + ".otherFeatures: bit value 8 is DPST itself");
    if (value.contains("enhanced")) {
        const json& enhanced = value.at("enhanced");
        dpst.enhanced = enhanced.is_null()
                            ? std::nullopt
                            : std::optional<uint32_t>(ParseU32(enhanced, field + ".enhanced"));
    }
    return dpst;
}

SharpnessSpec ParseSharpness(const json& value, const std::string& field) {
    CheckKeys(value, field, {"filterTypes", "enabled", "filterType", "intensity"});
    SharpnessSpec sharpness;
    SetU32(value, "filterTypes", field, sharpness.filterTypes);
    SetBool(value, "enabled", field, sharpness.initial.enabled);
    SetU32(value, "filterType", field, sharpness.initial.filterType);
    double intensity = sharpness.initial.intensity;
    SetDouble(value, "intensity", field, intensity);
    if (!(intensity >= 0.0 && intensity <= 100.0))
        throw ScenarioError(field + ".intensity: 0 to 100");
    sharpness.initial.intensity = static_cast<float>(intensity);
    return sharpness;
}

std::map<uint32_t, uint8_t> ParseAux(const json& value, const std::string& field) {
    if (!value.is_object())
        throw ScenarioError(field + ": expected an object of addresses and bytes");
    std::map<uint32_t, uint8_t> bytes;
    for (const auto& [key, run] : value.items()) {
        if (key == "comment")
            continue;
        const std::string name = field + "." + key;
        uint32_t address = ParseU32(json(key), name);
        if (!run.is_string())
            throw ScenarioError(name + ": expected hexadecimal bytes");
        const std::vector<uint8_t> data = ParseHexBytes(run.get<std::string>(), name);
        if (address >= kDpcdSpace || data.size() > kDpcdSpace - address)
            throw ScenarioError(name + ": beyond the DPCD address space (0x00000 to 0xFFFFF)");
        for (uint8_t b : data)
            bytes[address++] = b;
    }
    return bytes;
}

void ParseVideo(const json& value, const std::string& field, AdapterSpec& adapter) {
    CheckKeys(value, field,
              {"firstGroup", "sharpness", "adaptiveContrast", "standardColorCorrection",
               "totalColorCorrection", "skinTone"});
    struct Feature {
        const char* key;
        uint32_t bit; // 0: not a Control Library feature, always there
    };
    const Feature features[] = {{"firstGroup", 0},
                                {"sharpness", 1u << 2},
                                {"adaptiveContrast", 1u << 3},
                                {"standardColorCorrection", 1u << 5},
                                {"totalColorCorrection", 1u << 6},
                                {"skinTone", 1u << 7}};
    VideoState& v = adapter.video;
    for (const Feature& feature : features) {
        if (!value.contains(feature.key))
            continue;
        const json& item = value.at(feature.key);
        const std::string name = field + "." + feature.key;
        if (item.is_null()) {
            if (feature.bit == 0)
                throw ScenarioError(name + ": the video-quality block always has it");
            adapter.videoFeatures &= ~feature.bit;
            continue;
        }
        adapter.videoFeatures |= feature.bit;
        const std::string key = feature.key;
        if (key == "firstGroup") {
            ParseGroup(item, name, v.firstGroup);
        } else if (key == "sharpness") {
            ParseGroup(item, name, v.sharpness);
        } else if (key == "adaptiveContrast") {
            CheckKeys(item, name, {"enabled", "level", "secondFlag"});
            SetBool(item, "enabled", name, v.contrast.enabled);
            SetDouble(item, "level", name, v.contrast.value);
            SetBool(item, "secondFlag", name, v.contrast.secondFlag);
        } else if (key == "standardColorCorrection") {
            CheckKeys(item, name, {"first", "values"});
            SetU32(item, "first", name, v.standardColorCorrection.first);
            SetArray(item, "values", name, v.standardColorCorrection.values);
        } else if (key == "totalColorCorrection") {
            CheckKeys(item, name, {"enabled", "values"});
            SetBool(item, "enabled", name, v.totalColorCorrection.enabled);
            SetArray(item, "values", name, v.totalColorCorrection.values);
        } else {
            CheckKeys(item, name, {"enabled", "value"});
            SetBool(item, "enabled", name, v.skinTone.enabled);
            SetDouble(item, "value", name, v.skinTone.value);
        }
    }
}

} // namespace varnet::sim
