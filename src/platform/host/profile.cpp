// GetPrivateProfileStringA's answers, rule for rule as the Windows reader under Wine gives them
// (tests/unit/profile_string_test.cpp runs the same corpus against both).
//
// A parsed file is kept between calls, keyed by its host path, so that a lookup costs a stat and
// two hash probes rather than a parse of the whole file. It is trusted only while the file's
// size, times and inode are those it was read with and its modification time lies well before
// that read; a file written just before (inside one tick of the file system's clock) is read
// again and compared byte for byte, so a change on disk is seen at the next lookup.
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
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

// Names and values are views into the profile's own copy of the file.
struct Entry {
    std::string_view name;
    std::string_view value;
};

struct Section {
    std::string_view name;
    std::vector<Entry> entries;
    std::unordered_map<std::string_view, std::size_t> firstKey; // folded name -> entry
};

struct Profile {
    std::string text;   // the file without its byte-order mark
    std::string folded; // text with ASCII letters folded, offset for offset
    std::vector<Section> sections;
    std::unordered_map<std::string_view, std::size_t> firstSection; // folded name -> section
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::unique_ptr<Profile> Parse(std::string text) {
    auto profile = std::make_unique<Profile>();
    profile->text = std::move(text);
    profile->folded = host::detail::Lower(profile->text);
    const std::string_view all = profile->text;
    const std::string_view folded = profile->folded;
    auto foldedOf = [&](std::string_view part) {
        return folded.substr(static_cast<std::size_t>(part.data() - all.data()), part.size());
    };

    std::vector<Section>& sections = profile->sections;
    sections.emplace_back(); // the unnamed one before the first header, found by ""
    profile->firstSection.try_emplace(std::string_view(), 0);
    std::size_t at = 0;
    while (at < all.size()) {
        const std::size_t end = all.find_first_of("\r\n", at);
        const std::string_view line =
            Trim(all.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos) {
            at = all.size();
        } else {
            at = end + (all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n' ? 2 : 1);
        }
        const std::size_t close = line.rfind(']');
        if (!line.empty() && line[0] == '[' && close != std::string_view::npos && close > 0) {
            const std::string_view name = Trim(line.substr(1, close - 1));
            profile->firstSection.try_emplace(foldedOf(name), sections.size());
            sections.push_back(Section{name, {}, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            Section& section = sections.back();
            const std::string_view name = Trim(line.substr(0, equals));
            section.firstKey.try_emplace(foldedOf(name), section.entries.size());
            section.entries.push_back(Entry{name, Trim(line.substr(equals + 1))});
        }
    }
    return profile;
}

struct Stamp {
    struct stat info = {};

    bool operator==(const Stamp& other) const {
        return info.st_size == other.info.st_size && info.st_ino == other.info.st_ino &&
               info.st_dev == other.info.st_dev &&
               info.st_mtim.tv_sec == other.info.st_mtim.tv_sec &&
               info.st_mtim.tv_nsec == other.info.st_mtim.tv_nsec &&
               info.st_ctim.tv_sec == other.info.st_ctim.tv_sec &&
               info.st_ctim.tv_nsec == other.info.st_ctim.tv_nsec;
    }
};

// How far a file's times may lag the clock they are read against: a write inside this window
// may leave the times as they were.
constexpr long long kTimestampSlackNs = 1'000'000'000;

long long Nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

long long Now() {
    timespec t = {};
    clock_gettime(CLOCK_REALTIME, &t);
    return Nanoseconds(t);
}

bool ReadWhole(const std::string& hostPath, std::size_t sizeHint, std::string& text) {
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    text.clear();
    text.resize(sizeHint + 1);
    std::size_t got = 0;
    for (;;) {
        got += std::fread(text.data() + got, 1, text.size() - got, file);
        if (got < text.size()) {
            break;
        }
        text.resize(text.size() * 2); // grew since the stat
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    text.resize(got);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        text.erase(0, 3);
    }
    return !failed;
}

struct CachedFile {
    std::string hostPath;
    Stamp stamp;
    long long verifiedAt = 0; // the clock just before the contents were last read
    std::shared_ptr<const Profile> profile;
};

// Enough for every configuration file the library reads, with room for a test's corpus.
constexpr std::size_t kCachedFiles = 16;

struct ProfileCache {
    std::mutex mutex;
    std::vector<CachedFile> files; // most recently used first
};

ProfileCache& Cache() {
    static ProfileCache* cache = new ProfileCache; // outlives every static that reads profiles
    return *cache;
}

std::shared_ptr<const Profile> LoadProfile(const char* path) {
    if (path == nullptr || *path == '\0') {
        return nullptr;
    }
    std::string windowsPath = path;
    const bool qualified = windowsPath.find(':') != std::string::npos || windowsPath[0] == '\\' ||
                           windowsPath[0] == '/';
    if (!qualified) {
        windowsPath = "C:\\Windows\\" + windowsPath; // where the reader looks for a bare name
    }
    const std::string hostPath = host::HostPath(windowsPath.c_str());
    Stamp stamp;
    if (::stat(hostPath.c_str(), &stamp.info) != 0 || !S_ISREG(stamp.info.st_mode)) {
        return nullptr;
    }

    ProfileCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    auto cached = std::find_if(cache.files.begin(), cache.files.end(),
                               [&](const CachedFile& f) { return f.hostPath == hostPath; });
    if (cached != cache.files.end()) {
        std::rotate(cache.files.begin(), cached, cached + 1);
        CachedFile& file = cache.files.front();
        if (file.stamp == stamp &&
            Nanoseconds(stamp.info.st_mtim) + kTimestampSlackNs < file.verifiedAt &&
            Nanoseconds(stamp.info.st_ctim) + kTimestampSlackNs < file.verifiedAt) {
            return file.profile;
        }
    }

    const long long readAt = Now();
    std::string text;
    if (!ReadWhole(hostPath, static_cast<std::size_t>(stamp.info.st_size), text)) {
        return nullptr;
    }
    if (cached != cache.files.end()) {
        CachedFile& file = cache.files.front();
        if (file.profile->text != text) {
            file.profile = Parse(std::move(text));
        }
        file.stamp = stamp;
        file.verifiedAt = readAt;
        return file.profile;
    }
    if (cache.files.size() == kCachedFiles) {
        cache.files.pop_back();
    }
    cache.files.insert(cache.files.begin(),
                       CachedFile{hostPath, stamp, readAt, Parse(std::move(text))});
    return cache.files.front().profile;
}

const Section* FindSection(const Profile& profile, std::string_view name) {
    const auto found = profile.firstSection.find(host::detail::Lower(std::string(name)));
    return found == profile.firstSection.end() ? nullptr : &profile.sections[found->second];
}

uint32_t CopyPlain(std::string_view text, char* out, uint32_t size) {
    auto count = static_cast<uint32_t>(std::min<size_t>(text.size(), size - 1));
    text.copy(out, count);
    out[count] = '\0';
    return count;
}

uint32_t CopyValue(std::string_view text, char* out, uint32_t size) {
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

uint32_t CopyList(const std::vector<std::string_view>& names, char* out, uint32_t size) {
    std::string list;
    for (std::string_view name : names) {
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
    // Held for the call: a change of the file meanwhile replaces the cached copy, not this one.
    const std::shared_ptr<const Profile> profile = LoadProfile(path);

    if (section == nullptr) {
        std::vector<std::string_view> names;
        if (profile) {
            for (const Section& s : profile->sections) {
                if (!s.name.empty()) {
                    names.push_back(s.name);
                }
            }
        }
        return CopyList(names, out, size);
    }

    const Section* found = profile ? FindSection(*profile, Trim(section)) : nullptr;
    if (key == nullptr) {
        std::vector<std::string_view> names;
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
        const auto entry = found->firstKey.find(host::detail::Lower(std::string(Trim(key))));
        if (entry != found->firstKey.end()) {
            return CopyValue(found->entries[entry->second].value, out, size);
        }
    }
    return CopyValue(TrimmedDefault(defaultValue), out, size);
}

} // namespace varnet::platform
