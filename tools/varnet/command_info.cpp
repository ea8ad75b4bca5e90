// varnet info: which back-end answers, the panel ID, the driver version where known, LACE.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "api/backend_session.h"
#include "commands.h"
#include "debug_output.h"
#include "report_stream.h"

namespace varnet::tool {

namespace {

void PrintDriverVersion(BackendSession& session) {
    if (session.UsesIgcl()) {
        std::fprintf(Report(), "%-16s%s\n", "Driver version",
                     "not reported by the Control Library");
        return;
    }
    const uint32_t version = session.Cui().DriverVersion();
    if (version == 0) {
        std::fprintf(Report(), "%-16s%s\n", "Driver version", "unknown");
    } else {
        // The back-end keeps the last two components as third * 10000 + fourth.
        std::fprintf(Report(), "%-16s*.*.%u.%u (%u)\n", "Driver version", version / 10000,
                     version % 10000, version);
    }
}

nlohmann::json InfoJson(BackendSession& session) {
    const char* panelId = session.Active().GetPannelModelName();
    const uint32_t version = session.UsesIgcl() ? 0 : session.Cui().DriverVersion();
    const Bool lace = session.Active().IsLACESupport();
    return {{"backend", session.UsesIgcl() ? "igcl" : "cui"},
            {"panel_id",
             panelId != nullptr && panelId[0] != '\0' ? nlohmann::json(panelId) : nlohmann::json()},
            {"driver_version", version == 0 ? nlohmann::json() : nlohmann::json(version)},
            {"lace", lace == 1},
            {"lace_answer", lace}};
}

int PrintInfo(BackendSession& session) {
    const bool cuiUp = !session.UsesIgcl() && session.Cui().Connected();
    if (JsonOutput()) {
        const bool up = session.UsesIgcl() || cuiUp;
        std::fprintf(
            Report(), "%s\n",
            (up ? InfoJson(session) : nlohmann::json{{"backend", nullptr}}).dump(2).c_str());
        return up ? 0 : 2;
    }
    if (!session.UsesIgcl() && !cuiUp) {
        std::fprintf(
            Report(),
            "No Intel graphics driver answered: the Control Library run time did not start "
            "and the CUI SDK object \"IgfxExt.CUIExternal\" could not be created.\n");
        return 2;
    }
    std::fprintf(Report(), "%-16s%s\n", "Back-end",
                 session.UsesIgcl() ? "Control Library (IGCL)" : "CUI SDK (IgfxExt.CUIExternal)");
    const char* panelId =
        Noted("GetPannelModelName", [&] { return session.Active().GetPannelModelName(); });
    std::fprintf(Report(), "%-16s%s\n", "Panel ID",
                 panelId != nullptr && panelId[0] != '\0' ? panelId : "(not identified)");
    PrintDriverVersion(session);
    NoteDebugTexts("DriverVersion");
    const Bool lace = Noted("IsLACESupport", [&] { return session.Active().IsLACESupport(); });
    std::fprintf(Report(), "%-16s%s", "LACE", lace == 1 ? "supported" : "not supported");
    if (lace != 0 && lace != 1) {
        std::fprintf(Report(), " (driver answered %d)", lace);
    }
    std::fprintf(Report(), "\n");
    return 0;
}

} // namespace

int RunInfo() {
    int status = 0;
    {
        // Opening and closing the session are the library's too: both may talk to the debugger.
        BackendSession session;
        NoteDebugTexts("InitLib (IGCL, then CUI if it fails)");
        status = PrintInfo(session);
    }
    NoteDebugTexts("closing the back-ends");
    if (!JsonOutput()) {
        ShowDebugTexts("What the library told the debugger", true);
    }
    return status;
}

} // namespace varnet::tool
