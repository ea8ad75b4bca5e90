#include "common/faults.h"

#include "common/scenario_values.h"

namespace varnet::sim {

Fault ParseFault(const nlohmann::json& value, const std::string& field) {
    if (!value.is_object())
        throw ScenarioError(field + ": expected an object");
    Fault fault;
    for (const auto& [key, item] : value.items()) {
        const std::string name = field + "." + key;
        if (key == "call") {
            if (!item.is_string() || item.get<std::string>().empty())
                throw ScenarioError(name + ": expected a call name");
            fault.call = item.get<std::string>();
        } else if (key == "when") {
            if (!item.is_object())
                throw ScenarioError(name + ": expected an object of argument values");
            fault.when = item;
        } else if (key == "result") {
            fault.result = ParseInteger(item, name);
        } else if (key == "error") {
            fault.error = static_cast<int32_t>(ParseU32(item, name));
        } else if (key == "nth") {
            int64_t nth = ParseInteger(item, name);
            if (nth < 1)
                throw ScenarioError(name + ": calls are counted from 1");
            fault.nth = static_cast<int>(nth);
        } else if (key == "persistent") {
            fault.persistent = item.get<bool>();
        } else if (key == "missing") {
            fault.missing = item.get<bool>();
        } else if (key == "throw") {
            fault.throws = item.get<bool>();
        } else if (key != "sim" && key != "comment") {
            throw ScenarioError(name + ": unknown field");
        }
    }
    if (fault.call.empty())
        throw ScenarioError(field + ": a fault needs \"call\"");
    if (!fault.missing && !fault.throws && !fault.result && !fault.error)
        throw ScenarioError(field + ": say how the call fails (result, error, missing or throw)");
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
            try {
                if (ParseInteger(expected, key) != actual.get<int64_t>())
                    return false;
                continue;
            } catch (const ScenarioError&) {
                return false;
            }
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
