#include "common/call_table.h"

#include "controllib/controllib_calls.h"
#include "cui/cui_calls.h"

namespace varnet::sim {
namespace {

#define VARNET_SIM_CONTROLLIB_ROW(api, function, params, args) {#api, Simulator::ControlLib},
#define VARNET_SIM_CUI_ROW(name) {#name, Simulator::Cui},
constexpr SimCall kCalls[] = {VARNET_SIM_CONTROLLIB_CALLS(VARNET_SIM_CONTROLLIB_ROW)
                                  VARNET_SIM_CUI_CALLS(VARNET_SIM_CUI_ROW)};
#undef VARNET_SIM_CUI_ROW
#undef VARNET_SIM_CONTROLLIB_ROW

} // namespace

std::span<const SimCall> SimCalls() {
    return kCalls;
}

const SimCall* FindSimCall(std::string_view name) {
    for (const SimCall& call : kCalls)
        if (name == call.name)
            return &call;
    return nullptr;
}

const char* SimulatorName(Simulator sim) {
    return sim == Simulator::ControlLib ? "controllib" : "cui";
}

} // namespace varnet::sim
