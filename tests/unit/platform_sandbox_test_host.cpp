// The host sandbox's own controls: where Windows paths live, the registry file, the module and
// COM tables, fault injection, captures, clock and display adapter.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace host = platform::host;
using platform::RegRoot;

constexpr platform::Guid kClsid{0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr platform::Guid kIid{0x87654321, 0x4321, 0x8765, {8, 7, 6, 5, 4, 3, 2, 1}};

class SandboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousRoot_ = host::Root();
        root_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("varnet-sandbox-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        host::SetRoot(root_.string());
        host::ResetState();
    }
    void TearDown() override {
        host::ResetState();
        host::UnregisterModule("Sample.dll");
        host::UnregisterComClass(u"Varnet.Sample");
        host::SetRoot(previousRoot_);
        std::filesystem::remove_all(root_);
    }

    std::filesystem::path root_;
    std::string previousRoot_;
};

TEST_F(SandboxTest, WindowsPathsLiveUnderTheRootFoldedToLowerCase) {
    const std::string r = root_.string();
    const std::pair<const char*, std::string> cases[] = {
        {"C:\\ProgramData\\ColorMode\\log.txt", r + "/c/programdata/colormode/log.txt"},
        {"c:/ProgramData/ColorMode/", r + "/c/programdata/colormode"},
        {"IntelColorMode.ini", r + "/c/users/varnet/intelcolormode.ini"},
        {"C:\\a\\..\\..\\b\\.\\c", r + "/c/b/c"},
        {"C:\\a\\Name. ", r + "/c/a/name"},
        {"\\\\Server\\Share\\f", r + "/unc/server/share/f"},
        {"\\\\?\\C:\\x", r + "/c/x"},
    };
    for (const auto& [windows, expected] : cases) {
        EXPECT_EQ(host::HostPath(windows), expected) << windows;
    }

    host::SetCurrentDirectory("D:\\Work");
    EXPECT_EQ(host::HostPath("x.ini"), r + "/d/work/x.ini");
    EXPECT_EQ(host::HostPath("\\top"), r + "/d/top");
    char buffer[16] = {};
    EXPECT_EQ(platform::GetCurrentDirectory(sizeof buffer, buffer), 7u);
    EXPECT_STREQ(buffer, "D:\\Work");

    // A fresh root looks like a usual system.
    EXPECT_TRUE(platform::PathFileExists("C:\\ProgramData"));
    EXPECT_TRUE(platform::PathFileExists("C:\\Users\\varnet"));
    std::string programData;
    EXPECT_TRUE(platform::GetProgramDataFolder(programData));
    EXPECT_EQ(programData, "C:\\ProgramData");
}

TEST_F(SandboxTest, RegistryIsAJsonFileOfTheRoot) {
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegCreateKeyEx(RegRoot::CurrentUser, "Software\\Norvane\\Settings",
                                       platform::kKeyAllAccess, &key),
              platform::kErrorSuccess);
    const uint32_t width = 2560;
    platform::RegSetValueEx(key, "LCDW", platform::kRegDword,
                            reinterpret_cast<const uint8_t*>(&width), 4);
    platform::RegCloseKey(key);

    std::ifstream in(root_ / "registry.json");
    nlohmann::json registry = nlohmann::json::parse(in);
    const auto& entry = registry["HKEY_CURRENT_USER"]["software\\norvane\\settings"];
    EXPECT_EQ(entry["name"], "Software\\Norvane\\Settings");
    EXPECT_EQ(entry["values"]["lcdw"]["name"], "LCDW");
    EXPECT_EQ(entry["values"]["lcdw"]["type"], platform::kRegDword);
    EXPECT_EQ(entry["values"]["lcdw"]["data"], "000a0000");
    EXPECT_TRUE(registry["HKEY_CURRENT_USER"].contains("software"));

    // Another root is another machine.
    host::SetRoot((root_ / "other").string());
    EXPECT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\Norvane\\Settings", &key),
              platform::kErrorFileNotFound);
}

TEST_F(SandboxTest, RegistryKeepsEveryWriteFromSeveralThreads) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 10; ++i) {
                platform::RegKey key = nullptr;
                platform::RegCreateKeyEx(RegRoot::CurrentUser, "Software\\Threads",
                                         platform::kKeyAllAccess, &key);
                const uint32_t value = static_cast<uint32_t>(t * 100 + i);
                std::string name = "v" + std::to_string(value);
                platform::RegSetValueEx(key, name.c_str(), platform::kRegDword,
                                        reinterpret_cast<const uint8_t*>(&value), 4);
                platform::RegCloseKey(key);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\Threads", &key), 0);
    for (uint32_t t = 0; t < 4; ++t) {
        for (uint32_t i = 0; i < 10; ++i) {
            uint32_t read = 0;
            uint32_t size = 4;
            std::string name = "v" + std::to_string(t * 100 + i);
            EXPECT_EQ(platform::RegQueryValueEx(key, name.c_str(), nullptr,
                                                reinterpret_cast<uint8_t*>(&read), &size),
                      platform::kErrorSuccess);
            EXPECT_EQ(read, t * 100 + i);
        }
    }
    platform::RegCloseKey(key);
}

