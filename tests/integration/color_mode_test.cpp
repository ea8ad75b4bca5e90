// SetColorMode over the example configuration folder, on both back-ends: for every mode of both
// parameter files, what reached each simulated driver against what the mode's parameter list
// asks for. The requests below are transcribed by hand from examples/config, so a change to
// those files shows here.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "backend/color_transform_srgb.h"
#include "common/driver_state_summary.h"
#include "exports_fixture.h"

namespace varnet::test {
namespace {

using nlohmann::json;

constexpr char kPanel[] = "VN156FHD01";
constexpr char kCube[] = "VN156FHD01_warm";

// Fields 12 to 14: one group of the video-quality step.
enum class Video { Skip, Auto, DriverDefault, Value, Off };
struct VideoField {
    Video kind = Video::Skip;
    float value = 0.0f;
};
constexpr VideoField kN{Video::Skip}, kA{Video::Auto}, kU{Video::DriverDefault}, kD{Video::Off};
constexpr VideoField V(float v) {
    return {Video::Value, v};
}

enum class Lut3d { None, Off, Matrix, Cube };
constexpr std::array<int, 9> kIdentity = {10000, 0, 0, 0, 10000, 0, 0, 0, 10000};

struct ModeRequest {
    const char* section;
    int32_t mode;
    std::optional<std::array<float, 2>> hueSat; // fields 10 and 11, both numbers
    VideoField first, sharpness, skinTone;
    int contrast;                          // field 16: 0 off, 1 on, 2 left alone
    std::optional<std::array<int, 7>> tcc; // field 18 (enable), 19 to 24, when no 3D LUT
    Lut3d lut = Lut3d::None;
    int32_t lutMode = 0;            // field 27
    std::array<int, 9> matrix = {}; // fields 28 to 36
    bool desktopGammaText = false;
};

// A list that is only "NOTSUPPORT" leaves the record's initial values: every flag valid.
ModeRequest Unlisted(const char* section, int32_t mode) {
    return {section, mode, {{0.0f, 0.0f}}, V(0), V(0), kD, 2, {}, Lut3d::None, 0, {}, true};
}

// clang-format off
const std::vector<ModeRequest> kModes = {
    {"MODE_VIVID", 1, {{0, 20}}, kA, kA, kD, 1, {{1, 10, 5, 5, 10, 5, 5}}},
    {"MODE_STANDARD", 2, {{0, 0}}, kU, kU, kD, 0, {{0, 0, 0, 0, 0, 0, 0}}},
    {"MODE_MOVIE", 3, {{0, 10}}, kA, V(0.3f), V(0.5f), 1},
    {"MODE_EBOOK", 4, {{0, -100}}, kU, kU, kD, 0},
    {"MODE_NATURAL", 5, {}, kU, kU, kN, 2, {}, Lut3d::Off},
    {"MODE_PRO", 6, {}, kU, kU, kD, 0, {}, Lut3d::Matrix, -10, {8400, 1600, 0, 300, 9700, 0, 0, 500, 9500}},
    {"MODE_GAME_FPS", 10, {{0, 10}}, kN, V(1.5f), kD, 1, {{1, 0, 0, 0, 20, 0, 0}}},
    Unlisted("MODE_GAME_RTS", 11),
    Unlisted("MODE_GAME_AOS", 12),
    {"MODE_GAME_RPG", 13, {{0, 0}}, kU, kU, kD, 0, {}, Lut3d::Cube, 777, kIdentity},
};

const std::vector<ModeRequest> kModes3dLut = {
    {"MODE_VIVID", 1, {}, kA, kA, kD, 1, {}, Lut3d::Matrix, 20, {11400, -1000, -400, -500, 11000, -500, -400, -1000, 11400}},
    {"MODE_STANDARD", 2, {{0, 0}}, kU, kU, kD, 0, {}, Lut3d::Off},
    {"MODE_MOVIE", 3, {{0, 10}}, kA, V(0.3f), V(0.5f), 1, {}, Lut3d::Matrix, 5, kIdentity},
    {"MODE_EBOOK", 4, {{0, -100}}, kU, kU, kD, 0, {}, Lut3d::Off},
    {"MODE_NATURAL", 5, {}, kU, kU, kN, 2, {}, Lut3d::Off},
    {"MODE_PRO", 6, {}, kU, kU, kD, 0, {}, Lut3d::Cube, 777, kIdentity},
    // Field 18 is set, but field 27 brings a 3D LUT: no weights.
    {"MODE_GAME_FPS", 10, {{0, 10}}, kN, V(1.5f), kD, 1, {}, Lut3d::Off},
    {"MODE_GAME_RTS", 11, {{0, 5}}, V(0.2f), kA, kD, 1},
    Unlisted("MODE_GAME_AOS", 12),
    {"MODE_GAME_RPG", 13, {{0, 0}}, kU, kU, kD, 0, {}, Lut3d::Cube, 777, kIdentity},
};
// clang-format on

// The panel's tone curve of a section as the driver should get it (x 257), or the straight line.
json ExpectedRamp(const std::string& file, const std::string& section) {
    std::istringstream in(SourceText("examples/config/" + file));
    std::string line, value;
    bool inSection = false;
    const std::string key = std::string(kPanel) + "=";
    while (std::getline(in, line)) {
        if (line.starts_with('['))
            inSection = line == "[" + section + "]";
        else if (inSection && line.starts_with(key))
            value = line.substr(key.size());
    }
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '{' || c == '}'; }, ',');
    json ramp = json::array();
    std::istringstream numbers(value);
    for (std::string piece; std::getline(numbers, piece, ',');)
        if (piece.find_first_not_of(" \t") != std::string::npos)
            ramp.push_back(std::atoi(piece.c_str()) * 257);
    for (int k = 0; value.empty() && k < 768; ++k)
        ramp.push_back(k % 256 * 257);
    return ramp;
}

