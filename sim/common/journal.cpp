#include "common/journal.h"

#include <fstream>
#include <stdexcept>

namespace varnet::sim {

void AppendJournal(const std::string& path, const nlohmann::json& entry) {
    if (path.empty())
        return;
    try {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << entry.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } catch (...) {
        // A journal that cannot be written must not change what the driver answers.
    }
}

std::vector<nlohmann::json> ReadJournal(const std::string& path) {
    std::vector<nlohmann::json> entries;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::size_t number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        try {
            entries.push_back(nlohmann::json::parse(line));
        } catch (const nlohmann::json::exception& e) {
            throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    return entries;
}

void ClearJournal(const std::string& path) {
    std::ofstream(path, std::ios::binary | std::ios::trunc);
}

namespace {

bool IsCall(const nlohmann::json& entry) {
    return !entry.value("missing", false);
}

} // namespace

std::vector<nlohmann::json> CallsNamed(const std::vector<nlohmann::json>& journal,
                                       const std::string& call) {
    std::vector<nlohmann::json> calls;
    for (const nlohmann::json& entry : journal)
        if (IsCall(entry) && entry.value("call", "") == call)
            calls.push_back(entry);
    return calls;
}

std::size_t CountCalls(const std::vector<nlohmann::json>& journal, const std::string& call) {
    return CallsNamed(journal, call).size();
}

std::vector<std::string> CallNames(const std::vector<nlohmann::json>& journal) {
    std::vector<std::string> names;
    for (const nlohmann::json& entry : journal)
        if (IsCall(entry))
            names.push_back(entry.value("call", ""));
    return names;
}

std::size_t TimesFired(const std::vector<nlohmann::json>& journal, std::size_t faultIndex) {
    std::size_t times = 0;
    for (const nlohmann::json& entry : journal) {
        const auto index = entry.find("faultIndex");
        if (index != entry.end() && index->is_number_unsigned() &&
            index->get<std::size_t>() == faultIndex)
            ++times;
    }
    return times;
}

std::vector<std::size_t> UnfiredFaults(const std::vector<nlohmann::json>& journal,
                                       std::size_t faultCount) {
    std::vector<std::size_t> unfired;
    for (std::size_t i = 0; i < faultCount; ++i)
        if (TimesFired(journal, i) == 0)
            unfired.push_back(i);
    return unfired;
}

} // namespace varnet::sim
