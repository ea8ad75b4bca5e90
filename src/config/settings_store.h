// A handful of 32-bit values kept in the current user's registry, so that a later exported call
// (each builds its back-ends afresh) can see what an earlier one set.
#pragma once

#include <cstdint>

namespace varnet {

// Under HKEY_CURRENT_USER.
inline constexpr char kSettingsKey[] = "Software\\Norvane\\Tintwell\\Settings";

// Stores value as REG_DWORD, creating the key when needed. False only when the key can be neither
// opened nor created; a failed write of the value itself goes unnoticed.
bool WriteSettingDword(const char* name, uint32_t value);

// False when the key cannot be opened. Otherwise true, and *value is written only when the value
// exists as REG_DWORD or REG_BINARY (its first 4 bytes); callers that must know whether it exists
// preset *value to a marker.
bool ReadSettingDword(const char* name, uint32_t* value);

} // namespace varnet
