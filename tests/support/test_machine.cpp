#include "test_machine.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "common/journal.h"
#include "common/scenario.h"
#include "machine/simulated_machine.h"

namespace varnet::test {

namespace fs = std::filesystem;

namespace {
std::string NewFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path folder = fs::temp_directory_path() /
                      ("varnet-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    fs::create_directories(folder);
    return folder.string();
}
} // namespace

TestMachine::TestMachine() : folder_(NewFolder()) {
    scenarioPath_ = (fs::path(folder_) / "scenario.json").string();
    statePath_ = (fs::path(folder_) / "state.json").string();
    journalPath_ = (fs::path(folder_) / "journal.jsonl").string();
    SetScenario(DefaultScenario());
    PrepareSystem(folder_);
    installed_ = sim::InstallSimulatedMachine({scenarioPath_, statePath_, journalPath_},
                                              &installError_);
}

TestMachine::~TestMachine() {
    sim::UninstallSimulatedMachine();
    ReleaseSystem();
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

nlohmann::json TestMachine::DefaultScenario() { return sim::DefaultScenarioJson(); }

void TestMachine::SetScenario(const nlohmann::json& scenario) {
    std::ofstream out(scenarioPath_, std::ios::trunc);
    out << scenario.dump(2);
}

std::vector<nlohmann::json> TestMachine::Journal() const { return sim::ReadJournal(journalPath_); }

std::size_t TestMachine::Count(const std::string& call) const {
    return sim::CountCalls(Journal(), call);
}

std::vector<std::string> TestMachine::CallNames() const { return sim::CallNames(Journal()); }

void TestMachine::ClearJournal() { sim::ClearJournal(journalPath_); }

} // namespace varnet::test
