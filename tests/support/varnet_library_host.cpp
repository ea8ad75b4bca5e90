#include <dlfcn.h>

#include "api/panel_id_cache.h"
#include "igcl/ctl_binding.h"
#include "varnet/varnet.h"
#include "varnet_library.h"

namespace varnet::test {

namespace {
// The test program is linked with its symbols exported, so every export is found by name as
// GetProcAddress would find it in the DLL.
void* FindExport(const char* name) {
    return dlsym(RTLD_DEFAULT, name);
}
} // namespace

bool LoadVarnet(VarnetExports* exports, std::string* error) {
    UnloadVarnet();
    exports->IsIntelGPU = &::IsIntelGPU;
    exports->GetEDID = &::GetEDID;
    exports->IsDisplayLACESupport = &::IsDisplayLACESupport;
    exports->IsColorModeSupport = &::IsColorModeSupport;
    exports->IsColorModeSupportArray = &::IsColorModeSupportArray;
    exports->SetColorMode = &::SetColorMode;
    exports->IsDPSTSupport = &::IsDPSTSupport;
    exports->IsColortoneSupport = &::IsColortoneSupport;
    exports->IsQledDisplay = &::IsQledDisplay;
    exports->IsAmoledDisplay = &::IsAmoledDisplay;
    exports->IsAmoledPhotoSupport = &::IsAmoledPhotoSupport;
    exports->IsICCProfileSupport = &::IsICCProfileSupport;
    exports->SetLevelEnhancedDPST = &::SetLevelEnhancedDPST;
    exports->RestoreLevelEnhancedDPST = &::RestoreLevelEnhancedDPST;
    exports->ctlInit = &::ctlInit;
    exports->ctlClose = &::ctlClose;
    exports->ctlSetRuntimePath = &::ctlSetRuntimePath;
    exports->Find = &FindExport;
    if (FindExport("ctlInit") == nullptr) {
        *error = "the test program does not export the library's symbols";
        return false;
    }
    return true;
}

void UnloadVarnet() {
    // What unloading the DLL would release: the panel ID and the Control Library module.
    PanelIdCache::ResetForTesting();
    ResetBindingForTesting();
}

} // namespace varnet::test
