// libFuzzer target: any bytes as an INI file for the host profile-string reader. The input is
// "<size byte><section>\n<key>\n<file>"; each lookup (a value, the key listing, the section
// listing) must stay inside its buffer and end its answer where the count says.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "support/fuzz_sandbox.h"

namespace {

constexpr char kPath[] = "C:\\ProgramData\\ColorMode\\Fuzz.ini";
constexpr uint8_t kGuard = 0xA5;

void Check(const char* section, const char* key, uint32_t size) {
    char out[512 + 16];
    std::memset(out, kGuard, sizeof out);
    const uint32_t count =
        varnet::platform::GetPrivateProfileString(section, key, " \"dflt\" ", out, size, kPath);
    for (std::size_t i = size; i < sizeof out; ++i) {
        if (static_cast<uint8_t>(out[i]) != kGuard) {
            std::fprintf(stderr, "wrote byte %zu of a %u-byte buffer\n", i, size);
            std::abort();
        }
    }
    if (size > 0 && (count >= size || out[count] != '\0')) {
        std::fprintf(stderr, "count %u for a %u-byte buffer\n", count, size);
        std::abort();
    }
    if (size == 0 && count != 0) {
        std::abort();
    }
}

std::string_view Line(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    varnet::fuzz::PrepareSandbox();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // Sizes 0 to 511: enough to see every truncation rule at both ends.
    const uint32_t bufferSize = data[0] * 2u + (data[0] & 1u);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string section(Line(rest));
    const std::string key(Line(rest));
    varnet::fuzz::WriteSandboxFile(kPath, rest.data(), rest.size());

    Check(section.c_str(), key.c_str(), bufferSize);
    Check(section.c_str(), nullptr, bufferSize);
    Check(nullptr, nullptr, bufferSize);
    return 0;
}
