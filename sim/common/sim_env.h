// The three files a simulator works with are named by environment variables, so that a test,
// the tool or an application can point the simulated driver somewhere without any API of ours.
#pragma once

#include <string>

namespace varnet::sim {

inline constexpr char kScenarioVariable[] = "VARNET_SIM_SCENARIO";
inline constexpr char kStateVariable[] = "VARNET_SIM_STATE";
inline constexpr char kJournalVariable[] = "VARNET_SIM_JOURNAL";

// Empty when the variable is unset or empty.
std::string ReadEnv(const char* name);
// An empty value removes the variable.
void WriteEnv(const char* name, const std::string& value);

} // namespace varnet::sim
