// libFuzzer target: any bytes as the host sandbox's registry file, then what the settings
// store does with it: open or create its key, ask a value's size, read it into short and long
// buffers, write it back. The input is "<key>\n<value name>\n<registry file>". A damaged file
// reads as an empty registry; no answer may write outside the buffer it was given.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/host/sandbox.h"
#include "platform/platform.h"
#include "support/fuzz_sandbox.h"

namespace {

namespace platform = varnet::platform;
constexpr uint8_t kGuard = 0x5A;

std::string_view Line(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

void Fail(const char* what, long code) {
    std::fprintf(stderr, "%s: %ld\n", what, code);
    std::abort();
}

void ReadAndWrite(platform::RegKey key, const char* name) {
    uint32_t type = 0;
    uint32_t needed = 0;
    if (platform::RegQueryValueEx(key, name, &type, nullptr, &needed) != platform::kErrorSuccess) {
        return;
    }
    uint8_t buffer[64 + 8];
    for (uint32_t room : {needed > 0 ? needed - 1 : 0u, needed}) {
        if (room > 64) {
            continue;
        }
        std::memset(buffer, kGuard, sizeof buffer);
        uint32_t size = room;
        const long code = platform::RegQueryValueEx(key, name, &type, buffer, &size);
        for (std::size_t i = code == platform::kErrorSuccess ? size : 0; i < sizeof buffer; ++i) {
            if (buffer[i] != kGuard) {
                Fail("wrote past the answer", static_cast<long>(i));
            }
        }
        if (code == platform::kErrorSuccess && size > room) {
            Fail("answered more than the buffer", size);
        }
    }
    const uint8_t data[4] = {1, 2, 3, 4};
    platform::RegSetValueEx(key, name, platform::kRegDword, data, sizeof data);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    varnet::fuzz::PrepareSandbox();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string keyPath(Line(rest));
    const std::string valueName(Line(rest));
    const std::string file = platform::host::Root() + "/registry.json";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(rest.data(), static_cast<std::streamsize>(rest.size()));
        if (!out) {
            std::abort();
        }
    }

    for (platform::RegRoot root :
         {platform::RegRoot::CurrentUser, platform::RegRoot::LocalMachine}) {
        platform::RegKey key = nullptr;
        if (platform::RegOpenKeyEx(root, keyPath.c_str(), platform::kKeyRead, &key) ==
            platform::kErrorSuccess) {
            ReadAndWrite(key, valueName.c_str());
            platform::RegCloseKey(key);
        }
        if (platform::RegCreateKeyEx(root, keyPath.c_str(), platform::kKeyAllAccess, &key) ==
            platform::kErrorSuccess) {
            ReadAndWrite(key, valueName.c_str());
            platform::RegCloseKey(key);
        }
    }
    return 0;
}
