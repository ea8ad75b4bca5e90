// Tables brought in by `varnet lut import` (committed as the tool wrote them) applied through a
// colour mode on the simulated laptop: the whole table the driver ends up holding, point by point.
// The Control Library back-end reads no .cube file; color_mode_test.cpp shows it gets the matrix.
#include <cmath>
#include <fstream>

#include "exports_fixture.h"

namespace varnet::test {
namespace {

using nlohmann::json;

// The 3D LUT the simulated driver holds: 17^3 triples of 0..1, red index outermost.
std::vector<double> HeldTable(const std::string& folder) {
    std::ifstream in(folder + "/state.json");
    const json state = json::parse(in);
    for (const auto& [name, display] : state.at("displays").items())
        if (display.contains("lut3d") && display["lut3d"].value("pointsPerAxis", 0) == 17)
            return display["lut3d"]["values"].get<std::vector<double>>();
    return {};
}

int Code(double v) {
    return static_cast<int>(std::lround(v * 1023.0));
}

struct Imported {
    const char* name;
    std::array<double, 3> (*f)(double r, double g, double b);
};
const Imported kImported[] = {
    {"swap_red_blue",
     [](double r, double g, double b) {
         return std::array<double, 3>{b, g, r};
     }},
    {"darken_blue",
     [](double r, double g, double b) {
         return std::array<double, 3>{r, g, 0.6 * b};
     }},
};

class LutImport : public ExportsTest {
protected:
    // MODE_GAME_RPG with field 27 at 777 and field 38 naming the file; fields 28-36 the identity.
    void InstallMode(const std::string& name) {
        TestMachine::WriteConfigFile(name + ".cube",
                                     SourceText("tests/data/lut/" + name + ".cube"));
        TestMachine::WriteConfigFile(
            "IntelColorMode.ini", "[MODE_GAME_RPG]\nVN156FHD01=N/N/N/N/N/N/N/N/N/0/0/U/U/D/N/U/"
                                  "NOLUT/N/0/0/0/0/0/0/N/0/777/10000/0/0/0/10000/0/0/0/10000/N/" +
                                      name + "\n");
    }
};

TEST_F(LutImport, CuiDriverHoldsTheImportedTable) {
    Scenario(RefuseControlLib);
    for (const Imported& lut : kImported) {
        SCOPED_TRACE(lut.name);
        InstallMode(lut.name);
        lib.SetColorMode(13, 2, false, 5);
        const std::vector<double> held = HeldTable(machine.Folder());
        ASSERT_EQ(held.size(), 3u * 4913u);
        std::size_t wrong = 0;
        for (int r = 0; r < 17; ++r)
            for (int g = 0; g < 17; ++g)
                for (int b = 0; b < 17; ++b) {
                    const auto want = lut.f(r / 16.0, g / 16.0, b / 16.0);
                    const std::size_t at = 3 * static_cast<std::size_t>((r * 17 + g) * 17 + b);
                    for (int c = 0; c < 3; ++c)
                        wrong += Code(held[at + c]) != Code(want[c]);
                }
        EXPECT_EQ(wrong, 0u);
    }
}

} // namespace
} // namespace varnet::test
