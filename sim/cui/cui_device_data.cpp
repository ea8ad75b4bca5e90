// Data blocks exchanged by GUID: the dispatch to the block handlers, and the panel's EDID and
// LACE blocks.
#include <algorithm>

#include "common/driver_model.h"
#include "cui/cui_answer.h"
#include "cui/cui_block_handlers.h"
#include "cui/cui_blocks.h"

namespace varnet::sim::cui {

namespace {

using nlohmann::json;
using varnet::cui::EdidBlock;
using varnet::cui::kIgfxInvalidOperationType;
using varnet::cui::LaceBlock;

void DescribeEdid(const uint8_t* bytes, bool, json& args) {
    args["uid"] = Load<EdidBlock>(bytes).uid;
}

HResult ReadEdid(BlockCall& call, uint8_t* bytes, uint32_t size) {
    EdidBlock block = Load<EdidBlock>(bytes);
    const CuiDeviceSpec* device = call.machine.FindCuiDevice(block.uid);
    const std::vector<uint8_t> edid =
        device ? call.machine.CuiEdid(*device) : std::vector<uint8_t>();
    if (edid.empty())
        return Refuse(call.error);
    // The base block, and the first extension when the scenario's EDID carries it, as far as the
    // block and the caller's size allow.
    const std::size_t room =
        std::min<std::size_t>(sizeof block.edid, size - offsetof(EdidBlock, edid));
    const std::size_t written = std::min(room, edid.size());
    std::memcpy(block.edid, edid.data(), written);
    Store(block, bytes);
    call.record.extra["out"] = {{"written", written}};
    return kSOk;
}

void DescribeLace(const uint8_t* bytes, bool, json& args) {
    const LaceBlock lace = Load<LaceBlock>(bytes);
    args["uid"] = lace.uid;
    args["version"] = lace.version;
    args["enabled"] = lace.enabled;
    args["enableValue"] = lace.enableValue;
    args["level"] = lace.level;
}

HResult ReadLace(BlockCall& call, uint8_t* bytes, uint32_t) {
    LaceBlock block = Load<LaceBlock>(bytes);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    block.supported = call.machine.CuiLaceSupported(*view->device);
    LaceState lace;
    if (block.supported)
        lace = ReadState().Display(view->key).lace;
    block.enabled = lace.enabled ? 1 : 0;
    block.enableValue = lace.enableValue;
    block.level = lace.level;
    Store(block, bytes);
    call.record.extra["out"] = {{"supported", block.supported},
                                {"enabled", block.enabled},
                                {"enableValue", block.enableValue},
                                {"level", block.level}};
    return kSOk;
}

HResult WriteLace(BlockCall& call, const uint8_t* bytes) {
    const LaceBlock block = Load<LaceBlock>(bytes);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    if (!call.machine.CuiLaceSupported(*view->device))
        return Refuse(call.error, kEFail, kIgfxInvalidOperationType);
    UpdateState([&](SimState& state) {
        LaceState& lace = state.Display(view->key).lace;
        lace.enabled = block.enabled != 0;
        lace.enableValue = block.enableValue;
        lace.level = block.level;
        lace.trigger = 2; // the SDK knows fixed levels only
    });
    return kSOk;
}

const BlockHandler* const kHandlers[] = {
    &kEdidHandler,        &kLaceHandler,         &kHueSatHandler,
    &kSixSectorHandler,   &kDisplayTccHandler,   &kColorMatrixControlHandler,
    &kColorMatrixHandler, &kVideoQualityHandler, &kMediaColorHandler,
    &kDpstHandler,        &kAuxHandler,          &kPanelSizeHandler,
};

// The journal's fields, then the fault, then the checks every block shares.
template <typename Answer>
HResult Exchange(const Scenario& machine, const char* call, const Guid& guid, uint32_t size,
                 uint8_t* bytes, int32_t* error, bool write, Answer&& answer) {
    return AnswerCui(call, error, [&](CallRecord& record, int32_t& errorValue) {
        const BlockHandler* handler = FindBlockHandler(guid);
        record.args = {{"guid", BlockName(guid)}, {"size", size}};
        if (handler && bytes && size >= handler->size)
            handler->describe(bytes, write, record.args);
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        if (!handler || !(write ? handler->write != nullptr : handler->read != nullptr))
            return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
        if (!bytes)
            return Refuse(errorValue, kEPointer);
        if (size < handler->size)
            return Refuse(errorValue, kEInvalidArg);
        BlockCall blockCall{machine, record, errorValue};
        return answer(*handler, blockCall);
    });
}

} // namespace

const BlockHandler kEdidHandler = {
    &varnet::cui::kEdidGuid, "edid", sizeof(EdidBlock), DescribeEdid, ReadEdid, nullptr};
const BlockHandler kLaceHandler = {
    &varnet::cui::kLaceGuid, "lace", sizeof(LaceBlock), DescribeLace, ReadLace, WriteLace};

const BlockHandler* FindBlockHandler(const Guid& guid) {
    for (const BlockHandler* handler : kHandlers)
        if (SameGuid(*handler->guid, guid))
            return handler;
    return nullptr;
}

std::string BlockName(const Guid& guid) {
    if (const BlockHandler* handler = FindBlockHandler(guid))
        return handler->name;
    if (SameGuid(guid, kLut3dGuid))
        return "3dlut";
    return GuidText(guid);
}

HResult Refuse(int32_t& error, HResult result, int32_t value) {
    error = value;
    return result;
}

std::optional<DeviceView> FindDevice(const Scenario& machine, uint32_t uid) {
    const CuiDeviceSpec* device = machine.FindCuiDevice(uid);
    if (!device)
        return std::nullopt;
    DeviceView view;
    view.device = device;
    view.display = machine.CuiDisplay(*device);
    view.key = view.display ? view.display->name : device->displayName;
    return view;
}

std::optional<DeviceView> PanelDevice(const Scenario& machine) {
    if (machine.cuiDevices.empty())
        return std::nullopt;
    return FindDevice(machine, machine.cuiDevices.front().uid);
}

const AdapterSpec* FirstAdapter(const Scenario& machine) {
    return machine.adapters.empty() ? nullptr : &machine.adapters.front();
}

HResult CuiObject::GetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block, int32_t* error) {
    return Exchange(*m_scenario, call_name::GetDeviceData, dataGuid, size, block, error, false,
                    [&](const BlockHandler& handler, BlockCall& call) {
                        return handler.read(call, block, size);
                    });
}

HResult CuiObject::SetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block, int32_t* error) {
    return Exchange(
        *m_scenario, call_name::SetDeviceData, dataGuid, size, block, error, true,
        [&](const BlockHandler& handler, BlockCall& call) { return handler.write(call, block); });
}

} // namespace varnet::sim::cui
