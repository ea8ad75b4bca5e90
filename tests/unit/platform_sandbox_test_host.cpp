// The host sandbox's own controls: where Windows paths live, the registry file, the module and
// COM tables, and fault injection.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "config_test_sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace host = platform::host;
using platform::RegRoot;

constexpr platform::Guid kClsid{0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr platform::Guid kIid{0x87654321, 0x4321, 0x8765, {8, 7, 6, 5, 4, 3, 2, 1}};

class SandboxTest : public test::ConfigSandboxTest {
protected:
    void TearDown() override {
        host::UnregisterModule("Sample.dll");
        host::UnregisterComClass(u"Varnet.Sample");
        ConfigSandboxTest::TearDown();
    }
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
    EXPECT_TRUE(platform::PathFileExists("C:\\ProgramData")); // a fresh root is a usual system
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

    const nlohmann::json registry = nlohmann::json::parse(std::ifstream(root_ / "registry.json"));
    const auto& entry = registry["HKEY_CURRENT_USER"]["software\\norvane\\settings"];
    EXPECT_EQ(entry["name"], "Software\\Norvane\\Settings");
    EXPECT_EQ(
        entry["values"]["lcdw"],
        nlohmann::json({{"name", "LCDW"}, {"type", platform::kRegDword}, {"data", "000a0000"}}));
    // Another root is another machine.
    host::SetRoot((root_ / "other").string());
    EXPECT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\Norvane\\Settings", &key),
              platform::kErrorFileNotFound);
}

TEST_F(SandboxTest, ModulesAreFoundByFileNameAndCounted) {
    static int entry = 0;
    host::RegisterModule("Sample.dll", [](const char* name) -> void* {
        return std::string(name) == "sampleEntry" ? &entry : nullptr;
    });
    EXPECT_EQ(platform::LoadModule(L"Other.dll"), nullptr);
    platform::ModuleHandle first = platform::LoadModule(L"C:\\Drivers\\SAMPLE.DLL");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(platform::LoadModule(L"sample"), first); // ".dll" is implied
    EXPECT_EQ(host::ModuleLoadCount("sample.dll"), 2);
    EXPECT_EQ(platform::FindSymbol(first, "sampleEntry"), &entry);
    EXPECT_EQ(platform::FindSymbol(first, "missingEntry"), nullptr);
    EXPECT_TRUE(platform::FreeModule(first));
    EXPECT_TRUE(platform::FreeModule(first));
    EXPECT_EQ(platform::FindSymbol(first, "sampleEntry"), nullptr); // unloaded
    EXPECT_FALSE(platform::FreeModule(first));
}

TEST_F(SandboxTest, ComNeedsAClassAndAnInitialisedThread) {
    int created = 0;
    host::RegisterComClass(u"Varnet.Sample", kClsid, [&](const platform::Guid& iid, void** object) {
        *object = iid == kIid ? &created : nullptr;
        created += iid == kIid;
        return iid == kIid ? platform::kSOk : platform::kENoInterface;
    });
    platform::Guid clsid;
    EXPECT_EQ(platform::ClsidFromProgId(u"Varnet.Unknown", &clsid), platform::kCoEClassString);
    ASSERT_EQ(platform::ClsidFromProgId(u"varnet.SAMPLE", &clsid), platform::kSOk);
    EXPECT_TRUE(clsid == kClsid);
    auto create = [](const platform::Guid& c, const platform::Guid& i, void** object) {
        return platform::CreateComInstance(c, platform::kClsCtxServer, i, object);
    };
    void* object = &clsid;
    EXPECT_EQ(create(kClsid, kIid, &object), platform::kCoENotInitialized);
    EXPECT_EQ(object, nullptr);
    ASSERT_TRUE(platform::ComInitializeThread());
    EXPECT_EQ(create(kClsid, kIid, &object), platform::kSOk);
    EXPECT_EQ(object, &created);
    EXPECT_EQ(create(kClsid, kClsid, &object), platform::kENoInterface);
    EXPECT_EQ(create(kIid, kIid, &object), platform::kRegDbEClassNotReg);
    platform::ComUninitializeThread();
    EXPECT_EQ(create(kClsid, kIid, &object), platform::kCoENotInitialized);
    EXPECT_EQ(created, 1);
}

