// varnet lut import and export run as processes, in a sandbox of their own: what they print,
// what they write, and that a refused file leaves nothing behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../tool/tool_run_host.h"

namespace {

using namespace varnet_tool_test;

class LutTool : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        Folder("out");
    }
    ToolRun Varnet(const std::string& arguments) const { return Tool(arguments, true); }
    std::string Out(const std::string& name) const { return (m_dir / "out" / name).string(); }
};

const std::string kData = Source("tests/data/lut");

// The committed library files are the tool's own output for the committed sources, so the
// integration suites (which cannot run the import on Windows) load what it really writes.
TEST_F(LutTool, ImportWritesTheLibraryFormAndReportsWhatItRead) {
    for (const std::string name : {"swap_red_blue", "darken_blue"}) {
        SCOPED_TRACE(name);
        const ToolRun run = Varnet("lut import '" + kData + "/" + name + "_2.cube' " + name +
                                   " --folder '" + (m_dir / "out").string() + "'");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadFile(Out(name + ".cube")), ReadFile(kData + "/" + name + ".cube"));
        EXPECT_NE(run.out.find("3D LUT of 2 points per axis, domain 0 0 0 to 1 1 1"),
                  std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("Clipped to 0..1023: 0 of 14739 values"), std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("Largest difference from the source on a 65-point grid: 0."),
                  std::string::npos)
            << run.out;
    }
}

// Without --folder both commands use the folder the library reads: what import writes there,
// export finds, and its standard file imports to the same table.
TEST_F(LutTool, RoundTripThroughTheLibraryFolder) {
    const std::string source = kData + "/darken_blue_2.cube";
    ASSERT_EQ(Varnet("lut import '" + source + "' darken").status, 0);
    const ToolRun exported = Varnet("lut export darken.cube -o '" + Out("standard.cube") + "'");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(ReadFile(Out("standard.cube")).find("LUT_3D_SIZE 17"), std::string::npos);
    ASSERT_EQ(Varnet("lut import '" + Out("standard.cube") + "' again --folder '" +
                     (m_dir / "out").string() + "'")
                  .status,
              0);
    EXPECT_EQ(ReadFile(Out("again.cube")), ReadFile(kData + "/darken_blue.cube"));
}

// A refusal is one short line that says why (the import's own reason), and writes nothing.
TEST_F(LutTool, RefusalsAreOneLineAndWriteNothing) {
    const std::string header = "LUT_3D_SIZE 2\n";
    const std::string values = "0 0 0\n1 0 0\n0 1 0\n1 1 0\n0 0 1\n1 0 1\n0 1 1\n";
    const auto import = [&](const std::string& file, const std::string& name = "x") {
        return "lut import '" + file + "' " + name + " --folder '" + (m_dir / "out").string() + "'";
    };
    const struct {
        const char* name;
        std::string arguments;
        const char* reason;
    } cases[] = {
        {"a line short", import(Write("short.cube", header + values)), "Incorrect number"},
        {"a value short", import(Write("cut.cube", header + values + "1 1\n")), "Malformed"},
        {"too many values", import(Write("long.cube", header + values + "1 1 1\n1 1 1\n")),
         "Incorrect number"},
        {"a header only", import(Write("header.cube", header)), "Incorrect number"},
        {"binary", import(Write("bin.cube", std::string("\0\1\2\3\xff", 5))), "binary"},
        {"missing", import((m_dir / "absent.cube").string()), "no such file"},
        {"a name with a folder", import(kData + "/darken_blue_2.cube", "sub/x"), "without folders"},
        {"export of a standard .cube",
         "lut export darken_blue_2 -o '" + Out("x.cube") + "' --folder '" + kData + "'",
         "not a library .cube"},
        {"export of nothing", "lut export absent -o '" + Out("x.cube") + "'", "cannot read"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun run = Varnet(c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind("varnet: ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        // "varnet: FILE: why", the why kept short whatever the LUT reader threw.
        const std::string why = run.err.substr(run.err.find(": ", 8) + 2);
        EXPECT_NE(why.find(c.reason), std::string::npos) << run.err;
        EXPECT_LE(why.size(), 240u) << run.err;
        EXPECT_TRUE(fs::is_empty(m_dir / "out")) << run.err;
    }
}

} // namespace
