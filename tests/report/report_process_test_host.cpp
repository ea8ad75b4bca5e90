// varnet report and suggest srgb as an engineer runs them: output, files and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../tool/tool_run_host.h"

namespace {

using namespace varnet_tool_test;

const std::string kConfig = "--config " + Source("examples/config") + " ";
const std::string kCuiLaptop =
    "--scenario " + Source("examples/scenarios/no-controllib.json") + " ";

class ReportTest : public ToolTest {
protected:
    // Standard error apart, so that standard output is one JSON document.
    ToolRun Tool(const std::string& arguments) const { return ToolTest::Tool(arguments, true); }
    ToolRun RunReport(const std::string& arguments) const {
        return Tool(arguments + " -o " + (m_dir / "r.html").string());
    }

    // A configuration folder whose MODE_STANDARD is the given parameter list.
    std::string ConfigWithStandardMode(const std::string& list) const {
        Folder("config");
        Write("config/IntelColorMode.ini", "[MODE_STANDARD]\nVN156FHD01=" + list + "\n");
        return "--config " + (m_dir / "config").string() + " ";
    }
};
using SuggestSrgb = ReportTest;
using Report = ReportTest;
using ReportAndSuggest = ReportTest;

double At(const nlohmann::json& rgb, int c) {
    return rgb[c].get<double>();
}

// The mode line suggest prints, pasted into a configuration, as the report then measures it.
TEST_F(SuggestSrgb, PastedModeLineBringsTheReportedChartCloseToSrgb) {
    const nlohmann::json suggestion = Json(Tool("--json suggest srgb"));
    EXPECT_EQ(suggestion["covers_srgb"], true); // the simulated laptop's wide-gamut panel
    EXPECT_TRUE(suggestion["unreachable_patches"].empty());
    EXPECT_EQ(suggestion["patches"].size(), 24u);
    const std::string line = suggestion["mode_line"];
    // The human form names the fields and prints the same line: the panel's own key and a
    // list whose fields 27 to 36 the library reads.
    const ToolRun human = Tool("suggest srgb");
    ASSERT_EQ(human.status, 0) << human.err;
    EXPECT_NE(human.out.find("Fields 27-36"), std::string::npos) << human.out;
    EXPECT_NE(human.out.find("covers sRGB"), std::string::npos) << human.out;
    EXPECT_EQ(Lines(human.out, "VN156FHD01="), std::vector<std::string>{"  " + line}) << human.out;
    EXPECT_EQ(line.rfind("VN156FHD01=", 0), 0u) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '/'), 35) << line;

    const std::string config = ConfigWithStandardMode(line.substr(line.find('=') + 1));
    for (const std::string& laptop : {std::string(), kCuiLaptop}) {
        SCOPED_TRACE(laptop);
        const ToolRun run = RunReport(laptop + config + "--json report 2");
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json j = Json(run);
        const nlohmann::json& mode = j["modes"][0];
        EXPECT_GT(mode["deltaE2000_without_mode"]["mean"].get<double>(), 2.0);
        EXPECT_LT(mode["deltaE2000"]["mean"].get<double>(), 2.0);
        EXPECT_NEAR(mode["deltaE2000"]["mean"].get<double>(),
                    suggestion["deltaE2000"]["mean"].get<double>(), 0.3)
            << "suggest and report disagree";
        EXPECT_TRUE(mode["not_modelled"].empty()) << mode["not_modelled"];
    }
}

// A 45%-NTSC class panel read from its EDID: what it cannot reach is named, and never a grey.
TEST_F(SuggestSrgb, NarrowPanelFromAnEdidFileNamesThePatchesItCannotReach) {
    const ToolRun run = Tool("--json suggest srgb --edid " +
                             Source("tests/data/edids/AU_Optronics-AUO0290-5D04A3CC45EE.hex"));
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = Json(run);
    EXPECT_EQ(j["covers_srgb"], false);
    const std::vector<std::string> unreachable = j["unreachable_patches"];
    EXPECT_NE(std::find(unreachable.begin(), unreachable.end(), "cyan"), unreachable.end());
    for (const std::string& name : unreachable) {
        EXPECT_EQ(name.find("neutral"), std::string::npos) << name;
    }
}

// A .cube that swaps red and blue: where the driver takes the file (CUI) the chart shows the
// swap; the Control Library path carries the mode's matrix (here the identity) instead.
TEST_F(Report, CubeModeShowsWhatTheDriverDidWithIt) {
    std::string cube;
    const auto code = [](int k) { return std::to_string((k * 1023 + 8) / 16); };
    for (int b = 0; b < 17; ++b)
        for (int g = 0; g < 17; ++g)
            for (int r = 0; r < 17; ++r)
                cube += code(b) + " " + code(g) + " " + code(r) + "\n";
    const std::string config = ConfigWithStandardMode(
        "N/N/N/N/N/N/N/N/N/N/N/U/U/D/N/U/NOLUT/N/0/0/0/0/0/0/N/0/777/10000/0/0/0/10000/0/0/0/"
        "10000/N/swap");
    Write("config/swap.cube", cube);
    for (const bool cui : {true, false}) {
        SCOPED_TRACE(cui ? "CUI" : "Control Library");
        const ToolRun run = RunReport((cui ? kCuiLaptop : "") + config + "--json report 2");
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json j = Json(run);
        const nlohmann::json& patches = j["modes"][0]["patches"];
        for (const auto& p : patches) {
            for (int ch = 0; ch < 3 && p["grey"].get<bool>(); ++ch) { // greys are their own swap
                EXPECT_NEAR(At(p["after"], ch), At(p["before"], ch), 3e-3) << p;
            }
        }
        const nlohmann::json& blue = patches[12]; // "blue", 56 61 150
        ASSERT_EQ(blue["name"], "blue");
        EXPECT_EQ(At(blue["after"], 0) > At(blue["after"], 2), cui) << blue;
        const nlohmann::json& red = j["modes"][0]["effective_primaries"]["red"];
        const nlohmann::json& wanted = j["primaries"][cui ? "blue" : "red"];
        EXPECT_NEAR(red["x"].get<double>(), wanted["x"].get<double>(), 0.01);
        EXPECT_NEAR(red["y"].get<double>(), wanted["y"].get<double>(), 0.01);
    }
}

