// How every method of the SDK object answers: one journal line per call (result as an unsigned
// 32-bit value, the error value when the method has one), the scenario's injected result, error
// or exception, and no other exception leaving the object.
#pragma once

#include <stdexcept>

#include "common/sim_context.h"
#include "cui/cui_calls.h"
#include "cui/cui_object.h"

namespace varnet::sim::cui {

inline constexpr char kSimName[] = "cui";

// What a scenario's "throw" raises; nothing else escapes a method.
class InjectedException : public std::runtime_error {
public:
    InjectedException() : std::runtime_error("exception injected by the simulator scenario") {}
};

// body(CallRecord&, int32_t& error) -> HResult; error is copied to *error when that is given.
template <typename Body> HResult AnswerCui(const char* call, int32_t* error, Body&& body) {
    CallRecord record(kSimName, call);
    int32_t errorValue = 0;
    HResult result = kEFail;
    try {
        result = body(record, errorValue);
    } catch (const InjectedException&) {
        record.extra["threw"] = true;
        record.Finish(std::nullopt);
        throw;
    } catch (const std::exception& e) {
        record.extra["exception"] = e.what();
        result = kEFail;
        errorValue = varnet::cui::kIgfxFailure;
    } catch (...) {
        result = kEFail;
        errorValue = varnet::cui::kIgfxFailure;
    }
    if (error) {
        *error = errorValue;
        record.extra["error"] = errorValue;
    }
    record.Finish(static_cast<uint32_t>(result));
    return result;
}

// Applies the fault that fires on this call, if any: its exception, or its result and error
// (E_FAIL and IGFX_FAILURE unless the scenario says otherwise).
inline bool ApplyFault(CallRecord& record, HResult& result, int32_t& error) {
    std::optional<FaultHit> hit = record.InjectedFault();
    if (!hit)
        return false;
    if (hit->throws)
        throw InjectedException();
    result = hit->result ? static_cast<HResult>(*hit->result) : kEFail;
    error = hit->error ? *hit->error : (result == kSOk ? 0 : varnet::cui::kIgfxFailure);
    return true;
}

} // namespace varnet::sim::cui
