#include "common/faults.h"

#include "common/call_table.h"
#include "common/scenario_values.h"

namespace varnet::sim {

namespace {

// Journal args compared are single values; a list or object here is a misplaced bracket.
void ParseWhen(const nlohmann::json& item, const std::string& name, Fault& fault) {
    if (!item.is_object())
        throw ScenarioError(name + ": expected an object of argument values");
    for (const auto& [key, expected] : item.items()) {
        const std::string field = name + "." + key;
        if (!expected.is_primitive())
            throw ScenarioError(field + ": expected a number, a text, true / false or null");
        if (!expected.is_string())
            continue;
        try {
            fault.whenIntegers[key] = ParseInteger(expected, field);
        } catch (const ScenarioError&) {
            // A text such as "lace" matches a text argument only.
        }
    }
    fault.when = item;
}

} // namespace

Fault ParseFault(const nlohmann::json& value, const std::string& field) {
    if (!value.is_object())
        throw ScenarioError(field + ": expected an object");
    Fault fault;
    std::optional<std::string> sim;
    for (const auto& [key, item] : value.items()) {
        const std::string name = field + "." + key;
        if (key == "call") {
            if (!item.is_string() || item.get<std::string>().empty())
                throw ScenarioError(name + ": expected a call name");
            fault.call = item.get<std::string>();
            if (!FindSimCall(fault.call))
                throw ScenarioError(name + ": no simulator answers a call named \"" + fault.call +
                                    "\"");
        } else if (key == "when") {
            ParseWhen(item, name, fault);
        } else if (key == "result") {
            fault.result = ParseInteger(item, name);
        } else if (key == "error") {
            fault.error = static_cast<int32_t>(ParseU32(item, name));
        } else if (key == "nth") {
            int64_t nth = ParseInteger(item, name);
            if (nth < 1 || nth > INT32_MAX)
                throw ScenarioError(name + ": calls are counted from 1");
            fault.nth = static_cast<int>(nth);
        } else if (key == "persistent") {
            fault.persistent = ParseBool(item, name);
        } else if (key == "missing") {
            fault.missing = ParseBool(item, name);
        } else if (key == "throw") {
            fault.throws = ParseBool(item, name);
        } else if (key == "sim") {
            if (!item.is_string())
                throw ScenarioError(name + ": expected \"controllib\" or \"cui\"");
            sim = item.get<std::string>();
        } else if (key != "comment") {
            throw ScenarioError(name + ": unknown field");
        }
    }
    if (fault.call.empty())
        throw ScenarioError(field + ": a fault needs \"call\"");
    const SimCall& call = *FindSimCall(fault.call);
    if (sim && *sim != SimulatorName(call.sim))
        throw ScenarioError(field + ".sim: " + fault.call + " is answered by " +
                            SimulatorName(call.sim));
    if (!fault.missing && !fault.throws && !fault.result && !fault.error)
        throw ScenarioError(field + ": say how the call fails (result, error, missing or throw)");
    if (fault.persistent && fault.nth == 0)
        throw ScenarioError(field + ".persistent: needs \"nth\", the first call that fails");
    if (fault.missing && call.sim != Simulator::ControlLib)
        throw ScenarioError(field + ".missing: only a Control Library entry point can be absent");
    if (fault.missing &&
        (!fault.when.is_null() || fault.nth || fault.result || fault.error || fault.throws))
        throw ScenarioError(field + ".missing: an absent entry point is absent for every call; "
                                    "it takes no when, nth, result, error or throw");
    if (fault.throws && call.sim != Simulator::Cui)
        throw ScenarioError(field + ".throw: only a CUI SDK method raises exceptions");
    return fault;
}

bool FaultMatches(const Fault& fault, const std::string& call, const nlohmann::json& args) {
    if (fault.call != call)
        return false;
    if (!fault.when.is_object())
        return true;
    for (const auto& [key, expected] : fault.when.items()) {
        if (!args.is_object() || !args.contains(key))
            return false;
        const nlohmann::json& actual = args.at(key);
        // "0x1000" in a scenario matches 4096 in the args.
        if (actual.is_number_integer() && expected.is_string()) {
            const auto number = fault.whenIntegers.find(key);
            if (number == fault.whenIntegers.end() || number->second != actual.get<int64_t>())
                return false;
            continue;
        }
        if (actual != expected)
            return false;
    }
    return true;
}

bool FaultFiresOn(const Fault& fault, int count) {
    if (fault.nth == 0)
        return true;
    return fault.persistent ? count >= fault.nth : count == fault.nth;
}

} // namespace varnet::sim
