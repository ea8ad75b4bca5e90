// The panel ID, fetched once per process and kept until the library is unloaded.
#pragma once

#include <cstddef>

namespace varnet {

class CGraphics;

namespace PanelIdCache {

// True once a non-empty panel ID is held; it never changes after that.
bool Filled();
// The held ID ("" while empty); the text stays valid and unchanged for the process's life.
const char* Get();
// Asks the back-end for its panel ID and keeps a non-empty answer, if nothing is held yet.
void FillFrom(CGraphics& backend);
// Length in bytes of the held ID.
std::size_t Length();

// Forgets the held ID, as an unload and reload of the library would. Tests only.
void ResetForTesting();

} // namespace PanelIdCache
} // namespace varnet