// The named points of the simulators' 3D LUT summaries: first, middle and last grid index.
struct NamedPoint {
    const char* name;
    int r, g, b;
};
constexpr NamedPoint kPoints[] = {
    {"black", 0, 0, 0},     {"red", 16, 0, 0},     {"green", 0, 16, 0},
    {"blue", 0, 0, 16},     {"yellow", 16, 16, 0}, {"cyan", 0, 16, 16},
    {"magenta", 16, 0, 16}, {"white", 16, 16, 16}, {"grey", 8, 8, 8},
};

RgbDouble Transformed(const NamedPoint& p, const std::array<int, 9>& fields) {
    float matrix[9];
    for (int i = 0; i < 9; ++i)
        matrix[i] = static_cast<float>(fields[i]) / 10000.0f;
    return ColorTransformSrgb(p.r / 16.0, p.g / 16.0, p.b / 16.0, matrix);
}

int Code(double v) {
    return std::min(static_cast<int>(v * 1023.0), 1023);
}

// Triple k of the .cube file belongs to the point r = k mod 17, g = k / 17 mod 17, b = k / 289.
std::vector<std::array<int, 3>> CubeTriples() {
    std::istringstream in(SourceText(std::string("examples/config/") + kCube + ".cube"));
    std::vector<std::array<int, 3>> triples;
    double r, g, b;
    while (in >> r >> g >> b)
        triples.push_back({static_cast<int>(r) & 0x3FF, static_cast<int>(g) & 0x3FF,
                           static_cast<int>(b) & 0x3FF});
    return triples;
}

class ColorMode : public ExportsTest {
protected:
    void SetUp() override {
        ExportsTest::SetUp();
        TestMachine::InstallConfigFolder("examples/config");
    }

    // The writes that reached the driver, named by the step they belong to.
    std::vector<std::pair<std::string, json>> Steps(bool cui) const {
        std::vector<std::pair<std::string, json>> steps;
        json lastRead;
        for (const json& e : machine.Journal()) {
            const std::string call = e.value("call", "");
            const json& args = e["args"];
            std::string step;
            if (cui && call == "GetDeviceData")
                lastRead = e.value("out", json());
            if (cui && call == "SetDeviceData") {
                const std::string guid = args.value("guid", "");
                step = guid == "hueSat"         ? "hueSat"
                       : guid == "videoQuality" ? "video"
                       : guid == "sixSector"    ? "tcc"
                                                : "other " + guid;
            } else if (cui && call == "SetGammaRamp") {
                step = "ramp";
            } else if (cui && call == "SetDeviceDataEx") {
                step = "lut";
            } else if (!cui && call == "ctlPixelTransformationSetConfig") {
                const std::string type = args.value("blockType", "");
                step = type == "matrix"              ? "hueSat"
                       : type == "1dlut"             ? "ramp"
                       : args.value("flags", 0) == 1 ? "lut" // persists: Set3DLutParams
                                                     : "tcc";
            } else if (!cui && call == "ctlGetSetVideoProcessingFeature" &&
                       args.value("set", 0) != 0) {
                step = "video " + args.value("featureName", std::string());
            }
            if (!step.empty()) {
                json entry = args;
                entry["before"] = lastRead;
                steps.emplace_back(step, entry);
            }
        }
        return steps;
    }

