// The process-wide Control Library run time: the module that ctlInit loads, the run-time path
// handed in before it was loaded, and how the forwarders and the back-end reach its entries.
#pragma once

#include <atomic>

#include "igcl/ctl_exports.h"
#include "igcl/igcl_api.h"
#include "platform/platform.h"

namespace varnet {

// The loaded run time; null while none is loaded. Atomic so that concurrent callers never see a
// torn handle; there is still no lock, so a close on one thread can end another's use of it.
extern std::atomic<platform::ModuleHandle> ControlLibModule;
// A caller's record from ctlSetRuntimePath while nothing was loaded. Not owned and not copied:
// the caller keeps it alive until the next ctlInit.
extern std::atomic<ctl_runtime_path_args_t*> PendingRuntimePath;

// The run time's entry called name, typed; null when nothing is loaded or the run time lacks
// it. Looked up on every call, never cached, because the module may be closed and loaded again.
template <class Fn> Fn* RuntimeEntry(const char* name) {
    platform::ModuleHandle module = ControlLibModule.load(std::memory_order_acquire);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn*>(platform::FindSymbol(module, name));
}

// ctlClose's sequence for any API handle (the back-end's destructor uses it with its own): the
// run time's ctlClose, the module released only when that answers CTL_RESULT_SUCCESS, the
// pending run-time path forgotten in every case.
ctl_result_t CloseRuntime(ctl_api_handle_t handle) noexcept;

// Back to "nothing loaded, no pending path" (frees a loaded module). Tests only.
void ResetBindingForTesting();

} // namespace varnet
