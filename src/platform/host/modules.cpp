// In-process modules: the simulators register themselves by file name, and LoadModule of any
// path whose file name matches hands out that module's handle, as LoadLibraryW hands out the
// same handle to every load of a module until the last FreeLibrary.
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

struct Module {
    std::string fileName; // folded
    host::SymbolLookup lookup;
    int loads = 0;
};

struct Modules {
    std::mutex mutex;
    std::map<uintptr_t, Module> byHandle;
    uintptr_t next = 0x7A000000; // handles are tokens, never dereferenced
};

Modules& Table() {
    static auto* modules = new Modules;
    return *modules;
}

// "C:\Drivers\ControlLib" → "controllib.dll": the file name part, with LoadLibrary's default
// extension when the name has none (a trailing dot means "no extension").
std::string ModuleFileName(const wchar_t* path) {
    std::string name;
    for (const wchar_t* p = path; *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L'/') {
            name.clear();
        } else {
            name += static_cast<char>(*p < 0x80 ? *p : L'?');
        }
    }
    if (!name.empty() && name.back() == '.') {
        name.pop_back();
    } else if (name.find('.') == std::string::npos) {
        name += ".dll";
    }
    return host::detail::Lower(name);
}

Module* FindByName(Modules& table, const std::string& fileName, uintptr_t* handle) {
    std::string folded = host::detail::Lower(fileName);
    for (auto& [h, module] : table.byHandle) {
        if (module.fileName == folded) {
            if (handle != nullptr) {
                *handle = h;
            }
            return &module;
        }
    }
    return nullptr;
}

} // namespace

namespace host {

void RegisterModule(const std::string& fileName, SymbolLookup lookup) {
    Modules& table = Table();
    std::lock_guard lock(table.mutex);
    if (Module* module = FindByName(table, fileName, nullptr)) {
        module->lookup = std::move(lookup);
        return;
    }
    table.next += 0x10000;
    table.byHandle[table.next] = Module{detail::Lower(fileName), std::move(lookup), 0};
}

void UnregisterModule(const std::string& fileName) {
    Modules& table = Table();
    std::lock_guard lock(table.mutex);
    uintptr_t handle = 0;
    if (FindByName(table, fileName, &handle) != nullptr) {
        table.byHandle.erase(handle);
    }
}

int ModuleLoadCount(const std::string& fileName) {
    Modules& table = Table();
    std::lock_guard lock(table.mutex);
    Module* module = FindByName(table, fileName, nullptr);
    return module != nullptr ? module->loads : 0;
}

} // namespace host

ModuleHandle LoadModule(const wchar_t* path) {
    if (long code = 0; host::detail::FaultFires("LoadModule", &code) || path == nullptr) {
        return nullptr;
    }
    Modules& table = Table();
    std::lock_guard lock(table.mutex);
    uintptr_t handle = 0;
    Module* module = FindByName(table, ModuleFileName(path), &handle);
    if (module == nullptr) {
        return nullptr;
    }
    ++module->loads;
    return reinterpret_cast<ModuleHandle>(handle);
}

void* FindSymbol(ModuleHandle module, const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    host::SymbolLookup lookup;
    {
        Modules& table = Table();
        std::lock_guard lock(table.mutex);
        auto it = table.byHandle.find(reinterpret_cast<uintptr_t>(module));
        if (it == table.byHandle.end() || it->second.loads == 0) {
            return nullptr;
        }
        lookup = it->second.lookup;
    }
    return lookup ? lookup(name) : nullptr; // outside the lock: a lookup may use the sandbox
}

bool FreeModule(ModuleHandle module) {
    Modules& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.byHandle.find(reinterpret_cast<uintptr_t>(module));
    if (it == table.byHandle.end() || it->second.loads == 0) {
        return false;
    }
    --it->second.loads;
    return true;
}

} // namespace varnet::platform
