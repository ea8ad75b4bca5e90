// One corpus of INI files, one table of questions and answers. The Windows build asks the real
// reader (under Wine), which is the oracle; the host build asks the sandbox's reader, which must
// answer byte for byte the same, including what it leaves unwritten in the buffer.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#ifndef _WIN32
#include "platform/host/sandbox.h"
#endif

namespace varnet {
namespace {

using namespace std::string_literals;

constexpr unsigned char kGuard = 0xAA;

std::string Letters(size_t count) {
    std::string text(count, 'a');
    for (size_t i = 0; i < count; ++i) {
        text[i] = static_cast<char>('a' + i % 26);
    }
    return text;
}

struct CorpusFile {
    const char* name;
    std::string text;
};

std::vector<CorpusFile> Corpus() {
    return {
        {"basic.ini", "[Sec]\r\nKey=Value\r\nMixed Case = spaced value \t\r\n\tTabbed\t=\tv\t\r\n"
                      "empty=\r\nnoeq\r\n;comment=1\r\n  [ Spaced ]  \r\nk=1\r\n"},
        {"quotes.ini", "[q]\na=\"dq\"\nb='sq'\nc=\"mis'\nd=\"open\nf=\"\"\ng=\" in \"\n"
                       "h= \"sp\" \ni=\"a\"b\"\nj='\nl=\"x\" ;c\nm=\"abcdef\"\n"},
        {"dup.ini", "[A]\nk=1\nk=2\nj=3\n[B]\nk=b\n[a]\nk=4\nnew=5\n"},
        {"ends.ini", "[S]\r\na=1\nb=2\r\nc=3\rlast = end \t"},
        {"long.ini", "[L]\nv=" + Letters(1500) + "\nq=\"" + Letters(1022) + "\"\nw=short\n"},
        {"list.ini", "[First]\na=1\nbb=22\n[Second]\nccc=333\n[Third]\n"},
        {"keys.ini", "pre=0\n[S]\n=x\nb=2\n[T]\nb=2\n=x\n;c=3\n#h=4\n[ ]\ne=5\n[a]b] tail\nk=6\n"},
        {"empty.ini", ""},
    };
}

struct Case {
    const char* file;
    const char* section; // null: list the sections
    const char* key;     // null: list the keys
    const char* defaultValue;
    uint32_t size;
    uint32_t result;
    std::string written; // the bytes the reader writes; the rest of the buffer keeps the guard
};

std::vector<Case> Cases() {
    const char* D = "D";
    return {
        // Names: case, blanks around them and around '=', blanks trimmed from values.
        {"basic.ini", "Sec", "Key", "", 64, 5, "Value\0"s},
        {"basic.ini", "sec", "KEY", "", 64, 5, "Value\0"s},
        {"basic.ini", "SEC", "mixed case", "", 64, 12, "spaced value\0"s},
        {"basic.ini", "Sec", "Tabbed", "", 64, 1, "v\0"s},
        {"basic.ini", " Spaced ", "k", D, 64, 1, "1\0"s},
        {"basic.ini", "Sec", " Key ", D, 64, 5, "Value\0"s},
        // An empty value is an answer; a line without '=' is nothing; ';' is no comment.
        {"basic.ini", "Sec", "empty", D, 64, 0, "\0"s},
        {"basic.ini", "Sec", "noeq", D, 64, 1, "D\0"s},
        {"basic.ini", "Sec", ";comment", D, 64, 1, "1\0"s},
        // Defaults: trailing blanks (not tabs, not the first character) go, quotes go.
        {"basic.ini", "Sec", "Missing", "def  ", 64, 3, "def\0"s},
        {"basic.ini", "Sec", "Missing", "def\t", 64, 4, "def\t\0"s},
        {"basic.ini", "Sec", "Missing", "  ", 64, 1, " \0"s},
        {"basic.ini", "Sec", "Missing", "\"q\"", 64, 1, "q\0"s},
        {"basic.ini", "Sec", "Missing", nullptr, 64, 0, "\0"s},
        {"basic.ini", "Nope", "Key", "dflt", 64, 4, "dflt\0"s},
        {"basic.ini", "Sec", "Missing", "\"abcdef\"", 7, 5, "abcde\0"s},
        // Small buffers.
        {"basic.ini", "Sec", "Key", "", 0, 0, ""s},
        {"basic.ini", "Sec", "Key", "", 1, 0, "\0"s},
        {"basic.ini", "Sec", "Key", "", 2, 1, "V\0"s},
        {"basic.ini", "Sec", "Missing", "dflt", 2, 1, "d\0"s},
        // Quotes: only a matching pair around the whole trimmed value goes.
        {"quotes.ini", "q", "a", "", 64, 2, "dq\0"s},
        {"quotes.ini", "q", "b", "", 64, 2, "sq\0"s},
        {"quotes.ini", "q", "c", "", 64, 5, "\"mis'\0"s},
        {"quotes.ini", "q", "d", "", 64, 5, "\"open\0"s},
        {"quotes.ini", "q", "f", D, 64, 0, "\0"s},
        {"quotes.ini", "q", "g", "", 64, 4, " in \0"s},
        {"quotes.ini", "q", "h", "", 64, 2, "sp\0"s},
        {"quotes.ini", "q", "i", "", 64, 3, "a\"b\0"s},
        {"quotes.ini", "q", "j", D, 64, 1, "'\0"s},
        {"quotes.ini", "q", "l", "", 64, 6, "\"x\" ;c\0"s},
        // A quoted value that would just fit loses one more character.
        {"quotes.ini", "q", "m", "", 7, 5, "abcde\0"s},
        {"quotes.ini", "q", "m", "", 8, 6, "abcdef\0"s},
        // Duplicates: the first section and the first key win; sections are not merged.
        {"dup.ini", "A", "k", D, 64, 1, "1\0"s},
        {"dup.ini", "a", "new", D, 64, 1, "D\0"s},
        {"dup.ini", "A", nullptr, D, 64, 6, "k\0k\0j\0\0"s},
        {"dup.ini", nullptr, nullptr, D, 64, 6, "A\0B\0a\0\0"s},
        // Line ends: CRLF, LF, a lone CR, and none at the end.
        {"ends.ini", "S", "b", D, 64, 1, "2\0"s},
        {"ends.ini", "S", "c", D, 64, 1, "3\0"s},
        {"ends.ini", "S", "last", D, 64, 3, "end\0"s},
        {"ends.ini", "S", nullptr, D, 64, 11, "a\0b\0c\0last\0\0"s},
        // Long values, with the buffer the library uses (1023) and others.
        {"long.ini", "L", "v", D, 2000, 1500, Letters(1500) + "\0"s},
        {"long.ini", "L", "v", D, 1023, 1022, Letters(1022) + "\0"s},
        {"long.ini", "L", "q", D, 1023, 1021, Letters(1021) + "\0"s},
        {"long.ini", "L", "q", D, 1024, 1022, Letters(1022) + "\0"s},
        {"long.ini", "L", "w", D, 64, 5, "short\0"s},
        // Listing, with truncation: size - 2 bytes of the list and one terminator.
        {"list.ini", nullptr, nullptr, D, 21, 19, "First\0Second\0Third\0\0"s},
        {"list.ini", nullptr, nullptr, D, 20, 18, "First\0Second\0Third\0"s},
        {"list.ini", nullptr, nullptr, D, 10, 8, "First\0Se\0"s},
        {"list.ini", nullptr, nullptr, D, 2, 0, "\0"s},
        {"list.ini", nullptr, nullptr, D, 1, 0, "\0"s},
        {"list.ini", nullptr, "a", D, 64, 19, "First\0Second\0Third\0\0"s},
        {"list.ini", "first", nullptr, D, 64, 5, "a\0bb\0\0"s},
        {"list.ini", "First", nullptr, D, 5, 3, "a\0b\0"s},
        {"list.ini", "First", nullptr, D, 3, 1, "a\0"s},
        {"list.ini", "First", nullptr, D, 2, 1, "D\0"s}, // nothing fitted: the default
        {"list.ini", "Third", nullptr, "dflt", 64, 4, "dflt\0"s},
        {"list.ini", "None", nullptr, "dflt  ", 64, 6, "dflt  \0"s},
        {"list.ini", "None", nullptr, "dflt", 3, 2, "df\0"s},
        // Odd names: a leading unnamed section, an empty key name, ';' keys, "[a]b] tail".
        {"keys.ini", "", "pre", D, 64, 1, "0\0"s},
        {"keys.ini", "", "e", D, 64, 1, "D\0"s},
        {"keys.ini", "S", "", D, 64, 1, "x\0"s},
        {"keys.ini", "S", nullptr, D, 64, 1, "D\0"s},
        {"keys.ini", "T", nullptr, D, 64, 6, "b\0\0#h\0\0"s},
        {"keys.ini", "T", ";c", D, 64, 1, "3\0"s},
        {"keys.ini", "a]b", "k", D, 64, 1, "6\0"s},
        {"keys.ini", nullptr, nullptr, D, 64, 8, "S\0T\0a]b\0\0"s},
        // No file, an empty file.
        {"missing.ini", "S", "k", "dflt  ", 64, 4, "dflt\0"s},
        {"missing.ini", "S", nullptr, "dflt  ", 64, 6, "dflt  \0"s},
        {"missing.ini", nullptr, nullptr, D, 64, 0, "\0"s},
        {"empty.ini", "S", "k", D, 64, 1, "D\0"s},
        {"empty.ini", nullptr, nullptr, D, 64, 0, "\0"s},
    };
}

std::string Printable(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        if (c == '\0') {
            text += "\\0";
        } else if (static_cast<unsigned char>(c) == kGuard) {
            text += "~";
        } else {
            text += c;
        }
    }
    return text;
}

class ProfileStringTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name =
            "varnet-profile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
#ifdef _WIN32
        scratch_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(scratch_);
        std::filesystem::create_directories(scratch_);
        folder_ = scratch_.string() + "\\";
#else
        previousRoot_ = platform::host::Root();
        scratch_ = std::filesystem::path(::testing::TempDir()) / name;
        std::filesystem::remove_all(scratch_);
        platform::host::SetRoot(scratch_.string());
        folder_ = "C:\\Users\\Varnet\\Profile Test\\";
        ASSERT_TRUE(platform::CreateDirectory(folder_.c_str()));
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        platform::host::SetRoot(previousRoot_);
#endif
        std::error_code ignored;
        std::filesystem::remove_all(scratch_, ignored);
    }

    std::filesystem::path scratch_;
    std::string folder_; // a Windows path, with its final backslash
    std::string previousRoot_;
};

