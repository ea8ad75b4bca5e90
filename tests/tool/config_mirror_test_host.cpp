// --config and --debug-output as a user meets them: what the library reads afterwards, and the
// library's own debugger texts on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

#include "tool_run_host.h"

namespace {

using namespace varnet_tool_test;

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
    for (const auto& entry : fs::directory_iterator(plain)) {
        fs::copy_file(entry.path(), richer / entry.path().filename());
    }
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

TEST_F(ConfigMirrorTest, DebugOutputKeepsJsonOneDocument) {
    const ToolRun run =
        Tool("--config " + Source("examples/config") + " --debug-output --json modes", true);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    EXPECT_NE(run.err.find("Debugger texts:"), std::string::npos) << run.err;
}

} // namespace
