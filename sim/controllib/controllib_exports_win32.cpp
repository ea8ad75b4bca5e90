// ControlLib.dll's exports. The .def file gives them the API's names; here they carry their own,
// so that nothing in this module is called ctlInit but the export. A DLL cannot drop an export
// at run time, so an entry the scenario marks missing answers as the library's loader does for
// an absent one: CTL_RESULT_ERROR_NOT_INITIALIZED.
#include "common/sim_context.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

using namespace varnet::sim;
using namespace varnet::sim::controllib;

#define VARNET_SIM_EXPORT(api, function, params, args)                                             \
    extern "C" ctl_result_t Sim_##api params {                                                     \
        try {                                                                                      \
            if (AnswerMissing(kSimName, #api, CTL_RESULT_ERROR_NOT_INITIALIZED))                   \
                return CTL_RESULT_ERROR_NOT_INITIALIZED;                                           \
        } catch (...) {                                                                            \
        }                                                                                          \
        return function args;                                                                      \
    }
VARNET_SIM_CONTROLLIB_CALLS(VARNET_SIM_EXPORT)
#undef VARNET_SIM_EXPORT