TEST_F(ProfileStringTest, AnswersAsTheWindowsReader) {
    for (const CorpusFile& file : Corpus()) {
        std::string path = folder_ + file.name;
        std::FILE* out = platform::OpenFile(path.c_str(), "wb");
        ASSERT_NE(out, nullptr) << path;
        std::fwrite(file.text.data(), 1, file.text.size(), out);
        std::fclose(out);
    }

    for (const Case& c : Cases()) {
        std::string path = folder_ + c.file;
        std::string buffer(c.size + 16, static_cast<char>(kGuard));
        uint32_t result = platform::GetPrivateProfileString(c.section, c.key, c.defaultValue,
                                                            buffer.data(), c.size, path.c_str());
        std::string expected =
            c.written + std::string(buffer.size() - c.written.size(), static_cast<char>(kGuard));
        std::string question = std::string(c.file) + " [" + (c.section ? c.section : "(null)") +
                               "] " + (c.key ? c.key : "(null)") + " default " +
                               (c.defaultValue ? c.defaultValue : "(null)") + " size " +
                               std::to_string(c.size);
        EXPECT_EQ(result, c.result) << question;
        if (buffer.size() > 96) {
            EXPECT_TRUE(buffer == expected) << question << ": the long answer differs";
        } else {
            EXPECT_EQ(Printable(buffer), Printable(expected)) << question;
        }
    }
}

} // namespace
} // namespace varnet
