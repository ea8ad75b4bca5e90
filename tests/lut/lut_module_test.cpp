// The LUT interchange module against LUT files written here: sizes, channel order, the file
// variations colour tools produce, the comparison grid, and the round trip (refusals are the
// lut command's suite).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <sstream>

#include "backend/cube_file_parser.h"
#include "backend/packed_3d_lut.h"
#include "library_cube_text.h"
#include "lut_import.h"
#include "standard_cube_export.h"

#include "../tool/tool_run_host.h"

namespace varnet::lut {
namespace {

using Rgb = std::array<double, 3>;
using Transform = std::function<Rgb(double, double, double)>;

Rgb Identity(double r, double g, double b) {
    return {r, g, b};
}

struct CubeLayout {
    const char* newline = "\n";
    std::string header = "TITLE \"test\"\n";
    std::string beforeData; // DOMAIN lines, comments, blank lines
};

// A standard .cube of n points per axis: red index fastest, inputs i / (n - 1).
std::string StandardCube(std::size_t n, const Transform& f, const CubeLayout& layout = {}) {
    std::ostringstream text;
    text.precision(9);
    text << layout.header << "LUT_3D_SIZE " << n << layout.newline << layout.beforeData;
    const double step = 1.0 / static_cast<double>(n - 1);
    for (std::size_t b = 0; b < n; ++b)
        for (std::size_t g = 0; g < n; ++g)
            for (std::size_t r = 0; r < n; ++r) {
                const Rgb v = f(r * step, g * step, b * step);
                text << v[0] << ' ' << v[1] << ' ' << v[2] << layout.newline;
            }
    return text.str();
}

// A folder of the test's own for the files.
class LutFiles : public varnet_tool_test::ToolTest {
protected:
    static std::unique_ptr<ImportResult> Import(const std::string& path) {
        auto result = std::make_unique<ImportResult>();
        std::string error;
        EXPECT_TRUE(ImportLut(path, *result, error)) << error;
        return result;
    }
};

uint32_t ExpectedCode(double v) {
    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 1023.0));
}

// Every point of the table against f at the grid, code by code.
void ExpectTable(const Packed3DLut& table, const Transform& f) {
    std::size_t wrong = 0;
    for (std::size_t r = 0; r < 17; ++r)
        for (std::size_t g = 0; g < 17; ++g)
            for (std::size_t b = 0; b < 17; ++b) {
                const Rgb v = f(r / 16.0, g / 16.0, b / 16.0);
                const LutCodes got = UnpackLutWord(table.words[LutIndex(r, g, b)]);
                const LutCodes want = {ExpectedCode(v[0]), ExpectedCode(v[1]), ExpectedCode(v[2])};
                if (got.red != want.red || got.green != want.green || got.blue != want.blue) {
                    if (++wrong <= 5)
                        ADD_FAILURE() << "point " << r << ',' << g << ',' << b << ": " << got.red
                                      << ' ' << got.green << ' ' << got.blue << ", want "
                                      << want.red << ' ' << want.green << ' ' << want.blue;
                }
            }
    EXPECT_EQ(wrong, 0u);
}

TEST_F(LutFiles, IdentityOfAnySizeGivesTheIdentityGrid) {
    for (const std::size_t n : {2u, 17u, 33u, 65u}) {
        SCOPED_TRACE(n);
        const auto result =
            Import(Write("identity" + std::to_string(n) + ".cube", StandardCube(n, Identity)));
        ExpectTable(result->table, Identity);
        EXPECT_EQ(result->description, "3D LUT of " + std::to_string(n) + " points per axis");
        EXPECT_EQ(result->domainMin, (std::array<double, 3>{0, 0, 0}));
        EXPECT_EQ(result->domainMax, (std::array<double, 3>{1, 1, 1}));
        EXPECT_EQ(result->clippedValues, 0u);
        // A straight line loses nothing on the coarser grid but the rounding to codes.
        EXPECT_LE(result->largestDifference, 0.5 + 1e-3);
    }
}

