#include "common/sim_state.h"

#include <cstdio>
#include <cstdlib>

#include "common/scenario_values.h"

namespace varnet::sim {

namespace {

using nlohmann::json;

template <typename T> T Field(const json& object, const char* key, T fallback) {
    if (!object.is_object() || !object.contains(key))
        return fallback;
    try {
        return object.at(key).get<T>();
    } catch (const json::exception&) {
        return fallback;
    }
}

template <typename T, std::size_t N>
std::array<T, N> ArrayField(const json& object, const char* key, std::array<T, N> fallback) {
    const auto values = Field<std::vector<T>>(object, key, {});
    if (values.size() != N)
        return fallback;
    std::array<T, N> result;
    for (std::size_t i = 0; i < N; ++i)
        result[i] = values[i];
    return result;
}

const json& Member(const json& object, const char* key) {
    static const json none;
    return object.is_object() && object.contains(key) ? object.at(key) : none;
}

bool Has(const json& object, const char* key) {
    return object.is_object() && object.contains(key) && object.at(key).is_object();
}

json LaceToJson(const LaceState& lace) {
    return {{"enabled", lace.enabled},
            {"trigger", lace.trigger},
            {"level", lace.level},
            {"enableValue", lace.enableValue}};
}

LaceState LaceFromJson(const json& value) {
    LaceState lace;
    lace.enabled = Field(value, "enabled", lace.enabled);
    lace.trigger = Field(value, "trigger", lace.trigger);
    lace.level = Field(value, "level", lace.level);
    lace.enableValue = Field(value, "enableValue", lace.enableValue);
    return lace;
}

// A table whose size does not match its counts is damaged: the driver forgets it.
std::optional<OneDLutState> GammaFromJson(const json& value) {
    OneDLutState lut;
    lut.channels = Field(value, "channels", 0u);
    lut.samplesPerChannel = Field(value, "samplesPerChannel", 0u);
    lut.values = Field<std::vector<double>>(value, "values", {});
    if (lut.channels == 0 || lut.samplesPerChannel == 0 ||
        lut.values.size() != std::size_t{lut.channels} * lut.samplesPerChannel)
        return std::nullopt;
    return lut;
}

std::optional<Lut3dState> Lut3dFromJson(const json& value) {
    Lut3dState lut;
    lut.pointsPerAxis = Field(value, "pointsPerAxis", 0u);
    lut.values = Field<std::vector<double>>(value, "values", {});
    const std::size_t n = lut.pointsPerAxis;
    if (n == 0 || lut.values.size() != 3 * n * n * n)
        return std::nullopt;
    return lut;
}

json MatrixToJson(const MatrixState& m) {
    return {{"blockId", m.blockId},
            {"matrix", m.matrix},
            {"preOffsets", m.preOffsets},
            {"postOffsets", m.postOffsets}};
}

MatrixState MatrixFromJson(const json& value) {
    MatrixState m;
    m.blockId = Field(value, "blockId", m.blockId);
    m.matrix = ArrayField(value, "matrix", m.matrix);
    m.preOffsets = ArrayField(value, "preOffsets", m.preOffsets);
    m.postOffsets = ArrayField(value, "postOffsets", m.postOffsets);
    return m;
}

SectorWeights WeightsFromJson(const json& value) {
    auto weight = [&](const char* key) {
        return static_cast<uint32_t>(Field<int64_t>(value, key, 0));
    };
    SectorWeights w;
    w.red = weight("red");
    w.green = weight("green");
    w.blue = weight("blue");
    w.cyan = weight("cyan");
    w.magenta = weight("magenta");
    w.yellow = weight("yellow");
    return w;
}

json GroupToJson(const VideoGroup& g) {
    return {
        {"enabled", g.enabled}, {"mode", g.mode}, {"value", g.value}, {"default", g.defaultValue}};
}

VideoGroup GroupFromJson(const json& value, VideoGroup g) {
    g.enabled = Field(value, "enabled", g.enabled);
    g.mode = Field(value, "mode", g.mode);
    g.value = Field(value, "value", g.value);
    g.defaultValue = Field(value, "default", g.defaultValue);
    return g;
}

VideoState VideoFromJson(const json& value) {
    VideoState v;
    v.firstGroup = GroupFromJson(Member(value, "firstGroup"), v.firstGroup);
    v.sharpness = GroupFromJson(Member(value, "sharpness"), v.sharpness);
    const json& contrast = Member(value, "adaptiveContrast");
    v.contrast.enabled = Field(contrast, "enabled", v.contrast.enabled);
    v.contrast.value = Field(contrast, "level", v.contrast.value);
    v.contrast.secondFlag = Field(contrast, "secondFlag", v.contrast.secondFlag);
    const json& skin = Member(value, "skinTone");
    v.skinTone.enabled = Field(skin, "enabled", v.skinTone.enabled);
    v.skinTone.value = Field(skin, "value", v.skinTone.value);
    const json& scc = Member(value, "standardColorCorrection");
    v.standardColorCorrection.first = Field(scc, "first", v.standardColorCorrection.first);
    v.standardColorCorrection.values = ArrayField(scc, "values", v.standardColorCorrection.values);
    const json& tcc = Member(value, "totalColorCorrection");
    v.totalColorCorrection.enabled = Field(tcc, "enabled", v.totalColorCorrection.enabled);
    v.totalColorCorrection.values = ArrayField(tcc, "values", v.totalColorCorrection.values);
    return v;
}

std::map<uint32_t, uint8_t> AuxFromJson(const json& value) {
    std::map<uint32_t, uint8_t> bytes;
    if (!value.is_object())
        return bytes;
    for (const auto& [key, run] : value.items()) {
        try {
            uint32_t address = ParseU32(json(key), key);
            for (uint8_t b : ParseHexBytes(run.get<std::string>(), key))
                bytes[address++] = b;
        } catch (const std::exception&) {
        }
    }
    return bytes;
}

json DisplayToJson(const DisplayState& d) {
    json out = {{"lace", LaceToJson(d.lace)}};
    if (d.gamma)
        out["gamma"] = {{"channels", d.gamma->channels},
                        {"samplesPerChannel", d.gamma->samplesPerChannel},
                        {"values", d.gamma->values}};
    if (d.csc)
        out["csc"] = MatrixToJson(*d.csc);
    if (d.lut3d)
        out["lut3d"] = {{"pointsPerAxis", d.lut3d->pointsPerAxis}, {"values", d.lut3d->values}};
    if (d.dpst)
        out["dpst"] = {{"enabledFeatures", d.dpst->enabledFeatures},
                       {"level", d.dpst->level},
                       {"enhanced", d.dpst->enhanced}};
    if (!d.powerFeatures.empty()) {
        json power = json::object();
        for (const auto& [feature, enabled] : d.powerFeatures)
            power[std::to_string(feature)] = enabled;
        out["powerFeatures"] = power;
    }
    if (d.sharpness)
        out["sharpness"] = {{"enabled", d.sharpness->enabled},
                            {"filterType", d.sharpness->filterType},
                            {"intensity", d.sharpness->intensity}};
    if (!d.aux.empty())
        out["aux"] = AuxToJson(d.aux);
    out["hueSat"] = {{"hue", d.hueSat.hue}, {"saturation", d.hueSat.saturation}};
    out["displayTcc"] = {{"enable", d.displayTcc.enable},
                         {"weights", SectorWeightsToJson(d.displayTcc.weights)}};
    out["colorMatrix"] = {{"control", d.colorMatrix.control},
                          {"third", d.colorMatrix.third},
                          {"present", d.colorMatrix.present},
                          {"matrix", d.colorMatrix.matrix}};
    return out;
}

DisplayState DisplayFromJson(const json& value) {
    DisplayState d;
    d.lace = LaceFromJson(Member(value, "lace"));
    if (Has(value, "gamma"))
        d.gamma = GammaFromJson(value.at("gamma"));
    if (Has(value, "csc"))
        d.csc = MatrixFromJson(value.at("csc"));
    if (Has(value, "lut3d"))
        d.lut3d = Lut3dFromJson(value.at("lut3d"));
    if (Has(value, "dpst")) {
        const json& dpst = value.at("dpst");
        d.dpst = DpstState{Field(dpst, "enabledFeatures", 0u), Field(dpst, "level", 0u),
                           Field(dpst, "enhanced", 0u)};
    }
    if (Has(value, "powerFeatures"))
        for (const auto& [key, enabled] : value.at("powerFeatures").items())
            if (enabled.is_boolean())
                d.powerFeatures[static_cast<uint32_t>(std::strtoul(key.c_str(), nullptr, 10))] =
                    enabled.get<bool>();
    if (Has(value, "sharpness")) {
        const json& s = value.at("sharpness");
        SharpnessState sharpness;
        sharpness.enabled = Field(s, "enabled", sharpness.enabled);
        sharpness.filterType = Field(s, "filterType", sharpness.filterType);
        sharpness.intensity = Field(s, "intensity", sharpness.intensity);
        d.sharpness = sharpness;
    }
    d.aux = AuxFromJson(Member(value, "aux"));
    const json& hueSat = Member(value, "hueSat");
    d.hueSat.hue = Field(hueSat, "hue", 0.0f);
    d.hueSat.saturation = Field(hueSat, "saturation", 0.0f);
    const json& tcc = Member(value, "displayTcc");
    d.displayTcc.enable = Field(tcc, "enable", 0u);
    d.displayTcc.weights = WeightsFromJson(Member(tcc, "weights"));
    const json& matrix = Member(value, "colorMatrix");
    d.colorMatrix.control = Field(matrix, "control", 0u);
    d.colorMatrix.third = Field(matrix, "third", 0u);
    d.colorMatrix.present = Field(matrix, "present", 0u);
    d.colorMatrix.matrix = ArrayField(matrix, "matrix", d.colorMatrix.matrix);
    return d;
}

} // namespace

json VideoToJson(const VideoState& v) {
    return {
        {"firstGroup", GroupToJson(v.firstGroup)},
        {"sharpness", GroupToJson(v.sharpness)},
        {"adaptiveContrast",
         {{"enabled", v.contrast.enabled},
          {"level", v.contrast.value},
          {"secondFlag", v.contrast.secondFlag}}},
        {"skinTone", {{"enabled", v.skinTone.enabled}, {"value", v.skinTone.value}}},
        {"standardColorCorrection",
         {{"first", v.standardColorCorrection.first},
          {"values", v.standardColorCorrection.values}}},
        {"totalColorCorrection",
         {{"enabled", v.totalColorCorrection.enabled}, {"values", v.totalColorCorrection.values}}},
    };
}

json SectorWeightsToJson(const SectorWeights& w) {
    auto signedValue = [](uint32_t v) { return static_cast<int32_t>(v); };
    return {{"red", signedValue(w.red)},         {"green", signedValue(w.green)},
            {"blue", signedValue(w.blue)},       {"cyan", signedValue(w.cyan)},
            {"magenta", signedValue(w.magenta)}, {"yellow", signedValue(w.yellow)}};
}

json AuxToJson(const std::map<uint32_t, uint8_t>& bytes) {
    json out = json::object();
    std::string key;
    std::vector<uint8_t> run;
    uint32_t next = 0;
    auto flush = [&] {
        if (!run.empty())
            out[key] = ToHex(run);
        run.clear();
    };
    for (const auto& [address, value] : bytes) {
        if (run.empty() || address != next) {
            flush();
            char text[16];
            std::snprintf(text, sizeof text, "0x%05X", static_cast<unsigned>(address));
            key = text;
        }
        run.push_back(value);
        next = address + 1;
    }
    flush();
    return out;
}

json StateToJson(const SimState& state) {
    json document = state.other.is_object() ? state.other : json::object();
    document["inits"] = state.inits;
    document["cuiObjects"] = state.cuiObjects;
    json displays = json::object();
    for (const auto& [name, display] : state.displays)
        displays[name] = DisplayToJson(display);
    document["displays"] = displays;
    json adapters = json::object();
    for (const auto& [index, adapter] : state.adapters)
        if (adapter.video)
            adapters[std::to_string(index)] = {{"video", VideoToJson(*adapter.video)}};
    document["adapters"] = adapters;
    document["sixSector"] = SectorWeightsToJson(state.sixSector);
    document["faultCounts"] = {{"signature", state.faultSignature},
                               {"counts", state.faultCounts},
                               {"fired", state.faultFired}};
    return document;
}

SimState StateFromJson(const json& document) {
    SimState state;
    if (!document.is_object())
        return state;
    state.other = document;
    for (const char* key :
         {"inits", "cuiObjects", "displays", "adapters", "sixSector", "faultCounts"})
        state.other.erase(key);
    state.inits = Field<uint64_t>(document, "inits", 0);
    state.cuiObjects = Field<uint64_t>(document, "cuiObjects", 0);
    if (Has(document, "displays"))
        for (const auto& [name, value] : document.at("displays").items())
            state.displays[name] = DisplayFromJson(value);
    if (Has(document, "adapters"))
        for (const auto& [key, value] : document.at("adapters").items())
            if (Has(value, "video"))
                state.adapters[static_cast<uint32_t>(std::strtoul(key.c_str(), nullptr, 10))]
                    .video = VideoFromJson(value.at("video"));
    state.sixSector = WeightsFromJson(Member(document, "sixSector"));
    if (document.contains("faultCounts")) {
        const json& counts = document.at("faultCounts");
        state.faultSignature = Field<std::string>(counts, "signature", "");
        state.faultCounts = Field<std::vector<int>>(counts, "counts", {});
        state.faultFired = Field<std::vector<int>>(counts, "fired", {});
    }
    return state;
}

} // namespace varnet::sim
