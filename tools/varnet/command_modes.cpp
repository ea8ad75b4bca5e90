// varnet modes: every colour mode and option the panel's configuration offers, as the exports
// answer them.
#include <nlohmann/json.hpp>
#include <string>

#include "commands.h"
#include "debug_output.h"
#include "report_stream.h"
#include "varnet/varnet.h"

namespace varnet::tool {

namespace {

struct ModeName {
    int32_t mode;
    const char* name;
};
constexpr ModeName kModes[] = {
    {1, "vivid"}, {2, "standard"},  {3, "movie"},     {4, "e-book"},    {5, "natural"},
    {6, "pro"},   {10, "game FPS"}, {11, "game RTS"}, {12, "game AOS"}, {13, "game RPG"}};

const char* YesNo(bool answer) {
    return answer ? "yes" : "no";
}

int PrintModesJson() {
    char panelId[255] = {};
    const int32_t length = GetEDID(panelId);
    nlohmann::json modes = nlohmann::json::array();
    for (const ModeName& m : kModes) {
        modes.push_back({{"mode", m.mode},
                         {"name", m.name},
                         {"supported", IsColorModeSupport(m.mode)},
                         {"icc_profile", IsICCProfileSupport(m.mode, false)},
                         {"icc_profile_3dlut", IsICCProfileSupport(m.mode, true)}});
    }
    const nlohmann::json options = {{"dpst", IsDPSTSupport()},
                                    {"colour_tone", IsColortoneSupport()},
                                    {"qled_panel", IsQledDisplay()},
                                    {"amoled_panel", IsAmoledDisplay()},
                                    {"amoled_photo_mode", IsAmoledPhotoSupport()},
                                    {"lace", IsDisplayLACESupport()}};
    const nlohmann::json document = {
        {"panel_id", length > 0 ? nlohmann::json(panelId) : nlohmann::json()},
        {"modes", modes},
        {"options", options}};
    std::fprintf(Report(), "%s\n", document.dump(2).c_str());
    return 0;
}

} // namespace

int RunModes() {
    if (JsonOutput()) {
        return PrintModesJson();
    }
    std::FILE* out = Report();
    char panelId[255] = {};
    const int32_t length = Noted("GetEDID", [&] { return GetEDID(panelId); });
    std::fprintf(out, "Panel ID  %s\n\n",
                 length > 0 ? panelId : "(not identified: DEFAULT entries answer)");
    std::fprintf(out, "%-6s%-12s%-11s%-14s%s\n", "Mode", "Name", "Supported", "ICC profile",
                 "ICC (3D LUT files)");
    for (const ModeName& m : kModes) {
        const std::string n = std::to_string(m.mode);
        const bool supported =
            Noted("IsColorModeSupport(" + n + ")", [&] { return IsColorModeSupport(m.mode); });
        const bool icc = Noted("IsICCProfileSupport(" + n + ", plain files)",
                               [&] { return IsICCProfileSupport(m.mode, false); });
        const bool icc3d = Noted("IsICCProfileSupport(" + n + ", 3D LUT files)",
                                 [&] { return IsICCProfileSupport(m.mode, true); });
        std::fprintf(out, "%-6d%-12s%-11s%-14s%s\n", m.mode, m.name, YesNo(supported), YesNo(icc),
                     YesNo(icc3d));
    }
    struct Option {
        const char* label;
        const char* call;
        bool (*ask)();
    };
    const Option options[] = {
        {"DPST", "IsDPSTSupport", [] { return IsDPSTSupport(); }},
        {"Colour tone", "IsColortoneSupport", [] { return IsColortoneSupport(); }},
        {"QLED panel", "IsQledDisplay", [] { return IsQledDisplay(); }},
        {"AMOLED panel", "IsAmoledDisplay", [] { return IsAmoledDisplay(); }},
        {"AMOLED photo mode", "IsAmoledPhotoSupport", [] { return IsAmoledPhotoSupport(); }},
        {"LACE", "IsDisplayLACESupport", [] { return IsDisplayLACESupport(); }},
    };
    std::fprintf(out, "\n");
    for (const Option& o : options) {
        std::fprintf(out, "%-22s%s\n", o.label, YesNo(Noted(o.call, o.ask)));
    }
    ShowDebugTexts("\nWhat the library told the debugger", true);
    return 0;
}

} // namespace varnet::tool
