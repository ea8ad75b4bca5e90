// The sandbox registry: a JSON file in the root, read on every operation and replaced atomically
// on every change, so that another process on the same root (the tool, a simulator) sees it.
//
// Layout: {"HKEY_CURRENT_USER": {"software\\norvane": {"name": "Software\\Norvane",
//          "values": {"lcdw": {"name": "LCDW", "type": 4, "data": "00050000"}}}}}
// Keys are listed flat under their root by folded path; names keep the case they were created
// with; data is hex.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

using nlohmann::json;

constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorBadPathname = 161;
constexpr long kErrorNoAccess = 998;
constexpr uint32_t kKeyQueryValue = 0x0001;
constexpr uint32_t kKeySetValue = 0x0002;

struct HostKey {
    RegRoot root;
    std::string path; // folded
    uint32_t access;
};

std::mutex& RegistryMutex() {
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

std::set<HostKey*>& LiveKeys() {
    static auto* keys = new std::set<HostKey*>;
    return *keys;
}

const char* RootName(RegRoot root) {
    return root == RegRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

json Load() {
    std::ifstream in(host::detail::RegistryFile(), std::ios::binary);
    if (!in) {
        return json::object();
    }
    std::stringstream text;
    text << in.rdbuf();
    json data = json::parse(text.str(), nullptr, false);
    if (!data.is_object()) {
        return json::object();
    }
    // A hand-edited file may hold anything: entries of the wrong shape read as absent.
    for (auto root = data.begin(); root != data.end(); ++root) {
        if (!root->is_object()) {
            *root = json::object();
            continue;
        }
        for (auto entry = root->begin(); entry != root->end();) {
            if (!entry->is_object() || !(*entry)["values"].is_object()) {
                entry = root->erase(entry);
                continue;
            }
            json& values = (*entry)["values"];
            for (auto value = values.begin(); value != values.end();) {
                const bool wellFormed = value->is_object() && (*value)["data"].is_string() &&
                                        (*value)["type"].is_number_unsigned();
                value = wellFormed ? std::next(value) : values.erase(value);
            }
            ++entry;
        }
    }
    return data;
}

// Written next to the file and renamed over it, so that no reader sees half a registry.
void Save(const json& data) {
    std::string file = host::detail::RegistryFile();
    std::string temp = file + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        // Names come in the ANSI code page, not always UTF-8; such bytes are stored replaced.
        out << data.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
        if (!out) {
            return;
        }
    }
    std::rename(temp.c_str(), file.c_str());
}

// "Software\\Norvane\\" → components; empty ones (doubled or trailing backslashes) are dropped as
// Windows does. A leading backslash is a bad path name.
long SplitKeyPath(const char* subKey, std::vector<std::string>* parts) {
    parts->clear();
    if (subKey == nullptr) {
        return kErrorSuccess;
    }
    if (subKey[0] == '\\') {
        return kErrorBadPathname;
    }
    std::string part;
    for (const char* p = subKey;; ++p) {
        if (*p == '\\' || *p == '\0') {
            if (!part.empty()) {
                parts->push_back(part);
            }
            part.clear();
            if (*p == '\0') {
                break;
            }
        } else {
            part += *p;
        }
    }
    return kErrorSuccess;
}

std::string Join(const std::vector<std::string>& parts, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) {
            text += '\\';
        }
        text += parts[i];
    }
    return text;
}

std::string ToHex(const uint8_t* data, uint32_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (uint32_t i = 0; i < size; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 15];
    }
    return text;
}

std::vector<uint8_t> FromHex(const std::string& text) {
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return 0;
    };
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        bytes.push_back(static_cast<uint8_t>(nibble(text[i]) << 4 | nibble(text[i + 1])));
    }
    return bytes;
}

bool KeyExists(const json& data, RegRoot root, const std::string& path) {
    if (path.empty()) {
        return true; // the root key itself
    }
    auto r = data.find(RootName(root));
    return r != data.end() && r->contains(path);
}

long Open(RegRoot root, const char* subKey, uint32_t access, RegKey* key, bool create) {
    if (key == nullptr) {
        return kErrorInvalidParameter;
    }
    std::vector<std::string> parts;
    if (long status = SplitKeyPath(subKey, &parts); status != kErrorSuccess) {
        return status;
    }
    std::lock_guard lock(RegistryMutex());
    json data = Load();
    std::string path = host::detail::Lower(Join(parts, parts.size()));
    if (!KeyExists(data, root, path)) {
        if (!create) {
            return kErrorFileNotFound;
        }
        json& keys = data[RootName(root)];
        for (size_t n = 1; n <= parts.size(); ++n) {
            std::string name = Join(parts, n);
            std::string folded = host::detail::Lower(name);
            if (!keys.contains(folded)) {
                keys[folded] = json{{"name", name}, {"values", json::object()}};
            }
        }
        Save(data);
    }
    auto* handle = new HostKey{root, path, access};
    LiveKeys().insert(handle);
    *key = handle;
    return kErrorSuccess;
}

