// varnet lut import and export run as processes, in a sandbox of their own: what they print,
// what they write, and that a refused file leaves nothing behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class LutTool : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("varnet-lut-tool-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "out");
    }
    void TearDown() override { fs::remove_all(folder_); }

    // The shell records the exit code, so no wait-status decoding is needed here.
    ToolRun Varnet(const std::string& arguments) const {
        const fs::path out = folder_ / "stdout.txt";
        const fs::path err = folder_ / "stderr.txt";
        const fs::path code = folder_ / "exit.txt";
        const std::string command = std::string("'") + VARNET_TOOL + "' --root '" +
                                    (folder_ / "root").string() + "' " + arguments + " >'" +
                                    out.string() + "' 2>'" + err.string() + "'; echo $? >'" +
                                    code.string() + "'";
        ToolRun run;
        if (std::system(command.c_str()) == 0) {
            run.exitCode = std::atoi(ReadFile(code).c_str());
        }
        run.out = ReadFile(out);
        run.err = ReadFile(err);
        return run;
    }

    std::string Out(const std::string& name) const { return (folder_ / "out" / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path folder_;
};

const std::string kData = VARNET_LUT_DATA;

// The committed library files are the tool's own output for the committed sources, so the
// integration suites (which cannot run the import on Windows) load what it really writes.
TEST_F(LutTool, ImportWritesTheLibraryFormAndReportsWhatItRead) {
    for (const std::string name : {"swap_red_blue", "darken_blue"}) {
        SCOPED_TRACE(name);
        const ToolRun run = Varnet("lut import '" + kData + "/" + name + "_2.cube' " + name +
                                   " --folder '" + (folder_ / "out").string() + "'");
        ASSERT_EQ(run.exitCode, 0) << run.err;
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
    ASSERT_EQ(Varnet("lut import '" + source + "' darken").exitCode, 0);
    const ToolRun exported = Varnet("lut export darken.cube -o '" + Out("standard.cube") + "'");
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_NE(ReadFile(Out("standard.cube")).find("LUT_3D_SIZE 17"), std::string::npos);
    ASSERT_EQ(Varnet("lut import '" + Out("standard.cube") + "' again --folder '" +
                     (folder_ / "out").string() + "'")
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(Out("again.cube")), ReadFile(kData + "/darken_blue.cube"));
}

TEST_F(LutTool, RefusalsAreOneLineAndWriteNothing) {
    const std::string header = "LUT_3D_SIZE 2\n";
    const std::string values = "0 0 0\n1 0 0\n0 1 0\n1 1 0\n0 0 1\n1 0 1\n0 1 1\n";
    const std::string toOut = " --folder '" + (folder_ / "out").string() + "'";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"truncated", "lut import '" + Write("short.cube", header + values) + "' x" + toOut},
        {"too many values",
         "lut import '" + Write("long.cube", header + values + "1 1 1\n1 1 1\n") + "' x" + toOut},
        {"binary",
         "lut import '" + Write("bin.cube", std::string("\0\1\2\3\xff", 5)) + "' x" + toOut},
        {"missing", "lut import '" + (folder_ / "absent.cube").string() + "' x" + toOut},
        {"a name with a folder", "lut import '" + kData + "/darken_blue_2.cube' sub/x" + toOut},
        {"export of a standard .cube",
         "lut export darken_blue_2 -o '" + Out("x.cube") + "' --folder '" + kData + "'"},
        {"export of nothing", "lut export absent -o '" + Out("x.cube") + "'"},
    };
    for (const auto& [name, arguments] : cases) {
        SCOPED_TRACE(name);
        const ToolRun run = Varnet(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.rfind("varnet: ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_TRUE(fs::is_empty(folder_ / "out")) << run.err;
    }
}

} // namespace