TEST_F(SandboxTest, ModulesAreFoundByFileNameAndCounted) {
    static int entry = 0;
    host::RegisterModule("Sample.dll", [](const char* name) -> void* {
        return std::string(name) == "sampleEntry" ? &entry : nullptr;
    });
    EXPECT_EQ(platform::LoadModule(L"Other.dll"), nullptr);
    platform::ModuleHandle first = platform::LoadModule(L"C:\\Drivers\\SAMPLE.DLL");
    platform::ModuleHandle second = platform::LoadModule(L"sample"); // ".dll" is implied
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_EQ(host::ModuleLoadCount("sample.dll"), 2);
    EXPECT_EQ(platform::FindSymbol(first, "sampleEntry"), &entry);
    EXPECT_EQ(platform::FindSymbol(first, "missingEntry"), nullptr);

    EXPECT_TRUE(platform::FreeModule(first));
    EXPECT_EQ(platform::FindSymbol(first, "sampleEntry"), &entry);
    EXPECT_TRUE(platform::FreeModule(first));
    EXPECT_EQ(host::ModuleLoadCount("Sample.dll"), 0);
    EXPECT_EQ(platform::FindSymbol(first, "sampleEntry"), nullptr); // unloaded
    EXPECT_FALSE(platform::FreeModule(first));
}

TEST_F(SandboxTest, ComNeedsAClassAndAnInitialisedThread) {
    int created = 0;
    host::RegisterComClass(u"Varnet.Sample", kClsid,
                           [&created](const platform::Guid& iid, void** object) -> long {
                               if (!(iid == kIid)) {
                                   return platform::kENoInterface;
                               }
                               *object = &created;
                               ++created;
                               return platform::kSOk;
                           });
    platform::Guid clsid;
    EXPECT_EQ(platform::ClsidFromProgId(u"Varnet.Unknown", &clsid), platform::kCoEClassString);
    ASSERT_EQ(platform::ClsidFromProgId(u"varnet.SAMPLE", &clsid), platform::kSOk);
    EXPECT_TRUE(clsid == kClsid);

    void* object = &clsid;
    EXPECT_EQ(platform::CreateComInstance(kClsid, platform::kClsCtxServer, kIid, &object),
              platform::kCoENotInitialized);
    EXPECT_EQ(object, nullptr);
    ASSERT_TRUE(platform::ComInitializeThread());
    EXPECT_EQ(platform::CreateComInstance(kClsid, platform::kClsCtxServer, kIid, &object),
              platform::kSOk);
    EXPECT_EQ(object, &created);
    EXPECT_EQ(platform::CreateComInstance(kClsid, platform::kClsCtxServer, kClsid, &object),
              platform::kENoInterface);
    EXPECT_EQ(platform::CreateComInstance(kIid, platform::kClsCtxServer, kIid, &object),
              platform::kRegDbEClassNotReg);
    long otherThread = 0;
    std::thread([&] {
        otherThread = platform::CreateComInstance(kClsid, platform::kClsCtxServer, kIid, &object);
    }).join();
    EXPECT_EQ(otherThread, platform::kCoENotInitialized);
    platform::ComUninitializeThread();
    EXPECT_EQ(platform::CreateComInstance(kClsid, platform::kClsCtxServer, kIid, &object),
              platform::kCoENotInitialized);
    EXPECT_EQ(created, 1);

    // COM strings are copies, with the BSTR's byte length before them.
    char16_t text[] = u"\\\\.\\DISPLAY1";
    platform::ComString copy = platform::AllocComString(text);
    text[0] = u'X';
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::u16string(copy), u"\\\\.\\DISPLAY1");
    uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<uint8_t*>(copy) - 4, 4);
    EXPECT_EQ(bytes, 24u);
    platform::FreeComString(copy);
    EXPECT_EQ(platform::AllocComString(nullptr), nullptr);
    platform::FreeComString(nullptr);
}

