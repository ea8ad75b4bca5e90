// Data blocks exchanged by GUID: the panel's EDID and the LACE block; the gamma ramp and the
// extended blocks are not answered.
#include <algorithm>
#include <cstring>

#include "cui/cui_answer.h"
#include "cui/cui_object.h"

namespace varnet::sim::cui {

namespace {

using varnet::cui::EdidBlock;
using varnet::cui::kEdidGuid;
using varnet::cui::kIgfxFailure;
using varnet::cui::kIgfxInvalidOperationType;
using varnet::cui::kLaceGuid;
using varnet::cui::LaceBlock;

std::string GuidName(const Guid& guid) {
    if (SameGuid(guid, kEdidGuid))
        return "edid";
    if (SameGuid(guid, kLaceGuid))
        return "lace";
    return GuidText(guid);
}

// Blocks are read and written through copies: the caller's buffer need not be aligned.
template <typename Block> Block Load(const uint8_t* bytes) {
    Block block;
    std::memcpy(&block, bytes, sizeof block);
    return block;
}

template <typename Block> void Store(const Block& block, uint8_t* bytes) {
    std::memcpy(bytes, &block, sizeof block);
}

HResult Refuse(int32_t& error, HResult result = kEFail, int32_t value = kIgfxFailure) {
    error = value;
    return result;
}

HResult ReadEdid(const Scenario& machine, CallRecord& record, uint32_t size, uint8_t* bytes,
                 int32_t& error) {
    EdidBlock block = Load<EdidBlock>(bytes);
    const CuiDeviceSpec* device = machine.FindCuiDevice(block.uid);
    const std::vector<uint8_t> edid = device ? machine.CuiEdid(*device) : std::vector<uint8_t>();
    if (edid.empty())
        return Refuse(error);
    // The base block, and the first extension when the scenario's EDID carries it, as far as the
    // block and the caller's size allow.
    const std::size_t room =
        std::min<std::size_t>(sizeof block.edid, size - offsetof(EdidBlock, edid));
    const std::size_t written = std::min(room, edid.size());
    std::memcpy(block.edid, edid.data(), written);
    Store(block, bytes);
    record.extra["out"] = {{"written", written}};
    return kSOk;
}

HResult ReadLace(const Scenario& machine, CallRecord& record, uint8_t* bytes, int32_t& error) {
    LaceBlock block = Load<LaceBlock>(bytes);
    const CuiDeviceSpec* device = machine.FindCuiDevice(block.uid);
    if (!device)
        return Refuse(error);
    block.supported = machine.CuiLaceSupported(*device);
    LaceState lace;
    if (block.supported)
        lace = ReadState().Display(device->displayName).lace;
    block.enabled = lace.enabled ? 1 : 0;
    block.enableValue = lace.enableValue;
    block.level = lace.level;
    Store(block, bytes);
    record.extra["out"] = {{"supported", block.supported},
                           {"enabled", block.enabled},
                           {"enableValue", block.enableValue},
                           {"level", block.level}};
    return kSOk;
}

HResult WriteLace(const Scenario& machine, uint8_t* bytes, int32_t& error) {
    const LaceBlock block = Load<LaceBlock>(bytes);
    const CuiDeviceSpec* device = machine.FindCuiDevice(block.uid);
    if (!device)
        return Refuse(error);
    if (!machine.CuiLaceSupported(*device))
        return Refuse(error, kEFail, kIgfxInvalidOperationType);
    UpdateState([&](SimState& state) {
        LaceState& lace = state.Display(device->displayName).lace;
        lace.enabled = block.enabled != 0;
        lace.enableValue = block.enableValue;
        lace.level = block.level;
        lace.trigger = 2; // the SDK knows fixed levels only
    });
    return kSOk;
}

// Fields of a block that say what it is about, for the journal and for faults' "when".
void DescribeBlock(const Guid& guid, uint32_t size, const uint8_t* bytes, nlohmann::json& args) {
    args = {{"guid", GuidName(guid)}, {"size", size}};
    if (!bytes)
        return;
    if (SameGuid(guid, kEdidGuid) && size >= sizeof(EdidBlock))
        args["uid"] = Load<EdidBlock>(bytes).uid;
    if (SameGuid(guid, kLaceGuid) && size >= sizeof(LaceBlock)) {
        const LaceBlock lace = Load<LaceBlock>(bytes);
        args["uid"] = lace.uid;
        args["version"] = lace.version;
        args["enabled"] = lace.enabled;
        args["enableValue"] = lace.enableValue;
        args["level"] = lace.level;
    }
}

// The size a known block needs; 0 for blocks this simulator does not answer.
std::size_t BlockSize(const Guid& guid) {
    if (SameGuid(guid, kEdidGuid))
        return sizeof(EdidBlock);
    if (SameGuid(guid, kLaceGuid))
        return sizeof(LaceBlock);
    return 0;
}

} // namespace

HResult CuiObject::GetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block, int32_t* error) {
    return AnswerCui("GetDeviceData", error, [&](CallRecord& record, int32_t& errorValue) {
        DescribeBlock(dataGuid, size, block, record.args);
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        const std::size_t needed = BlockSize(dataGuid);
        if (needed == 0)
            return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
        if (!block)
            return Refuse(errorValue, kEPointer);
        if (size < needed)
            return Refuse(errorValue, kEInvalidArg);
        if (SameGuid(dataGuid, kEdidGuid))
            return ReadEdid(*m_scenario, record, size, block, errorValue);
        return ReadLace(*m_scenario, record, block, errorValue);
    });
}

HResult CuiObject::SetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block, int32_t* error) {
    return AnswerCui("SetDeviceData", error, [&](CallRecord& record, int32_t& errorValue) {
        DescribeBlock(dataGuid, size, block, record.args);
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        if (!SameGuid(dataGuid, kLaceGuid))
            return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
        if (!block)
            return Refuse(errorValue, kEPointer);
        if (size < sizeof(LaceBlock))
            return Refuse(errorValue, kEInvalidArg);
        return WriteLace(*m_scenario, block, errorValue);
    });
}

HResult CuiObject::GetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t*, uint32_t dataSize,
                                   uint8_t*, int32_t* error) {
    return AnswerCui("GetDeviceDataEx", error, [&](CallRecord& record, int32_t& errorValue) {
        record.args = {
            {"guid", GuidName(dataGuid)}, {"headerSize", headerSize}, {"dataSize", dataSize}};
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
    });
}

HResult CuiObject::SetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t*, uint32_t dataSize,
                                   uint8_t*, int32_t* error) {
    return AnswerCui("SetDeviceDataEx", error, [&](CallRecord& record, int32_t& errorValue) {
        record.args = {
            {"guid", GuidName(dataGuid)}, {"headerSize", headerSize}, {"dataSize", dataSize}};
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
    });
}

HResult CuiObject::GetGammaRamp(uint32_t uid, uint32_t size, uint8_t*, int32_t* error) {
    return AnswerCui("GetGammaRamp", error, [&](CallRecord& record, int32_t& errorValue) {
        record.args = {{"uid", uid}, {"size", size}};
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
    });
}

HResult CuiObject::SetGammaRamp(uint32_t uid, uint32_t size, uint8_t*, int32_t* error) {
    return AnswerCui("SetGammaRamp", error, [&](CallRecord& record, int32_t& errorValue) {
        record.args = {{"uid", uid}, {"size", size}};
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
    });
}

} // namespace varnet::sim::cui
