#include "api/backend_session.h"

#include "api/panel_id_cache.h"

namespace varnet {

BackendSession::GammaReset::GammaReset() {
    GammaScale = kGammaScaleDefault;
    GammaMax = kGammaMaxDefault;
}

BackendSession::BackendSession() {
    if (igcl_.InitLib() != 0) {
        active_ = &igcl_;
        return;
    }
    // The CUI object is used even when it does not come up: its operations then fail one by one.
    cui_.InitLib();
    active_ = &cui_;
}

void BackendSession::FillPanelIdCache() {
    PanelIdCache::FillFrom(*active_);
}

} // namespace varnet
