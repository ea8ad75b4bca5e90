// Number parsing of shlwapi.
#include "platform/win32/windows_api.h"

#include "platform/platform.h"

namespace varnet::platform {

bool StrToIntEx(const char* text, uint32_t flags, int* value) {
    return ::StrToIntExA(text, static_cast<STIF_FLAGS>(flags), value) != FALSE;
}

} // namespace varnet::platform
