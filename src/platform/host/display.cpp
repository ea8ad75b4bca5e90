// The first display adapter's registry key text, as EnumDisplayDevicesA reports it: by default
// one shaped like a real system's, so that the library finds "System\..." below
// HKEY_LOCAL_MACHINE where the simulated machine puts the driver version.
#include <mutex>
#include <string>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

constexpr const char* kDefaultAdapterKey =
    "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\"
    "{5a3f6c10-2b7e-4d8a-9c41-7e0b2d6f8a13}\\0000";
constexpr size_t kDeviceKeyChars = 127; // DeviceKey is 128 characters with its terminator

struct Display {
    std::mutex mutex;
    std::string key = kDefaultAdapterKey;
};

Display& State() {
    static auto* state = new Display;
    return *state;
}

} // namespace

bool FirstDisplayAdapterKey(std::string& keyText) {
    Display& s = State();
    std::lock_guard lock(s.mutex);
    if (s.key.empty()) {
        return false;
    }
    keyText = s.key.substr(0, kDeviceKeyChars);
    return true;
}

namespace host {

void SetDisplayAdapterKey(const std::string& keyText) {
    Display& s = State();
    std::lock_guard lock(s.mutex);
    s.key = keyText;
}

namespace detail {

void ResetDisplay() {
    SetDisplayAdapterKey(kDefaultAdapterKey);
}

} // namespace detail
} // namespace host
} // namespace varnet::platform
