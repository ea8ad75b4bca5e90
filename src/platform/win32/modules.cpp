// Modules, from kernel32.
#include "platform/win32/windows_api.h"

#include "platform/platform.h"

namespace varnet::platform {

ModuleHandle LoadModule(const wchar_t* path) {
    return ::LoadLibraryW(path);
}

void* FindSymbol(ModuleHandle module, const char* name) {
    FARPROC symbol = ::GetProcAddress(static_cast<HMODULE>(module), name);
    return reinterpret_cast<void*>(symbol);
}

bool FreeModule(ModuleHandle module) {
    return ::FreeLibrary(static_cast<HMODULE>(module)) != FALSE;
}

} // namespace varnet::platform
