// Where the store finds its files: ProgramData before the current directory, and the AMOLED
// photo list beside the program named in the machine's registry.
#include <gtest/gtest.h>

#include <string>

#include "config/config_paths.h"
#include "config_test_sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;

using ConfigPathsTest = test::ConfigSandboxTest;

TEST_F(ConfigPathsTest, ProgramDataCopyWinsOverTheCurrentDirectory) {
    host::SetCurrentDirectory("C:\\Work\\Panel");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "");

    WriteFile("C:\\Work\\Panel\\IntelColorMode.ini", "[MODE_VIVID]\n");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "C:\\Work\\Panel\\IntelColorMode.ini");

    WriteConfig(kColorModeFile, "[MODE_VIVID]\n");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "C:\\ProgramData\\ColorMode\\IntelColorMode.ini");
    // Each file is found on its own.
    EXPECT_EQ(GetConfigFilePath(kZelmoFile), "");

    // Nothing is remembered between calls.
    RemoveFile(InProgramData(kColorModeFile));
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "C:\\Work\\Panel\\IntelColorMode.ini");
}

TEST_F(ConfigPathsTest, CurrentDirectoryCandidateHasNoDoubledBackslash) {
    const struct {
        const char* directory;
        const char* expected;
    } cases[] = {
        {"C:\\", "C:\\Zelmo.ini"},
        {"D:\\Tools\\", "D:\\Tools\\Zelmo.ini"},
        {"D:\\Tools\\\\Panel", "D:\\Tools\\Panel\\Zelmo.ini"},
    };
    for (const auto& c : cases) {
        host::SetCurrentDirectory(c.directory);
        WriteFile(c.expected, "");
        EXPECT_EQ(GetConfigFilePath(kZelmoFile), c.expected) << c.directory;
        RemoveFile(c.expected);
    }
}

TEST_F(ConfigPathsTest, AmoledFileIsBesideTheProgramNamedInTheRegistry) {
    WriteFile("C:\\Program Files\\Tintwell\\Tintwell.exe", "MZ");
    WriteFile("C:\\Program Files\\Tintwell\\IntelAmoledMode.ini", "[AMOLED]\n");
    const std::string expected = "C:\\Program Files\\Tintwell\\IntelAmoledMode.ini";
    const struct {
        const char* name;
        uint32_t type;
        const char* value;
        const char* path;
    } cases[] = {
        {"plain path", platform::kRegSz, "C:\\Program Files\\Tintwell\\Tintwell.exe",
         expected.c_str()},
        {"quoted path", platform::kRegSz, "\"C:\\Program Files\\Tintwell\\Tintwell.exe\"",
         expected.c_str()},
        {"expandable string", platform::kRegExpandSz, "C:\\Program Files\\Tintwell\\Tintwell.exe",
         expected.c_str()},
        {"doubled separators", platform::kRegSz, "C:\\\\Program Files\\\\Tintwell\\\\Tintwell.exe",
         expected.c_str()},
        {"folder itself", platform::kRegSz, "C:\\Program Files\\Tintwell\\", expected.c_str()},
        {"program missing", platform::kRegSz, "C:\\Program Files\\Tintwell\\Other.exe", ""},
        {"empty", platform::kRegSz, "", ""},
        {"not a string", platform::kRegBinary, "C:\\Program Files\\Tintwell\\Tintwell.exe", ""},
        {"folder without the file", platform::kRegSz, "C:\\Program Files\\Tintwell", ""},
    };
    EXPECT_EQ(GetAmoledModeFilePath(), "") << "no registry key";
    for (const auto& c : cases) {
        SetProgramPath(c.type, c.value);
        EXPECT_EQ(GetAmoledModeFilePath(), c.path) << c.name;
    }

    SetProgramPath(platform::kRegSz, "C:\\Program Files\\Tintwell\\Tintwell.exe");
    RemoveFile(expected);
    EXPECT_EQ(GetAmoledModeFilePath(), "") << "list file removed";
}

TEST_F(ConfigPathsTest, AmoledFileIsEmptyWhenTheRegistryFails) {
    WriteFile("C:\\App\\App.exe", "MZ");
    WriteFile("C:\\App\\IntelAmoledMode.ini", "[AMOLED]\n");
    SetProgramPath(platform::kRegSz, "C:\\App\\App.exe");
    ASSERT_EQ(GetAmoledModeFilePath(), "C:\\App\\IntelAmoledMode.ini");

    for (const char* operation : {"RegOpenKeyEx", "RegQueryValueEx"}) {
        for (int nth : {1, 2}) {
            host::InjectFault(operation, nth, false);
            const std::string path = GetAmoledModeFilePath();
            host::ClearFaults();
            if (std::string(operation) == "RegOpenKeyEx" && nth == 2) {
                EXPECT_EQ(path, "C:\\App\\IntelAmoledMode.ini"); // only one open per call
            } else {
                EXPECT_EQ(path, "") << operation << " #" << nth;
            }
        }
    }
}

} // namespace
} // namespace varnet
