// The run time's export table: API name to entry point.
#include <cstring>

#include "common/sim_context.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

struct Entry {
    const char* name;
    void* function;
};

template <typename F> void* Address(F* function) {
    return reinterpret_cast<void*>(function);
}

#define VARNET_SIM_ENTRY(api, function, params, args) {#api, Address(&function)},
const Entry kEntries[] = {VARNET_SIM_CONTROLLIB_CALLS(VARNET_SIM_ENTRY)};
#undef VARNET_SIM_ENTRY

} // namespace

void* FindEntry(const char* name) {
    if (!name)
        return nullptr;
    for (const Entry& entry : kEntries)
        if (std::strcmp(entry.name, name) == 0)
            return AnswerMissing(kSimName, entry.name, std::nullopt) ? nullptr : entry.function;
    return nullptr;
}

std::vector<std::string> AnsweredNames() {
    std::vector<std::string> names;
    for (const Entry& entry : kEntries)
        names.push_back(entry.name);
    return names;
}

} // namespace varnet::sim::controllib
