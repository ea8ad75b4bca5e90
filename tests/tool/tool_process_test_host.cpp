// The tool as a process: what it prints and the status it exits with.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "tool_run_host.h"

namespace {

using namespace varnet_tool_test;

std::size_t Findings(const ToolRun& run) {
    return Lines(run.out, ": error: ").size() + Lines(run.out, ": warning: ").size() +
           Lines(run.out, ": note: ").size();
}

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
    EXPECT_EQ(Findings(run), std::size(expected)) << run.out;
    EXPECT_NE(run.out.find("panels PANEL_A, PANEL_B, PANEL_C, PANEL_ID_TOO_LONG"),
              std::string::npos)
        << run.out;
}

TEST_F(ToolTest, CheckFindsTheExampleFolderClean) {
    const ToolRun run = Tool("check " + Source("examples/config"));
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("0 errors, 0 warnings"), std::string::npos) << run.out;

    // With no folder, the checker reads what the library finds: here the installed copy.
    const ToolRun installed = Tool("--config " + Source("examples/config") + " check");
    EXPECT_EQ(installed.status, 0) << installed.out;
    EXPECT_NE(installed.out.find("6 files, panels VN156FHD01"), std::string::npos) << installed.out;
}

TEST_F(ToolTest, CheckJsonCarriesTheSameFindings) {
    const ToolRun human = Tool("check " + Source("tests/data/check"));
    const ToolRun run = Tool("--json check " + Source("tests/data/check"));
    EXPECT_EQ(run.status, 1);
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["findings"].size(), Findings(human));
    EXPECT_EQ(report["errors"], Lines(human.out, ": error: ").size());
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

TEST_F(ToolTest, CheckGivesOneClearLineForBadInput) {
    const fs::path binary = Folder("binary");
    std::ofstream(binary / "IntelColorMode.ini", std::ios::binary)
        << std::string("[MODE_VIVID]\nA=1\0\x01\x02", 19);
    const fs::path unreadable = Folder("unreadable");
    fs::create_directories(unreadable / "IntelColorMode.ini");
    const fs::path empty = Folder("empty");

    struct Case {
        std::string folder;
        int status;
        const char* says;
    } cases[] = {
        {(m_dir / "no-such-folder").string(), 2, "is not a folder that can be read"},
        {binary.string(), 1, "IntelColorMode.ini: error: holds binary data"},
        {unreadable.string(), 1, "IntelColorMode.ini: error: is not a file that can be read"},
        {empty.string(), 0, "IntelColorMode.ini: warning: not found"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Tool("check " + c.folder);
        EXPECT_EQ(run.status, c.status) << c.folder << "\n" << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("terminate"), std::string::npos) << run.out;
    }
}

// check reads a configuration file once, so half a million keys and a line of 20 MB take
// seconds, not minutes.
TEST_F(ToolTest, CheckReadsAFiftyMegabyteFileInSeconds) {
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
    const auto start = std::chrono::steady_clock::now();
    const ToolRun run = Tool("check " + big.string());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 30.0);
    EXPECT_EQ(run.status, 1) << run.out.substr(0, 2000);
    EXPECT_EQ(Lines(run.out, ": error: ").size(), 1u);
    EXPECT_EQ(Lines(run.out, ": warning: ").size(), 1u) << run.out.substr(0, 2000);
    EXPECT_NE(run.out.find("1 errors"), std::string::npos);
}

TEST_F(ToolTest, ExistingCommandsPrintJson) {
    const std::string config = "--config " + Source("examples/config") + " --json ";
    struct Case {
        const char* command;
        const char* key;
    } cases[] = {
        {"info", "panel_id"}, {"modes", "modes"}, {"apply 1", "calls"},
        {"lace", "enabled"},  {"state", "state"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        // The --config summary goes to standard error: standard output is the document alone.
        const ToolRun run = Tool(config + c.command, true);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_TRUE(Json(run).contains(c.key)) << run.out;
    }
    const nlohmann::json modes = Json(Tool(config + "modes", true));
    EXPECT_EQ(modes["panel_id"], "VN156FHD01");
    EXPECT_EQ(modes["modes"][0]["supported"], true);
    EXPECT_EQ(modes["modes"][8]["supported"], false); // game AOS: DEFAULT says no
}

} // namespace
