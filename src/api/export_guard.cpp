#include "api/export_guard.h"

#include "api/backend_session.h"
#include "api/panel_id_cache.h"

namespace varnet {

std::string PanelIdForQuery() {
    if (!PanelIdCache::Filled()) {
        BackendSession session;
        session.FillPanelIdCache();
    }
    return PanelIdCache::Get();
}

} // namespace varnet
