// varnet apply: applies a colour mode and shows what reached the driver, call by call, from the
// simulators' journal.
#include <filesystem>

#include "api/panel_id_cache.h"
#include "commands.h"
#include "common/journal.h"
#include "config/color_mode_readers.h"
#include "debug_output.h"
#include "report_stream.h"
#include "tool_environment.h"
#include "varnet/varnet.h"

namespace varnet::tool {

namespace {

// A 768-entry ramp as five levels of each channel, and whether it is the straight line.
nlohmann::json SummariseRamp(const nlohmann::json& ramp) {
    if (!ramp.is_array() || ramp.size() != 768) {
        return ramp;
    }
    bool straight = true;
    for (std::size_t k = 0; k < ramp.size(); ++k) {
        straight = straight && ramp[k] == (k % 256) * 257;
    }
    nlohmann::json levels;
    const char* const channels[] = {"red", "green", "blue"};
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t level : {0, 64, 128, 192, 255}) {
            levels[channels[c]].push_back(ramp[c * 256 + level]);
        }
    }
    return {{"straight", straight}, {"levels 0/64/128/192/255", levels}};
}

// The journal's record of one call, with a ramp cut down to a few levels.
std::string Describe(const nlohmann::json& entry) {
    std::string text = entry.value("call", "?");
    if (entry.contains("args") && !entry["args"].empty()) {
        nlohmann::json args = entry["args"];
        if (args.contains("ramp")) {
            args["ramp"] = SummariseRamp(args["ramp"]);
        }
        text += " " + args.dump();
    }
    if (entry.contains("result")) {
        text += " -> " + entry["result"].dump();
    }
    return text;
}

// The library says nothing when the .cube file a mode names is missing (it just loads no
// table), which is the mistake engineers most often look for here; so the tool says it, as itself.
void NoteMissingCube(const ApplyOptions& apply) {
    if (!PanelIdCache::Filled()) {
        return;
    }
    ColorModeSetting setting;
    InitColorModeSetting(setting);
    if (!ReadColorModeSetting(setting, PanelIdCache::Get(), apply.mode, apply.use3DLutFiles) ||
        setting.lut3dMode != kLut3dModeCubeFile || setting.cubeName.empty()) {
        return;
    }
    const std::string path = "C:\\ProgramData\\ColorMode\\" + setting.cubeName + ".cube";
    std::error_code error;
    if (!std::filesystem::exists(LocalPath(path), error)) {
        std::fprintf(Report(),
                     "  varnet (not the library): %s does not exist; no 3D LUT is loaded from "
                     "it, and the library sends no text about a missing .cube file\n",
                     path.c_str());
    }
}

} // namespace

int RunApply(const ApplyOptions& apply, const std::string& journal) {
    std::FILE* out = Report();
    const std::size_t before = journal.empty() ? 0 : sim::ReadJournal(journal).size();
    const std::string call = "SetColorMode(" + std::to_string(apply.mode) + ", " +
                             std::to_string(apply.whitePoint) + ", " +
                             (apply.use3DLutFiles ? "true" : "false") + ", " +
                             std::to_string(apply.gammaLevel) + ")";
    Noted(call, [&] {
        return SetColorMode(apply.mode, apply.whitePoint, apply.use3DLutFiles, apply.gammaLevel);
    });
    if (JsonOutput()) {
        // Every call as the journal holds it, ramps whole: scripts want the data, not a summary.
        nlohmann::json calls = nlohmann::json::array();
        if (!journal.empty()) {
            const auto entries = sim::ReadJournal(journal);
            for (std::size_t i = before; i < entries.size(); ++i) {
                calls.push_back(entries[i]);
            }
        }
        const nlohmann::json document = {{"mode", apply.mode},
                                         {"white_point", apply.whitePoint},
                                         {"gamma_level", apply.gammaLevel},
                                         {"files", apply.use3DLutFiles ? "3dlut" : "plain"},
                                         {"calls", journal.empty() ? nlohmann::json() : calls}};
        std::fprintf(out, "%s\n", document.dump(2).c_str());
        return 0;
    }
    std::fprintf(out, "SetColorMode(%d, white point %d, %s, gamma level %d)\n", apply.mode,
                 apply.whitePoint, apply.use3DLutFiles ? "3D LUT files" : "plain files",
                 apply.gammaLevel);
    ShowDebugTexts("What the library told the debugger", true);
    if (DebugOutputStarted()) {
        NoteMissingCube(apply);
    }
    if (journal.empty()) {
        std::fprintf(out, "Applied. The library reports no outcome; use --simulated to see the "
                          "driver calls.\n");
        return 0;
    }
    const auto entries = sim::ReadJournal(journal);
    std::fprintf(out, "What reached the driver:\n");
    // A run of calls of one name, block and result (the CUI monitor search) is shown as its first.
    auto kind = [](const nlohmann::json& entry) {
        const nlohmann::json args = entry.value("args", nlohmann::json::object());
        return entry.value("call", "") + " " + args.value("guid", "") + " " +
               entry.value("result", nlohmann::json()).dump();
    };
    std::size_t alike = 0;
    auto endRun = [&] {
        if (alike > 0) {
            std::fprintf(out, "  ... and %zu more like it\n", alike);
        }
        alike = 0;
    };
    for (std::size_t i = before; i < entries.size(); ++i) {
        if (i > before && kind(entries[i]) == kind(entries[i - 1])) {
            ++alike;
            continue;
        }
        endRun();
        std::fprintf(out, "  %s: %s\n", entries[i].value("sim", "?").c_str(),
                     Describe(entries[i]).c_str());
    }
    endRun();
    return 0;
}

} // namespace varnet::tool
