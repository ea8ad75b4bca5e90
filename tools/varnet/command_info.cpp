// varnet info: which back-end answers, the panel ID, the driver version where known, LACE.
#include <cstdio>

#include "api/backend_session.h"
#include "commands.h"
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

} // namespace

int RunInfo() {
    BackendSession session;
    const bool cuiUp = !session.UsesIgcl() && session.Cui().Connected();
    if (!session.UsesIgcl() && !cuiUp) {
        std::fprintf(
            Report(),
            "No Intel graphics driver answered: the Control Library run time did not start "
            "and the CUI SDK object \"IgfxExt.CUIExternal\" could not be created.\n");
        return 2;
    }
    std::fprintf(Report(), "%-16s%s\n", "Back-end",
                 session.UsesIgcl() ? "Control Library (IGCL)" : "CUI SDK (IgfxExt.CUIExternal)");
    const char* panelId = session.Active().GetPannelModelName();
    std::fprintf(Report(), "%-16s%s\n", "Panel ID",
                 panelId != nullptr && panelId[0] != '\0' ? panelId : "(not identified)");
    PrintDriverVersion(session);
    const Bool lace = session.Active().IsLACESupport();
    std::fprintf(Report(), "%-16s%s", "LACE", lace == 1 ? "supported" : "not supported");
    if (lace != 0 && lace != 1) {
        std::fprintf(Report(), " (driver answered %d)", lace);
    }
    std::fprintf(Report(), "\n");
    return 0;
}

} // namespace varnet::tool