    void Apply(const ModeRequest& m, bool use3DLutFiles, bool cui) {
        SCOPED_TRACE(std::string(m.section) + (use3DLutFiles ? " (3D LUT files)" : "") +
                     (cui ? " on CUI" : " on IGCL"));
        machine.ClearJournal();
        ClearCaptures();
        EXPECT_FALSE(lib.SetColorMode(m.mode, 2, use3DLutFiles, 5));
        EXPECT_EQ(DebugOutput().find("Check: SetDesktopGamma()\n") != std::string::npos,
                  m.desktopGammaText);

        const auto steps = Steps(cui);
        std::vector<std::string> expected;
        if (m.hueSat)
            expected.push_back("hueSat");
        if (!cui && (m.sharpness.kind != Video::Skip))
            expected.push_back("video sharpness");
        if (cui)
            expected.push_back("video");
        expected.push_back("ramp");
        if (m.tcc)
            expected.push_back("tcc");
        if (m.lut != Lut3d::None)
            expected.push_back("lut");
        // The SDK's read-back finds no table after a switch-off: saturation instead.
        if (cui && m.lut == Lut3d::Off)
            expected.push_back("hueSat");
        std::vector<std::string> names;
        for (const auto& step : steps)
            names.push_back(step.first);
        ASSERT_EQ(names, expected);

        bool firstHueSat = true;
        for (const auto& [name, args] : steps) {
            if (name == "hueSat")
                CheckHueSat(m, cui, firstHueSat, args);
            else if (name == "ramp")
                EXPECT_EQ(args["ramp"], ExpectedRamp(use3DLutFiles ? "IntelColorToneCurve3Dlut.ini"
                                                                   : "IntelColorToneCurve.ini",
                                                     m.section));
            else if (name == "video")
                CheckCuiVideo(m, args);
            else if (name == "video sharpness")
                CheckIgclSharpness(m.sharpness, args);
            else if (name == "tcc")
                cui ? CheckCuiWeights(*m.tcc, args) : CheckIgclWeights(*m.tcc, args);
            else if (name == "lut")
                cui ? CheckCuiLut(m, args) : CheckIgclLut(m, args);
        }
    }

    static void CheckHueSat(const ModeRequest& m, bool cui, bool& first, const json& args) {
        const float saturation = first ? (*m.hueSat)[1] : static_cast<float>(m.lutMode);
        const float hue = first ? (*m.hueSat)[0] : 0.0f;
        first = false;
        if (cui) {
            EXPECT_EQ(args["hue"].get<float>(), hue);
            EXPECT_EQ(args["saturation"].get<float>(), saturation);
            return;
        }
        // Saturation s scales chroma by k = 1 + s/100 and keeps luma: k I + (1 - k) 1 luma^T.
        const double k = 1.0 + saturation / 100.0;
        const double luma[3] = {0.2126, 0.7152, 0.0722};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(args["matrix"][r * 3 + c].get<double>(),
                            (r == c ? k : 0.0) + (1.0 - k) * luma[c], 2e-3)
                    << "element " << r << c;
    }

    static void CheckGroup(const VideoField& f, const json& got, const json& before) {
        switch (f.kind) {
        case Video::Skip:
            EXPECT_EQ(got, before);
            break;
        case Video::Auto:
            EXPECT_EQ(got["enable"], 1);
            EXPECT_EQ(got["mode"], 1);
            EXPECT_EQ(got["value"], before["value"]);
            break;
        case Video::DriverDefault:
            EXPECT_EQ(got["enable"], 0);
            EXPECT_EQ(got["mode"], 1);
            EXPECT_EQ(got["value"], got["default"]);
            break;
        case Video::Value:
            EXPECT_EQ(got["enable"], 1);
            EXPECT_EQ(got["mode"], 0);
            EXPECT_FLOAT_EQ(got["value"].get<float>(), f.value);
            break;
        case Video::Off:
            ADD_FAILURE() << "D is for the skin tone only";
        }
    }

