#include "debug_output.h"

#include <cctype>
#include <cstdio>
#include <utility>

#include "commands.h"
#include "report_stream.h"

namespace varnet::tool {

namespace {

struct CallTexts {
    std::string call; // empty: sent outside any noted call
    std::vector<std::string> texts;
};

std::vector<CallTexts>& Filed() {
    static std::vector<CallTexts> filed;
    return filed;
}

// The text with every number (decimal or 0x...) as '#': the EDID dump sends one text per byte,
// and a run of texts alike but for their numbers reads best as its first.
std::string Shape(const std::string& text) {
    std::string shape;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
            while (i + 1 < text.size() && std::isalnum(static_cast<unsigned char>(text[i + 1]))) {
                ++i;
            }
            shape += '#';
        } else {
            shape += text[i];
        }
    }
    return shape;
}

void PrintTexts(std::FILE* out, const char* indent, const std::vector<std::string>& texts) {
    std::size_t alike = 0;
    auto endRun = [&] {
        if (alike > 0) {
            std::fprintf(out, "%s  ... and %zu more like it\n", indent, alike);
        }
        alike = 0;
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0 && Shape(texts[i]) == Shape(texts[i - 1])) {
            ++alike;
            continue;
        }
        endRun();
        std::fprintf(out, "%s| %s\n", indent, texts[i].c_str());
    }
    endRun();
}

} // namespace

void NoteDebugTexts(const std::string& call) {
    if (!DebugOutputStarted()) {
        return;
    }
    std::vector<std::string> texts = TakeDebugTexts();
    if (texts.empty()) {
        return;
    }
    std::vector<CallTexts>& filed = Filed();
    if (!filed.empty() && filed.back().call == call) {
        filed.back().texts.insert(filed.back().texts.end(), texts.begin(), texts.end());
    } else {
        filed.push_back({call, std::move(texts)});
    }
}

void ShowDebugTexts(const char* heading, bool alwaysHeading) {
    if (!DebugOutputStarted()) {
        return;
    }
    NoteDebugTexts("");
    // A JSON document on the report stream must stay one document.
    std::FILE* out = JsonOutput() ? stderr : Report();
    std::vector<CallTexts> filed;
    filed.swap(Filed());
    if (filed.empty()) {
        if (alwaysHeading) {
            std::fprintf(out, "%s: none\n", heading);
        }
        return;
    }
    std::fprintf(out, "%s:\n", heading);
    for (const CallTexts& group : filed) {
        if (group.call.empty()) {
            PrintTexts(out, "  ", group.texts);
        } else {
            std::fprintf(out, "  %s:\n", group.call.c_str());
            PrintTexts(out, "    ", group.texts);
        }
    }
    std::fflush(out);
}

} // namespace varnet::tool
