// libFuzzer target: any bytes as a .cube file, whole and cut into pieces at the first byte's
// stride. Both readings must agree, and a refused file must leave the table untouched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "backend/cube_file_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t stride = data[0] % 16 + 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    static varnet::Packed3DLut whole;
    static varnet::Packed3DLut pieces;
    for (std::size_t i = 0; i < varnet::kPacked3DLutWords; ++i) {
        whole.words[i] = pieces.words[i] = static_cast<uint32_t>(i * 2654435761u);
    }
    const varnet::CubeStatus status = varnet::ParseCubeText(text, whole);

    varnet::CubeFileParser parser;
    for (std::size_t at = 0; at < text.size(); at += stride) {
        parser.Feed(text.substr(at, stride));
    }
    if (parser.Finish(pieces) != status || std::memcmp(&whole, &pieces, sizeof whole) != 0) {
        std::abort();
    }
    if (status != varnet::CubeStatus::kOk) {
        for (std::size_t i = 0; i < varnet::kPacked3DLutWords; ++i) {
            if (whole.words[i] != static_cast<uint32_t>(i * 2654435761u)) {
                std::abort();
            }
        }
    }
    return 0;
}
