#include <algorithm>
#include <cctype>
#include <set>

#include "common/edid_builder.h"
#include "common/scenario.h"
#include "common/scenario_features.h"
#include "common/scenario_values.h"

namespace varnet::sim {

namespace {

using nlohmann::json;

const json& Array(const json& value, const std::string& field) {
    if (!value.is_array())
        throw ScenarioError(field + ": expected an array");
    return value;
}

// Three letters A to Z packed five bits each, as EDID bytes 8 and 9 hold them.
std::array<uint8_t, 2> ParseManufacturer(const json& value, const std::string& field) {
    if (value.is_string()) {
        const std::string letters = value.get<std::string>();
        if (letters.size() != 3)
            throw ScenarioError(field + ": expected three letters or two bytes");
        uint32_t packed = 0;
        for (char c : letters) {
            if (c < 'A' || c > 'Z')
                throw ScenarioError(field + ": letters A to Z only");
            packed = (packed << 5) | static_cast<uint32_t>(c - 'A' + 1);
        }
        return {static_cast<uint8_t>(packed >> 8), static_cast<uint8_t>(packed & 0xFF)};
    }
    const json& bytes = Array(value, field);
    if (bytes.size() != 2)
        throw ScenarioError(field + ": expected two bytes");
    return {static_cast<uint8_t>(ParseU32(bytes[0], field)),
            static_cast<uint8_t>(ParseU32(bytes[1], field))};
}

// A number is the product code (stored little-endian); two bytes are bytes 10 and 11 as is.
std::array<uint8_t, 2> ParseProduct(const json& value, const std::string& field) {
    if (value.is_array()) {
        if (value.size() != 2)
            throw ScenarioError(field + ": expected two bytes");
        return {static_cast<uint8_t>(ParseU32(value[0], field)),
                static_cast<uint8_t>(ParseU32(value[1], field))};
    }
    uint32_t code = ParseU32(value, field);
    if (code > 0xFFFF)
        throw ScenarioError(field + ": a product code has 16 bits");
    return {static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8)};
}

// Hex text, {"hex": text}, or the fields of a built EDID.
std::vector<uint8_t> ParseEdid(const json& value, const std::string& field,
                               std::size_t extensions) {
    if (value.is_string())
        return ParseHexBytes(value.get<std::string>(), field);
    CheckKeys(value, field,
              {"hex", "text", "manufacturer", "product", "width", "height", "extensionCount"});
    if (value.contains("hex")) {
        if (value.size() != 1 + (value.contains("comment") ? 1 : 0))
            throw ScenarioError(field + ": \"hex\" stands alone");
        return ParseHexBytes(value.at("hex").get<std::string>(), field + ".hex");
    }
    EdidFields fields;
    fields.extensionCount = static_cast<uint8_t>(std::min<std::size_t>(extensions, 255));
    if (value.contains("text")) {
        fields.text = value.at("text").get<std::string>();
        if (fields.text.size() > 13)
            throw ScenarioError(field + ".text: at most 13 bytes fit a descriptor");
    }
    if (value.contains("manufacturer"))
        fields.manufacturer = ParseManufacturer(value.at("manufacturer"), field + ".manufacturer");
    if (value.contains("product"))
        fields.product = ParseProduct(value.at("product"), field + ".product");
    if (value.contains("width"))
        fields.width = ParseU32(value.at("width"), field + ".width");
    if (value.contains("height"))
        fields.height = ParseU32(value.at("height"), field + ".height");
    if (fields.width > 4095 || fields.height > 4095)
        throw ScenarioError(field + ": a detailed timing holds at most 4095 x 4095");
    if (value.contains("extensionCount")) {
        uint32_t count = ParseU32(value.at("extensionCount"), field + ".extensionCount");
        if (count > 255)
            throw ScenarioError(field + ".extensionCount: one byte");
        fields.extensionCount = static_cast<uint8_t>(count);
    }
    return BuildEdid(fields);
}

uint32_t ParseBlockType(const json& value, const std::string& field) {
    if (value.is_string()) {
        const std::string name = value.get<std::string>();
        if (name == "1dlut")
            return 1;
        if (name == "3dlut")
            return 2;
        if (name == "matrix")
            return 3;
        if (name == "matrixOffsets")
            return 4;
        if (name.rfind("0x", 0) != 0 &&
            (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0]))))
            throw ScenarioError(field + ": \"" + name +
                                "\" is not 1dlut, 3dlut, matrix or matrixOffsets");
    }
    return ParseU32(value, field);
}

