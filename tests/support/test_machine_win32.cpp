#include <windows.h>

#include <objbase.h>

#include <filesystem>

#include "test_machine.h"

namespace varnet::test {

void PrepareSystem(const std::string&) {
    // What earlier tests left in the (Wine prefix's) system: settings and configuration files.
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Norvane");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Norvane");
    std::error_code ec;
    std::filesystem::remove_all("C:\\ProgramData\\ColorMode", ec);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

void ReleaseSystem() {
    CoUninitialize();
}

} // namespace varnet::test
