// The capability queries: what the panel and its driver support.
#include "api/backend_session.h"
#include "varnet/varnet.h"

extern "C" bool IsDisplayLACESupport(void) {
    varnet::BackendSession session;
    // Only exactly 1 counts: the CUI driver reports other non-zero values that mean "no".
    return session.Active().IsLACESupport() == 1;
}
