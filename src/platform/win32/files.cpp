// Folders and files through kernel32, shell32 and shlwapi; fopen is the C run time's.
#include "platform/win32/windows_api.h"

#include <cstring>

#include "platform/platform.h"

namespace varnet::platform {

bool GetProgramDataFolder(std::string& folder) {
    PWSTR wide = nullptr;
    HRESULT hr = ::SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &wide);
    bool ok = false;
    if (SUCCEEDED(hr) && wide != nullptr) {
        // The thread's ANSI code page, as the rest of the library's narrow strings use.
        int bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (bytes > 0) {
            std::string text(static_cast<size_t>(bytes), '\0');
            ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
            text.resize(std::strlen(text.c_str()));
            folder = text;
            ok = true;
        }
    }
    ::CoTaskMemFree(wide);
    return ok;
}

uint32_t GetCurrentDirectory(uint32_t size, char* buffer) {
    return ::GetCurrentDirectoryA(size, buffer);
}

bool PathFileExists(const char* path) {
    return ::PathFileExistsA(path) != FALSE;
}

bool PathAppend(char* path, const char* more) {
    return ::PathAppendA(path, more) != FALSE;
}

bool CreateDirectory(const char* path) {
    return ::CreateDirectoryA(path, nullptr) != FALSE;
}

bool DeleteFile(const char* path) {
    return ::DeleteFileA(path) != FALSE;
}

FileHandle CreateFileOpenAlways(const char* path) {
    HANDLE file =
        ::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

uint32_t GetFileSize(FileHandle file) {
    return ::GetFileSize(static_cast<HANDLE>(file), nullptr);
}

void CloseHandle(FileHandle file) {
    if (file != nullptr) {
        ::CloseHandle(static_cast<HANDLE>(file));
    }
}

std::FILE* OpenFile(const char* path, const char* mode) {
    return std::fopen(path, mode);
}

} // namespace varnet::platform
