// Injected failures, in the manner of SQLite's test VFS: a scenario names a call and how it
// should fail, on every call or on the nth one (once, or from then on). The simulators count
// calls in their persisted state, so the count survives the module being unloaded.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace varnet::sim {

struct Fault {
    std::string call;    // a name of the call table: "ctlInit", "GetDeviceData"...
    nlohmann::json when; // null, or an object every field of which must equal the call's args
    // The when texts that read as integers ("0x1000"), to match integer args.
    std::map<std::string, int64_t> whenIntegers;
    std::optional<int64_t> result; // the code to return instead of answering
    std::optional<int32_t> error;  // the CUI SDK error value to report
    int nth = 0;                   // 0: every matching call; n: the nth matching call (1-based)
    bool persistent = false;       // with nth: every matching call from the nth on
    bool missing = false;          // the entry point is absent
    bool throws = false;           // the COM method raises a C++ exception
};

// Checks every field, so that a fault that could never fire (a misspelt call, a when value no
// argument can take, persistent without nth) is refused rather than quietly ignored. Throws
// ScenarioError naming the fault and the field.
Fault ParseFault(const nlohmann::json& value, const std::string& field);
bool FaultMatches(const Fault& fault, const std::string& call, const nlohmann::json& args);
// count is the 1-based number of this matching call.
bool FaultFiresOn(const Fault& fault, int count);

// What a fired fault tells the simulator to do.
struct FaultHit {
    std::optional<int64_t> result;
    std::optional<int32_t> error;
    bool throws = false;
};

} // namespace varnet::sim
