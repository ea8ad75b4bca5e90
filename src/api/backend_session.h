// One exported call's pair of back-ends: the Control Library back-end if its run time starts,
// else the CUI back-end, whether or not that one starts. Lives on the call's stack.
#pragma once

#include "backend/cintel_graphic.h"
#include "igcl/cintel_graphic_igcl.h"

namespace varnet {

class BackendSession {
public:
    BackendSession();
    BackendSession(const BackendSession&) = delete;
    BackendSession& operator=(const BackendSession&) = delete;
    ~BackendSession() = default; // IGCL first (closes the run time), then CUI

    CGraphics& Active() { return *active_; }
    bool UsesIgcl() const { return active_ == &igcl_; }
    CIntelGraphic& Cui() { return cui_; }
    CIntelGraphicIGCL& Igcl() { return igcl_; }

    // Fills PanelIdCache from the active back-end if it is still empty.
    void FillPanelIdCache();

private:
    // Resets GammaScale and GammaMax before either back-end exists.
    struct GammaReset {
        GammaReset();
    };

    // Declaration order is construction order; destruction runs the other way.
    GammaReset gammaReset_;
    CIntelGraphic cui_;
    CIntelGraphicIGCL igcl_;
    CGraphics* active_ = nullptr;
};

} // namespace varnet
