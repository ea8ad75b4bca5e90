// varnet apply: applies a colour mode and shows what reached the driver, call by call, from the
// simulators' journal.
#include "commands.h"

#include "common/journal.h"
#include "report_stream.h"
#include "varnet/varnet.h"

namespace varnet::tool {

namespace {

// The journal's record of one call, without the bulky sample arrays.
std::string Describe(const nlohmann::json& entry) {
    std::string text = entry.value("call", "?");
    if (entry.contains("args") && !entry["args"].empty()) {
        text += " " + entry["args"].dump();
    }
    if (entry.contains("result")) {
        text += " -> " + entry["result"].dump();
    }
    return text;
}

} // namespace

int RunApply(const ApplyOptions& apply, const std::string& journal) {
    std::FILE* out = Report();
    const std::size_t before = journal.empty() ? 0 : sim::ReadJournal(journal).size();
    SetColorMode(apply.mode, apply.whitePoint, apply.use3DLutFiles, apply.gammaLevel);
    std::fprintf(out, "SetColorMode(%d, white point %d, %s, gamma level %d)\n", apply.mode,
                 apply.whitePoint, apply.use3DLutFiles ? "3D LUT files" : "plain files",
                 apply.gammaLevel);
    if (journal.empty()) {
        std::fprintf(out, "Applied. The library reports no outcome; use --simulated to see the "
                          "driver calls.\n");
        return 0;
    }
    const auto entries = sim::ReadJournal(journal);
    std::fprintf(out, "What reached the driver:\n");
    for (std::size_t i = before; i < entries.size(); ++i) {
        std::fprintf(out, "  %s: %s\n", entries[i].value("sim", "?").c_str(),
                     Describe(entries[i]).c_str());
    }
    return 0;
}

} // namespace varnet::tool
