#include "backend/cgraphics.h"

#include <cstdlib>

namespace varnet {

std::atomic<uint32_t> GammaScale{kGammaScaleDefault};
std::atomic<uint32_t> GammaMax{kGammaMaxDefault};

CGraphics::~CGraphics() {
    std::free(m_pSavedGammaRamp);
    m_pSavedGammaRamp = nullptr;
}

} // namespace varnet
