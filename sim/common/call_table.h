// Every call the two simulators answer, as the journal and scenario faults name it: the Control
// Library's entry points (the list its export table is built from) and the CUI object's methods.
// A scenario fault naming anything else is refused when the scenario is read.
#pragma once

#include <span>
#include <string_view>

namespace varnet::sim {

enum class Simulator { ControlLib, Cui };

struct SimCall {
    const char* name;
    Simulator sim;
};

std::span<const SimCall> SimCalls();
// Null for a name neither simulator answers.
const SimCall* FindSimCall(std::string_view name);
// "controllib" or "cui", as journal lines carry it.
const char* SimulatorName(Simulator sim);

} // namespace varnet::sim
