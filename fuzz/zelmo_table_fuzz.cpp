// libFuzzer target: any text as an image-engine table of Zelmo.ini.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/color_mode_setting.h"
#include "config/zelmo_table_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    varnet::ColorModeSetting setting;
    varnet::InitColorModeSetting(setting);
    varnet::ApplyZelmoTable(value, setting);
    if (setting.zelmoCount > varnet::kZelmoTableEntries) {
        std::abort();
    }
    int32_t converted = 0;
    varnet::ConvertStrToInt(value, true, converted);
    return 0;
}