PipelineBlock ParseBlock(const json& value, const std::string& field) {
    CheckKeys(value, field, {"id", "type", "channels", "samples", "sampling"});
    PipelineBlock block;
    if (!value.contains("type"))
        throw ScenarioError(field + ": a block needs \"type\"");
    block.type = ParseBlockType(value.at("type"), field + ".type");
    if (value.contains("id"))
        block.id = ParseU32(value.at("id"), field + ".id");
    if (value.contains("channels"))
        block.channels = ParseU32(value.at("channels"), field + ".channels");
    if (value.contains("samples"))
        block.samples = ParseU32(value.at("samples"), field + ".samples");
    if (value.contains("sampling"))
        block.sampling = ParseU32(value.at("sampling"), field + ".sampling");
    return block;
}

DisplaySpec ParseDisplay(const json& given, const json& defaults, const std::string& field,
                         std::size_t position) {
    CheckKeys(given, field,
              {"name", "encoderId", "outputType", "edid", "extensions", "reportedEdidSize",
               "pipeline", "lace", "powerFeatures", "gammaRamp", "dpst", "sharpness", "aux"});
    // A display that brings its own EDID brings its own extension blocks too.
    json value = defaults;
    if (given.contains("edid"))
        value["extensions"] = json::array();
    for (const auto& item : given.items())
        value[item.key()] = item.value();

    DisplaySpec display;
    display.name = value.contains("name") ? value.at("name").get<std::string>()
                                          : "\\\\.\\DISPLAY" + std::to_string(position + 1);
    display.encoderId = ParseU32(value.at("encoderId"), field + ".encoderId");
    display.outputType = ParseU32(value.at("outputType"), field + ".outputType");
    const json& extensions = Array(value.at("extensions"), field + ".extensions");
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        const std::string name = field + ".extensions[" + std::to_string(i) + "]";
        const json& block = extensions[i];
        if (block.is_object()) {
            CheckKeys(block, name, {"hex"});
            display.extensions.push_back(ParseHexBytes(block.at("hex").get<std::string>(), name));
        } else {
            display.extensions.push_back(ParseHexBytes(block.get<std::string>(), name));
        }
    }
    display.edid = ParseEdid(value.at("edid"), field + ".edid", display.extensions.size());
    if (value.contains("reportedEdidSize"))
        display.reportedEdidSize =
            ParseU32(value.at("reportedEdidSize"), field + ".reportedEdidSize");
    const json& pipeline = Array(value.at("pipeline"), field + ".pipeline");
    for (std::size_t i = 0; i < pipeline.size(); ++i)
        display.pipeline.push_back(
            ParseBlock(pipeline[i], field + ".pipeline[" + std::to_string(i) + "]"));
    display.laceSupported = value.at("lace").get<bool>();
    display.powerFeatures = ParseU32(value.at("powerFeatures"), field + ".powerFeatures");
    display.gammaRamp = ParseGammaRamp(value.at("gammaRamp"), field + ".gammaRamp");
    display.dpst = ParseDpst(value.at("dpst"), field + ".dpst");
    display.sharpness = ParseSharpness(value.at("sharpness"), field + ".sharpness");
    display.aux = ParseAux(value.at("aux"), field + ".aux");
    return display;
}

