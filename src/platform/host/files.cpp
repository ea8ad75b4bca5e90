// Folders and files of the sandbox, under their Windows paths. Two Windows behaviours the library
// can observe are kept: a file opened without sharing (CreateFileOpenAlways) cannot be opened
// again until it is closed, and a stream opened in text mode writes "\r\n" for "\n" and reads it
// back as "\n", so the files the library writes have the same bytes on both platforms.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

constexpr size_t kMaxPath = 260;

struct OpenFiles {
    std::mutex mutex;
    std::map<std::string, int> exclusive; // host path → handles without sharing
    std::map<std::string, int> streams;   // host path → open C streams
};

OpenFiles& Open() {
    static auto* files = new OpenFiles;
    return *files;
}

struct HostFile {
    int fd;
    std::string path;
};

struct Stream {
    int fd = -1;
    bool text = false;
    int pending = -1; // a byte read ahead after a '\r'
    std::string path;
};

ssize_t ReadRaw(Stream* s, char* out, size_t size) {
    if (size == 0) {
        return 0;
    }
    if (s->pending >= 0) {
        out[0] = static_cast<char>(s->pending);
        s->pending = -1;
        ssize_t more = read(s->fd, out + 1, size - 1);
        return more < 0 ? 1 : more + 1;
    }
    return read(s->fd, out, size);
}

ssize_t StreamRead(void* cookie, char* out, size_t size) {
    auto* s = static_cast<Stream*>(cookie);
    if (!s->text) {
        return ReadRaw(s, out, size);
    }
    while (true) {
        ssize_t got = ReadRaw(s, out, size);
        if (got <= 0) {
            return got;
        }
        size_t written = 0;
        for (ssize_t i = 0; i < got; ++i) {
            char c = out[i];
            if (c == '\r') {
                bool lineEnd = false;
                char next = 0;
                if (i + 1 < got) {
                    lineEnd = out[i + 1] == '\n';
                } else if (read(s->fd, &next, 1) == 1) {
                    s->pending = static_cast<unsigned char>(next);
                    lineEnd = next == '\n';
                }
                if (lineEnd) {
                    continue; // the "\n" that follows stands for the pair
                }
            }
            out[written++] = c;
        }
        if (written > 0) {
            return static_cast<ssize_t>(written); // never 0, which would mean the end
        }
    }
}

ssize_t WriteAll(int fd, const char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

ssize_t StreamWrite(void* cookie, const char* data, size_t size) {
    auto* s = static_cast<Stream*>(cookie);
    if (!s->text) {
        return WriteAll(s->fd, data, size);
    }
    std::string translated;
    translated.reserve(size + size / 8);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            translated += '\r';
        }
        translated += data[i];
    }
    return WriteAll(s->fd, translated.data(), translated.size()) < 0 ? -1
                                                                     : static_cast<ssize_t>(size);
}

int StreamSeek(void* cookie, off64_t* offset, int whence) {
    auto* s = static_cast<Stream*>(cookie);
    s->pending = -1;
    off64_t at = lseek64(s->fd, *offset, whence);
    if (at < 0) {
        return -1;
    }
    *offset = at;
    return 0;
}

int StreamClose(void* cookie) {
    auto* s = static_cast<Stream*>(cookie);
    int result = close(s->fd);
    {
        OpenFiles& files = Open();
        std::lock_guard lock(files.mutex);
        if (--files.streams[s->path] <= 0) {
            files.streams.erase(s->path);
        }
    }
    delete s;
    return result;
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
}

// PathAppendA's clean-up of the joined path: "." and ".." folders are resolved, except a final
// "." which it leaves; doubled backslashes stay; a bare drive gets its backslash.
std::string Canonicalize(const std::string& path) {
    if (path.empty()) {
        return "\\";
    }
    std::string prefix;
    std::string rest = path;
    if (HasDrive(path) && path.size() == 2) {
        return path + "\\";
    }
    if (HasDrive(path) && path[2] == '\\') {
        prefix = path.substr(0, 3);
    } else if (path.rfind("\\\\", 0) == 0) {
        prefix = "\\\\";
    } else if (path[0] == '\\') {
        prefix = "\\";
    }
    rest = path.substr(prefix.size());
    std::vector<std::string> segments;
    size_t start = 0;
    while (true) {
        size_t end = rest.find('\\', start);
        std::string segment = rest.substr(start, end == std::string::npos ? end : end - start);
        bool last = end == std::string::npos;
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (segment != "." || last) {
            segments.push_back(segment);
        }
        if (last) {
            break;
        }
        start = end + 1;
    }
    std::string result = prefix;
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) {
            result += '\\';
        }
        result += segments[i];
    }
    return result;
}

} // namespace

bool GetProgramDataFolder(std::string& folder) {
    folder = "C:\\ProgramData";
    return true;
}

uint32_t GetCurrentDirectory(uint32_t size, char* buffer) {
    std::string cwd = host::detail::CurrentDirectory();
    auto length = static_cast<uint32_t>(cwd.size());
    if (buffer == nullptr || size <= length) {
        return length + 1;
    }
    std::memcpy(buffer, cwd.c_str(), cwd.size() + 1);
    return length;
}

