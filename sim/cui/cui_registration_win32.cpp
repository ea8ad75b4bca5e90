// Registration for the current user: HKCU\Software\Classes is merged into the classes root, so
// no administrator rights are needed and a real driver's machine-wide registration is left
// alone. Where the classes root does not show the user's classes (Wine 8 does not merge them),
// the same keys also go to HKLM\Software\Classes.
#include "cui/cui_object.h"

#include <olectl.h>
#include <windows.h>

#include <string>

namespace {

using varnet::sim::cui::kProgIdText;
using varnet::sim::cui::kSimClsidText;

const std::string kClassKey = std::string("Software\\Classes\\CLSID\\") + kSimClsidText;
const std::string kProgIdKey = std::string("Software\\Classes\\") + kProgIdText;
const std::string kProgIdClsidKey = kProgIdKey + "\\CLSID";

LONG SetString(HKEY root, const std::string& keyPath, const char* name, const std::string& value) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return status;
}

bool ModulePath(std::string* path) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&ModulePath), &module))
        return false;
    char buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(module, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    path->assign(buffer, length);
    return true;
}

// Whether the ProgID key below root (a "Software\Classes" form, or "" for the classes root)
// names our class and not someone else's.
bool NamesOurClass(HKEY root, const std::string& keyPath) {
    char value[64] = {};
    LONG size = sizeof value;
    if (RegQueryValueA(root, keyPath.c_str(), value, &size) != ERROR_SUCCESS)
        return false;
    return lstrcmpiA(value, kSimClsidText) == 0;
}

bool RegisterUnder(HKEY root, const std::string& path) {
    const std::string inproc = kClassKey + "\\InprocServer32";
    const LONG steps[] = {
        SetString(root, kClassKey, nullptr, "Varnet CUI SDK simulator"),
        SetString(root, inproc, nullptr, path),
        SetString(root, inproc, "ThreadingModel", "Both"),
        SetString(root, kClassKey + "\\ProgID", nullptr, kProgIdText),
        SetString(root, kProgIdKey, nullptr, "Varnet CUI SDK simulator"),
        SetString(root, kProgIdClsidKey, nullptr, kSimClsidText),
    };
    for (LONG step : steps)
        if (step != ERROR_SUCCESS)
            return false;
    return true;
}

void UnregisterUnder(HKEY root) {
    if (NamesOurClass(root, kProgIdClsidKey))
        RegDeleteTreeA(root, kProgIdKey.c_str());
    RegDeleteTreeA(root, kClassKey.c_str());
}

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    std::string path;
    if (!ModulePath(&path) || !RegisterUnder(HKEY_CURRENT_USER, path))
        return SELFREG_E_CLASS;
    const std::string visible = std::string(kProgIdText) + "\\CLSID";
    if (!NamesOurClass(HKEY_CLASSES_ROOT, visible) && !RegisterUnder(HKEY_LOCAL_MACHINE, path))
        return SELFREG_E_CLASS;
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    // Our class id is ours alone; the ProgID goes only where it names our class, so a real
    // driver's registration stays.
    UnregisterUnder(HKEY_CURRENT_USER);
    UnregisterUnder(HKEY_LOCAL_MACHINE);
    return S_OK;
}
