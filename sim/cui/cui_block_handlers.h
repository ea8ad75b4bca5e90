// How GetDeviceData and SetDeviceData answer: one handler per data GUID, found by the GUID the
// caller passes, with the block size it needs, its fields as the journal shows them, and its
// read and write. The handlers live in the files of their subjects.
#pragma once

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>

#include "common/sim_context.h"
#include "cui/cui_object.h"

namespace varnet::sim::cui {

struct BlockCall {
    const Scenario& machine;
    CallRecord& record;
    int32_t& error;
};

struct BlockHandler {
    const Guid* guid;
    const char* name; // the journal's "guid"
    std::size_t size; // the least block size the caller must pass
    // The caller's fields that say what it asks (and, writing, what it sets).
    void (*describe)(const uint8_t* bytes, bool write, nlohmann::json& args);
    HResult (*read)(BlockCall& call, uint8_t* bytes, uint32_t size); // null: not readable
    HResult (*write)(BlockCall& call, const uint8_t* bytes);         // null: not writable
};

extern const BlockHandler kEdidHandler, kLaceHandler;
extern const BlockHandler kHueSatHandler, kSixSectorHandler, kDisplayTccHandler,
    kColorMatrixControlHandler, kColorMatrixHandler;
extern const BlockHandler kVideoQualityHandler, kMediaColorHandler;
extern const BlockHandler kDpstHandler, kAuxHandler, kPanelSizeHandler;

const BlockHandler* FindBlockHandler(const Guid& guid);
// The handler's name, "3dlut" for the extended table, or the GUID in braces.
std::string BlockName(const Guid& guid);

// Blocks are read and written through copies: the caller's buffer need not be aligned.
template <typename Block> Block Load(const uint8_t* bytes) {
    Block block;
    std::memcpy(&block, bytes, sizeof block);
    return block;
}

template <typename Block> void Store(const Block& block, uint8_t* bytes) {
    std::memcpy(bytes, &block, sizeof block);
}

HResult Refuse(int32_t& error, HResult result = kEFail, int32_t value = varnet::cui::kIgfxFailure);

// A device of the scenario with the display it shows and the name its driver state has.
struct DeviceView {
    const CuiDeviceSpec* device = nullptr;
    const DisplaySpec* display = nullptr; // null when the scenario describes no such display
    std::string key;
};

std::optional<DeviceView> FindDevice(const Scenario& machine, uint32_t uid);
// The internal panel, which the blocks without a UID (DPST) are about.
std::optional<DeviceView> PanelDevice(const Scenario& machine);
// The adapter whose video settings the SDK's video blocks show: the first one.
const AdapterSpec* FirstAdapter(const Scenario& machine);

} // namespace varnet::sim::cui
