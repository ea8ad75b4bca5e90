// The .cube files of the CUI back-end: exactly 4913 triples of 10-bit output codes, red index
// fastest, separated by white space, and nothing else. The parser takes the file in pieces of
// any size, so the reader needs no buffer for the whole file and the fuzzer can cut anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "backend/graphics_types.h"
#include "config/value_notes.h"

namespace varnet {

inline constexpr std::size_t kCubeNumberCount = kPacked3DLutWords * 3;
// Longer runs of non-blank characters are refused rather than buffered.
inline constexpr std::size_t kCubeMaxTokenLength = 64;

enum class CubeStatus {
    kOk,
    kTooFewNumbers,  // empty, short, or a last triple left incomplete
    kTooManyNumbers, // a number after the 4913th triple
    kNotANumber,     // a header, a comment, a separator other than white space...
    kOutOfRange,     // infinite, NaN, or beyond the 32-bit integer range once truncated
};

// Words of the file: a number is read as a float (as "%f" reads it), truncated toward zero, and
// only its low 10 bits kept, so 1023.9 gives 1023, 1024 gives 0 and -1 gives 1023. Triple k
// belongs to grid point r = k mod 17, g = (k div 17) mod 17, b = k div 289.
class CubeFileParser {
public:
    void Feed(std::string_view bytes);
    // Ends the file. Only when it was well formed are the codes written into table, each word
    // keeping its bits 30 and 31; otherwise table is left untouched.
    CubeStatus Finish(Packed3DLut& table);

    // Numbers accepted so far.
    std::size_t NumberCount() const { return m_numbers; }
    // Hears of every number outside 0..1023, which keeps only its low 10 bits.
    void SetObserver(ValueObserver* observer) { m_observer = observer; }

private:
    void EndToken();
    void Fail(CubeStatus status);

    Packed3DLut m_codes;       // bits 30 and 31 stay 0 here
    uint32_t m_triple[3] = {}; // codes of the triple being read
    char m_token[kCubeMaxTokenLength] = {};
    std::size_t m_tokenLength = 0;
    bool m_tokenTooLong = false;
    std::size_t m_numbers = 0;
    CubeStatus m_status = CubeStatus::kOk;
    ValueObserver* m_observer = nullptr;
};

// The whole text at once.
CubeStatus ParseCubeText(std::string_view text, Packed3DLut& table);

// A short English name of a status, for diagnostics.
const char* CubeStatusText(CubeStatus status);

} // namespace varnet
