// Installing the simulated laptop into the platform sandbox: what a refused scenario, an
// uninstalled machine and a scenario without a driver version leave behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/sim_env.h"
#include "machine/simulated_machine.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"
#include "support/test_machine.h"

namespace varnet::sim {
namespace {

namespace fs = std::filesystem;

TEST(SimMachine, RefusedOrUninstalledLeavesNoDriverAndANullVersionNoKey) {
    test::TestMachine machine;
    ASSERT_TRUE(machine.Installed()) << machine.InstallError();
    UninstallSimulatedMachine();
    const fs::path folder = machine.Folder();
    platform::host::SetRoot((folder / "fresh").string()); // no version written there yet
    const MachineFiles files = {(folder / "scenario.json").string(),
                                (folder / "state.json").string(),
                                (folder / "journal.jsonl").string()};
    std::string error;
    const auto install = [&](const char* scenario) {
        std::ofstream(files.scenario) << scenario;
        return InstallSimulatedMachine(files, &error);
    };
    const auto nothingInstalled = [] {
        platform::Guid clsid;
        EXPECT_EQ(platform::LoadModule(L"ControlLib.dll"), nullptr);
        EXPECT_NE(platform::ClsidFromProgId(u"IgfxExt.CUIExternal", &clsid), platform::kSOk);
        EXPECT_EQ(ReadEnv(kScenarioVariable) + ReadEnv(kStateVariable), "");
    };
    nothingInstalled();
    EXPECT_FALSE(install(R"({"adapters": 3})"));
    nothingInstalled();

    ASSERT_TRUE(install(R"({"driverVersion": null})")) << error;
    std::string adapterKey;
    ASSERT_TRUE(platform::FirstDisplayAdapterKey(adapterKey));
    platform::RegKey key = nullptr;
    EXPECT_NE(platform::RegOpenKeyEx(platform::RegRoot::LocalMachine,
                                     adapterKey.substr(adapterKey.find("System")).c_str(),
                                     platform::kKeyRead, &key),
              platform::kErrorSuccess);
}

} // namespace
} // namespace varnet::sim
