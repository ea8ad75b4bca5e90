// varnet report and suggest srgb as an engineer runs them: output, files and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "tool_run.h"

namespace varnet::test {
namespace {

namespace fs = std::filesystem;

const std::string kConfig = "--config " + Source("examples/config") + " ";
const std::string kCuiLaptop =
    "--scenario " + Source("examples/scenarios/no-controllib.json") + " ";

// A configuration folder whose MODE_STANDARD is the given parameter list, plus further files.
std::string ConfigWithStandardMode(const ToolSandbox& box, const std::string& list,
                                   const std::vector<std::pair<std::string, std::string>>& files) {
    fs::create_directories(box.Dir() / "config");
    box.Write("config/IntelColorMode.ini", "[MODE_STANDARD]\nVN156FHD01=" + list + "\n");
    for (const auto& [name, content] : files) {
        box.Write("config/" + name, content);
    }
    return "--config " + (box.Dir() / "config").string() + " ";
}

double At(const nlohmann::json& rgb, int c) {
    return rgb[c].get<double>();
}

TEST(SuggestSrgb, MatrixAndFiguresFollowThePanelsGamut) {
    const ToolSandbox box;
    const double srgb[8] = {0.640, 0.330, 0.300, 0.600, 0.150, 0.060, 0.3127, 0.3290};
    const fs::path srgbEdid = box.Write("srgb.hex", EdidHexWithPrimaries(srgb));
    struct Case {
        const char* name;
        std::string edid; // empty: the simulated laptop's wide-gamut panel
        bool covers;
        double meanBelow;
    } cases[] = {
        {"sRGB primaries", "--edid " + srgbEdid.string(), true, 0.5},
        {"simulated wide-gamut panel", "", true, 2.0},
        {"narrow real panel",
         "--edid " + Source("tests/data/edids/AU_Optronics-AUO0290-5D04A3CC45EE.hex"), false,
         100.0},
    };
    for (const Case& c : cases) {
        const ToolRun run = box.Tool("--json suggest srgb " + c.edid);
        ASSERT_EQ(run.status, 0) << c.name << run.err;
        const nlohmann::json j = ToolSandbox::Json(run);
        EXPECT_EQ(j["covers_srgb"], c.covers) << c.name;
        EXPECT_EQ(j["unreachable_patches"].empty(), c.covers) << c.name;
        EXPECT_LT(j["deltaE2000"]["mean"].get<double>(), c.meanBelow) << c.name;
        EXPECT_EQ(j["patches"].size(), 24u) << c.name;
    }
    const nlohmann::json identity =
        ToolSandbox::Json(box.Tool("--json suggest srgb --edid " + srgbEdid.string()));
    const int want[9] = {10000, 0, 0, 0, 10000, 0, 0, 0, 10000};
    for (int e = 0; e < 9; ++e) {
        EXPECT_NEAR(identity["fields"][e].get<int>(), want[e], 50) << e;
    }
}

TEST(SuggestSrgb, PrintsFieldsReadyToPaste) {
    const ToolSandbox box;
    const ToolRun run = box.Tool("suggest srgb");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Fields 27-36"), std::string::npos) << run.out;
    // The simulated panel's own key, and a list whose fields 27 to 36 the library reads.
    const std::size_t line = run.out.find("VN156FHD01=");
    ASSERT_NE(line, std::string::npos) << run.out;
    const std::string list = run.out.substr(line, run.out.find('\n', line) - line);
    EXPECT_EQ(std::count(list.begin(), list.end(), '/'), 35) << list;
    EXPECT_NE(run.out.find("covers sRGB"), std::string::npos) << run.out;
}

// The mode line suggest prints, pasted into a configuration, as the report then measures it.
TEST(SuggestSrgb, PastedModeLineBringsTheReportedChartCloseToSrgb) {
    const ToolSandbox box;
    const nlohmann::json suggestion = ToolSandbox::Json(box.Tool("--json suggest srgb"));
    const std::string line = suggestion["mode_line"];
    const std::string list = line.substr(line.find('=') + 1);
    const std::string config = ConfigWithStandardMode(box, list, {});
    for (const std::string& laptop : {std::string(), kCuiLaptop}) {
        const ToolRun run =
            box.Tool(laptop + config + "--json report 2 -o " + (box.Dir() / "r.html").string());
        ASSERT_EQ(run.status, 0) << laptop << run.err;
        const nlohmann::json j = ToolSandbox::Json(run);
        const nlohmann::json& mode = j["modes"][0];
        EXPECT_GT(mode["deltaE2000_without_mode"]["mean"].get<double>(), 2.0) << laptop;
        EXPECT_LT(mode["deltaE2000"]["mean"].get<double>(), 2.0) << laptop;
        EXPECT_NEAR(mode["deltaE2000"]["mean"].get<double>(),
                    suggestion["deltaE2000"]["mean"].get<double>(), 0.3)
            << laptop << "suggest and report disagree";
        EXPECT_TRUE(mode["not_modelled"].empty()) << laptop << mode["not_modelled"];
    }
}

// A .cube that swaps red and blue: where the driver takes the file (CUI) the chart shows the
// swap; the Control Library path carries the mode's matrix (here the identity) instead.
TEST(Report, CubeModeShowsWhatTheDriverDidWithIt) {
    const ToolSandbox box;
    std::string cube;
    for (int b = 0; b < 17; ++b)
        for (int g = 0; g < 17; ++g)
            for (int r = 0; r < 17; ++r) {
                auto code = [](int k) { return std::to_string((k * 1023 + 8) / 16); };
                cube += code(b) + " " + code(g) + " " + code(r) + "\n";
            }
    const std::string config = ConfigWithStandardMode(
        box,
        "N/N/N/N/N/N/N/N/N/N/N/U/U/D/N/U/NOLUT/N/0/0/0/0/0/0/N/0/777/10000/0/0/0/10000/0/0/0/"
        "10000/N/swap",
        {{"swap.cube", cube}});
    struct Case {
        const char* name;
        std::string laptop;
        bool swapped;
    } cases[] = {{"CUI", kCuiLaptop, true}, {"Control Library", "", false}};
    for (const Case& c : cases) {
        const ToolRun run =
            box.Tool(c.laptop + config + "--json report 2 -o " + (box.Dir() / "r.html").string());
        ASSERT_EQ(run.status, 0) << c.name << run.err;
        const nlohmann::json j = ToolSandbox::Json(run);
        const nlohmann::json& mode = j["modes"][0];
        const nlohmann::json& patches = mode["patches"];
        for (const auto& p : patches) {
            if (p["grey"].get<bool>()) { // greys are their own swap
                for (int ch = 0; ch < 3; ++ch) {
                    EXPECT_NEAR(At(p["after"], ch), At(p["before"], ch), 3e-3) << c.name << p;
                }
            }
        }
        const nlohmann::json& blue = patches[12]; // "blue", 56 61 150
        ASSERT_EQ(blue["name"], "blue");
        EXPECT_EQ(At(blue["after"], 0) > At(blue["after"], 2), c.swapped) << c.name << blue;
        const nlohmann::json& red = mode["effective_primaries"]["red"];
        const nlohmann::json& wanted = j["primaries"][c.swapped ? "blue" : "red"];
        EXPECT_NEAR(red["x"].get<double>(), wanted["x"].get<double>(), 0.01) << c.name;
        EXPECT_NEAR(red["y"].get<double>(), wanted["y"].get<double>(), 0.01) << c.name;
    }
}

TEST(Report, CuiSettingsOutsideThePipelineAreNamed) {
    const ToolSandbox box;
    const ToolRun run =
        box.Tool(kCuiLaptop + kConfig + "--json report 4 -o " + (box.Dir() / "r.html").string());
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = ToolSandbox::Json(run);
    const nlohmann::json& notes = j["modes"][0]["not_modelled"];
    ASSERT_EQ(notes.size(), 1u) << notes;
    EXPECT_NE(notes[0].get<std::string>().find("saturation -100"), std::string::npos) << notes;
    EXPECT_NE(ReadFile(box.Dir() / "r.html").find("class=\"not-modelled\""), std::string::npos);
}

TEST(Report, NeutralModeLeavesPatchesAndSaturatedModeChangesThem) {
    const ToolSandbox box;
    const fs::path page = box.Dir() / "page.html";
    const ToolRun run = box.Tool(kConfig + "--json report 2 4 -o " + page.string());
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = ToolSandbox::Json(run);
    ASSERT_EQ(j["modes"].size(), 2u);
    const nlohmann::json& standard = j["modes"][0];
    const nlohmann::json& ebook = j["modes"][1];
    ASSERT_EQ(standard["patches"].size(), 35u);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < 35; ++i) {
        EXPECT_EQ(standard["patches"][i]["before"], standard["patches"][i]["after"]) << i;
        const nlohmann::json& after = ebook["patches"][i]["after"];
        // Saturation -100 leaves shades of grey.
        EXPECT_NEAR(after[0].get<double>(), after[1].get<double>(), 2e-3) << i;
        EXPECT_NEAR(after[1].get<double>(), after[2].get<double>(), 2e-3) << i;
        changed += ebook["patches"][i]["before"] != after ? 1 : 0;
    }
    EXPECT_GE(changed, 18u);
    EXPECT_GT(ebook["deltaE2000"]["mean"].get<double>(),
              standard["deltaE2000"]["mean"].get<double>());
    // The saturation went out as a matrix, and the table shows it.
    const std::string calls = ebook["calls"].dump();
    EXPECT_NE(calls.find("ctlPixelTransformationSetConfig"), std::string::npos);
    EXPECT_NE(calls.find("matrix"), std::string::npos);
    const std::string html = ReadFile(page);
    EXPECT_EQ(CountOf(html, "<section class=\"mode\""), 2u);
}

TEST(Report, EverySupportedModeByDefaultAndTheDriverStateIsPutBack) {
    const ToolSandbox box;
    ASSERT_EQ(box.Tool(kConfig + "apply 4").status, 0);
    const nlohmann::json modes = ToolSandbox::Json(box.Tool(kConfig + "--json modes"));
    std::size_t supported = 0;
    for (const auto& m : modes["modes"]) {
        supported += m["supported"].get<bool>() ? 1 : 0;
    }
    const fs::path page = box.Dir() / "all.html";
    const std::string stateBefore = box.Tool("--json state").out;
    const ToolRun run = box.Tool(kConfig + "report -o " + page.string());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Report written to " + page.string()), std::string::npos);
    EXPECT_EQ(CountOf(ReadFile(page), "<section class=\"mode\""), supported);
    EXPECT_TRUE(box.Tool("--json state").out == stateBefore) << "the driver state changed";
    EXPECT_EQ(ReadFile(page).find("<script"), std::string::npos);
    EXPECT_EQ(ReadFile(page).find("http://www.w3.org/2000/svg\""), ReadFile(page).find("http"))
        << "only the SVG namespace may name a URL";
}

TEST(ReportAndSuggest, BadInputGivesOneClearLine) {
    const ToolSandbox box;
    std::string truncated = EdidHexWithPrimaries(
        std::array<double, 8>{0.64, 0.33, 0.3, 0.6, 0.15, 0.06, 0.3127, 0.329}.data());
    truncated.resize(200);
    box.Write("truncated.hex", truncated);
    box.Write("garbage.edid", "this is not an EDID at all\n");
    box.Write("big.bin", std::string(1 << 20, 'x'));
    fs::create_directories(box.Dir() / "folder.html");
    const std::string d = box.Dir().string() + "/";
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
        const ToolRun run = box.Tool(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments << "\n" << run.out << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.arguments << run.err;
        EXPECT_NE(run.err.find(c.mentions), std::string::npos) << c.arguments << run.err;
    }
}

// check reads a configuration file once, so a 50 MB one takes seconds, not minutes.
TEST(Check, FiftyMegabyteIniIsCheckedInSeconds) {
    const ToolSandbox box;
    fs::create_directories(box.Dir() / "big");
    {
        std::ofstream out(box.Dir() / "big" / "IntelColorMode.ini", std::ios::binary);
        out << "[OPTION_DPST]\n";
        const std::string padding(80, 'x');
        for (int i = 0; i < 500000; ++i) {
            out << "P" << i << "=NOTSUPPORT ; " << padding << "\n";
        }
    }
    ASSERT_GT(fs::file_size(box.Dir() / "big" / "IntelColorMode.ini"), 50'000'000u);
    const auto start = std::chrono::steady_clock::now();
    const ToolRun run = box.Tool("check " + (box.Dir() / "big").string());
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(run.status, 0) << run.out.substr(0, 2000) << run.err;
    EXPECT_LT(seconds.count(), 30.0);
}

} // namespace
} // namespace varnet::test
