#include "igcl/ctl_binding.h"

#include <cwchar>

#include "api/export_guard.h"
#include "igcl/ctl_exports.h"

namespace varnet {

std::atomic<platform::ModuleHandle> ControlLibModule{nullptr};
std::atomic<ctl_runtime_path_args_t*> PendingRuntimePath{nullptr};

namespace {

constexpr std::size_t kPathChars = 512;
// The default name is formatted as if the buffer held 512 bytes of two-byte characters, as it
// does on Windows; the host's four-byte wchar_t keeps the same limit.
constexpr std::size_t kDefaultNameChars = 512 / 2;

// Fills path with the file LoadLibraryW gets; false when the caller's version is too new.
bool ChooseRuntimePath(const ctl_runtime_path_args_t* pending, const ctl_init_args_t* initArgs,
                       wchar_t (&path)[kPathChars]) {
    if (pending != nullptr && pending->pRuntimePath != nullptr) {
        // A path set in advance bypasses the version test.
        const wchar_t* source = pending->pRuntimePath;
        std::size_t i = 0;
        for (; i < kPathChars - 1 && source[i] != L'\0'; ++i) {
            path[i] = source[i];
        }
        path[i] = L'\0';
        return true;
    }
    if (CTL_MAJOR_VERSION(initArgs->AppVersion) > 1) {
        return false;
    }
    std::swprintf(path, kDefaultNameChars, L"%ls.dll", L"ControlLib");
    return true;
}

ctl_result_t Init(ctl_init_args_t* initArgs, ctl_api_handle_t* apiHandle) {
    ctl_result_t kept = CTL_RESULT_ERROR_NOT_INITIALIZED;
    if (ControlLibModule.load(std::memory_order_acquire) == nullptr) {
        // Read once: another thread's ctlClose may forget it meanwhile.
        ctl_runtime_path_args_t* pending = PendingRuntimePath.load(std::memory_order_acquire);
        const bool havePending = pending != nullptr && pending->pRuntimePath != nullptr;
        if (!havePending && initArgs == nullptr) {
            // Without a record there is no version to test; refuse rather than guess.
            return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
        }
        wchar_t path[kPathChars] = {};
        if (!ChooseRuntimePath(pending, initArgs, path)) {
            return CTL_RESULT_ERROR_UNSUPPORTED_VERSION;
        }
        platform::ModuleHandle module = platform::LoadModule(path);
        if (module == nullptr) {
            return CTL_RESULT_ERROR_LOAD;
        }
        platform::ModuleHandle none = nullptr;
        if (ControlLibModule.compare_exchange_strong(none, module, std::memory_order_acq_rel)) {
            kept = CTL_RESULT_SUCCESS;
            if (pending != nullptr) {
                if (auto* setPath =
                        RuntimeEntry<decltype(::ctlSetRuntimePath)>("ctlSetRuntimePath")) {
                    setPath(pending); // the run time may ignore it; so do we
                }
            }
        } else {
            platform::FreeModule(module); // another thread loaded it first: one load is kept
        }
    }
    if (auto* init = RuntimeEntry<decltype(::ctlInit)>("ctlInit")) {
        return init(initArgs, apiHandle);
    }
    return kept;
}

ctl_result_t SetRuntimePath(ctl_runtime_path_args_t* args) {
    if (ControlLibModule.load(std::memory_order_acquire) != nullptr) {
        auto* setPath = RuntimeEntry<decltype(::ctlSetRuntimePath)>("ctlSetRuntimePath");
        return setPath != nullptr ? setPath(args) : CTL_RESULT_ERROR_NOT_INITIALIZED;
    }
    if (args == nullptr || args->pRuntimePath == nullptr) {
        return CTL_RESULT_ERROR_NOT_INITIALIZED;
    }
    PendingRuntimePath.store(args, std::memory_order_release);
    return CTL_RESULT_SUCCESS;
}

} // namespace

ctl_result_t CloseRuntime(ctl_api_handle_t handle) noexcept {
    const ctl_result_t result =
        GuardExport<ctl_result_t>(CTL_RESULT_ERROR_UNKNOWN, [&]() -> ctl_result_t {
            auto* close = RuntimeEntry<decltype(::ctlClose)>("ctlClose");
            if (close == nullptr) {
                return CTL_RESULT_ERROR_NOT_INITIALIZED;
            }
            const ctl_result_t closed = close(handle);
            // Any other success code means another caller still holds the run time open.
            if (closed == CTL_RESULT_SUCCESS) {
                // Whoever takes the handle frees it, so two closes never free one load twice.
                if (platform::ModuleHandle module = ControlLibModule.exchange(nullptr)) {
                    platform::FreeModule(module);
                }
            }
            return closed;
        });
    PendingRuntimePath.store(nullptr, std::memory_order_release);
    return result;
}

void ResetBindingForTesting() {
    if (platform::ModuleHandle module = ControlLibModule.exchange(nullptr)) {
        platform::FreeModule(module);
    }
    PendingRuntimePath.store(nullptr);
}

} // namespace varnet

// Nothing may escape to a C caller; the seam's host sandbox can throw std::bad_alloc.
extern "C" ctl_result_t ctlInit(ctl_init_args_t* pInitDesc, ctl_api_handle_t* phAPIHandle) {
    return varnet::GuardExport<ctl_result_t>(CTL_RESULT_ERROR_UNKNOWN,
                                             [&] { return varnet::Init(pInitDesc, phAPIHandle); });
}

extern "C" ctl_result_t ctlClose(ctl_api_handle_t hAPIHandle) {
    return varnet::CloseRuntime(hAPIHandle);
}

extern "C" ctl_result_t ctlSetRuntimePath(ctl_runtime_path_args_t* pArgs) {
    return varnet::GuardExport<ctl_result_t>(CTL_RESULT_ERROR_UNKNOWN,
                                             [&] { return varnet::SetRuntimePath(pArgs); });
}
