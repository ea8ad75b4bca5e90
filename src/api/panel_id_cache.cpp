#include "api/panel_id_cache.h"

#include <atomic>
#include <cstring>

#include "backend/cgraphics.h"

namespace varnet::PanelIdCache {

namespace {

// The ID is published once: the first filler takes the buffer (empty -> writing), copies, then
// marks it ready with release order, so a reader that sees "ready" sees the whole string and a
// reader that does not sees an empty one. No allocation, so nothing here can throw.
enum State : int { kEmpty, kWriting, kReady };
std::atomic<int> g_state{kEmpty};
char g_id[kPanelIdBufferSize] = {};

} // namespace

bool Filled() {
    return g_state.load(std::memory_order_acquire) == kReady;
}

const char* Get() {
    return Filled() ? g_id : "";
}

std::size_t Length() {
    return std::strlen(Get());
}

void FillFrom(CGraphics& backend) {
    if (Filled()) {
        return;
    }
    const char* id = backend.GetPannelModelName();
    if (id == nullptr || id[0] == '\0') {
        return;
    }
    int expected = kEmpty;
    if (!g_state.compare_exchange_strong(expected, kWriting, std::memory_order_acquire)) {
        return; // another thread is filling it, or has
    }
    std::memset(g_id, 0, sizeof g_id);
    std::strncpy(g_id, id, sizeof g_id - 1);
    g_state.store(kReady, std::memory_order_release);
}

void ResetForTesting() {
    g_state.store(kEmpty, std::memory_order_release);
    std::memset(g_id, 0, sizeof g_id);
}

} // namespace varnet::PanelIdCache
