// Panel blocks of the SDK: DPST (the same setting the Control Library's power optimisation
// reaches), DisplayPort AUX access to the panel's DPCD, and the panel size.
#include "common/driver_model.h"
#include "cui/cui_answer.h"
#include "cui/cui_block_handlers.h"
#include "cui/cui_blocks.h"

namespace varnet::sim::cui {

namespace {

using nlohmann::json;
using varnet::cui::kIgfxInvalidAuxAddress;
using varnet::cui::kIgfxInvalidAuxDataSize;
using varnet::cui::kIgfxInvalidAuxDevice;
using varnet::cui::kIgfxInvalidOperationType;

constexpr uint32_t kDisplayPort = 1; // ctl_display_output_types_t

// ---- DPST (no UID: the panel's) ----

void DescribeDpst(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<DpstBlock>(bytes);
    args["header"] = {block.header[0], block.header[1]};
    args["tag"] = block.tag;
    if (write) {
        args["changeMask"] = block.changeMask;
        args["enabled"] = block.enabled;
        args["level"] = block.level;
        args["enhancedOffered"] = block.enhancedOffered;
        args["enhanced"] = block.enhanced;
    }
}

HResult ReadDpst(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<DpstBlock>(bytes);
    if (block.header[0] != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto panel = PanelDevice(call.machine);
    if (!panel)
        return Refuse(call.error);
    const DpstState dpst = EffectiveDpst(panel->display, ReadState().Display(panel->key));
    const bool offered = DpstOffersEnhanced(panel->display);
    block.supported = DpstSupportedFeatures(panel->display);
    block.changeMask = 0;
    block.enabled = dpst.enabledFeatures;
    block.level = dpst.level;
    block.enhancedOffered = offered ? 1 : 0;
    block.enhanced = offered ? dpst.enhanced : 0;
    Store(block, bytes);
    call.record.extra["out"] = {{"supported", block.supported},
                                {"enabled", block.enabled},
                                {"level", block.level},
                                {"enhancedOffered", block.enhancedOffered},
                                {"enhanced", block.enhanced}};
    return kSOk;
}

// The enabled-features mask is taken as sent, whatever the change mask says: a caller that
// sends back what it read with one bit changed means exactly that.
HResult WriteDpst(BlockCall& call, const uint8_t* bytes) {
    const auto block = Load<DpstBlock>(bytes);
    if (block.header[0] != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto panel = PanelDevice(call.machine);
    if (!panel)
        return Refuse(call.error);
    if ((DpstSupportedFeatures(panel->display) & kDpstFeatureBit) == 0)
        return Refuse(call.error, kEFail, kIgfxInvalidOperationType);
    UpdateState([&](SimState& state) {
        DisplayState& kept = state.Display(panel->key);
        DpstState dpst = EffectiveDpst(panel->display, kept);
        dpst.enabledFeatures = block.enabled;
        dpst.level = block.level;
        if (DpstOffersEnhanced(panel->display))
            dpst.enhanced = block.enhanced;
        kept.dpst = dpst;
    });
    return kSOk;
}

// ---- AUX ----

void DescribeAux(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<AuxBlock>(bytes);
    args["uid"] = block.uid;
    args["operation"] = block.operation;
    args["dataSize"] = block.size;
    args["address"] = block.address;
    if (write)
        args["data"] = ToHex(std::vector<uint8_t>(
            block.data, block.data + std::min<uint32_t>(block.size, kAuxDataBytes)));
}

// The panel behind a UID, and a transfer that fits its DPCD; otherwise the refusal.
std::optional<HResult> CheckAux(BlockCall& call, const AuxBlock& block, uint32_t operation,
                                std::optional<DeviceView>& view) {
    if (block.operation != operation)
        return Refuse(call.error, kEFail, kIgfxInvalidOperationType);
    view = FindDevice(call.machine, block.uid);
    if (!view || !view->display || view->display->outputType != kDisplayPort)
        return Refuse(call.error, kEFail, kIgfxInvalidAuxDevice);
    if (block.size > kAuxDataBytes)
        return Refuse(call.error, kEFail, kIgfxInvalidAuxDataSize);
    if (block.address >= kDpcdSpace || block.size > kDpcdSpace - block.address)
        return Refuse(call.error, kEFail, kIgfxInvalidAuxAddress);
    return std::nullopt;
}

HResult ReadAux(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<AuxBlock>(bytes);
    std::optional<DeviceView> view;
    if (auto refused = CheckAux(call, block, kAuxRead, view))
        return *refused;
    const DisplayState state = ReadState().Display(view->key);
    for (uint32_t i = 0; i < block.size; ++i)
        block.data[i] = AuxByte(view->display, state, block.address + i);
    Store(block, bytes);
    call.record.extra["out"] = {
        {"data", ToHex(std::vector<uint8_t>(block.data, block.data + block.size))}};
    return kSOk;
}

HResult WriteAux(BlockCall& call, const uint8_t* bytes) {
    const auto block = Load<AuxBlock>(bytes);
    std::optional<DeviceView> view;
    if (auto refused = CheckAux(call, block, kAuxWrite, view))
        return *refused;
    UpdateState([&](SimState& state) {
        DisplayState& kept = state.Display(view->key);
        for (uint32_t i = 0; i < block.size; ++i)
            kept.aux[block.address + i] = block.data[i];
    });
    return kSOk;
}

// ---- Panel size: the first two devices' records ----

void DescribePanelSize(const uint8_t* bytes, bool, json& args) {
    args["uid"] = Load<PanelSizeBlock>(bytes).records[0].uid;
}

HResult ReadPanelSize(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<PanelSizeBlock>(bytes);
    if (!FindDevice(call.machine, block.records[0].uid))
        return Refuse(call.error);
    json out = json::array();
    for (std::size_t i = 0; i < 2; ++i) {
        PanelSizeRecord& record = block.records[i];
        record = PanelSizeRecord();
        if (i >= call.machine.cuiDevices.size())
            continue;
        const CuiDeviceSpec& device = call.machine.cuiDevices[i];
        record.uid = device.uid;
        record.width = device.panelWidth.value_or(call.machine.panelWidth);
        record.height = device.panelHeight.value_or(call.machine.panelHeight);
        out.push_back({{"uid", record.uid}, {"width", record.width}, {"height", record.height}});
    }
    Store(block, bytes);
    call.record.extra["out"] = {{"records", out}};
    return kSOk;
}

} // namespace

const BlockHandler kDpstHandler = {&kDpstGuid,   "dpst",   sizeof(DpstBlock),
                                   DescribeDpst, ReadDpst, WriteDpst};
const BlockHandler kAuxHandler = {&kAuxGuid,   "aux",   sizeof(AuxBlock),
                                  DescribeAux, ReadAux, WriteAux};
const BlockHandler kPanelSizeHandler = {&kPanelSizeGuid,   "panelSize",   sizeof(PanelSizeBlock),
                                        DescribePanelSize, ReadPanelSize, nullptr};

} // namespace varnet::sim::cui
