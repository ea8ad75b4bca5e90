// The one mechanism both simulators answer through: the scenario as its file holds it now, the
// persisted driver state, the fault counters and the journal. Each simulator module has its own
// copy of this (on Windows each is a DLL); they share only the files.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "common/faults.h"
#include "common/scenario.h"
#include "common/sim_state.h"

namespace varnet::sim {

// The scenario of VARNET_SIM_SCENARIO, parsed again only when the file's text changed; the
// default laptop when the variable is unset. Throws ScenarioError.
std::shared_ptr<const Scenario> CurrentScenario();

// Read afresh from VARNET_SIM_STATE, so that two modules writing in turn see each other.
SimState ReadState();
void UpdateState(const std::function<void(SimState&)>& change);

// Whether the current scenario removes this entry point; an unreadable scenario removes none.
bool IsMissing(const std::string& call);
// IsMissing for a call being made: a missing fault that applies is counted as fired and
// journalled as a line with "missing": true (result as given; null for a failed lookup).
bool AnswerMissing(const char* sim, const char* call, std::optional<int64_t> result);

// Forgets what is kept in memory (the state when no file is named, the parsed scenario), as a
// freshly loaded module would.
void ResetSimulatorMemory();

// Held for the whole of every call: a driver serialises its callers, and the run time's
// objects, the memory above and the state file are read and rewritten in place.
std::recursive_mutex& SimulatorMutex();

// One call as the journal records it. Fill args with the fields that matter before asking for
// a fault, since a fault may match on them; then Finish once.
class CallRecord {
    std::lock_guard<std::recursive_mutex> m_lock{SimulatorMutex()}; // first: held longest

public:
    CallRecord(const char* sim, const char* call) : m_sim(sim), m_call(call) {}
    CallRecord(const CallRecord&) = delete;
    CallRecord& operator=(const CallRecord&) = delete;

    nlohmann::json args = nlohmann::json::object();
    nlohmann::json extra = nlohmann::json::object(); // further top-level fields ("error")

    // Counts this call against the scenario's faults; the fault to apply, if one fires.
    std::optional<FaultHit> InjectedFault();
    // A null result records a call that ended in an exception.
    void Finish(std::optional<int64_t> result);

private:
    const char* m_sim;
    const char* m_call;
    bool m_injected = false;
    std::size_t m_faultIndex = 0; // which scenario fault fired, and its firing count
    int m_faultFired = 0;
    bool m_finished = false;
};

} // namespace varnet::sim
