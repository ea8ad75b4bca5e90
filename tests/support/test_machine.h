// One simulated laptop per test: a fresh folder holding its scenario, state and journal, the
// simulators installed where the library looks for a driver, COM entered on this thread, and
// nothing left over from the test before (host sandbox, settings key, configuration folder).
//
// Every fault a scenario injects must fire: when the faults are replaced (SetScenario with other
// faults) and when the machine goes, one that never decided an answer fails the test. A fault on
// a call the test never makes tests nothing. A test that means a fault not to fire says so with
// ExpectUnfired.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varnet::test {

// Off is for a harness that checks each fault it injects itself (the fault sweep) and keeps
// others in force whether or not a run reaches them.
enum class FaultCheck { EveryFaultFires, Off };

class TestMachine {
public:
    explicit TestMachine(FaultCheck check = FaultCheck::EveryFaultFires);
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // The built-in laptop as JSON, to change and hand to SetScenario.
    static nlohmann::json DefaultScenario();
    // The simulators read this scenario from their next start on. Faults other than those in
    // force first have the old ones checked; the same faults keep counting.
    void SetScenario(const nlohmann::json& scenario);

    // Fault faultIndex of the scenario in force must not fire (checked like the others); it
    // stays so until the faults are replaced.
    void ExpectUnfired(std::size_t faultIndex);
    // The faults of the scenario in force that have not fired so far.
    std::vector<std::size_t> UnfiredFaults();

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
    // Adds what the journal says fired since it was last read.
    void CollectFired();
    void CheckFaults();

    std::string folder_;
    std::string scenarioPath_;
    std::string statePath_;
    std::string journalPath_;
    bool installed_ = false;
    std::string installError_;

    FaultCheck check_;
    nlohmann::json faults_ = nlohmann::json::array(); // of the scenario in force
    std::vector<std::size_t> fired_;                  // by index of faults_
    std::set<std::size_t> unfiredExpected_;
    std::uintmax_t journalRead_ = 0; // bytes of the journal already counted
};

// Platform parts: a fresh system for the library (host: a new sandbox root; Windows: the
// settings key and configuration folder removed) and COM on the calling thread.
void PrepareSystem(const std::string& folder);
void ReleaseSystem();

} // namespace varnet::test
