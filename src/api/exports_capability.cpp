// The capability queries: what the panel and its driver support. All but the LACE query answer
// from the configuration files, keyed by the panel ID.
#include <memory>

#include "api/backend_session.h"
#include "api/export_guard.h"
#include "api/panel_id_cache.h"
#include "config/color_mode_readers.h"
#include "config/config_paths.h"
#include "config/support_lookup.h"
#include "varnet/varnet.h"

using varnet::GuardExport;
using varnet::PanelIdForQuery;

extern "C" bool IsColorModeSupport(int32_t mode) {
    return GuardExport(false,
                       [&] { return varnet::CheckColorModeSupport(PanelIdForQuery(), mode); });
}

extern "C" int32_t IsColorModeSupportArray(ColorModeQuery* entries, int32_t count) {
    if (count < 1 || entries == nullptr) {
        return 0;
    }
    int32_t supported = 0;
    for (int32_t i = 0; i < count; ++i) {
        const bool answer = IsColorModeSupport(entries[i].mode);
        entries[i].supported = answer ? 1 : 0;
        supported += answer ? 1 : 0;
    }
    return supported;
}

namespace {
bool OptionSupport(const char* section) {
    return GuardExport(false,
                       [&] { return varnet::CheckOptionSupport(PanelIdForQuery(), section); });
}
} // namespace

extern "C" bool IsDPSTSupport(void) {
    return OptionSupport("OPTION_DPST");
}
extern "C" bool IsColortoneSupport(void) {
    return OptionSupport("OPTION_COLORTONE");
}
extern "C" bool IsQledDisplay(void) {
    return OptionSupport("QLED_DISPLAY");
}
extern "C" bool IsAmoledDisplay(void) {
    return OptionSupport("AMOLED_DISPLAY");
}

extern "C" bool IsDisplayLACESupport(void) {
    return GuardExport(false, [] {
        varnet::BackendSession session;
        // Only exactly 1 counts: the CUI driver reports other non-zero values that mean "no".
        return session.Active().IsLACESupport() == 1;
    });
}

extern "C" bool IsAmoledPhotoSupport(void) {
    return GuardExport(false, [] {
        const std::string path = varnet::GetAmoledModeFilePath();
        if (path.empty()) {
            return false; // no file: no session, and the panel ID cache is left alone
        }
        varnet::BackendSession session;
        session.FillPanelIdCache();
        return varnet::IsAmoledPhotoListed(path, varnet::PanelIdCache::Get());
    });
}

extern "C" bool IsICCProfileSupport(int32_t mode, bool use3DLutFiles) {
    return GuardExport(false, [&] {
        const std::string panelId = PanelIdForQuery();
        auto setting = std::make_unique<varnet::ColorModeSetting>();
        varnet::InitColorModeSetting(*setting);
        varnet::ReadColorModeSetting(*setting, panelId, mode, use3DLutFiles);
        return setting->iccProfile == 1;
    });
}