TEST_F(Report, CuiSettingsOutsideThePipelineAreNamed) {
    const ToolRun run = RunReport(kCuiLaptop + kConfig + "--json report 4");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = Json(run);
    const nlohmann::json& notes = j["modes"][0]["not_modelled"];
    ASSERT_EQ(notes.size(), 1u) << notes;
    EXPECT_NE(notes[0].get<std::string>().find("saturation -100"), std::string::npos) << notes;
    EXPECT_NE(ReadFile(m_dir / "r.html").find("class=\"not-modelled\""), std::string::npos);
}

TEST_F(Report, NeutralModeLeavesPatchesAndSaturatedModeChangesThem) {
    const ToolRun run = RunReport(kConfig + "--json report 2 4");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = Json(run);
    ASSERT_EQ(j["modes"].size(), 2u);
    const nlohmann::json& standard = j["modes"][0];
    const nlohmann::json& ebook = j["modes"][1];
    ASSERT_EQ(standard["patches"].size(), 35u);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < 35; ++i) {
        EXPECT_EQ(standard["patches"][i]["before"], standard["patches"][i]["after"]) << i;
        const nlohmann::json& after = ebook["patches"][i]["after"];
        // Saturation -100 leaves shades of grey.
        EXPECT_NEAR(At(after, 0), At(after, 1), 2e-3) << i;
        EXPECT_NEAR(At(after, 1), At(after, 2), 2e-3) << i;
        changed += ebook["patches"][i]["before"] != after ? 1 : 0;
    }
    EXPECT_GE(changed, 18u);
    EXPECT_GT(ebook["deltaE2000"]["mean"].get<double>(),
              standard["deltaE2000"]["mean"].get<double>());
    // The saturation went out as a matrix, and the table shows it.
    const std::string calls = ebook["calls"].dump();
    EXPECT_NE(calls.find("ctlPixelTransformationSetConfig"), std::string::npos);
    EXPECT_NE(calls.find("matrix"), std::string::npos);
    EXPECT_EQ(CountOf(ReadFile(m_dir / "r.html"), "<section class=\"mode\""), 2u);
}

TEST_F(Report, EverySupportedModeByDefaultAndTheDriverStateIsPutBack) {
    ASSERT_EQ(Tool(kConfig + "apply 4").status, 0);
    const nlohmann::json modes = Json(Tool(kConfig + "--json modes"));
    std::size_t supported = 0;
    for (const auto& m : modes["modes"]) {
        supported += m["supported"].get<bool>() ? 1 : 0;
    }
    const std::string stateBefore = Tool("--json state").out;
    const ToolRun run = RunReport(kConfig + "report");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string page = ReadFile(m_dir / "r.html");
    EXPECT_NE(run.out.find("Report written to " + (m_dir / "r.html").string()), std::string::npos);
    EXPECT_EQ(CountOf(page, "<section class=\"mode\""), supported);
    EXPECT_TRUE(Tool("--json state").out == stateBefore) << "the driver state changed";
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("http://www.w3.org/2000/svg\""), page.find("http"))
        << "only the SVG namespace may name a URL";
}

TEST_F(ReportAndSuggest, BadInputGivesOneClearLine) {
    std::string truncated = ReadFile(Source("tests/data/edids/PANDA-NCP0000-2B474B276330.hex"));
    truncated.resize(200);
    Write("truncated.hex", truncated);
    Write("garbage.edid", "this is not an EDID at all\n");
    Write("big.bin", std::string(1 << 20, 'x'));
    Folder("folder.html");
    const std::string d = m_dir.string() + "/";
    struct Case {
        std::string arguments;
        const char* mentions;
    } cases[] = {
        {"suggest srgb --edid " + d + "missing.bin", "missing.bin"},
        {"suggest srgb --edid " + d + "truncated.hex", "128"},
        {"suggest srgb --edid " + d + "garbage.edid", "garbage.edid"},
        {"suggest srgb --edid " + d + "big.bin", "not an EDID"},
        {"report 2 --edid " + d + "garbage.edid -o " + d + "x.html", "garbage.edid"},
        {"report 2 -o " + d + "no-such-folder/x.html", "cannot write"},
        {"report 2 -o " + d + "folder.html", "cannot write"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ToolRun run = Tool(c.arguments);
        EXPECT_EQ(run.status, 2) << run.out << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
    }
}

} // namespace
