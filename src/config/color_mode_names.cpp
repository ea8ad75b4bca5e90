#include "config/color_mode_names.h"

#include "platform/platform.h"

namespace varnet {

namespace {

struct ModeName {
    int32_t mode;
    const char* section;
};

// 7 to 9 are gaps: those modes were never offered on any panel.
constexpr ModeName kModeNames[] = {
    {1, "MODE_VIVID"},     {2, "MODE_STANDARD"},  {3, "MODE_MOVIE"},     {4, "MODE_EBOOK"},
    {5, "MODE_NATURAL"},   {6, "MODE_PRO"},       {10, "MODE_GAME_FPS"}, {11, "MODE_GAME_RTS"},
    {12, "MODE_GAME_AOS"}, {13, "MODE_GAME_RPG"},
};

} // namespace

const char* GetColorModeName(int32_t mode) {
    for (const ModeName& entry : kModeNames) {
        if (entry.mode == mode) {
            return entry.section;
        }
    }
    platform::OutputDebugString(kNotSupportSection);
    return kNotSupportSection;
}

} // namespace varnet
