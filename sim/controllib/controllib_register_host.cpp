#include "controllib/controllib_calls.h"
#include "controllib/controllib_registration.h"
#include "platform/host/sandbox.h"

namespace varnet::sim::controllib {

inline constexpr char kModuleName[] = "ControlLib.dll";

void RegisterControlLibSimulator() {
    platform::host::RegisterModule(kModuleName, [](const char* name) { return FindEntry(name); });
}

void UnregisterControlLibSimulator() {
    platform::host::UnregisterModule(kModuleName);
}

} // namespace varnet::sim::controllib
