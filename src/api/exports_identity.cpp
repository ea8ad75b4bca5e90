// IsIntelGPU and GetEDID: the two exports that need nothing but the session.
#include <cstdint>
#include <cstring>

#include "api/backend_session.h"
#include "api/panel_id_cache.h"
#include "varnet/varnet.h"

namespace {
constexpr std::size_t kEdidBufferSize = 255;
} // namespace

extern "C" bool IsIntelGPU(void) {
    varnet::BackendSession session;
    return true;
}

extern "C" int32_t GetEDID(char* buffer) {
    if (!varnet::PanelIdCache::Filled()) {
        varnet::BackendSession session;
        session.FillPanelIdCache();
    }
    // A null buffer is refused rather than written through.
    if (buffer == nullptr) {
        return 0;
    }
    const char* id = varnet::PanelIdCache::Get();
    const std::size_t length = std::strlen(id);
    const std::size_t copied = length < kEdidBufferSize - 1 ? length : kEdidBufferSize - 1;
    std::memcpy(buffer, id, copied);
    buffer[copied] = '\0';
    return static_cast<int32_t>(length);
}
