// Where the configuration files are looked for: ProgramData first, then the current directory,
// which is given up when it does not fit the 1024-byte buffer rather than cut short.
#include <algorithm>
#include <string>

#include "exports_fixture.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet::test {
namespace {

using ConfigFolder = ExportsTest;

void WriteFile(const std::string& path, const char* text) {
    std::FILE* file = platform::OpenFile(path.c_str(), "w");
    ASSERT_NE(file, nullptr) << path;
    std::fputs(text, file);
    std::fclose(file);
}

// An existing folder whose full path is exactly length characters.
std::string FolderOfLength(std::size_t length) {
    std::string path = "C:";
    while (path.size() < length) {
        const std::size_t part = std::min<std::size_t>(200, length - path.size() - 1);
        path += '\\';
        path += std::string(part, static_cast<char>('a' + path.size() % 26));
        platform::CreateDirectory(path.c_str());
    }
    return path;
}

// That ProgramData's copy comes first, and a short current directory is used, is the unit suite's.
TEST_F(ConfigFolder, CurrentDirectoryIsUsedOnlyWhenItFitsTheBuffer) {
    // 1022 characters and the terminator fit; 1023 give no candidate, not a truncated one.
    for (const auto& [length, found] : {std::pair{1022u, true}, {1023u, false}}) {
        const std::string cwd = FolderOfLength(length);
        WriteFile(cwd + "\\IntelColorMode.ini", "[OPTION_DPST]\nDEFAULT=SUPPORT\n");
        platform::host::SetCurrentDirectory(cwd);
        EXPECT_EQ(lib.IsDPSTSupport(), found) << length;
    }
}

} // namespace
} // namespace varnet::test
