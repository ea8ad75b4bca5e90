// How every entry point answers: one journal line per call, the scenario's injected result
// once the arguments are known, and no exception ever leaving the run time.
#pragma once

#include <optional>

#include "common/sim_context.h"
#include "controllib/controllib_calls.h"
#include "controllib/controllib_runtime.h"

namespace varnet::sim::controllib {

inline constexpr char kSimName[] = "controllib";

// body(CallRecord&) -> ctl_result_t
template <typename Body> ctl_result_t Answer(const char* call, Body&& body) {
    CallRecord record(kSimName, call);
    ctl_result_t result = CTL_RESULT_ERROR_UNKNOWN;
    try {
        result = body(record);
    } catch (const ScenarioError& e) {
        record.extra["error"] = e.what();
    } catch (const std::exception& e) {
        record.extra["error"] = e.what();
    } catch (...) {
    }
    record.Finish(result);
    return result;
}

// The result a scenario fault imposes on this call, if one fires now.
inline std::optional<ctl_result_t> Injected(CallRecord& record) {
    std::optional<FaultHit> hit = record.InjectedFault();
    if (!hit)
        return std::nullopt;
    return static_cast<ctl_result_t>(hit->result.value_or(CTL_RESULT_ERROR_UNKNOWN));
}

} // namespace varnet::sim::controllib
