// libFuzzer target: any text as a colour mode's parameter list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/color_mode_setting.h"
#include "config/parameter_list_parser.h"

namespace {

bool IsFlag(int32_t value) {
    return value == 0 || value == 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    varnet::ColorModeSetting setting;
    varnet::InitColorModeSetting(setting);
    varnet::ApplyParameterList(value, setting);
    if (setting.videoSwitch < 0 || setting.videoSwitch > 2 || !IsFlag(setting.iccProfile) ||
        !IsFlag(setting.noLut) || !IsFlag(setting.cubeNameValid) || setting.lutName.size() > size ||
        setting.cubeName.size() > size || setting.zelmoCount != 0) {
        std::abort();
    }
    return 0;
}
