// The registry, straight through to advapi32's ANSI functions.
#include "platform/win32/windows_api.h"

#include "platform/platform.h"

namespace varnet::platform {
namespace {

HKEY RootKey(RegRoot root) {
    return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

} // namespace

long RegOpenKey(RegRoot root, const char* subKey, RegKey* key) {
    HKEY opened = nullptr;
    LONG status = ::RegOpenKeyA(RootKey(root), subKey, &opened);
    if (status == ERROR_SUCCESS && key != nullptr) {
        *key = opened;
    }
    return status;
}

long RegOpenKeyEx(RegRoot root, const char* subKey, uint32_t access, RegKey* key) {
    HKEY opened = nullptr;
    LONG status = ::RegOpenKeyExA(RootKey(root), subKey, 0, access, &opened);
    if (status == ERROR_SUCCESS && key != nullptr) {
        *key = opened;
    }
    return status;
}

long RegCreateKeyEx(RegRoot root, const char* subKey, uint32_t access, RegKey* key) {
    HKEY opened = nullptr;
    LONG status =
        ::RegCreateKeyExA(RootKey(root), subKey, 0, nullptr, 0, access, nullptr, &opened, nullptr);
    if (status == ERROR_SUCCESS && key != nullptr) {
        *key = opened;
    }
    return status;
}

long RegQueryValueEx(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) {
    DWORD valueType = type != nullptr ? *type : 0;
    DWORD valueSize = size != nullptr ? *size : 0;
    LONG status = ::RegQueryValueExA(static_cast<HKEY>(key), name, nullptr,
                                     type != nullptr ? &valueType : nullptr, data,
                                     size != nullptr ? &valueSize : nullptr);
    if (type != nullptr) {
        *type = valueType;
    }
    if (size != nullptr) {
        *size = valueSize;
    }
    return status;
}

long RegSetValueEx(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                   uint32_t size) {
    return ::RegSetValueExA(static_cast<HKEY>(key), name, 0, type, data, size);
}

long RegCloseKey(RegKey key) {
    return ::RegCloseKey(static_cast<HKEY>(key));
}

} // namespace varnet::platform
