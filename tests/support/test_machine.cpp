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

TestMachine::TestMachine() : folder_(NewFolder()) {
    scenarioPath_ = (fs::path(folder_) / "scenario.json").string();
    statePath_ = (fs::path(folder_) / "state.json").string();
    journalPath_ = (fs::path(folder_) / "journal.jsonl").string();
    SetScenario(DefaultScenario());
    PrepareSystem(folder_);
    installed_ =
        sim::InstallSimulatedMachine({scenarioPath_, statePath_, journalPath_}, &installError_);
}

TestMachine::~TestMachine() {
    sim::UninstallSimulatedMachine();
    ReleaseSystem();
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

nlohmann::json TestMachine::DefaultScenario() {
    return sim::DefaultScenarioJson();
}

void TestMachine::SetScenario(const nlohmann::json& scenario) {
    std::ofstream out(scenarioPath_, std::ios::trunc);
    out << scenario.dump(2);
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
    sim::ClearJournal(journalPath_);
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
