// varnet lace: local adaptive contrast enhancement, read or set through the active back-end.
#include <nlohmann/json.hpp>

#include "api/backend_session.h"
#include "commands.h"
#include "report_stream.h"

namespace varnet::tool {

int RunLace(const LaceOptions& lace) {
    std::FILE* out = Report();
    BackendSession session;
    CGraphics& backend = session.Active();
    if (backend.IsLACESupport() != 1) {
        if (JsonOutput()) {
            std::fprintf(out, "%s\n", nlohmann::json{{"supported", false}}.dump(2).c_str());
            return 1;
        }
        std::fprintf(out, "LACE is not supported by this display's driver.\n");
        return 1;
    }
    nlohmann::json document = {{"supported", true}};
    if (lace.set) {
        const Bool result = backend.SetLACE(lace.enable, lace.level);
        document["set"] = {{"enable", lace.enable}, {"level", lace.level}, {"result", result}};
        if (!JsonOutput()) {
            std::fprintf(out, "SetLACE(%u, %u) -> %d\n", lace.enable, lace.level, result);
        }
    }
    uint32_t enabled = 0;
    uint32_t second = 0;
    uint32_t level = 0;
    backend.GetLACE(&enabled, &second, &level);
    if (JsonOutput()) {
        document["enabled"] = enabled != 0;
        document["level"] = level;
        std::fprintf(out, "%s\n", document.dump(2).c_str());
        return 0;
    }
    std::fprintf(out, "%-10s%s\n%-10s%u\n", "LACE", enabled != 0 ? "on" : "off", "Level", level);
    return 0;
}

} // namespace varnet::tool
