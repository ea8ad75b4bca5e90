// The library as an application sees it: its exports, loaded fresh for every test. On Windows
// that is LoadLibrary of the real Varnet.dll (and FreeLibrary after the test, which releases its
// process-wide state as an unload does); on the host the same code is linked in, and the
// process-wide state is put back to its load-time values instead.
#pragma once

#include <cstdint>
#include <string>

#include "igcl/igcl_api.h"
#include "varnet/varnet.h"

namespace varnet::test {

struct VarnetExports {
    bool (*IsIntelGPU)() = nullptr;
    int32_t (*GetEDID)(char* buffer) = nullptr;
    bool (*IsDisplayLACESupport)() = nullptr;
    bool (*IsColorModeSupport)(int32_t mode) = nullptr;
    int32_t (*IsColorModeSupportArray)(ColorModeQuery* entries, int32_t count) = nullptr;
    bool (*SetColorMode)(int32_t mode, int32_t whitePointIndex, bool use3DLutFiles,
                         int32_t gammaLevel) = nullptr;
    bool (*IsDPSTSupport)() = nullptr;
    bool (*IsColortoneSupport)() = nullptr;
    bool (*IsQledDisplay)() = nullptr;
    bool (*IsAmoledDisplay)() = nullptr;
    bool (*IsAmoledPhotoSupport)() = nullptr;
    bool (*IsICCProfileSupport)(int32_t mode, bool use3DLutFiles) = nullptr;
    bool (*SetLevelEnhancedDPST)(EnhancedDpstSavedState* saved) = nullptr;
    bool (*RestoreLevelEnhancedDPST)(const EnhancedDpstSavedState* saved) = nullptr;
    ctl_result_t (*ctlInit)(ctl_init_args_t*, ctl_api_handle_t*) = nullptr;
    ctl_result_t (*ctlClose)(ctl_api_handle_t) = nullptr;
    ctl_result_t (*ctlSetRuntimePath)(ctl_runtime_path_args_t*) = nullptr;

    // Any export by name; null when the library does not export it.
    void* (*Find)(const char* name) = nullptr;
};

// Loads the library (or resets it on the host). False with a reason when an export is missing.
bool LoadVarnet(VarnetExports* exports, std::string* error);
void UnloadVarnet();

} // namespace varnet::test
