// One simulated laptop per test: a fresh folder holding its scenario, state and journal, the
// simulators installed where the library looks for a driver, COM entered on this thread, and
// nothing left over from the test before (host sandbox, settings key, configuration folder).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varnet::test {

class TestMachine {
public:
    TestMachine();
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // The built-in laptop as JSON, to change and hand to SetScenario.
    static nlohmann::json DefaultScenario();
    // The simulators read this scenario from their next start on.
    void SetScenario(const nlohmann::json& scenario);

    std::vector<nlohmann::json> Journal() const;
    std::size_t Count(const std::string& call) const;
    std::vector<std::string> CallNames() const;
    void ClearJournal();

    // Configuration files go where the library looks first: C:\ProgramData\ColorMode.
    static void WriteConfigFile(const std::string& name, const std::string& text);
    // Copies a folder of the source tree (for example "examples/config") there.
    static void InstallConfigFolder(const std::string& sourceFolder);
    // A file of the source tree, as a path this program can open.
    static std::string SourcePath(const std::string& relative);

    const std::string& Folder() const { return folder_; }
    bool Installed() const { return installed_; }
    const std::string& InstallError() const { return installError_; }

private:
    std::string folder_;
    std::string scenarioPath_;
    std::string statePath_;
    std::string journalPath_;
    bool installed_ = false;
    std::string installError_;
};

// Platform parts: a fresh system for the library (host: a new sandbox root; Windows: the
// settings key and configuration folder removed) and COM on the calling thread.
void PrepareSystem(const std::string& folder);
void ReleaseSystem();

} // namespace varnet::test
