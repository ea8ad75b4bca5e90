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
    host::SetCurrentDirectory("C:\\Work");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "");
    WriteFile("C:\\Work\\IntelColorMode.ini", "");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "C:\\Work\\IntelColorMode.ini");
    WriteConfig(kColorModeFile, "");
    EXPECT_EQ(GetConfigFilePath(kColorModeFile), "C:\\ProgramData\\ColorMode\\IntelColorMode.ini");
    EXPECT_EQ(GetConfigFilePath(kZelmoFile), "");

    // At a drive root the current directory gives no doubled backslash.
    host::SetCurrentDirectory("D:\\");
    WriteFile("D:\\Zelmo.ini", "");
    EXPECT_EQ(GetConfigFilePath(kZelmoFile), "D:\\Zelmo.ini");
}

TEST_F(ConfigPathsTest, AmoledFileIsBesideTheProgramNamedInTheRegistry) {
    WriteFile("C:\\Program Files\\Tintwell\\Tintwell.exe", "MZ");
    WriteFile("C:\\Program Files\\Tintwell\\IntelAmoledMode.ini", "[AMOLED]\n");
    const char* found = "C:\\Program Files\\Tintwell\\IntelAmoledMode.ini";
    const struct {
        uint32_t type;
        const char* value;
        const char* path;
    } cases[] = {
        {platform::kRegSz, "C:\\Program Files\\Tintwell\\Tintwell.exe", found},
        {platform::kRegSz, "\"C:\\Program Files\\Tintwell\\Tintwell.exe\"", found},
        {platform::kRegExpandSz, "C:\\\\Program Files\\\\Tintwell\\\\Tintwell.exe", found},
        {platform::kRegSz, "C:\\Program Files\\Tintwell\\", found},
        {platform::kRegSz, "C:\\Program Files\\Tintwell\\Other.exe", ""},
        {platform::kRegSz, "C:\\Program Files\\Tintwell", ""}, // the folder above has no list
        {platform::kRegSz, "", ""},
        {platform::kRegBinary, "C:\\Program Files\\Tintwell\\Tintwell.exe", ""},
    };
    EXPECT_EQ(GetAmoledModeFilePath(), "");
    for (const auto& c : cases) {
        SetProgramPath(c.type, c.value);
        EXPECT_EQ(GetAmoledModeFilePath(), c.path) << c.value;
    }
    SetProgramPath(platform::kRegSz, cases[0].value);
    for (const char* operation : {"RegOpenKeyEx", "RegQueryValueEx"}) {
        host::InjectFault(operation, 1, true);
        EXPECT_EQ(GetAmoledModeFilePath(), "") << operation;
        host::ClearFaults();
    }
    host::InjectFault("RegQueryValueEx", 2, false); // the size is known, the text is not
    EXPECT_EQ(GetAmoledModeFilePath(), "");
}

} // namespace
} // namespace varnet