bool PathFileExists(const char* path) {
    std::string hostPath = host::HostPath(path);
    struct stat info {};
    return !hostPath.empty() && stat(hostPath.c_str(), &info) == 0;
}

bool PathAppend(char* path, const char* more) {
    if (path == nullptr || more == nullptr) {
        return false;
    }
    std::string base = path;
    std::string add = more;
    std::string joined;
    if (add.rfind("\\\\", 0) == 0 || HasDrive(add)) {
        joined = add; // an absolute path replaces the base
    } else {
        if (!add.empty() && add[0] == '\\') {
            add.erase(0, 1);
        }
        if (base.empty()) {
            joined = add;
        } else if (add.empty() || base.back() == '\\') {
            joined = base + add;
        } else {
            joined = base + "\\" + add;
        }
    }
    std::string result = Canonicalize(joined);
    if (result.size() >= kMaxPath) {
        path[0] = '\0';
        return false;
    }
    std::memcpy(path, result.c_str(), result.size() + 1);
    return true;
}

bool CreateDirectory(const char* path) {
    if (long code = 0; host::detail::FaultFires("CreateDirectory", &code)) {
        return false;
    }
    std::string hostPath = host::HostPath(path);
    return !hostPath.empty() && mkdir(hostPath.c_str(), 0755) == 0;
}

bool DeleteFile(const char* path) {
    std::string hostPath = host::HostPath(path);
    if (hostPath.empty()) {
        return false;
    }
    OpenFiles& files = Open();
    std::lock_guard lock(files.mutex);
    if (files.exclusive.count(hostPath) != 0 || files.streams.count(hostPath) != 0) {
        return false; // Windows refuses to delete a file that is open
    }
    return unlink(hostPath.c_str()) == 0;
}

FileHandle CreateFileOpenAlways(const char* path) {
    if (long code = 0; host::detail::FaultFires("CreateFileOpenAlways", &code)) {
        return nullptr;
    }
    std::string hostPath = host::HostPath(path);
    if (hostPath.empty()) {
        return nullptr;
    }
    OpenFiles& files = Open();
    std::lock_guard lock(files.mutex);
    if (files.exclusive.count(hostPath) != 0 || files.streams.count(hostPath) != 0) {
        return nullptr; // sharing violation
    }
    int fd = open(hostPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    ++files.exclusive[hostPath];
    return new HostFile{fd, hostPath};
}

uint32_t GetFileSize(FileHandle file) {
    auto* f = static_cast<HostFile*>(file);
    struct stat info {};
    if (f == nullptr || fstat(f->fd, &info) != 0) {
        return 0xFFFFFFFFu;
    }
    return static_cast<uint32_t>(static_cast<uint64_t>(info.st_size) & 0xFFFFFFFFu);
}

void CloseHandle(FileHandle file) {
    auto* f = static_cast<HostFile*>(file);
    if (f == nullptr) {
        return;
    }
    close(f->fd);
    {
        OpenFiles& files = Open();
        std::lock_guard lock(files.mutex);
        if (--files.exclusive[f->path] <= 0) {
            files.exclusive.erase(f->path);
        }
    }
    delete f;
}

int host::OpenFileCount() {
    OpenFiles& files = Open();
    std::lock_guard lock(files.mutex);
    int count = 0;
    for (const auto* table : {&files.exclusive, &files.streams}) {
        for (const auto& [path, handles] : *table) {
            count += handles;
        }
    }
    return count;
}

std::FILE* OpenFile(const char* path, const char* mode) {
    if (long code = 0; host::detail::FaultFires("OpenFile", &code)) {
        errno = EACCES;
        return nullptr;
    }
    std::string hostPath = host::HostPath(path);
    if (hostPath.empty() || mode == nullptr) {
        errno = ENOENT;
        return nullptr;
    }
    bool plus = std::strchr(mode, '+') != nullptr;
    int flags = O_CLOEXEC;
    switch (mode[0]) {
    case 'r':
        flags |= plus ? O_RDWR : O_RDONLY;
        break;
    case 'w':
        flags |= (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
        break;
    case 'a':
        flags |= (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        break;
    default:
        errno = EINVAL;
        return nullptr;
    }
    std::string cookieMode;
    for (const char* m = mode; *m != '\0'; ++m) {
        if (*m == 'r' || *m == 'w' || *m == 'a' || *m == '+') {
            cookieMode += *m;
        }
    }
    OpenFiles& files = Open();
    std::lock_guard lock(files.mutex);
    if (files.exclusive.count(hostPath) != 0) {
        errno = EACCES; // held by a handle without sharing
        return nullptr;
    }
    int fd = open(hostPath.c_str(), flags, 0644);
    if (fd < 0) {
        return nullptr;
    }
    auto* stream = new Stream;
    stream->fd = fd;
    stream->text = std::strchr(mode, 'b') == nullptr;
    stream->path = hostPath;
    cookie_io_functions_t functions{StreamRead, StreamWrite, StreamSeek, StreamClose};
    std::FILE* file = fopencookie(stream, cookieMode.c_str(), functions);
    if (file == nullptr) {
        close(fd);
        delete stream;
        return nullptr;
    }
    ++files.streams[hostPath];
    return file;
}

} // namespace varnet::platform
