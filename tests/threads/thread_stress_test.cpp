// Eight threads call every export at once for a few seconds against the simulated laptop, on
// each back-end in turn. Run under ThreadSanitizer: any data race in the library's shared state
// (panel ID, gamma constants, the run-time module and its pending path) is a report, and a
// reader must only ever see no panel ID or the whole of it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/test_machine.h"
#include "support/varnet_library.h"

namespace varnet::test {
namespace {

constexpr int kThreads = 8;
constexpr auto kPhase = std::chrono::milliseconds(1500);

struct Tally {
    std::atomic<long> calls{0};
    std::atomic<long> tornIds{0};
    std::atomic<long> wrongLengths{0};
};

void CallEveryExport(const VarnetExports& lib, int worker, Tally& tally) {
    char id[255];
    std::memset(id, 0x7f, sizeof id);
    const int32_t length = lib.GetEDID(id);
    const std::string text(id);
    if (text != "" && text != "VN156FHD01") {
        ++tally.tornIds;
    }
    if (static_cast<std::size_t>(length) != text.size()) {
        ++tally.wrongLengths;
    }
    lib.IsIntelGPU();
    lib.IsDisplayLACESupport();
    lib.IsColorModeSupport(worker % 8);
    ColorModeQuery queries[3] = {{0, 0, {}}, {1, 0, {}}, {6, 0, {}}};
    lib.IsColorModeSupportArray(queries, 3);
    lib.IsDPSTSupport();
    lib.IsColortoneSupport();
    lib.IsQledDisplay();
    lib.IsAmoledDisplay();
    lib.IsAmoledPhotoSupport();
    lib.IsICCProfileSupport(1, worker % 2 == 0);
    if (worker < 2) { // two writers are enough to race; a full mode costs seconds under TSan
        lib.SetColorMode(4, worker, false, 5);
    }
    EnhancedDpstSavedState saved = {};
    if (lib.SetLevelEnhancedDPST(&saved)) {
        lib.RestoreLevelEnhancedDPST(&saved);
    }
    // The loader on its own, as an application using the Control Library directly would.
    ctl_init_args_t args = {};
    args.Size = sizeof args;
    args.AppVersion = CTL_MAKE_VERSION(1, 0);
    ctl_api_handle_t handle = nullptr;
    if (lib.ctlInit(&args, &handle) == CTL_RESULT_SUCCESS) {
        lib.ctlClose(handle);
    }
    tally.calls += worker < 2 ? 15 : 14;
}

void RunPhase(const VarnetExports& lib, Tally& tally) {
    const auto end = std::chrono::steady_clock::now() + kPhase;
    std::vector<std::thread> threads;
    for (int worker = 0; worker < kThreads; ++worker) {
        threads.emplace_back([&, worker] {
            platform::ComInitializeThread(); // the caller's duty, on every thread
            // At least one round each, however slow the sanitizer makes a round.
            for (int round = 0; round < 1 || std::chrono::steady_clock::now() < end; ++round) {
                CallEveryExport(lib, worker, tally);
            }
            platform::ComUninitializeThread();
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
}

TEST(Threads, EveryExportFromEightThreadsOnBothBackEnds) {
    TestMachine machine;
    ASSERT_TRUE(machine.Installed()) << machine.InstallError();
    TestMachine::InstallConfigFolder("examples/config");
    nlohmann::json noControlLib = TestMachine::DefaultScenario();
    noControlLib["faults"].push_back({{"call", "ctlInit"}, {"result", "0x40000026"}});

    for (const nlohmann::json& scenario : {TestMachine::DefaultScenario(), noControlLib}) {
        VarnetExports lib;
        std::string error;
        ASSERT_TRUE(LoadVarnet(&lib, &error)) << error; // an empty panel ID cache each time
        machine.SetScenario(scenario);
        machine.ClearJournal();
        Tally tally;
        RunPhase(lib, tally);
        EXPECT_GE(tally.calls.load(), kThreads * 14L);
        EXPECT_EQ(tally.tornIds.load(), 0);
        EXPECT_EQ(tally.wrongLengths.load(), 0);
        std::cout << "threads: " << tally.calls.load() << " export calls\n";
    }
    UnloadVarnet();
}

} // namespace
} // namespace varnet::test
