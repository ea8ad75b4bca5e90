// The SDK's gamma ramp (the display's 1D LUT as 768 16-bit entries) and its extended exchange of
// the packed 3D LUT (the display's 3D LUT on a 17-point grid of 10-bit codes).
#include <cstring>

#include "common/driver_model.h"
#include "common/lut_summary.h"
#include "cui/cui_answer.h"
#include "cui/cui_block_handlers.h"
#include "cui/cui_blocks.h"

namespace varnet::sim::cui {

namespace {

using nlohmann::json;
using varnet::cui::kIgfxInvalidOperationType;

constexpr uint32_t kRampBytes = kRampEntries * sizeof(uint16_t);

GammaRamp LoadRamp(const uint8_t* bytes) {
    GammaRamp ramp;
    std::memcpy(ramp.data(), bytes, kRampBytes);
    return ramp;
}

bool IsIdentity(const GammaRamp& ramp) {
    for (std::size_t k = 0; k < kRampEntries; ++k)
        if (ramp[k] != (k % 256) * 257)
            return false;
    return true;
}

// Operations a read may carry (1: a read, 0: a read-back after a write) and a write (0 with
// enable 0 switches the table off; 1 and 3 load it).
bool OperationAllowed(uint32_t operation, bool write) {
    return write ? (operation == 0 || operation == 1 || operation == 3) : operation <= 1;
}

template <typename Answer>
HResult ExchangeLut(const Scenario& machine, const char* call, const Guid& guid,
                    uint32_t headerSize, uint8_t* header, uint32_t dataSize, uint8_t* data,
                    int32_t* error, bool write, Answer&& answer) {
    return AnswerCui(call, error, [&](CallRecord& record, int32_t& errorValue) {
        const bool known = SameGuid(guid, kLut3dGuid);
        record.args = {
            {"guid", BlockName(guid)}, {"headerSize", headerSize}, {"dataSize", dataSize}};
        const bool whole =
            header && headerSize >= sizeof(Lut3dHeader) && data && dataSize >= kLut3dDataBytes;
        if (known && header && headerSize >= sizeof(Lut3dHeader)) {
            const auto h = Load<Lut3dHeader>(header);
            record.args.update({{"version", h.version},
                                {"enable", h.enable},
                                {"gridPoints", h.gridPoints},
                                {"declaredSize", h.dataSize},
                                {"operation", h.operation},
                                {"uid", h.uid},
                                {"bypass", h.bypass}});
            if (write && whole) {
                std::vector<uint32_t> words(kPackedEntries);
                std::memcpy(words.data(), data, kLut3dDataBytes);
                record.args.update(PackedLutSummary(words.data()));
            }
        }
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        if (!known)
            return Refuse(errorValue, kENotImpl, kIgfxInvalidOperationType);
        if (!header || !data)
            return Refuse(errorValue, kEPointer);
        if (!whole)
            return Refuse(errorValue, kEInvalidArg);
        auto h = Load<Lut3dHeader>(header);
        if (h.version != 1 || h.gridPoints != kLut3dGridPoints || h.dataSize != kLut3dDataBytes)
            return Refuse(errorValue, kEInvalidArg);
        const auto view = FindDevice(machine, h.uid);
        if (!view)
            return Refuse(errorValue);
        if (!OperationAllowed(h.operation, write))
            return Refuse(errorValue, kEFail, kIgfxInvalidOperationType);
        return answer(*view, h, record);
    });
}

} // namespace

HResult CuiObject::GetGammaRamp(uint32_t uid, uint32_t size, uint8_t* ramp, int32_t* error) {
    return AnswerCui(call_name::GetGammaRamp, error, [&](CallRecord& record, int32_t& errorValue) {
        record.args = {{"uid", uid}, {"size", size}};
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        if (!ramp)
            return Refuse(errorValue, kEPointer);
        if (size != kRampBytes)
            return Refuse(errorValue, kEInvalidArg);
        const auto view = FindDevice(*m_scenario, uid);
        if (!view)
            return Refuse(errorValue);
        const GammaRamp current =
            RampFromLut(EffectiveGamma(view->display, ReadState().Display(view->key)));
        std::memcpy(ramp, current.data(), kRampBytes);
        record.extra["out"] = {{"identity", IsIdentity(current)}};
        return kSOk;
    });
}

HResult CuiObject::SetGammaRamp(uint32_t uid, uint32_t size, uint8_t* ramp, int32_t* error) {
    return AnswerCui(call_name::SetGammaRamp, error, [&](CallRecord& record, int32_t& errorValue) {
        record.args = {{"uid", uid}, {"size", size}};
        if (ramp && size >= kRampBytes) {
            const GammaRamp given = LoadRamp(ramp);
            record.args["ramp"] = given;
            record.args["identity"] = IsIdentity(given);
        }
        HResult result = kSOk;
        if (ApplyFault(record, result, errorValue))
            return result;
        if (!ramp)
            return Refuse(errorValue, kEPointer);
        if (size != kRampBytes)
            return Refuse(errorValue, kEInvalidArg);
        const auto view = FindDevice(*m_scenario, uid);
        if (!view)
            return Refuse(errorValue);
        const OneDLutState lut = LutFromRamp(LoadRamp(ramp));
        UpdateState([&](SimState& state) { state.Display(view->key).gamma = lut; });
        return kSOk;
    });
}

HResult CuiObject::GetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t* header,
                                   uint32_t dataSize, uint8_t* data, int32_t* error) {
    return ExchangeLut(*m_scenario, call_name::GetDeviceDataEx, dataGuid, headerSize, header,
                       dataSize, data, error, false,
                       [&](const DeviceView& view, Lut3dHeader& h, CallRecord& record) {
                           const DisplayState state = ReadState().Display(view.key);
                           const bool inEffect = state.lut3d.has_value();
                           std::vector<uint32_t> words(kPackedEntries);
                           PackLut3d(inEffect ? &*state.lut3d : nullptr, words.data());
                           std::memcpy(data, words.data(), kLut3dDataBytes);
                           h.status = view.device->lut3dStatus.value_or(inEffect ? 1u : 0u);
                           h.enable = inEffect ? 1 : 0;
                           Store(h, header);
                           record.extra["out"] = {{"status", h.status}, {"enable", h.enable}};
                           return kSOk;
                       });
}

// Enable 0, or a bypass, switches the table off; otherwise the table is loaded.
HResult CuiObject::SetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t* header,
                                   uint32_t dataSize, uint8_t* data, int32_t* error) {
    return ExchangeLut(
        *m_scenario, call_name::SetDeviceDataEx, dataGuid, headerSize, header, dataSize, data,
        error, true, [&](const DeviceView& view, Lut3dHeader& h, CallRecord&) {
            std::optional<Lut3dState> lut;
            if (h.enable != 0 && h.bypass == 0) {
                std::vector<uint32_t> words(kPackedEntries);
                std::memcpy(words.data(), data, kLut3dDataBytes);
                lut = UnpackLut3d(words.data());
            }
            UpdateState([&](SimState& state) { state.Display(view.key).lut3d = lut; });
            return kSOk;
        });
}

} // namespace varnet::sim::cui
