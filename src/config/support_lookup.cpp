#include "config/support_lookup.h"

#include <algorithm>
#include <vector>

#include "config/color_mode_names.h"
#include "config/config_paths.h"
#include "platform/platform.h"

namespace varnet {

std::string ReadProfileValue(const std::string& path, const char* section, const std::string& key,
                             uint32_t limit) {
    // An empty path would send the Windows reader to win.ini in the Windows folder, and an empty
    // key could match a line "=value"; neither can be what the file's author meant.
    if (path.empty() || key.empty() || section == nullptr || limit == 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(limit) + 1, '\0');
    uint32_t count = platform::GetPrivateProfileString(section, key.c_str(), nullptr, buffer.data(),
                                                       limit, path.c_str());
    // Never trust a count past what the buffer holds.
    const std::size_t length = std::min<std::size_t>(count, limit - 1);
    return std::string(buffer.data(), std::find(buffer.data(), buffer.data() + length, '\0'));
}

std::string LookupPanelValue(const std::string& path, const char* section,
                             const std::string& panelId) {
    std::string value = ReadProfileValue(path, section, panelId, kValueReadLimit);
    if (value.empty()) {
        value = ReadProfileValue(path, section, kDefaultKey, kValueReadLimit);
    }
    return value;
}

bool CheckColorModeSupport(const std::string& panelId, int32_t mode) {
    const std::string path = GetConfigFilePath(kColorModeFile);
    const char* section = GetColorModeName(mode);
    const std::string value = LookupPanelValue(path, section, panelId);
    return !value.empty() && value.find("NOTSUPPORT") == std::string::npos;
}

bool CheckOptionSupport(const std::string& panelId, const char* section) {
    const std::string path = GetConfigFilePath(kColorModeFile);
    if (path.empty()) {
        return false;
    }
    return LookupPanelValue(path, section, panelId) == "SUPPORT";
}

bool IsAmoledPhotoListed(const std::string& path, const std::string& panelId) {
    return !ReadProfileValue(path, kAmoledSection, panelId, kValueReadLimit).empty();
}

} // namespace varnet
