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

TEST_F(ConfigFolder, ProgramDataFirstThenACurrentDirectoryThatFitsTheBuffer) {
    const char* dpstOn = "[OPTION_DPST]\nDEFAULT=SUPPORT\n";
    // clang-format off
    const struct { std::size_t cwdLength; bool inProgramData; bool expected; } cases[] = {
        {8, false, true},     // found beside the program
        {1022, false, true},  // the longest directory the buffer holds with its terminator
        {1023, false, false}, // too long: no candidate, not a truncated one
        {8, true, false},     // ProgramData's own answer comes first
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cwdLength);
        platform::DeleteFile("C:\\ProgramData\\ColorMode\\IntelColorMode.ini");
        if (c.inProgramData) {
            TestMachine::WriteConfigFile("IntelColorMode.ini", "[OPTION_DPST]\nDEFAULT=NO\n");
        }
        const std::string cwd = FolderOfLength(c.cwdLength);
        WriteFile(cwd + "\\IntelColorMode.ini", dpstOn);
        platform::host::SetCurrentDirectory(cwd);
        EXPECT_EQ(lib.IsDPSTSupport(), c.expected);
    }
}

} // namespace
} // namespace varnet::test