TEST_F(LutFiles, ChannelsAndFileVariationsOfColourTools) {
    const Transform swap = [](double r, double g, double b) { return Rgb{b, g, r}; };
    const Transform curves = [](double r, double g, double b) {
        return Rgb{r * r, std::sqrt(g), 1.0 - 0.6 * b};
    };
    const Transform half = [](double r, double g, double b) { return Rgb{r / 2, g / 2, b / 2}; };
    const Transform beyond = [](double r, double g, double b) { return Rgb{1.5 * r - 0.2, g, b}; };
    const std::string spi3d = [] {
        std::ostringstream t;
        t << "SPILUT 1.0\n3 3\n2 2 2\n";
        for (int r = 0; r < 2; ++r)
            for (int g = 0; g < 2; ++g)
                for (int b = 0; b < 2; ++b)
                    t << r << ' ' << g << ' ' << b << ' ' << b << ' ' << g << ' ' << r << '\n';
        return t.str();
    }();
    const struct {
        const char* name;
        std::string file;
        std::string text;
        Transform seen; // what the 17-point grid should hold
        double domainMax;
        std::size_t clipped;
    } cases[] = {
        {"swap red and blue", "swap.cube", StandardCube(33, swap), swap, 1.0, 0},
        {"one curve a channel", "curves.cube", StandardCube(33, curves), curves, 1.0, 0},
        {"CR LF, comments, blank lines", "crlf.cube",
         StandardCube(
             17, Identity,
             {"\r\n", "# made by a grading tool\r\n\r\nTITLE \"x\"\r\n", "\r\n# data\r\n"}),
         Identity, 1.0, 0},
        // An identity over inputs 0 to 2: the library's inputs reach half way.
        {"wider domain", "domain.cube",
         StandardCube(17, Identity, {"\n", "", "DOMAIN_MIN 0 0 0\nDOMAIN_MAX 2 2 2\n"}), half, 2.0,
         0},
        // Red from -0.2 to 1.3: three grid values a row below 0, four above 1.
        {"values beyond the domain", "beyond.cube", StandardCube(17, beyond), beyond, 1.0,
         7 * 17 * 17},
        {"another format", "swap.spi3d", spi3d, swap, 1.0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = Import(Write(c.file, c.text));
        ExpectTable(result->table, c.seen);
        EXPECT_EQ(result->clippedValues, c.clipped);
        for (int ch = 0; ch < 3; ++ch) {
            EXPECT_DOUBLE_EQ(result->domainMin[ch], 0.0);
            EXPECT_DOUBLE_EQ(result->domainMax[ch], c.domainMax);
        }
    }
}

// What the 17-point grid loses shows on the comparison grid: a curve that bends between the
// grid's points differs there, a straight line does not.
TEST_F(LutFiles, ComparisonGridShowsWhatTheCoarserGridLoses) {
    const Transform steep = [](double r, double g, double b) {
        return Rgb{std::pow(r, 8.0), g, b};
    };
    const auto result = Import(Write("steep.cube", StandardCube(65, steep)));
    EXPECT_GT(result->largestDifference, 5.0);
    EXPECT_LT(result->largestDifference, 40.0);
    // Where a curve x^8 bends most: the last interval of the red axis.
    EXPECT_GT(result->largestDifferenceAt[0], 15.0 / 16.0);
    EXPECT_LT(result->largestDifferenceAt[0], 1.0);
}

TEST_F(LutFiles, ImportExportImportGivesTheSameFile) {
    const Transform warm = [](double r, double g, double b) {
        return Rgb{std::pow(r, 0.9), g * 0.98, std::pow(b, 1.2) * 0.9};
    };
    const auto first = Import(Write("warm.cube", StandardCube(33, warm)));
    const std::string library = LibraryCubeText(first->table);

    std::string standard;
    std::string error;
    ASSERT_TRUE(ExportStandardCube(library, "warm", standard, error)) << error;
    EXPECT_NE(standard.find("LUT_3D_SIZE 17"), std::string::npos);
    const auto second = Import(Write("exported.cube", standard));
    EXPECT_EQ(second->description, "3D LUT of 17 points per axis");
    EXPECT_EQ(LibraryCubeText(second->table), library);

    // The library form is what the library's own reader takes, and only that is exported.
    Packed3DLut table;
    EXPECT_EQ(ParseCubeText(library, table), CubeStatus::kOk);
    EXPECT_FALSE(ExportStandardCube(standard, "again", standard, error));
    EXPECT_NE(error.find("not a library .cube"), std::string::npos) << error;
}

} // namespace
} // namespace varnet::lut
