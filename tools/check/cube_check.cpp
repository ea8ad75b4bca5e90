#include "cube_check.h"

#include <fstream>
#include <string_view>

#include "backend/cube_file_parser.h"

namespace varnet::check {

namespace {

class WrapCounter : public ValueObserver {
public:
    void Note(const ValueNote& note) override {
        if (m_count++ == 0) {
            m_first = note;
            m_text = std::string(note.text);
            m_line = line;
        }
    }
    std::size_t line = 1;
    std::size_t m_count = 0;
    ValueNote m_first;
    std::string m_text;
    std::size_t m_line = 0;
};

// A keyword line opens the standard format; the library's files start with a number.
bool LooksStandard(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) {
        return false;
    }
    const char c = text[start];
    const bool opensWithWord = c == '#' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return opensWithWord && (text.find("LUT_3D_SIZE") != std::string_view::npos ||
                             text.find("LUT_1D_SIZE") != std::string_view::npos ||
                             text.find("TITLE") != std::string_view::npos ||
                             text.find("DOMAIN_M") != std::string_view::npos);
}

} // namespace

CubeVerdict CheckCubeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {false, "is missing"};
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return {false, "cannot be read"};
    }
    if (LooksStandard(text)) {
        return {false, "is a standard .cube (header, 0..1 floats): convert it with `varnet lut "
                       "import`"};
    }
    CubeFileParser parser;
    WrapCounter wraps;
    parser.SetObserver(&wraps);
    // Fed line by line, so that a wrapped code can name its line.
    std::size_t at = 0;
    Packed3DLut probe;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        parser.Feed(std::string_view(text).substr(at, end - at));
        at = end;
        ++wraps.line;
    }
    const std::size_t numbers = parser.NumberCount();
    const CubeStatus status = parser.Finish(probe);
    switch (status) {
    case CubeStatus::kOk:
        break;
    case CubeStatus::kTooFewNumbers:
        return {false, "is short: " + std::to_string(numbers) +
                           " numbers, not 14739 (4913 triples); the library refuses it"};
    case CubeStatus::kTooManyNumbers:
        return {false, "holds more than 4913 triples; the library refuses it"};
    case CubeStatus::kNotANumber:
    case CubeStatus::kOutOfRange:
        return {false, std::string("holds ") + CubeStatusText(status) + " after " +
                           std::to_string(numbers) + " numbers; the library refuses it"};
    }
    if (wraps.m_count > 0) {
        return {false,
                "line " + std::to_string(wraps.m_line) + ": code \"" + wraps.m_text +
                    "\" is outside 0..1023 and keeps only its low 10 bits" +
                    (wraps.m_count > 1 ? " (and " + std::to_string(wraps.m_count - 1) + " more)"
                                       : std::string())};
    }
    return {};
}

} // namespace varnet::check