HostKey* Find(RegKey key) {
    auto* handle = static_cast<HostKey*>(key);
    return LiveKeys().count(handle) != 0 ? handle : nullptr;
}

} // namespace

int host::OpenRegistryKeyCount() {
    std::lock_guard lock(RegistryMutex());
    return static_cast<int>(LiveKeys().size());
}

long RegOpenKey(RegRoot root, const char* subKey, RegKey* key) {
    if (long code = 0; host::detail::FaultFires("RegOpenKey", &code)) {
        return code;
    }
    return Open(root, subKey, kKeyAllAccess, key, false);
}

long RegOpenKeyEx(RegRoot root, const char* subKey, uint32_t access, RegKey* key) {
    if (long code = 0; host::detail::FaultFires("RegOpenKeyEx", &code)) {
        return code;
    }
    return Open(root, subKey, access, key, false);
}

long RegCreateKeyEx(RegRoot root, const char* subKey, uint32_t access, RegKey* key) {
    if (long code = 0; host::detail::FaultFires("RegCreateKeyEx", &code)) {
        return code;
    }
    return Open(root, subKey, access, key, true);
}

long RegQueryValueEx(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) {
    if (long code = 0; host::detail::FaultFires("RegQueryValueEx", &code)) {
        return code;
    }
    std::lock_guard lock(RegistryMutex());
    HostKey* handle = Find(key);
    if (handle == nullptr) {
        return kErrorInvalidHandle;
    }
    if ((handle->access & kKeyQueryValue) == 0) {
        return kErrorAccessDenied;
    }
    if (data != nullptr && size == nullptr) {
        return kErrorInvalidParameter;
    }
    json registry = Load();
    if (!KeyExists(registry, handle->root, handle->path) || handle->path.empty()) {
        return kErrorFileNotFound;
    }
    const json& values = registry[RootName(handle->root)][handle->path]["values"];
    auto value = values.find(host::detail::Lower(name != nullptr ? name : ""));
    if (value == values.end()) {
        return kErrorFileNotFound; // outputs untouched
    }
    std::vector<uint8_t> bytes = FromHex(value->value("data", std::string()));
    if (type != nullptr) {
        *type = value->value("type", kRegNone);
    }
    auto length = static_cast<uint32_t>(bytes.size());
    if (data == nullptr) {
        if (size != nullptr) {
            *size = length;
        }
        return kErrorSuccess;
    }
    if (*size < length) {
        *size = length;
        return kErrorMoreData; // buffer untouched
    }
    if (length > 0) {
        std::memcpy(data, bytes.data(), length);
    }
    *size = length;
    return kErrorSuccess;
}

long RegSetValueEx(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                   uint32_t size) {
    if (long code = 0; host::detail::FaultFires("RegSetValueEx", &code)) {
        return code;
    }
    std::lock_guard lock(RegistryMutex());
    HostKey* handle = Find(key);
    if (handle == nullptr) {
        return kErrorInvalidHandle;
    }
    if ((handle->access & kKeySetValue) == 0) {
        return kErrorAccessDenied;
    }
    if (data == nullptr && size > 0) {
        return kErrorNoAccess;
    }
    if (handle->path.empty()) {
        return kErrorAccessDenied; // values directly under a root are not the sandbox's business
    }
    json registry = Load();
    json& entry = registry[RootName(handle->root)][handle->path];
    if (!entry.contains("name")) {
        entry["name"] = handle->path;
    }
    std::string valueName = name != nullptr ? name : "";
    entry["values"][host::detail::Lower(valueName)] =
        json{{"name", valueName}, {"type", type}, {"data", ToHex(data, data ? size : 0)}};
    Save(registry);
    return kErrorSuccess;
}

long RegCloseKey(RegKey key) {
    std::lock_guard lock(RegistryMutex());
    HostKey* handle = Find(key);
    if (handle == nullptr) {
        return kErrorInvalidHandle;
    }
    LiveKeys().erase(handle);
    delete handle;
    return kErrorSuccess;
}

} // namespace varnet::platform
