// The .cube parser on its own: what a file holds and what a malformed one leaves behind. Cutting
// a file into pieces is left to the fuzzer, which compares every cut with the whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "backend/cube_file_parser.h"
#include "backend/packed_3d_lut.h"

namespace varnet {
namespace {

constexpr uint32_t kGuardWord = 0xDEADBEEF;

// Triple k is (r, g, b) x 60 of its own grid point, so every word says where it came from.
std::string GridFile(const char* separator = "\n", std::size_t triples = kPacked3DLutWords) {
    std::string text;
    for (std::size_t k = 0; k < triples; ++k) {
        text += std::to_string(k % 17 * 60) + " " + std::to_string(k / 17 % 17 * 60) + "\t" +
                std::to_string(k / 289 * 60) + separator;
    }
    return text;
}

TEST(CubeFileTest, RedIndexRunsFastestAndBits30And31AreKept) {
    for (const char* separator : {"\r\n", " "}) {
        Packed3DLut table;
        std::fill(std::begin(table.words), std::end(table.words), kGuardWord);
        ASSERT_EQ(ParseCubeText(GridFile(separator), table), CubeStatus::kOk);
        for (uint32_t r = 0; r < 17; ++r) {
            for (uint32_t g = 0; g < 17; ++g) {
                for (uint32_t b = 0; b < 17; ++b) {
                    ASSERT_EQ(table.words[LutIndex(r, g, b)],
                              PackLutWord(kGuardWord, {r * 60, g * 60, b * 60}));
                }
            }
        }
    }
}

TEST(CubeFileTest, NumbersAreTruncatedAndKeepTheirLow10Bits) {
    // The number as the red output of grid point (0, 0, 0), and the code it gives.
    const std::pair<const char*, uint32_t> cases[] = {
        {"1023.9", 1023},
        {"1024", 0},
        {"-1", 1023},
        {"1023.99999999", 0},
        {"+5", 5},
        {"1e2", 100},
        {"-0.5", 0},
        {"1e-400", 0},
        {"2047", 1023},
        {"-2147483648", 0},
        {"2147483520.0", 0x380},
    };
    for (const auto& [number, code] : cases) {
        SCOPED_TRACE(number);
        Packed3DLut table;
        ASSERT_EQ(ParseCubeText(number + GridFile().substr(1), table), CubeStatus::kOk);
        EXPECT_EQ(table.words[0], code << kLutRedShift);
    }
}

TEST(CubeFileTest, MalformedFilesAreRefusedAndLeaveTheTableAlone) {
    const std::string full = GridFile();
    const std::string rest = full.substr(1);
    const std::pair<std::string, CubeStatus> cases[] = {
        {"", CubeStatus::kTooFewNumbers},
        {GridFile("\n", kPacked3DLutWords - 1), CubeStatus::kTooFewNumbers},
        {full.substr(0, full.rfind(' ')), CubeStatus::kTooFewNumbers}, // last triple incomplete
        {full + "7\n", CubeStatus::kTooManyNumbers},
        {"TITLE \"warm\"\nLUT_3D_SIZE 17\n" + full, CubeStatus::kNotANumber},
        {full + "END", CubeStatus::kNotANumber},
        {"0,0,0\n" + full, CubeStatus::kNotANumber},
        {"+-1" + rest, CubeStatus::kNotANumber},
        {"0x10" + rest, CubeStatus::kNotANumber},
        {std::string("1\0", 2) + rest, CubeStatus::kNotANumber},
        {std::string(65, '1') + rest, CubeStatus::kNotANumber},
        {"2147483648" + rest, CubeStatus::kOutOfRange},
        {"1e400" + rest, CubeStatus::kOutOfRange},
        {"nan" + rest, CubeStatus::kOutOfRange},
    };
    for (const auto& [text, status] : cases) {
        SCOPED_TRACE(text.substr(0, 30));
        Packed3DLut table;
        std::fill(std::begin(table.words), std::end(table.words), kGuardWord);
        EXPECT_EQ(ParseCubeText(text, table), status) << CubeStatusText(status);
        for (const uint32_t w : table.words) {
            ASSERT_EQ(w, kGuardWord);
        }
    }
    // 64 characters are still one number.
    Packed3DLut table;
    EXPECT_EQ(ParseCubeText(std::string(63, '0') + "1" + rest, table), CubeStatus::kOk);
    EXPECT_EQ(table.words[0], 1u << kLutRedShift);
}

} // namespace
} // namespace varnet
