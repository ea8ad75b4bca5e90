// Installing the simulated laptop into the platform sandbox, as the library then finds it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "common/sim_env.h"
#include "cui/cui_object.h"
#include "igcl/igcl_api.h"
#include "machine/simulated_machine.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet::sim {
namespace {

namespace fs = std::filesystem;

class SimMachine : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("varnet-sim-machine-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(folder);
        platform::host::SetRoot((folder / "root").string());
        platform::host::ResetState();
        files = {(folder / "scenario.json").string(), (folder / "state.json").string(),
                 (folder / "journal.jsonl").string()};
    }
    void TearDown() override {
        UninstallSimulatedMachine();
        platform::host::ResetState();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    void Scenario(const std::string& text) { std::ofstream(files.scenario) << text; }

    std::string DriverVersion() {
        platform::RegKey key = nullptr;
        if (platform::RegOpenKeyEx(platform::RegRoot::LocalMachine,
                                   "System\\CurrentControlSet\\Control\\Video\\"
                                   "{5F0A5B52-7A8B-4A6C-9E1D-1C2B3A4D5E6F}\\0000",
                                   platform::kKeyRead, &key) != platform::kErrorSuccess)
            return "(no key)";
        char value[64] = {};
        uint32_t size = sizeof value, type = 0;
        long status = platform::RegQueryValueEx(key, "DriverVersion", &type,
                                                reinterpret_cast<uint8_t*>(value), &size);
        platform::RegCloseKey(key);
        return status == platform::kErrorSuccess && type == platform::kRegSz ? value : "(none)";
    }

    fs::path folder;
    MachineFiles files;
};

TEST_F(SimMachine, InstallPutsBothDriversWhereTheLibraryLooks) {
    Scenario(R"({"driverVersion": "27.20.100.7870"})");
    std::string error;
    ASSERT_TRUE(InstallSimulatedMachine(files, &error)) << error;
    EXPECT_EQ(ReadEnv(kScenarioVariable), files.scenario);
    EXPECT_EQ(ReadEnv(kJournalVariable), files.journal);

    platform::ModuleHandle module = platform::LoadModule(L"C:\\Windows\\System32\\ControlLib.dll");
    ASSERT_NE(module, nullptr);
    auto init = reinterpret_cast<ctl_result_t (*)(ctl_init_args_t*, ctl_api_handle_t*)>(
        platform::FindSymbol(module, "ctlInit"));
    ASSERT_NE(init, nullptr);
    ctl_init_args_t args{};
    args.Size = sizeof args;
    args.AppVersion = CTL_MAKE_VERSION(1, 0);
    ctl_api_handle_t api = nullptr;
    EXPECT_EQ(init(&args, &api), CTL_RESULT_SUCCESS);
    EXPECT_EQ(platform::FindSymbol(module, "ctlFanGetState"), nullptr);
    platform::FreeModule(module);

    platform::Guid clsid;
    ASSERT_EQ(platform::ClsidFromProgId(u"IgfxExt.CUIExternal", &clsid), platform::kSOk);
    EXPECT_TRUE(cui::SameGuid(clsid, cui::kSimClsid));
    ASSERT_TRUE(platform::ComInitializeThread());
    void* object = nullptr;
    ASSERT_EQ(platform::CreateComInstance(clsid, platform::kClsCtxServer,
                                          varnet::cui::kIidCuiExternal8, &object),
              platform::kSOk);
    static_cast<varnet::cui::ICUIExternal8*>(object)->Release();
    platform::ComUninitializeThread();

    std::string adapterKey;
    ASSERT_TRUE(platform::FirstDisplayAdapterKey(adapterKey));
    EXPECT_NE(adapterKey.find("\\System\\CurrentControlSet\\Control\\Video\\"), std::string::npos);
    EXPECT_EQ(DriverVersion(), "27.20.100.7870");

    UninstallSimulatedMachine();
    EXPECT_EQ(platform::LoadModule(L"ControlLib.dll"), nullptr);
    EXPECT_NE(platform::ClsidFromProgId(u"IgfxExt.CUIExternal", &clsid), platform::kSOk);
    EXPECT_EQ(ReadEnv(kScenarioVariable), "");
}

TEST_F(SimMachine, ScenarioDecidesTheRegistryAndTheExports) {
    files.scenario.clear(); // the built-in laptop
    std::string error;
    ASSERT_TRUE(InstallSimulatedMachine(files, &error)) << error;
    EXPECT_EQ(DriverVersion(), "31.0.101.4502");
    UninstallSimulatedMachine();

    files.scenario = (folder / "scenario.json").string();
    Scenario(R"({"faults": [{"call": "ctlGetLACEConfig", "missing": true}]})");
    ASSERT_TRUE(InstallSimulatedMachine(files, &error)) << error;
    platform::ModuleHandle module = platform::LoadModule(L"ControlLib.dll");
    EXPECT_EQ(platform::FindSymbol(module, "ctlGetLACEConfig"), nullptr);
    EXPECT_NE(platform::FindSymbol(module, "ctlSetLACEConfig"), nullptr);
    platform::FreeModule(module);
    UninstallSimulatedMachine();

    Scenario(R"({"adapters": 3})");
    EXPECT_FALSE(InstallSimulatedMachine(files, &error));
    EXPECT_NE(error.find("adapters"), std::string::npos);
    EXPECT_EQ(platform::LoadModule(L"ControlLib.dll"), nullptr);
}

} // namespace
} // namespace varnet::sim