CuiDeviceSpec ParseCuiDevice(const json& value, const std::string& field) {
    CheckKeys(value, field,
              {"displayName", "index", "uid", "type", "state", "lace", "edid", "colorMatrix",
               "lut3dStatus", "panelSize"});
    CuiDeviceSpec device;
    if (!value.contains("displayName"))
        throw ScenarioError(field + ": a device needs \"displayName\"");
    device.displayName = value.at("displayName").get<std::string>();
    if (value.contains("index"))
        device.index = static_cast<int32_t>(ParseU32(value.at("index"), field + ".index"));
    if (value.contains("uid"))
        device.uid = ParseU32(value.at("uid"), field + ".uid");
    if (value.contains("type"))
        device.type = static_cast<int32_t>(ParseU32(value.at("type"), field + ".type"));
    if (value.contains("state"))
        device.state = static_cast<int32_t>(ParseU32(value.at("state"), field + ".state"));
    if (value.contains("lace")) {
        const json& lace = value.at("lace");
        device.laceSupported =
            lace.is_boolean() ? (lace.get<bool>() ? 1u : 0u) : ParseU32(lace, field + ".lace");
    }
    if (value.contains("edid"))
        device.edid = ParseEdid(value.at("edid"), field + ".edid", 0);
    if (value.contains("colorMatrix"))
        device.colorMatrix = ParseBool(value.at("colorMatrix"), field + ".colorMatrix");
    if (value.contains("lut3dStatus") && !value.at("lut3dStatus").is_null())
        device.lut3dStatus = ParseU32(value.at("lut3dStatus"), field + ".lut3dStatus");
    if (value.contains("panelSize")) {
        const json& size = value.at("panelSize");
        CheckKeys(size, field + ".panelSize", {"width", "height"});
        device.panelWidth = ParseU32(size.at("width"), field + ".panelSize.width");
        device.panelHeight = ParseU32(size.at("height"), field + ".panelSize.height");
    }
    return device;
}

Scenario ParseMerged(const json& doc) {
    CheckKeys(doc, "scenario", {"driverVersion", "panelSize", "adapters", "cuiDevices", "faults"});
    Scenario scenario;
    const json& version = doc.at("driverVersion");
    if (!version.is_null())
        scenario.driverVersion = version.get<std::string>();

    const json& size = doc.at("panelSize");
    CheckKeys(size, "panelSize", {"width", "height"});
    scenario.panelWidth = ParseU32(size.at("width"), "panelSize.width");
    scenario.panelHeight = ParseU32(size.at("height"), "panelSize.height");

    json displayDefaults = DefaultScenarioJson()["adapters"][0]["displays"][0];
    displayDefaults.erase("name");
    std::size_t position = 0;
    const json& adapters = Array(doc.at("adapters"), "adapters");
    for (std::size_t a = 0; a < adapters.size(); ++a) {
        const std::string field = "adapters[" + std::to_string(a) + "]";
        const json& adapter = adapters[a];
        CheckKeys(adapter, field, {"count", "displays", "video"});
        uint32_t count =
            adapter.contains("count") ? ParseU32(adapter.at("count"), field + ".count") : 1;
        if (count > 100000)
            throw ScenarioError(field + ".count: too many adapters");
        json displays = adapter.contains("displays") ? adapter.at("displays") : json::array();
        Array(displays, field + ".displays");
        AdapterSpec features;
        if (adapter.contains("video"))
            ParseVideo(adapter.at("video"), field + ".video", features);
        for (uint32_t copy = 0; copy < count; ++copy) {
            AdapterSpec desc = features;
            for (std::size_t d = 0; d < displays.size(); ++d)
                desc.displays.push_back(ParseDisplay(displays[d], displayDefaults,
                                                     field + ".displays[" + std::to_string(d) + "]",
                                                     position++));
            scenario.adapters.push_back(std::move(desc));
        }
    }

    const json& devices = Array(doc.at("cuiDevices"), "cuiDevices");
    for (std::size_t i = 0; i < devices.size(); ++i)
        scenario.cuiDevices.push_back(
            ParseCuiDevice(devices[i], "cuiDevices[" + std::to_string(i) + "]"));

    const json& faults = Array(doc.at("faults"), "faults");
    for (std::size_t i = 0; i < faults.size(); ++i)
        scenario.faults.push_back(ParseFault(faults[i], "faults[" + std::to_string(i) + "]"));
    scenario.faultSignature = faults.dump();
    return scenario;
}

} // namespace

Scenario ParseScenario(const json& document) {
    if (!document.is_object())
        throw ScenarioError("scenario: expected a JSON object");
    json merged = DefaultScenarioJson();
    for (const auto& item : document.items())
        merged[item.key()] = item.value();
    try {
        return ParseMerged(merged);
    } catch (const json::exception& e) {
        // A value of the wrong JSON type; the parser's own errors name the field.
        throw ScenarioError(std::string("scenario: ") + e.what());
    }
}

Scenario ParseScenarioText(const std::string& text) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::exception& e) {
        throw ScenarioError(std::string("scenario is not JSON: ") + e.what());
    }
    return ParseScenario(document);
}

} // namespace varnet::sim
