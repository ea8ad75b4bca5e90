#include "common/sim_state.h"

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

} // namespace

json StateToJson(const SimState& state) {
    json document = state.other.is_object() ? state.other : json::object();
    document["inits"] = state.inits;
    document["cuiObjects"] = state.cuiObjects;
    json displays = json::object();
    for (const auto& [name, display] : state.displays)
        displays[name] = {{"lace", LaceToJson(display.lace)}};
    document["displays"] = displays;
    document["faultCounts"] = {{"signature", state.faultSignature}, {"counts", state.faultCounts}};
    return document;
}

SimState StateFromJson(const json& document) {
    SimState state;
    if (!document.is_object())
        return state;
    state.other = document;
    for (const char* key : {"inits", "cuiObjects", "displays", "faultCounts"})
        state.other.erase(key);
    state.inits = Field<uint64_t>(document, "inits", 0);
    state.cuiObjects = Field<uint64_t>(document, "cuiObjects", 0);
    if (document.contains("displays") && document.at("displays").is_object())
        for (const auto& [name, value] : document.at("displays").items())
            state.displays[name].lace =
                LaceFromJson(value.contains("lace") ? value.at("lace") : json());
    if (document.contains("faultCounts")) {
        const json& counts = document.at("faultCounts");
        state.faultSignature = Field<std::string>(counts, "signature", "");
        state.faultCounts = Field<std::vector<int>>(counts, "counts", {});
    }
    return state;
}

} // namespace varnet::sim
