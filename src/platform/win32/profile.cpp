// Profile strings: the Windows reader itself.
#include "platform/win32/windows_api.h"

#include "platform/platform.h"

namespace varnet::platform {

uint32_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                 char* out, uint32_t size, const char* path) {
    return ::GetPrivateProfileStringA(section, key, defaultValue, out, size, path);
}

} // namespace varnet::platform