    static void CheckCuiVideo(const ModeRequest& m, const json& args) {
        const json& before = args["before"];
        ASSERT_TRUE(before.contains("sharpness")) << "no read before the write";
        CheckGroup(m.first, args["firstGroup"], before["firstGroup"]);
        CheckGroup(m.sharpness, args["sharpness"], before["sharpness"]);
        const json& skin = args["skinTone"];
        if (m.skinTone.kind == Video::Skip) {
            EXPECT_EQ(skin, before["skinTone"]);
        } else if (m.skinTone.kind == Video::Off) {
            EXPECT_EQ(skin["enable"], 0);
            EXPECT_EQ(skin["value"], before["skinTone"]["value"]);
        } else {
            EXPECT_EQ(skin["enable"], 1);
            EXPECT_FLOAT_EQ(skin["value"].get<float>(), m.skinTone.value);
        }
        if (m.contrast == 2)
            EXPECT_EQ(args["contrast"]["enable"], before["contrast"]["enable"]);
        else
            EXPECT_EQ(args["contrast"]["enable"], m.contrast);
    }

    static void CheckIgclSharpness(const VideoField& f, const json& args) {
        const bool off = f.kind == Video::DriverDefault;
        EXPECT_EQ(args["enable"], !off);
        EXPECT_EQ(args["value"], off ? 0 : static_cast<int>(f.value)); // auto: the value 0
    }

    static void CheckCuiWeights(const std::array<int, 7>& tcc, const json& args) {
        const bool on = tcc[0] == 1;
        const char* names[] = {"red", "green", "blue", "yellow", "cyan", "magenta"};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(args["weights"][names[i]], on ? tcc[1 + i] : 0) << names[i];
    }

    // The run time gets a table computed from the weights: the identity for all zeros, colours
    // moved otherwise, greys never.
    static void CheckIgclWeights(const std::array<int, 7>& tcc, const json& args) {
        EXPECT_EQ(args["opType"], 2);
        EXPECT_EQ(args["pointsPerAxis"], 17);
        const bool anyWeight = std::any_of(tcc.begin() + 1, tcc.end(), [](int w) { return w; });
        if (anyWeight)
            EXPECT_GT(args["maxIdentityDeviation"].get<double>(), 1e-3);
        else
            EXPECT_LT(args["maxIdentityDeviation"].get<double>(), 1e-12);
        for (const json& v : args["points"]["grey"])
            EXPECT_DOUBLE_EQ(v.get<double>(), 0.5);
    }

    static void CheckCuiLut(const ModeRequest& m, const json& args) {
        EXPECT_EQ(args["enable"], 1);
        EXPECT_EQ(args["bypass"], m.lut == Lut3d::Off ? 1 : 0);
        EXPECT_EQ(args["operation"], m.lut == Lut3d::Cube ? 1 : 3);
        const auto cube = m.lut == Lut3d::Cube ? CubeTriples() : std::vector<std::array<int, 3>>();
        if (m.lut == Lut3d::Cube) {
            ASSERT_EQ(cube.size(), 4913u);
        }
        for (const NamedPoint& p : kPoints) {
            std::array<int, 3> want = {0, 0, 0}; // switched off: a zero table
            if (m.lut == Lut3d::Matrix) {
                const RgbDouble out = Transformed(p, m.matrix);
                want = {Code(out.red), Code(out.green), Code(out.blue)};
            } else if (m.lut == Lut3d::Cube) {
                want = cube[p.r + 17 * p.g + 289 * p.b];
            }
            EXPECT_EQ(args["points"][p.name], json(want)) << p.name;
        }
    }

    // The IGCL back-end has no .cube reader: a .cube mode ends with the matrix of fields 28-36.
    static void CheckIgclLut(const ModeRequest& m, const json& args) {
        EXPECT_EQ(args["opType"], m.lut == Lut3d::Off ? 1 : 2);
        if (m.lut == Lut3d::Off)
            return;
        for (const NamedPoint& p : kPoints) {
            const RgbDouble out = Transformed(p, m.matrix);
            const json& got = args["points"][p.name];
            EXPECT_DOUBLE_EQ(got[0].get<double>(), out.red) << p.name;
            EXPECT_DOUBLE_EQ(got[1].get<double>(), out.green) << p.name;
            EXPECT_DOUBLE_EQ(got[2].get<double>(), out.blue) << p.name;
        }
    }
};

