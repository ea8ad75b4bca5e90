#include <windows.h>

#include "varnet_library.h"

namespace varnet::test {

namespace {
HMODULE g_module = nullptr;

void* FindExport(const char* name) {
    return g_module != nullptr ? reinterpret_cast<void*>(GetProcAddress(g_module, name)) : nullptr;
}

template <class Fn> bool Bind(Fn*& slot, const char* name, std::string* error) {
    slot = reinterpret_cast<Fn*>(FindExport(name));
    if (slot == nullptr) {
        *error += std::string("missing export ") + name + "\n";
        return false;
    }
    return true;
}
} // namespace

bool LoadVarnet(VarnetExports* exports, std::string* error) {
    UnloadVarnet();
    g_module = LoadLibraryW(L"Varnet.dll");
    if (g_module == nullptr) {
        *error = "LoadLibrary(Varnet.dll) failed with " + std::to_string(GetLastError());
        return false;
    }
    bool ok = Bind(exports->IsIntelGPU, "IsIntelGPU", error);
    ok &= Bind(exports->GetEDID, "GetEDID", error);
    ok &= Bind(exports->IsDisplayLACESupport, "IsDisplayLACESupport", error);
    ok &= Bind(exports->IsColorModeSupport, "IsColorModeSupport", error);
    ok &= Bind(exports->IsColorModeSupportArray, "IsColorModeSupportArray", error);
    ok &= Bind(exports->SetColorMode, "SetColorMode", error);
    ok &= Bind(exports->IsDPSTSupport, "IsDPSTSupport", error);
    ok &= Bind(exports->IsColortoneSupport, "IsColortoneSupport", error);
    ok &= Bind(exports->IsQledDisplay, "IsQledDisplay", error);
    ok &= Bind(exports->IsAmoledDisplay, "IsAmoledDisplay", error);
    ok &= Bind(exports->IsAmoledPhotoSupport, "IsAmoledPhotoSupport", error);
    ok &= Bind(exports->IsICCProfileSupport, "IsICCProfileSupport", error);
    ok &= Bind(exports->SetLevelEnhancedDPST, "SetLevelEnhancedDPST", error);
    ok &= Bind(exports->RestoreLevelEnhancedDPST, "RestoreLevelEnhancedDPST", error);
    ok &= Bind(exports->ctlInit, "ctlInit", error);
    ok &= Bind(exports->ctlClose, "ctlClose", error);
    ok &= Bind(exports->ctlSetRuntimePath, "ctlSetRuntimePath", error);
    exports->Find = &FindExport;
    return ok;
}

void UnloadVarnet() {
    if (g_module != nullptr) {
        FreeLibrary(g_module);
        g_module = nullptr;
    }
}

} // namespace varnet::test
