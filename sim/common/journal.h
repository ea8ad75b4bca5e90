// Every call a simulator receives, one JSON object per line in the file named by
// VARNET_SIM_JOURNAL: {"sim": "controllib" | "cui", "call": NAME, "args": {...}, "result": N},
// with "fault": true when the answer was injected by the scenario. Tests read it back to see
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

// The entries for one call name, in order.
std::vector<nlohmann::json> CallsNamed(const std::vector<nlohmann::json>& journal,
                                       const std::string& call);
std::size_t CountCalls(const std::vector<nlohmann::json>& journal, const std::string& call);
// The call names in order, for checking a sequence.
std::vector<std::string> CallNames(const std::vector<nlohmann::json>& journal);

} // namespace varnet::sim
