// The first display adapter, from user32.
#include "platform/win32/windows_api.h"

#include <cstddef>

#include "platform/platform.h"

namespace varnet::platform {

static_assert(sizeof(DISPLAY_DEVICEA) == 424);
static_assert(offsetof(DISPLAY_DEVICEA, DeviceKey) == 296);

bool FirstDisplayAdapterKey(std::string& keyText) {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    if (!::EnumDisplayDevicesA(nullptr, 0, &device, 0)) {
        return false;
    }
    device.DeviceKey[sizeof device.DeviceKey - 1] = '\0';
    keyText = device.DeviceKey;
    return true;
}

} // namespace varnet::platform
