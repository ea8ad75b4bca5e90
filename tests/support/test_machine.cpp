#include "test_machine.h"

#include <atomic>
#include <chrono>
#include <filesystem>

#include <fstream>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "common/journal.h"
#include "common/scenario.h"
#include "machine/simulated_machine.h"
#include "platform/platform.h"

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

TestMachine::TestMachine(FaultCheck check) : folder_(NewFolder()), check_(check) {
    scenarioPath_ = (fs::path(folder_) / "scenario.json").string();
    statePath_ = (fs::path(folder_) / "state.json").string();
    journalPath_ = (fs::path(folder_) / "journal.jsonl").string();
    SetScenario(DefaultScenario());
    PrepareSystem(folder_);
    installed_ =
        sim::InstallSimulatedMachine({scenarioPath_, statePath_, journalPath_}, &installError_);
}

TestMachine::~TestMachine() {
    CheckFaults();
    sim::UninstallSimulatedMachine();
    ReleaseSystem();
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

nlohmann::json TestMachine::DefaultScenario() {
    return sim::DefaultScenarioJson();
}

void TestMachine::SetScenario(const nlohmann::json& scenario) {
    // A "faults" that is not a list makes the scenario unreadable; it injects nothing.
    nlohmann::json faults = nlohmann::json::array();
    if (scenario.is_object() && scenario.contains("faults") && scenario["faults"].is_array()) {
        faults = scenario["faults"];
    }
    if (faults != faults_) {
        CheckFaults();
        faults_ = faults;
        fired_.assign(faults_.size(), 0);
        unfiredExpected_.clear();
        std::error_code ec;
        const auto size = fs::file_size(journalPath_, ec);
        journalRead_ = ec ? 0 : size;
    }
    std::ofstream out(scenarioPath_, std::ios::trunc);
    out << scenario.dump(2);
}

void TestMachine::ExpectUnfired(std::size_t faultIndex) {
    EXPECT_LT(faultIndex, faults_.size()) << "no such fault in the scenario in force";
    unfiredExpected_.insert(faultIndex);
}

std::vector<std::size_t> TestMachine::UnfiredFaults() {
    CollectFired();
    std::vector<std::size_t> unfired;
    for (std::size_t i = 0; i < fired_.size(); ++i) {
        if (fired_[i] == 0) {
            unfired.push_back(i);
        }
    }
    return unfired;
}

void TestMachine::CollectFired() {
    std::ifstream in(journalPath_, std::ios::binary);
    if (!in) {
        return;
    }
    in.seekg(static_cast<std::streamoff>(journalRead_));
    std::string line;
    // Only whole lines: a simulator never leaves half of one, but a read must not count twice.
    while (std::getline(in, line) && !in.eof()) {
        journalRead_ += line.size() + 1;
        if (line.find("\"faultIndex\"") == std::string::npos) {
            continue;
        }
        const auto entry = nlohmann::json::parse(line, nullptr, false);
        if (!entry.is_object()) {
            continue;
        }
        const auto index = entry.find("faultIndex");
        if (index != entry.end() && index->is_number_unsigned() &&
            index->get<std::size_t>() < fired_.size()) {
            ++fired_[index->get<std::size_t>()];
        }
    }
}

void TestMachine::CheckFaults() {
    // A test that stopped early or was skipped never reached its faults; saying so adds nothing.
    if (check_ == FaultCheck::Off || faults_.empty() || ::testing::Test::HasFatalFailure() ||
        ::testing::Test::IsSkipped()) {
        return;
    }
    CollectFired();
    for (std::size_t i = 0; i < faults_.size(); ++i) {
        const bool expected = unfiredExpected_.count(i) != 0;
        if (fired_[i] == 0 && !expected) {
            ADD_FAILURE() << "scenario fault " << i << " " << faults_[i].dump()
                          << " never fired: the test never reached it";
        } else if (fired_[i] != 0 && expected) {
            ADD_FAILURE() << "scenario fault " << i << " " << faults_[i].dump() << " fired "
                          << fired_[i] << " times though the test expects it not to";
        }
    }
}

std::vector<nlohmann::json> TestMachine::Journal() const {
    return sim::ReadJournal(journalPath_);
}

std::size_t TestMachine::Count(const std::string& call) const {
    return sim::CountCalls(Journal(), call);
}

std::vector<std::string> TestMachine::CallNames() const {
    return sim::CallNames(Journal());
}

void TestMachine::ClearJournal() {
    CollectFired();
    sim::ClearJournal(journalPath_);
    journalRead_ = 0;
}

void TestMachine::WriteConfigFile(const std::string& name, const std::string& text) {
    platform::CreateDirectory("C:\\ProgramData\\ColorMode");
    const std::string path = "C:\\ProgramData\\ColorMode\\" + name;
    std::FILE* file = platform::OpenFile(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

void TestMachine::InstallConfigFolder(const std::string& sourceFolder) {
    for (const auto& entry : fs::directory_iterator(SourcePath(sourceFolder))) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        WriteConfigFile(entry.path().filename().string(), text.str());
    }
}

std::string TestMachine::SourcePath(const std::string& relative) {
    const char* root = std::getenv("VARNET_SOURCE_DIR");
    std::string path =
        std::string(root != nullptr ? root : VARNET_SOURCE_DIR_FALLBACK) + "/" + relative;
#ifdef _WIN32
    // Under Wine the Linux file system is drive Z:.
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
#endif
    return path;
}

} // namespace varnet::test
