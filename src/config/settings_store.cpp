#include "config/settings_store.h"

#include <cstring>

#include "platform/platform.h"

namespace varnet {

namespace {
constexpr uint32_t kReadBufferSize = 260;
} // namespace

bool WriteSettingDword(const char* name, uint32_t value) {
    using namespace platform;
    RegKey key = nullptr;
    if (RegOpenKeyEx(RegRoot::CurrentUser, kSettingsKey, kKeyAllAccess, &key) != kErrorSuccess &&
        RegCreateKeyEx(RegRoot::CurrentUser, kSettingsKey, kKeyAllAccess, &key) != kErrorSuccess) {
        return false;
    }
    uint8_t data[sizeof value];
    std::memcpy(data, &value, sizeof value); // little-endian, as REG_DWORD is
    RegSetValueEx(key, name, kRegDword, data, sizeof data);
    RegCloseKey(key);
    return true;
}

bool ReadSettingDword(const char* name, uint32_t* value) {
    using namespace platform;
    RegKey key = nullptr;
    if (RegOpenKey(RegRoot::CurrentUser, kSettingsKey, &key) != kErrorSuccess) {
        return false;
    }
    uint8_t data[kReadBufferSize] = {};
    uint32_t type = kRegNone;
    uint32_t size = sizeof data;
    // A shorter REG_BINARY leaves the rest of the zero-filled buffer, so 2 bytes read as
    // 0x0000XXXX.
    if (RegQueryValueEx(key, name, &type, data, &size) == kErrorSuccess &&
        (type == kRegDword || type == kRegBinary) && value != nullptr) {
        std::memcpy(value, data, sizeof *value);
    }
    RegCloseKey(key);
    return true;
}

} // namespace varnet
