// The yes/no questions asked of IntelColorMode.ini and IntelAmoledMode.ini, and the per-panel
// value lookup that every mode and option reader shares.
#pragma once

#include <cstdint>
#include <string>

namespace varnet {

// The key that answers for every panel without a key of its own in a section.
inline constexpr char kDefaultKey[] = "DEFAULT";
inline constexpr char kAmoledSection[] = "AMOLED";

// Values are read into a 1024-byte buffer with a limit of 1023, so at most 1022 characters.
inline constexpr uint32_t kValueBufferSize = 1024;
inline constexpr uint32_t kValueReadLimit = kValueBufferSize - 1;

// One profile read: the characters the reader returned (at most limit - 1 of them), "" when the
// file, section or key is missing or the value is empty. An empty path or key reads nothing.
std::string ReadProfileValue(const std::string& path, const char* section, const std::string& key,
                             uint32_t limit);

// The panel's value in the section, or the "DEFAULT" key's when the panel has none; "" when
// neither gives anything.
std::string LookupPanelValue(const std::string& path, const char* section,
                             const std::string& panelId);

// Mode offered on the panel: its value (or the default one) does not contain "NOTSUPPORT".
bool CheckColorModeSupport(const std::string& panelId, int32_t mode);

// Option offered on the panel: its value (or the default one) is exactly "SUPPORT".
bool CheckOptionSupport(const std::string& panelId, const char* section);

// The panel has a non-empty value in section "AMOLED" of the file at path; no "DEFAULT" here.
bool IsAmoledPhotoListed(const std::string& path, const std::string& panelId);

} // namespace varnet