TEST_F(SandboxTest, InjectedFaultsFailTheNthCallOnceOrFromThenOn) {
    auto createKey = [] {
        platform::RegKey key = nullptr;
        const bool ok = platform::RegCreateKeyEx(RegRoot::CurrentUser, "Software\\F",
                                                 platform::kKeyAllAccess, &key) == 0;
        platform::RegCloseKey(key);
        return ok;
    };
    using Results = std::vector<bool>;
    host::InjectFault("RegCreateKeyEx", 2, false); // the second call fails, once
    EXPECT_EQ((Results{createKey(), createKey(), createKey()}), (Results{true, false, true}));
    EXPECT_EQ(host::FaultsFired("RegCreateKeyEx"), 1);
    host::InjectFault("RegCreateKeyEx", 1, true); // every call from the first on
    EXPECT_EQ((Results{createKey(), createKey()}), (Results{false, false}));
    EXPECT_EQ(host::FaultsFired("RegCreateKeyEx"), 3);
    EXPECT_EQ(host::FaultsFired("RegOpenKey"), 0);
    EXPECT_EQ(host::FaultsFired(), 3);
    EXPECT_THROW(host::FaultsFired("RegCreateKey"), std::invalid_argument);
    host::ClearFaults();
    EXPECT_TRUE(createKey());
    EXPECT_EQ(host::FaultsFired(), 0);

    platform::Guid clsid;
    host::InjectFault("ClsidFromProgId", 1, false);
    EXPECT_EQ(platform::ClsidFromProgId(u"Varnet.Sample", &clsid), platform::kRegDbEWriteRegDb);
    EXPECT_THROW(host::InjectFault("RegDeleteKey", 1, false), std::invalid_argument);
    host::InjectFault("OpenFile", 1, true);
    host::ResetState(); // faults go with the rest of the state
    std::FILE* file = platform::OpenFile("C:\\f.txt", "a+");
    EXPECT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(host::FaultsFired(), 0);
}

TEST_F(SandboxTest, OpenHandlesAreCountedUntilClosed) {
    const int keys = host::OpenRegistryKeyCount();
    const int files = host::OpenFileCount();
    platform::RegKey a = nullptr;
    platform::RegKey b = nullptr;
    ASSERT_EQ(
        platform::RegCreateKeyEx(RegRoot::CurrentUser, "Software\\H", platform::kKeyAllAccess, &a),
        0);
    ASSERT_EQ(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\H", &b), 0);
    platform::RegKey refused = nullptr;
    EXPECT_NE(platform::RegOpenKey(RegRoot::CurrentUser, "Software\\Absent", &refused), 0);
    EXPECT_EQ(host::OpenRegistryKeyCount(), keys + 2);
    platform::RegCloseKey(a);
    platform::RegCloseKey(a); // a second close is refused, not counted twice
    EXPECT_EQ(host::OpenRegistryKeyCount(), keys + 1);
    platform::RegCloseKey(b);
    EXPECT_EQ(host::OpenRegistryKeyCount(), keys);

    platform::FileHandle handle = platform::CreateFileOpenAlways("C:\\h.bin");
    std::FILE* first = platform::OpenFile("C:\\h.txt", "w");
    std::FILE* second = platform::OpenFile("C:\\h.txt", "r");
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(platform::OpenFile("C:\\h.bin", "r"), nullptr); // held without sharing
    EXPECT_EQ(host::OpenFileCount(), files + 3);
    std::fclose(first);
    std::fclose(second);
    platform::CloseHandle(handle);
    EXPECT_EQ(host::OpenFileCount(), files);
}

} // namespace
} // namespace varnet
