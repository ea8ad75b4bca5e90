// varnet dpst save FILE / restore FILE: the enhanced DPST pair, with the three saved integers
// (DPST on, level, enhanced value) kept in a small text file between the two.
#include <fstream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "report_stream.h"
#include "varnet/varnet.h"

namespace varnet::tool {

int RunDpstSave(const std::string& file) {
    EnhancedDpstSavedState saved = {};
    if (!SetLevelEnhancedDPST(&saved)) {
        std::fprintf(Report(), "SetLevelEnhancedDPST failed; nothing saved.\n");
        return 1;
    }
    std::ofstream out(file, std::ios::trunc);
    out << saved.values[0] << ' ' << saved.values[1] << ' ' << saved.values[2] << '\n';
    if (!out) {
        std::fprintf(stderr, "varnet: cannot write %s\n", file.c_str());
        return 2;
    }
    if (JsonOutput()) {
        const nlohmann::json document = {
            {"saved", {saved.values[0], saved.values[1], saved.values[2]}}, {"file", file}};
        std::fprintf(Report(), "%s\n", document.dump(2).c_str());
        return 0;
    }
    std::fprintf(
        Report(), "Enhanced DPST on (level 5). Saved: DPST %s, level %d, enhanced %d -> %s\n",
        saved.values[0] == 1 ? "on" : "off", saved.values[1], saved.values[2], file.c_str());
    return 0;
}

int RunDpstRestore(const std::string& file) {
    EnhancedDpstSavedState saved = {};
    std::ifstream in(file);
    if (!(in >> saved.values[0] >> saved.values[1] >> saved.values[2])) {
        std::fprintf(stderr, "varnet: %s does not hold three saved integers\n", file.c_str());
        return 2;
    }
    const bool restored = RestoreLevelEnhancedDPST(&saved);
    if (JsonOutput()) {
        const nlohmann::json document = {
            {"restored", restored},
            {"values", {saved.values[0], saved.values[1], saved.values[2]}}};
        std::fprintf(Report(), "%s\n", document.dump(2).c_str());
        return restored ? 0 : 1;
    }
    std::fprintf(Report(), "RestoreLevelEnhancedDPST(%d, %d, %d): %s\n", saved.values[0],
                 saved.values[1], saved.values[2], restored ? "restored" : "failed");
    return restored ? 0 : 1;
}

} // namespace varnet::tool