TEST_F(ColorMode, EveryExampleModeReachesTheControlLibraryAsListed) {
    for (const ModeRequest& m : kModes)
        Apply(m, false, false);
    for (const ModeRequest& m : kModes3dLut)
        Apply(m, true, false);
    EXPECT_EQ(CallsOf("cui"), 0u);
}

TEST_F(ColorMode, EveryExampleModeReachesTheCuiObjectAsListed) {
    Scenario(RefuseControlLib);
    for (const ModeRequest& m : kModes)
        Apply(m, false, true);
    for (const ModeRequest& m : kModes3dLut)
        Apply(m, true, true);
}

TEST_F(ColorMode, CuiFallsBackToTheModesSaturationWhenTheTableDoesNotTake) {
    Scenario([](json& s) {
        RefuseControlLib(s);
        s["cuiDevices"][0]["lut3dStatus"] = 0;
    });
    lib.SetColorMode(6, 2, false, 5); // MODE_PRO: matrix, saturation -10 otherwise
    const auto steps = Steps(true);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().first, "hueSat");
    EXPECT_EQ(steps.back().second["saturation"], -10);
}

// What the driver holds afterwards, as the tool's "state" command reads it: the mode stays.
TEST_F(ColorMode, DriverHoldsTheModeAfterwards) {
    const json ramp = ExpectedRamp("IntelColorToneCurve.ini", "MODE_VIVID");
    for (const bool cui : {false, true}) {
        if (cui) {
            Scenario(RefuseControlLib);
        }
        lib.SetColorMode(1, 2, false, 5);
        const json state = sim::DescribeDriverState(machine.Folder() + "/state.json");
        const json& panel = state["displays"]["\\\\.\\DISPLAY1"];
        EXPECT_EQ(panel["gamma"]["ramp"], ramp) << cui;
        if (cui) {
            EXPECT_EQ(panel["hueSat"]["saturation"], 20.0);
            EXPECT_EQ(state["sixSector"]["yellow"], 10);
        } else {
            EXPECT_FALSE(panel["csc"]["identity"].get<bool>());  // saturation 20
            EXPECT_TRUE(panel["lut3d"]["inEffect"].get<bool>()); // the hue-sector weights
        }
    }
}

// A .cube file that is not there, or a name longer than the 259 characters the name buffer
// holds (the parameter list can hold 1000): no 3D LUT operation at all.
TEST_F(ColorMode, CubeFileThatCannotBeReadLeavesTheTableAlone) {
    Scenario(RefuseControlLib);
    TestMachine::WriteConfigFile("no_such_file.cub", "0 0 0"); // only the extension differs
    for (const std::string& name : {std::string("no_such_file"), std::string(300, 'x')}) {
        TestMachine::WriteConfigFile(
            "IntelColorMode.ini", "[MODE_GAME_RPG]\nVN156FHD01=N/N/N/N/N/N/N/N/N/0/0/U/U/D/N/U/"
                                  "NOLUT/N/0/0/0/0/0/0/N/0/777/10000/0/0/0/10000/0/0/0/10000/N/" +
                                      name + "\n");
        machine.ClearJournal();
        ClearCaptures();
        lib.SetColorMode(13, 2, false, 5);
        EXPECT_EQ(machine.Count("SetDeviceDataEx"), 0u) << name.size();
        EXPECT_EQ(machine.Count("GetDeviceDataEx"), 0u) << name.size();
        EXPECT_EQ(machine.Count("SetGammaRamp"), 1u) << name.size(); // the earlier steps ran
    }
    EXPECT_NE(DebugOutput().find("SetColorMode: .cube name longer than 259 characters\n"),
              std::string::npos);
}

TEST_F(ColorMode, UnknownModeStillSendsVideoQualityAndTheRamp) {
    lib.SetColorMode(7, 2, false, 5);
    EXPECT_NE(DebugOutput().find("NOTSUPPORT"), std::string::npos);
    std::vector<std::string> names;
    for (const auto& step : Steps(false))
        names.push_back(step.first);
    EXPECT_EQ(names, (std::vector<std::string>{"hueSat", "video sharpness", "ramp"}));
}

} // namespace
} // namespace varnet::test
