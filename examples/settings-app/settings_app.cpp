// What a display-settings application does with Varnet.dll, start to finish: COM on the calling
// thread, the DLL loaded at run time, every export found by name, then the calls a settings page
// makes when it opens and when the user picks a mode.
//
//   settings-app.exe [MODE [WHITE_POINT [GAMMA_LEVEL]]]     (defaults: 2 2 5)
#include <objbase.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "varnet/varnet.h"

namespace {

// The exports, looked up by name as an application that must start without the DLL would.
struct Varnet {
    HMODULE module = nullptr;
    decltype(&::GetEDID) GetEDID = nullptr;
    decltype(&::IsDisplayLACESupport) IsDisplayLACESupport = nullptr;
    decltype(&::IsColorModeSupportArray) IsColorModeSupportArray = nullptr;
    decltype(&::IsDPSTSupport) IsDPSTSupport = nullptr;
    decltype(&::IsColortoneSupport) IsColortoneSupport = nullptr;
    decltype(&::IsAmoledDisplay) IsAmoledDisplay = nullptr;
    decltype(&::IsQledDisplay) IsQledDisplay = nullptr;
    decltype(&::IsAmoledPhotoSupport) IsAmoledPhotoSupport = nullptr;
    decltype(&::IsICCProfileSupport) IsICCProfileSupport = nullptr;
    decltype(&::SetColorMode) SetColorMode = nullptr;
    decltype(&::SetLevelEnhancedDPST) SetLevelEnhancedDPST = nullptr;
    decltype(&::RestoreLevelEnhancedDPST) RestoreLevelEnhancedDPST = nullptr;
};

template <typename Function> bool Find(HMODULE module, const char* name, Function* out) {
    FARPROC address = GetProcAddress(module, name);
    if (address == nullptr) {
        std::printf("Varnet.dll has no export %s\n", name);
        return false;
    }
    *out = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    return true;
}

bool Load(Varnet* v) {
    // Only the application's own folder and System32: never the current directory.
    v->module = LoadLibraryExW(L"Varnet.dll", nullptr,
                               LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (v->module == nullptr) {
        std::printf("cannot load Varnet.dll (error %lu)\n", GetLastError());
        return false;
    }
    return Find(v->module, "GetEDID", &v->GetEDID) &&
           Find(v->module, "IsDisplayLACESupport", &v->IsDisplayLACESupport) &&
           Find(v->module, "IsColorModeSupportArray", &v->IsColorModeSupportArray) &&
           Find(v->module, "IsDPSTSupport", &v->IsDPSTSupport) &&
           Find(v->module, "IsColortoneSupport", &v->IsColortoneSupport) &&
           Find(v->module, "IsAmoledDisplay", &v->IsAmoledDisplay) &&
           Find(v->module, "IsQledDisplay", &v->IsQledDisplay) &&
           Find(v->module, "IsAmoledPhotoSupport", &v->IsAmoledPhotoSupport) &&
           Find(v->module, "IsICCProfileSupport", &v->IsICCProfileSupport) &&
           Find(v->module, "SetColorMode", &v->SetColorMode) &&
           Find(v->module, "SetLevelEnhancedDPST", &v->SetLevelEnhancedDPST) &&
           Find(v->module, "RestoreLevelEnhancedDPST", &v->RestoreLevelEnhancedDPST);
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

struct ModeName {
    int32_t mode;
    const char* name;
};
constexpr ModeName kModes[] = {{1, "vivid"},   {2, "standard"}, {3, "movie"}, {4, "e-book"},
                               {5, "natural"}, {6, "pro"},      {10, "FPS"},  {11, "RTS"},
                               {12, "AOS"},    {13, "RPG"}};
constexpr int32_t kModeCount = sizeof kModes / sizeof kModes[0];

int Run(const Varnet& v, int32_t mode, int32_t whitePoint, int32_t gammaLevel) {
    // On opening the page: who the panel is and what it offers.
    char panelId[255] = {};
    const int32_t length = v.GetEDID(panelId);
    std::printf("panel ID: %s\n", length > 0 ? panelId : "(not identified)");
    std::printf("LACE: %s\n", YesNo(v.IsDisplayLACESupport()));

    ColorModeQuery queries[kModeCount] = {};
    for (int32_t i = 0; i < kModeCount; ++i) {
        queries[i].mode = kModes[i].mode;
    }
    const int32_t supported = v.IsColorModeSupportArray(queries, kModeCount);
    std::printf("colour modes supported: %d of %d\n", supported, kModeCount);
    for (int32_t i = 0; i < kModeCount; ++i) {
        std::printf("  %2d %-9s %s\n", kModes[i].mode, kModes[i].name,
                    YesNo(queries[i].supported != 0));
    }
    std::printf("DPST: %s, colour tone: %s, AMOLED: %s, QLED: %s, AMOLED photo mode: %s\n",
                YesNo(v.IsDPSTSupport()), YesNo(v.IsColortoneSupport()), YesNo(v.IsAmoledDisplay()),
                YesNo(v.IsQledDisplay()), YesNo(v.IsAmoledPhotoSupport()));

    // On a click: apply the mode. The result is always false, so it tells nothing.
    std::printf("ICC profile for mode %d: %s\n", mode, YesNo(v.IsICCProfileSupport(mode, false)));
    v.SetColorMode(mode, whitePoint, false, gammaLevel);
    std::printf("applied mode %d, white point %d, gamma level %d\n", mode, whitePoint, gammaLevel);

    // Battery saver on, then back to what the user had.
    EnhancedDpstSavedState saved = {};
    const bool switched = v.SetLevelEnhancedDPST(&saved);
    std::printf("enhanced DPST on: %s (saved: enabled %d, level %d, enhanced %d)\n",
                YesNo(switched), saved.values[0], saved.values[1], saved.values[2]);
    std::printf("enhanced DPST restored: %s\n", YesNo(v.RestoreLevelEnhancedDPST(&saved)));
    return 0;
}

int32_t Argument(int argc, char** argv, int index, int32_t fallback) {
    return argc > index ? static_cast<int32_t>(std::strtol(argv[index], nullptr, 10)) : fallback;
}

} // namespace

int main(int argc, char** argv) {
    // The CUI back-end creates a COM object on the calling thread: COM must be up first.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com)) {
        std::printf("COM could not be initialised (0x%08lx)\n", static_cast<unsigned long>(com));
        return 1;
    }
    Varnet varnet;
    int status = 1;
    if (Load(&varnet)) {
        status = Run(varnet, Argument(argc, argv, 1, 2), Argument(argc, argv, 2, 2),
                     Argument(argc, argv, 3, 5));
    }
    if (varnet.module != nullptr) {
        FreeLibrary(varnet.module);
    }
    CoUninitialize();
    return status;
}
