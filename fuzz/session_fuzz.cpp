// libFuzzer target: whole calls of every export against a driver whose every answer comes from
// the input (fuzz/support/): the run time's results, entry points and records on one back-end,
// the SDK object's results, exceptions, error values and blocks on the other. After each export
// every run-time session the driver opened must be closed and every SDK object released.
#include <cstdio>
#include <cstdlib>

#include "api/panel_id_cache.h"
#include "igcl/ctl_binding.h"
#include "igcl/ctl_exports.h"
#include "platform/host/sandbox.h"
#include "support/fuzz_input.h"
#include "support/fuzz_sandbox.h"
#include "support/fuzzed_driver.h"
#include "varnet/varnet.h"

namespace {

using varnet::fuzz::FuzzInput;

FuzzInput& In() {
    return varnet::fuzz::Input();
}

int32_t Mode() {
    static constexpr int32_t kModes[] = {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 0, 7};
    const uint8_t b = In().Byte();
    return b < 0xF0 ? kModes[b % std::size(kModes)] : In().Value<int32_t>();
}

int32_t Small(int32_t range) {
    const uint8_t b = In().Byte();
    return b < 0xF0 ? b % range : In().Value<int32_t>();
}

// What an application does with the loader exports: a run-time path, then a session of its own.
void ApplicationSession() {
    static wchar_t path[] = L"ControlLib.dll";
    static ctl_runtime_path_args_t pathArgs = {};
    pathArgs.Size = sizeof pathArgs;
    pathArgs.pRuntimePath = In().Bool() ? path : nullptr;
    if (In().Bool()) {
        ctlSetRuntimePath(&pathArgs);
    }
    ctl_init_args_t init = {};
    init.Size = sizeof init;
    init.AppVersion = CTL_MAKE_VERSION(In().Byte() % 3, 0);
    ctl_api_handle_t api = nullptr;
    if (ctlInit(&init, &api) != CTL_RESULT_SUCCESS) {
        return;
    }
    uint32_t count = 0;
    ctlEnumerateDevices(api, &count, nullptr);
    ctl_lace_config_t lace = {};
    lace.Size = sizeof lace;
    ctlGetLACEConfig(nullptr, &lace);
    ctlClose(api);
}

void CallOneExport() {
    switch (In().Byte() % 16) {
    case 0:
        IsIntelGPU();
        break;
    case 1: {
        char buffer[255];
        const int32_t length = GetEDID(buffer);
        if (length < 0 || length > 254 || buffer[length] != '\0') {
            std::fprintf(stderr, "GetEDID answered %d\n", static_cast<int>(length));
            std::abort();
        }
        break;
    }
    case 2:
        IsDisplayLACESupport();
        break;
    case 3:
        IsColorModeSupport(Mode());
        break;
    case 4: {
        ColorModeQuery queries[3] = {{Mode(), 7, {}}, {Mode(), 7, {}}, {Mode(), 7, {}}};
        IsColorModeSupportArray(queries, In().Byte() % 4);
        break;
    }
    case 5: {
        const int32_t mode = Mode();
        const int32_t whitePoint = Small(5);
        const bool use3DLutFiles = In().Bool();
        SetColorMode(mode, whitePoint, use3DLutFiles, Small(11));
        break;
    }
    case 6:
        IsDPSTSupport();
        break;
    case 7:
        IsColortoneSupport();
        break;
    case 8:
        IsQledDisplay();
        break;
    case 9:
        IsAmoledDisplay();
        break;
    case 10:
        IsAmoledPhotoSupport();
        break;
    case 11: {
        const int32_t mode = Mode();
        IsICCProfileSupport(mode, In().Bool());
        break;
    }
    case 12: {
        EnhancedDpstSavedState saved = {};
        SetLevelEnhancedDPST(&saved);
        break;
    }
    case 13: {
        EnhancedDpstSavedState saved = {};
        In().Bytes(&saved, sizeof saved);
        RestoreLevelEnhancedDPST(&saved);
        break;
    }
    case 14:
        ApplicationSession();
        break;
    default:
        GetEDID(nullptr);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    varnet::fuzz::PrepareSandbox();
    varnet::fuzz::CopySourceFolder("examples/config", "C:\\ProgramData\\ColorMode");
    varnet::platform::ComInitializeThread();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    In().Reset(data, size);
    varnet::ResetBindingForTesting();
    varnet::PanelIdCache::ResetForTesting();
    varnet::platform::host::ClearCaptures();
    varnet::fuzz::ResetFuzzedDriverCounts();
    // Either back-end may be missing altogether.
    const uint8_t present = In().Byte();
    if (present % 4 != 0) {
        varnet::fuzz::RegisterFuzzedRuntime();
    } else {
        varnet::fuzz::UnregisterFuzzedRuntime();
    }
    if (present % 8 != 1) {
        varnet::fuzz::RegisterFuzzedCui();
    } else {
        varnet::fuzz::UnregisterFuzzedCui();
    }
    for (int call = 0; call < 6 && !In().Empty(); ++call) {
        CallOneExport();
        if (varnet::fuzz::OpenFuzzedRuntimeSessions() != 0 ||
            varnet::fuzz::LiveFuzzedCuiObjects() != 0) {
            std::fprintf(stderr, "after an export: %ld run-time sessions open, %ld SDK objects\n",
                         varnet::fuzz::OpenFuzzedRuntimeSessions(),
                         varnet::fuzz::LiveFuzzedCuiObjects());
            std::abort();
        }
    }
    varnet::platform::host::ClearCaptures();
    return 0;
}
