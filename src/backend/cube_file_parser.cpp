#include "backend/cube_file_parser.h"

#include <charconv>
#include <cmath>

#include "backend/packed_3d_lut.h"

namespace varnet {

namespace {

// The white space of the C locale, which is what "%f %f %f" skips.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A decimal number with an optional sign and exponent. Returns false for anything else,
// including a number followed by other characters. Magnitudes beyond double's range come back
// as infinity (and are refused later), those below it as 0.
bool ParseNumber(std::string_view text, double& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars takes a '-' of its own; one sign is all a number may have.
    if (text.empty() || text.front() == '+' || text.front() == '-') {
        return false;
    }
    double parsed = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, parsed);
    if (stop != end) {
        return false;
    }
    if (error == std::errc::result_out_of_range) {
        // In a token of at most 64 characters only the exponent can leave the range: a
        // negative one underflows, a positive one overflows.
        const std::size_t e = text.find_first_of("eE");
        parsed =
            e != std::string_view::npos && text.substr(e + 1).starts_with('-') ? 0.0 : HUGE_VAL;
    } else if (error != std::errc()) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

} // namespace

void CubeFileParser::Feed(std::string_view bytes) {
    for (const char c : bytes) {
        if (m_status != CubeStatus::kOk) {
            return;
        }
        if (IsBlank(c)) {
            EndToken();
        } else if (m_tokenLength < kCubeMaxTokenLength) {
            m_token[m_tokenLength++] = c;
        } else {
            m_tokenTooLong = true;
        }
    }
}

void CubeFileParser::Fail(CubeStatus status) {
    if (m_status == CubeStatus::kOk) {
        m_status = status;
    }
}

void CubeFileParser::EndToken() {
    if (m_tokenLength == 0) {
        return;
    }
    const std::string_view token(m_token, m_tokenLength);
    m_tokenLength = 0;
    double value = 0.0;
    if (m_tokenTooLong || !ParseNumber(token, value)) {
        Fail(CubeStatus::kNotANumber);
        return;
    }
    // Read in single precision, as "%f" stores it (1023.99999999 is 1024.0f). Conversions of
    // values beyond the target's range (or NaN) are undefined, hence the limits before each.
    if (!(std::fabs(value) < 4294967296.0)) {
        Fail(CubeStatus::kOutOfRange);
        return;
    }
    const auto single = static_cast<double>(static_cast<float>(value));
    if (!(single > -2147483649.0 && single < 2147483648.0)) {
        Fail(CubeStatus::kOutOfRange);
        return;
    }
    if (m_numbers == kCubeNumberCount) {
        Fail(CubeStatus::kTooManyNumbers);
        return;
    }
    if (m_observer != nullptr && !(single > -1.0 && single < 1024.0)) {
        m_observer->Note({ValueIssue::kWrapped, m_numbers + 1, token, single});
    }
    // The low 10 bits of the two's complement integer: -1 is 1023.
    m_triple[m_numbers % 3] = static_cast<uint32_t>(static_cast<int32_t>(single)) & kLutCodeMask;
    ++m_numbers;
    if (m_numbers % 3 == 0) {
        const std::size_t k = m_numbers / 3 - 1;
        const std::size_t r = k % kLutGridPoints;
        const std::size_t g = (k / kLutGridPoints) % kLutGridPoints;
        const std::size_t b = k / (kLutGridPoints * kLutGridPoints);
        m_codes.words[LutIndex(r, g, b)] = PackLutWord(0, {m_triple[0], m_triple[1], m_triple[2]});
    }
}

CubeStatus CubeFileParser::Finish(Packed3DLut& table) {
    if (m_status == CubeStatus::kOk) {
        EndToken();
    }
    if (m_status == CubeStatus::kOk && m_numbers < kCubeNumberCount) {
        m_status = CubeStatus::kTooFewNumbers;
    }
    if (m_status != CubeStatus::kOk) {
        return m_status;
    }
    for (std::size_t i = 0; i < kPacked3DLutWords; ++i) {
        table.words[i] = (table.words[i] & kLutKeptBitsMask) | m_codes.words[i];
    }
    return CubeStatus::kOk;
}

CubeStatus ParseCubeText(std::string_view text, Packed3DLut& table) {
    CubeFileParser parser;
    parser.Feed(text);
    return parser.Finish(table);
}

const char* CubeStatusText(CubeStatus status) {
    switch (status) {
    case CubeStatus::kOk:
        return "ok";
    case CubeStatus::kTooFewNumbers:
        return "fewer than 4913 triples";
    case CubeStatus::kTooManyNumbers:
        return "more than 4913 triples";
    case CubeStatus::kNotANumber:
        return "text that is not a number";
    case CubeStatus::kOutOfRange:
        return "a number out of range";
    }
    return "unknown";
}

} // namespace varnet
