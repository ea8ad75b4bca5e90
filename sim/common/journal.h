// Every call a simulator receives, one JSON object per line in the file named by
// VARNET_SIM_JOURNAL: {"sim": "controllib" | "cui", "call": NAME, "args": {...}, "result": N},
// with "fault": true, "faultIndex": i (the entry of the scenario's "faults") and "faultFired": n
// (its nth firing) when the answer was injected by the scenario. Tests read it back to see
// what reached the driver.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varnet::sim {

// Appends one line; does nothing with an empty path. Never throws.
void AppendJournal(const std::string& path, const nlohmann::json& entry);

// The entries in order; a missing file reads as empty. Throws std::runtime_error on a line
// that is not JSON.
std::vector<nlohmann::json> ReadJournal(const std::string& path);
void ClearJournal(const std::string& path);

// The entries for one call name, in order. Lines of a missing entry point ("missing": true)
// are not calls: these three skip them.
std::vector<nlohmann::json> CallsNamed(const std::vector<nlohmann::json>& journal,
                                       const std::string& call);
std::size_t CountCalls(const std::vector<nlohmann::json>& journal, const std::string& call);
// The call names in order, for checking a sequence.
std::vector<std::string> CallNames(const std::vector<nlohmann::json>& journal);

// How often the scenario fault at this index of "faults" decided an answer (missing entries
// included). Read a journal cleared when the faults last changed: indexes name the faults of
// the scenario in force when each line was written.
std::size_t TimesFired(const std::vector<nlohmann::json>& journal, std::size_t faultIndex);
// The indexes, below faultCount, of the faults that never fired.
std::vector<std::size_t> UnfiredFaults(const std::vector<nlohmann::json>& journal,
                                       std::size_t faultCount);

} // namespace varnet::sim
