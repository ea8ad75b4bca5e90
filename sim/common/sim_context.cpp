#include "common/sim_context.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/journal.h"
#include "common/sim_env.h"

namespace varnet::sim {

namespace {

bool ReadText(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return true;
}

// A reader that stops half-way through a write must never see a truncated state.
void WriteTextReplacing(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out)
            return;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        std::filesystem::remove(temporary, error);
    }
}

struct Memory {
    std::string scenarioPath;
    std::string scenarioText;
    std::shared_ptr<const Scenario> scenario;

    std::string statePath;
    std::string stateText;
    SimState state; // the state itself when no file is named, else the parse of stateText
    bool stateLoaded = false;
};

Memory& TheMemory() {
    static Memory memory;
    return memory;
}

} // namespace

std::recursive_mutex& SimulatorMutex() {
    static auto* mutex = new std::recursive_mutex; // outlives static destructors that may call in
    return *mutex;
}

std::shared_ptr<const Scenario> CurrentScenario() {
    std::lock_guard lock(SimulatorMutex());
    Memory& m = TheMemory();
    const std::string path = ReadEnv(kScenarioVariable);
    std::string text;
    if (!path.empty() && !ReadText(path, &text))
        throw ScenarioError("cannot read the scenario file " + path);
    if (m.scenario && path == m.scenarioPath && text == m.scenarioText)
        return m.scenario;
    auto scenario = std::make_shared<const Scenario>(path.empty() ? DefaultScenario()
                                                                  : ParseScenarioText(text));
    m.scenarioPath = path;
    m.scenarioText = text;
    m.scenario = scenario;
    return scenario;
}

SimState ReadState() {
    std::lock_guard lock(SimulatorMutex());
    Memory& m = TheMemory();
    const std::string path = ReadEnv(kStateVariable);
    if (path.empty()) {
        if (!m.statePath.empty()) {
            m.state = SimState();
            m.statePath.clear();
        }
        return m.state;
    }
    std::string text;
    if (!ReadText(path, &text))
        text.clear();
    if (!m.stateLoaded || path != m.statePath || text != m.stateText) {
        nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
        m.state = StateFromJson(document);
        m.statePath = path;
        m.stateText = text;
        m.stateLoaded = true;
    }
    return m.state;
}

void UpdateState(const std::function<void(SimState&)>& change) {
    std::lock_guard lock(SimulatorMutex());
    Memory& m = TheMemory();
    SimState state = ReadState();
    change(state);
    m.state = state;
    const std::string path = ReadEnv(kStateVariable);
    if (path.empty())
        return;
    // One line: a loaded 3D LUT is some 15000 numbers, rewritten after every change.
    std::string text = StateToJson(state).dump() + "\n";
    WriteTextReplacing(path, text);
    m.statePath = path;
    m.stateText = text;
    m.stateLoaded = true;
}

bool IsMissing(const std::string& call) {
    try {
        for (const Fault& fault : CurrentScenario()->faults)
            if (fault.missing && fault.call == call)
                return true;
    } catch (...) {
    }
    return false;
}

namespace {

// Counts belong to the faults as written; any change to the faults starts them again.
void MatchCounts(SimState& state, const Scenario& scenario) {
    const std::size_t n = scenario.faults.size();
    if (state.faultSignature != scenario.faultSignature || state.faultCounts.size() != n ||
        state.faultFired.size() != n) {
        state.faultSignature = scenario.faultSignature;
        state.faultCounts.assign(n, 0);
        state.faultFired.assign(n, 0);
    }
}

nlohmann::json FaultFields(std::size_t index, int fired) {
    return {{"fault", true}, {"faultIndex", index}, {"faultFired", fired}};
}

} // namespace

bool AnswerMissing(const char* sim, const char* call, std::optional<int64_t> result) {
    std::lock_guard lock(SimulatorMutex());
    std::shared_ptr<const Scenario> scenario;
    try {
        scenario = CurrentScenario();
    } catch (...) {
        return false; // an unreadable scenario removes nothing
    }
    const std::vector<Fault>& faults = scenario->faults;
    std::size_t index = faults.size();
    for (std::size_t i = 0; i < faults.size() && index == faults.size(); ++i)
        if (faults[i].missing && faults[i].call == call)
            index = i;
    if (index == faults.size())
        return false;
    int fired = 0;
    try {
        UpdateState([&](SimState& state) {
            MatchCounts(state, *scenario);
            fired = ++state.faultFired[index];
        });
        nlohmann::json entry = {
            {"sim", sim}, {"call", call}, {"args", nlohmann::json::object()}, {"missing", true}};
        entry.update(FaultFields(index, fired));
        entry["result"] = result ? nlohmann::json(*result) : nlohmann::json(nullptr);
        AppendJournal(ReadEnv(kJournalVariable), entry);
    } catch (...) {
        // The entry stays missing even when its firing cannot be recorded.
    }
    return true;
}

void ResetSimulatorMemory() {
    std::lock_guard lock(SimulatorMutex());
    TheMemory() = Memory();
}

// An unreadable scenario or state fails the call (the caller's handler journals why): taking
// it for "no fault" would let a test that expects a failure pass.
std::optional<FaultHit> CallRecord::InjectedFault() {
    std::shared_ptr<const Scenario> scenario = CurrentScenario();
    const std::vector<Fault>& faults = scenario->faults;
    bool matches = false;
    for (const Fault& fault : faults)
        matches = matches || (!fault.missing && FaultMatches(fault, m_call, args));
    if (!matches)
        return std::nullopt;

    std::optional<FaultHit> hit;
    UpdateState([&](SimState& state) {
        MatchCounts(state, *scenario);
        for (std::size_t i = 0; i < faults.size(); ++i) {
            const Fault& fault = faults[i];
            if (fault.missing || !FaultMatches(fault, m_call, args))
                continue;
            int count = ++state.faultCounts[i];
            if (!hit && FaultFiresOn(fault, count)) {
                hit = FaultHit{fault.result, fault.error, fault.throws};
                m_faultIndex = i;
                m_faultFired = ++state.faultFired[i];
            }
        }
    });
    m_injected = hit.has_value();
    return hit;
}

void CallRecord::Finish(std::optional<int64_t> result) {
    if (m_finished)
        return;
    m_finished = true;
    try {
        nlohmann::json entry = {{"sim", m_sim}, {"call", m_call}, {"args", args}};
        entry["result"] = result ? nlohmann::json(*result) : nlohmann::json(nullptr);
        if (m_injected)
            entry.update(FaultFields(m_faultIndex, m_faultFired));
        for (const auto& item : extra.items())
            entry[item.key()] = item.value();
        AppendJournal(ReadEnv(kJournalVariable), entry);
    } catch (...) {
    }
}

} // namespace varnet::sim
