// varnet state: what the simulated driver holds now, as the simulators keep it between calls.
#include "commands.h"
#include "common/driver_state_summary.h"
#include "report_stream.h"

namespace varnet::tool {

int RunState(const std::string& statePath, const std::string& scenarioPath) {
    if (statePath.empty()) {
        std::fprintf(Report(), "The driver state is known for the simulated laptop only "
                               "(add --simulated).\n");
        return 1;
    }
    try {
        const nlohmann::json state = sim::DescribeDriverState(statePath, scenarioPath);
        const nlohmann::json document = JsonOutput() ? nlohmann::json{{"state", state}} : state;
        std::fprintf(Report(), "%s\n", document.dump(2).c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "varnet: %s\n", e.what());
        return 2;
    }
}

} // namespace varnet::tool
