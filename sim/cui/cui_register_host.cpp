#include "cui/cui_object.h"
#include "cui/cui_registration.h"
#include "platform/host/sandbox.h"

namespace varnet::sim::cui {

void RegisterCuiSimulator() {
    platform::host::RegisterComClass(
        varnet::cui::kProgId, kSimClsid,
        [](const Guid& iid, void** object) -> long { return CreateCuiObject(iid, object); });
}

void UnregisterCuiSimulator() {
    platform::host::UnregisterComClass(varnet::cui::kProgId);
}

} // namespace varnet::sim::cui
