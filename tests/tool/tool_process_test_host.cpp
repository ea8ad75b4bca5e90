// The tool as a process: what it prints and the status it exits with; --config and
// --debug-output as a user meets them (what the library reads afterwards, and the library's own
// debugger texts on screen).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tool_run_host.h"

namespace {

using namespace varnet_tool_test;

// Every finding once at its file and line, in text and in JSON.
TEST_F(ToolTest, CheckReportsEveryFaultOnceAtItsFileAndLine) {
    const std::string folder = Source("tests/data/check");
    const ToolRun run = Tool("check " + folder);
    EXPECT_EQ(run.status, 1) << run.out;

    struct Expected {
        const char* where; // file:line: severity: location
        const char* says;
    };
    const Expected expected[] = {
        {"IntelColorMode.ini:3: error: MODE_VIVID PANEL_A field 11",
         "\"abc\" is not N or a number"},
        {"IntelColorMode.ini:8: error: MODE_STANDARD PANEL_A field 11", "reads 12"},
        {"IntelColorMode.ini:9: warning: MODE_STANDARD PANEL_A", "only the first counts"},
        {"IntelColorMode.ini:13: warning: MODE_MOVIE PANEL_A field 39", "39 fields"},
        {"IntelColorMode.ini:17: error: MODE_EBOOK PANEL_A", "reads 1022 and loses the rest"},
        {"IntelColorMode.ini:21: error: MODE_NATURAL PANEL_A field 38",
         "missing_cube.cube is missing"},
        {"IntelColorMode.ini:21: warning: MODE_NATURAL PANEL_A field 28", "fields 28-36 are all 0"},
        {"IntelColorMode.ini:25: error: MODE_PRO PANEL_A field 38",
         "short_cube.cube is short: 6 numbers"},
        {"IntelColorMode.ini:29: error: MODE_GAME_FPS PANEL_A field 38", "line 6: code \"1024\""},
        {"IntelColorMode.ini:33: error: MODE_GAME_RTS PANEL_A field 38",
         "standard .cube (header, 0..1 floats): convert it with `varnet lut import`"},
        {"IntelColorMode.ini:37: warning: MODE_GAME_AOS PANEL_A field 16",
         "\"c\" is not upper case"},
        {"IntelColorMode.ini:38: error: MODE_GAME_AOS PANEL_C field 19",
         "beyond the field's range"},
        {"IntelColorMode.ini:38: warning: MODE_GAME_AOS PANEL_C", "no tone curve"},
        {"IntelColorMode.ini:39: warning: MODE_GAME_AOS DEFAULT field 19", "blanks only"},
        {"IntelColorMode.ini:41: warning: MODE_GAME_RPG PANEL_B", "the mode is not offered"},
        {"IntelColorMode.ini:45: warning: MODE_VIVD", "never reads this section"},
        {"IntelColorMode.ini:48: warning: MODE_VIVID", "this one is never read"},
        {"IntelColorMode.ini:52: warning: OPTION_DPST PANEL_A", "not exactly SUPPORT"},
        {"IntelColorMode3Dlut.ini: warning: MODE_GAME_RPG PANEL_A", "gets no parameters"},
        {"IntelColorToneCurve.ini:3: error: MODE_VIVID PANEL_A field 257",
         "256 numbers, not 768: the entries past them are 0, so green and blue stay black"},
        {"IntelColorToneCurve.ini:6: error: MODE_STANDARD PANEL_A field 2", "outside 0..255"},
        {"IntelColorToneCurve.ini:9: warning: MODE_MOVIE PANEL_A field 101", "falls at level 100"},
        {"IntelColorToneCurve.ini:12: error: MODE_EBOOK PANEL_A field 2",
         "\"1x\" is not a well-formed"},
        {"IntelColorToneCurve.ini:15: error: MODE_NATURAL PANEL_A field 2",
         "\"one\" is not a number"},
        {"IntelColorToneCurve.ini:18: warning: MODE_PRO PANEL_A field 769", "770 numbers"},
        {"IntelColorToneCurve.ini:21: note: MODE_GAME_FPS DEFAULT", "DEFAULT is never read"},
        {"Zelmo.ini:3: error: MODE_STANDARD PANEL_A field 2", "address \" 11\" does not convert"},
        {"Zelmo.ini:3: warning: MODE_STANDARD PANEL_A field 3", "value \"300\" does not fit in 8"},
        {"Zelmo.ini:3: error: MODE_STANDARD PANEL_A field 4", "\"4x\" is not a well-formed"},
        {"Zelmo.ini:3: error: MODE_STANDARD PANEL_A field 5", "without \",\" is all value"},
        {"Zelmo.ini:6: note: MODE_VIVID PANEL_A", "never read"},
        {"IntelAmoledMode.ini:2: warning: AMOLED PANEL_ID_TOO_LONG", "at most 11 characters"},
        {"IntelAmoledMode.ini:3: warning: AMOLED DEFAULT", "no DEFAULT rule"},
    };
    for (const Expected& e : expected) {
        const std::vector<std::string> lines = Lines(run.out, folder + "/" + e.where);
        ASSERT_EQ(lines.size(), 1u) << e.where << "\n" << run.out;
        EXPECT_NE(lines[0].find(e.says), std::string::npos) << lines[0];
    }
    EXPECT_EQ(Lines(run.out, ": error: ").size() + Lines(run.out, ": warning: ").size() +
                  Lines(run.out, ": note: ").size(),
              std::size(expected))
        << run.out;
    EXPECT_NE(run.out.find("panels PANEL_A, PANEL_B, PANEL_C, PANEL_ID_TOO_LONG"),
              std::string::npos)
        << run.out;

    // --json carries the same findings, each with its place.
    const ToolRun inJson = Tool("--json check " + folder, true);
    EXPECT_EQ(inJson.status, 1);
    const nlohmann::json report = Json(inJson);
    EXPECT_EQ(report["findings"].size(), std::size(expected));
    EXPECT_EQ(report["errors"], Lines(run.out, ": error: ").size());
    const auto word = std::find_if(
        report["findings"].begin(), report["findings"].end(), [](const nlohmann::json& f) {
            return f["line"] == 3 && f["file"].get<std::string>().ends_with("/IntelColorMode.ini");
        });
    ASSERT_NE(word, report["findings"].end());
    EXPECT_EQ((*word)["section"], "MODE_VIVID");
    EXPECT_EQ((*word)["key"], "PANEL_A");
    EXPECT_EQ((*word)["field"], 11);
    EXPECT_EQ((*word)["severity"], "error");
}

// The exit status says what was found: 0 clean (or only warnings), 1 errors, 2 no folder.
TEST_F(ToolTest, CheckExitsByWhatItFoundAndNamesBadInput) {
    const fs::path binary = Folder("binary");
    std::ofstream(binary / "IntelColorMode.ini", std::ios::binary)
        << std::string("[MODE_VIVID]\nA=1\0\x01\x02", 19);
    fs::create_directories(Folder("unreadable") / "IntelColorMode.ini");
    const std::string examples = Source("examples/config");
    struct Case {
        std::string arguments;
        int status;
        const char* says;
    } cases[] = {
        {"check " + examples, 0, "0 errors, 0 warnings"},
        // With no folder, the checker reads what the library finds: here the installed copy.
        {"--config " + examples + " check", 0, "6 files, panels VN156FHD01"},
        {"check " + (m_dir / "no-such-folder").string(), 2, "is not a folder that can be read"},
        {"check " + binary.string(), 1, "IntelColorMode.ini: error: holds binary data"},
        {"check " + (m_dir / "unreadable").string(), 1,
         "IntelColorMode.ini: error: is not a file that can be read"},
        {"check " + Folder("empty").string(), 0, "IntelColorMode.ini: warning: not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ToolRun run = Tool(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("terminate"), std::string::npos) << run.out;
    }
}

// check reads a configuration file once, so half a million keys and a line of 20 MB take
// seconds, not minutes (the suite's time-out catches a reader that goes back to rereading).
TEST_F(ToolTest, CheckReadsAFiftyMegabyteFile) {
    const fs::path big = Folder("big");
    {
        std::ofstream out(big / "IntelColorMode.ini", std::ios::binary);
        out << "[OPTION_DPST]\n";
        for (int i = 0; i < 500000; ++i) {
            out << "PANEL" << i << "=NOTSUPPORT ; a comment to make the line longer, and longer\n";
        }
        out << "PANEL_TOO_LONG=SUPPORT\n";
        out << "[MODE_VIVID]\nDEFAULT=N/N/N/N/N/N/N/N/N/0/15/A/A/D/N/C/NOLUT/N ;"
            << std::string(20'000'000, 'x') << "\n";
    }
    ASSERT_GT(fs::file_size(big / "IntelColorMode.ini"), 50'000'000u);
    const ToolRun run = Tool("check " + big.string());
    EXPECT_EQ(run.status, 1) << run.out.substr(0, 2000);
    EXPECT_EQ(Lines(run.out, ": error: ").size(), 1u);
    EXPECT_EQ(Lines(run.out, ": warning: ").size(), 1u) << run.out.substr(0, 2000);
    EXPECT_NE(run.out.find("1 errors"), std::string::npos);
}

// Every command prints one JSON document under --json, --debug-output or not.
TEST_F(ToolTest, ExistingCommandsPrintJson) {
    const std::string config = "--config " + Source("examples/config") + " --json ";
    struct Case {
        const char* command;
        const char* key;
    } cases[] = {
        {"info", "panel_id"}, {"modes", "modes"}, {"apply 1", "calls"},
        {"lace", "enabled"},  {"state", "state"}, {"--debug-output modes", "modes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        // The --config summary goes to standard error: standard output is the document alone.
        const ToolRun run = Tool(config + c.command, true);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_TRUE(Json(run).contains(c.key)) << run.out;
    }
    // The library's debugger texts go to standard error with the summary.
    EXPECT_NE(Tool(config + "--debug-output modes", true).err.find("Debugger texts:"),
              std::string::npos);
    const nlohmann::json modes = Json(Tool(config + "modes", true));
    EXPECT_EQ(modes["panel_id"], "VN156FHD01");
    EXPECT_EQ(modes["modes"][0]["supported"], true);
    EXPECT_EQ(modes["modes"][8]["supported"], false); // game AOS: DEFAULT says no
}

// A mode of 37 fields whose 37th asks for an ICC profile: only the 3D LUT variant says so.
constexpr char kVividWithIcc[] =
    "[MODE_VIVID]\n"
    "VN156FHD01=N/N/N/N/N/N/N/N/N/0/20/A/A/D/N/C/NOLUT/N/0/0/0/0/0/0/N/0/N/"
    "10000/0/0/0/10000/0/0/0/10000/Y\n";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::set<std::string> FileNames(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        names.insert(Lower(entry.path().filename().string()));
    }
    return names;
}

// What `modes` prints, without the --config line that goes before it.
std::string ModesTable(const ToolRun& run) {
    const std::size_t start = run.out.find("Panel ID");
    return start == std::string::npos ? run.out : run.out.substr(start);
}

class ConfigMirrorTest : public ToolTest {
protected:
    // examples/config without the two files that the first folder adds.
    fs::path Plain() const {
        const fs::path folder = Folder("plain");
        for (const auto& entry : fs::directory_iterator(Source("examples/config"))) {
            const std::string name = entry.path().filename().string();
            if (name != "IntelColorMode3Dlut.ini" && name != "IntelAmoledMode.ini") {
                fs::copy_file(entry.path(), folder / name, fs::copy_options::overwrite_existing);
            }
        }
        return folder;
    }
    fs::path ColorModeFolder() const {
        return m_dir / "sandbox" / "c" / "programdata" / "colormode";
    }
    fs::path AmoledFile() const {
        return m_dir / "sandbox" / "c" / "program files" / "norvane" / "tintwell" /
               "intelamoledmode.ini";
    }
};

TEST_F(ConfigMirrorTest, TheSecondFolderReplacesTheFirstWhole) {
    const fs::path plain = Plain();
    const fs::path richer = Folder("richer");
    fs::copy(plain, richer);
    std::ofstream(richer / "IntelColorMode3Dlut.ini") << kVividWithIcc;
    fs::copy_file(Source("examples/config/IntelAmoledMode.ini"), richer / "IntelAmoledMode.ini");

    const ToolRun first = Tool("--config " + richer.string() + " modes");
    ASSERT_EQ(first.status, 0) << first.out;
    EXPECT_NE(first.out.find("1     vivid       yes        no            yes"), std::string::npos)
        << first.out;
    EXPECT_NE(first.out.find("AMOLED photo mode     yes"), std::string::npos) << first.out;
    // The AMOLED file goes where the library looks for it, not into the colour-mode folder.
    EXPECT_NE(first.out.find("IntelAmoledMode.ini to C:\\Program Files\\Norvane\\Tintwell"),
              std::string::npos)
        << first.out;
    EXPECT_TRUE(fs::exists(AmoledFile()));
    EXPECT_EQ(FileNames(ColorModeFolder()).count("intelamoledmode.ini"), 0u);

    const ToolRun second = Tool("--config " + plain.string() + " modes");
    ASSERT_EQ(second.status, 0) << second.out;
    // One line says what went where and what was taken away.
    const std::vector<std::string> said = Lines(second.out, "varnet: --config");
    ASSERT_EQ(said.size(), 1u) << second.out;
    EXPECT_NE(Lower(said[0]).find("removed intelcolormode3dlut.ini"), std::string::npos) << said[0];
    EXPECT_NE(said[0].find("IntelAmoledMode.ini"), std::string::npos) << said[0];

    // Exactly the second folder is in effect: the same answers as a sandbox that never saw the
    // first, and the same files where the library reads them.
    fs::rename(m_dir / "sandbox", m_dir / "used");
    fs::create_directories(m_dir / "sandbox");
    const ToolRun fresh = Tool("--config " + plain.string() + " modes");
    EXPECT_EQ(ModesTable(second), ModesTable(fresh));
    EXPECT_NE(ModesTable(second), ModesTable(first));
    fs::remove_all(m_dir / "sandbox");
    fs::rename(m_dir / "used", m_dir / "sandbox");
    EXPECT_EQ(FileNames(ColorModeFolder()), FileNames(plain));
    EXPECT_FALSE(fs::exists(AmoledFile()));
}

TEST_F(ConfigMirrorTest, AFolderThatIsNotThereChangesNothing) {
    ASSERT_EQ(Tool("--config " + Source("examples/config") + " modes").status, 0);
    const std::set<std::string> before = FileNames(ColorModeFolder());
    const ToolRun run = Tool("--config " + (m_dir / "missing").string() + " modes");
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_EQ(Lines(run.out, "varnet: ").size(), 1u) << run.out;
    EXPECT_EQ(FileNames(ColorModeFolder()), before);
}

// The library's texts under the heading of the call that sent them, and only when asked for.
TEST_F(ConfigMirrorTest, DebugOutputShowsTheLibrarysOwnTexts) {
    const fs::path config = Plain();
    const std::string setUp = "--config " + config.string() + " --backend cui ";

    const ToolRun unlisted = Tool(setUp + "--debug-output apply 7");
    ASSERT_EQ(unlisted.status, 0) << unlisted.out;
    const std::size_t heading = unlisted.out.find("What the library told the debugger:");
    const std::size_t call = unlisted.out.find("  SetColorMode(7, 2, false, 5):", heading);
    // One text a line, as a debugger shows them: never run together with the next.
    const std::size_t text = unlisted.out.find("| NOTSUPPORT\n", call);
    ASSERT_NE(heading, std::string::npos) << unlisted.out;
    EXPECT_NE(call, std::string::npos) << unlisted.out;
    EXPECT_NE(text, std::string::npos) << unlisted.out;
    EXPECT_LT(text, unlisted.out.find("What reached the driver:")) << unlisted.out;

    const ToolRun quiet = Tool(setUp + "apply 7");
    EXPECT_EQ(quiet.out.find("NOTSUPPORT"), std::string::npos) << quiet.out;

    // Mode 13 takes its 3D LUT from VN156FHD01_warm.cube. Cut short, the library says so.
    { std::ofstream(config / "VN156FHD01_warm.cube") << "1 2 3\n4 5 6\n"; }
    const ToolRun shortCube = Tool(setUp + "--debug-output apply 13");
    EXPECT_EQ(Lines(shortCube.out, "| LoadCubeFile : ").size(), 1u) << shortCube.out;
    EXPECT_NE(shortCube.out.find("after 6 numbers"), std::string::npos) << shortCube.out;

    // Missing, the library loads nothing and says nothing; the tool names the file instead,
    // on both back-ends, and only under --debug-output.
    fs::remove(config / "VN156FHD01_warm.cube");
    for (const std::string backend : {"--backend cui ", ""}) {
        const std::string base = "--config " + config.string() + " " + backend;
        const ToolRun missing = Tool(base + "--debug-output apply 13");
        ASSERT_EQ(missing.status, 0) << missing.out;
        EXPECT_TRUE(Lines(missing.out, "| LoadCubeFile").empty()) << missing.out;
        const std::vector<std::string> note = Lines(missing.out, "does not exist");
        ASSERT_EQ(note.size(), 1u) << missing.out;
        EXPECT_NE(note[0].find("VN156FHD01_warm.cube"), std::string::npos) << missing.out;
        EXPECT_LT(missing.out.find("does not exist"), missing.out.find("What reached the driver:"))
            << missing.out;
        EXPECT_TRUE(Lines(Tool(base + "apply 13").out, "does not exist").empty());
    }
}

} // namespace