TEST_F(SandboxTest, InjectedFaultsFailTheNthCallOnceOrFromThenOn) {
    host::RegisterComClass(u"Varnet.Sample", kClsid,
                           [](const platform::Guid&, void**) { return platform::kSOk; });
    struct Operation {
        const char* name;
        std::function<bool()> succeeds;
    };
    platform::Guid clsid;
    const Operation operations[] = {
        {"RegCreateKeyEx",
         [] {
             platform::RegKey key = nullptr;
             bool ok = platform::RegCreateKeyEx(RegRoot::CurrentUser, "Software\\F",
                                                platform::kKeyAllAccess, &key) == 0;
             if (ok) {
                 platform::RegCloseKey(key);
             }
             return ok;
         }},
        {"OpenFile",
         [] {
             std::FILE* f = platform::OpenFile("C:\\f.txt", "a+");
             if (f != nullptr) {
                 std::fclose(f);
             }
             return f != nullptr;
         }},
        {"ClsidFromProgId",
         [&] { return platform::ClsidFromProgId(u"Varnet.Sample", &clsid) == 0; }},
        {"AllocComString",
         [] {
             platform::ComString s = platform::AllocComString(u"x");
             platform::FreeComString(s);
             return s != nullptr;
         }},
    };
    for (const Operation& op : operations) {
        host::InjectFault(op.name, 2, false);
        EXPECT_TRUE(op.succeeds()) << op.name;
        EXPECT_FALSE(op.succeeds()) << op.name;
        EXPECT_TRUE(op.succeeds()) << op.name;
        host::InjectFault(op.name, 1, true);
        EXPECT_FALSE(op.succeeds()) << op.name;
        EXPECT_FALSE(op.succeeds()) << op.name;
        host::ClearFaults();
        EXPECT_TRUE(op.succeeds()) << op.name;
    }

    host::InjectFault("ClsidFromProgId", 1, false);
    EXPECT_EQ(platform::ClsidFromProgId(u"Varnet.Sample", &clsid), platform::kRegDbEWriteRegDb);
    host::InjectFault("ClsidFromProgId", 1, false, platform::kEFail);
    EXPECT_EQ(platform::ClsidFromProgId(u"Varnet.Sample", &clsid), platform::kEFail);
    EXPECT_THROW(host::InjectFault("RegDeleteKey", 1, false), std::invalid_argument);

    host::InjectFault("RegQueryValueEx", 1, true);
    host::ResetState();
    platform::RegKey key = nullptr;
    ASSERT_EQ(
        platform::RegCreateKeyEx(RegRoot::CurrentUser, "Software\\F", platform::kKeyRead, &key), 0);
    uint32_t size = 0;
    EXPECT_EQ(platform::RegQueryValueEx(key, "none", nullptr, nullptr, &size),
              platform::kErrorFileNotFound);
    platform::RegCloseKey(key);
}

TEST_F(SandboxTest, CapturesClockAndAdapterAreSettableAndReset) {
    platform::OutputDebugString("CoCreateInstance Fail");
    platform::WriteStdout("ctlInit failed\n");
    EXPECT_EQ(host::DebugOutput(), "CoCreateInstance Fail");
    EXPECT_EQ(host::StdoutOutput(), "ctlInit failed\n");

    host::SetStdoutPassthrough(true);
    ::testing::internal::CaptureStdout();
    platform::WriteStdout("echoed\n");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "echoed\n");
    host::SetStdoutPassthrough(false);
    EXPECT_EQ(host::StdoutOutput(), "ctlInit failed\nechoed\n");

    std::tm fixed{};
    fixed.tm_year = 124;
    fixed.tm_mon = 2;
    fixed.tm_mday = 9;
    fixed.tm_hour = 13;
    fixed.tm_min = 5;
    host::SetLocalTime(fixed);
    EXPECT_EQ(platform::LocalTimeNow().tm_hour, 13);
    EXPECT_EQ(platform::LocalTimeNow().tm_mday, 9);

    std::string key;
    ASSERT_TRUE(platform::FirstDisplayAdapterKey(key));
    EXPECT_NE(key.find("\\System\\CurrentControlSet\\Control\\Video\\"), std::string::npos);
    host::SetDisplayAdapterKey("");
    EXPECT_FALSE(platform::FirstDisplayAdapterKey(key));
    host::SetCurrentDirectory("D:\\");

    host::ResetState();
    EXPECT_EQ(host::DebugOutput(), "");
    EXPECT_EQ(host::StdoutOutput(), "");
    EXPECT_GE(platform::LocalTimeNow().tm_year, 124);
    EXPECT_TRUE(platform::FirstDisplayAdapterKey(key));
    char buffer[32] = {};
    platform::GetCurrentDirectory(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "C:\\Users\\varnet");
}

} // namespace
} // namespace varnet
