// GetPrivateProfileStringA's answers, rule for rule as the Windows reader under Wine gives them
// (tests/unit/profile_string_test.cpp runs the same corpus against both). The file is read
// again on every call; nothing is cached.
//
// The rules, all found by experiment:
// - Lines end at "\r\n", "\n" or "\r"; the last line needs no end. Lines and names are trimmed of
//   white space. Before the first section there is an unnamed section.
// - "[name]" starts a section (the name runs to the last "]"; what follows it is ignored). A line
//   with "=" is a key; any other line is ignored. Comments are not special: ";k=v" is a key.
// - Names compare case-insensitively; the first of duplicate sections or keys wins, and
//   duplicate sections are not merged.
// - A found value is trimmed, then a value of two or more characters wrapped in matching single
//   or double quotes loses them. An empty value answers 0, not the default.
// - A missing file, section or key answers the default, with trailing blanks removed (never its
//   first character) and quotes stripped as above; a null default is "".
// - Truncation keeps size - 1 characters, except that a quoted value whose unquoted text is
//   exactly size - 1 long gives one character less.
// - Listing (a null section: section names; a null key: key names without those starting with
//   ";") writes "name\0...\0\0". When it does not fit into size - 1 bytes, size - 2 bytes of it
//   are kept, followed by one "\0", and size - 2 is returned. Unnamed sections are not listed.
//   A key listing that starts with "\0" (no section, no keys, a first key with an empty name,
//   or nothing fitted) answers the default instead, as it is, truncated.
#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

struct Entry {
    std::string name;
    std::string value;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::optional<std::vector<Section>> ReadProfile(const char* path) {
    if (path == nullptr || *path == '\0') {
        return std::nullopt;
    }
    std::string windowsPath = path;
    bool qualified = windowsPath.find(':') != std::string::npos || windowsPath[0] == '\\' ||
                     windowsPath[0] == '/';
    if (!qualified) {
        windowsPath = "C:\\Windows\\" + windowsPath; // where the reader looks for a bare name
    }
    std::ifstream in(host::HostPath(windowsPath.c_str()), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        text.erase(0, 3);
    }

    std::vector<Section> sections(1); // the unnamed one before the first header
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        std::string line = Trim(text.substr(at, end == std::string::npos ? end : end - at));
        if (end == std::string::npos) {
            at = text.size();
        } else {
            at =
                end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        }
        size_t close = line.rfind(']');
        if (!line.empty() && line[0] == '[' && close != std::string::npos && close > 0) {
            sections.push_back(Section{Trim(line.substr(1, close - 1)), {}});
            continue;
        }
        size_t equals = line.find('=');
        if (equals != std::string::npos) {
            sections.back().entries.push_back(
                Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
        }
    }
    return sections;
}

const Section* FindSection(const std::vector<Section>& sections, const std::string& name) {
    for (const Section& section : sections) {
        if (host::detail::EqualsNoCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

uint32_t CopyPlain(const std::string& text, char* out, uint32_t size) {
    auto count = static_cast<uint32_t>(std::min<size_t>(text.size(), size - 1));
    text.copy(out, count);
    out[count] = '\0';
    return count;
}

uint32_t CopyValue(const std::string& text, char* out, uint32_t size) {
    size_t n = text.size();
    bool quoted = n >= 2 && (text[0] == '"' || text[0] == '\'') && text[n - 1] == text[0];
    if (!quoted) {
        return CopyPlain(text, out, size);
    }
    size_t inner = n - 2;
    size_t count;
    if (size <= inner) {
        count = size - 1;
    } else if (size == inner + 1) {
        count = inner > 0 ? inner - 1 : 0;
    } else {
        count = inner;
    }
    text.copy(out, count, 1);
    out[count] = '\0';
    return static_cast<uint32_t>(count);
}

uint32_t CopyList(const std::vector<std::string>& names, char* out, uint32_t size) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    list += '\0';
    if (size > list.size()) {
        list.copy(out, list.size());
        return static_cast<uint32_t>(list.size() - 1);
    }
    if (size < 2) {
        out[0] = '\0';
        return 0;
    }
    list.copy(out, size - 2);
    out[size - 2] = '\0';
    return size - 2;
}

std::string TrimmedDefault(const char* defaultValue) {
    std::string text = defaultValue != nullptr ? defaultValue : "";
    while (text.size() > 1 && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

uint32_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                 char* out, uint32_t size, const char* path) {
    if (out == nullptr || size == 0) {
        return 0;
    }
    std::optional<std::vector<Section>> profile = ReadProfile(path);

    if (section == nullptr) {
        std::vector<std::string> names;
        if (profile) {
            for (const Section& s : *profile) {
                if (!s.name.empty()) {
                    names.push_back(s.name);
                }
            }
        }
        return CopyList(names, out, size);
    }

    const Section* found = profile ? FindSection(*profile, Trim(section)) : nullptr;
    if (key == nullptr) {
        std::vector<std::string> names;
        if (found != nullptr) {
            for (const Entry& entry : found->entries) {
                if (entry.name.empty() || entry.name[0] != ';') {
                    names.push_back(entry.name);
                }
            }
        }
        // A list that would start with "\0" is no list: the default answers instead.
        if (names.empty() || names[0].empty() || size <= 2) {
            return CopyPlain(defaultValue != nullptr ? defaultValue : "", out, size);
        }
        return CopyList(names, out, size);
    }

    if (found != nullptr) {
        std::string wanted = Trim(key);
        for (const Entry& entry : found->entries) {
            if (host::detail::EqualsNoCase(entry.name, wanted)) {
                return CopyValue(entry.value, out, size);
            }
        }
    }
    return CopyValue(TrimmedDefault(defaultValue), out, size);
}

} // namespace varnet::platform
