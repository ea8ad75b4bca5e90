// The library's LUT builders against the plain formula-by-formula versions in bench/: the same
// bits for the identity and for random matrices, weights and tables. VARNET_LUT_EQUALITY_CASES
// sets how many random cases (scripts/checks/lut-equality runs 10,000 in an optimised build).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "../../bench/lut_reference.h"
#include "backend/color_transform_srgb.h"
#include "backend/gamma_level_curve.h"
#include "backend/packed_3d_lut.h"
#include "backend/srgb_code_steps.h"
#include "igcl/partial_saturation_lut.h"

namespace varnet {
namespace {

namespace ref = reference;

int RandomCases() {
    const char* text = std::getenv("VARNET_LUT_EQUALITY_CASES");
    return text != nullptr ? std::atoi(text) : 200;
}

// Raw engine bits only: the distributions are not the same across standard libraries.
class Random {
public:
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }
    uint32_t Bits() { return static_cast<uint32_t>(engine_()); }

private:
    std::mt19937_64 engine_{20240611};
};

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The matrices a panel file gives, then random ones, some far outside any sane range.
std::vector<std::vector<float>> Matrices(Random& random, int count) {
    std::vector<std::vector<float>> out = {
        {1, 0, 0, 0, 1, 0, 0, 0, 1},
        {1.25f, -0.2f, -0.05f, -0.1f, 1.2f, -0.1f, -0.03f, -0.22f, 1.25f},
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {-1, 0, 0, 0, -1, 0, 0, 0, -1},
    };
    for (int c = 0; c < count; ++c) {
        const double spread = c % 10 == 0 ? 20.0 : 1.5;
        std::vector<float> m(9);
        for (float& e : m) {
            e = static_cast<float>(random.Uniform(-spread, spread));
        }
        out.push_back(m);
    }
    return out;
}

TEST(LutBuilderEquality, MatrixTablesOnBothBackEnds) {
    Random random;
    for (const std::vector<float>& m : Matrices(random, RandomCases())) {
        Packed3DLut table;
        uint32_t expected[ref::kPoints];
        for (std::size_t e = 0; e < ref::kPoints; ++e) {
            table.words[e] = expected[e] = random.Bits(); // bits 30 and 31 must survive
        }
        Build3DLutFromMatrix(m.data(), table);
        ref::Build3DLut(m.data(), expected);
        ASSERT_EQ(0, std::memcmp(expected, table.words, sizeof expected)) << m[0] << " " << m[4];

        for (std::size_t n : {std::size_t{17}, std::size_t{9}}) {
            std::vector<ref::Rgb> want(n * n * n);
            ref::Set3DLutGrid(m.data(), n, want.data());
            std::size_t visited = 0;
            ColorTransformSrgbGrid(m.data(), n, [&](std::size_t e, const RgbDouble& got) {
                ASSERT_TRUE(SameBits(want[e].r, got.red) && SameBits(want[e].g, got.green) &&
                            SameBits(want[e].b, got.blue))
                    << "entry " << e << " of " << n;
                ++visited;
            });
            ASSERT_EQ(n * n * n, visited);
        }
    }
}

// Random matrices almost never put a row within 1e-12 of where a code begins, where the CUI
// builder hands over to the formula, or just above 1, where the encode skips its power: every
// code's start is walked here, ulp by ulp, and the ends of the range.
TEST(LutBuilderEquality, CodesAtEveryCodeStartAndAtTheEnds) {
    auto encode = [](double v) {
        if (!(v >= 0.0)) {
            v = 0.0;
        }
        const double e = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 0.417) - 0.055;
        return e < 0.0 ? 0.0 : (e > 1.0 ? 1.0 : e);
    };
    auto expectSame = [&](double v) {
        ASSERT_EQ(LutCodeFromUnit(encode(v)), SrgbLutCode(v)) << std::hexfloat << v;
        ASSERT_TRUE(SameBits(encode(v), EncodeSrgbLimited(v))) << std::hexfloat << v;
    };
    for (uint32_t c = 1; c <= kLutMaxCode; ++c) {
        const double start = std::pow((c / 1023.0 + 0.055) / 1.055, 1.0 / 0.417);
        double v = start;
        for (int k = 0; k < 24; ++k) {
            v = std::nextafter(v, 0.0);
        }
        for (int k = 0; k < 48; ++k, v = std::nextafter(v, 2.0)) {
            expectSame(v);
        }
        for (double d : {-1e-6, -1e-11, -1e-12, 1e-12, 1e-11, 1e-6}) {
            expectSame(start * (1.0 + d));
        }
    }
    for (double v :
         {0.0, -0.0, -1.0, 0.0031308, std::nextafter(0.0031308, 1.0), 1.0 + 1e-9,
          std::nextafter(1.0 + 1e-9, 2.0), 1e300, 5e-324, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        expectSame(v);
    }
}

void ExpectSameTable(const std::vector<ref::Rgb>& want,
                     const std::vector<ctl_pixtx_3dlut_sample_t>& got) {
    for (std::size_t e = 0; e < want.size(); ++e) {
        ASSERT_TRUE(SameBits(want[e].r, got[e].Red) && SameBits(want[e].g, got[e].Green) &&
                    SameBits(want[e].b, got[e].Blue))
            << "entry " << e;
    }
}

TEST(LutBuilderEquality, PartialSaturationOnAndOffTheGrid) {
    Random random;
    std::vector<std::vector<double>> gainSets = {
        {1, 1, 1, 1, 1, 1}, {2, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0}, {2, 0, 2, 0, 2, 0}};
    for (int c = 0; c < RandomCases(); ++c) {
        std::vector<double> gains(6);
        for (double& g : gains) {
            g = static_cast<int32_t>(random.Uniform(-100, 100)) / 50.0 + 1.0; // a weight's gain
        }
        gainSets.push_back(gains);
    }
    for (std::size_t n : {std::size_t{17}, std::size_t{5}}) {
        for (const std::vector<double>& gainList : gainSets) {
            double gains[igcl::kHueSectorCount];
            std::copy(gainList.begin(), gainList.end(), gains);
            std::vector<ctl_pixtx_3dlut_sample_t> table(n * n * n);
            for (std::size_t e = 0; e < table.size(); ++e) {
                const std::size_t i = e / (n * n);
                const std::size_t j = e / n % n;
                const std::size_t k = e % n;
                table[e] = {i / 16.0, j / 16.0, k / 16.0};
            }
            ASSERT_EQ(CTL_RESULT_SUCCESS,
                      igcl::GeneratePartialSaturationLut(table.data(), n, gains));
            std::vector<ref::Rgb> want(n * n * n);
            ref::PartialSaturationLut(n, gains, want.data());
            ExpectSameTable(want, table);
        }
    }

    // A table read back from the driver need not be on the grid.
    const double gains[igcl::kHueSectorCount] = {1.5, 0.7, 1.2, 1.9, 0.4, 1.1};
    std::vector<ctl_pixtx_3dlut_sample_t> table(ref::kPoints);
    std::vector<ref::Rgb> want(ref::kPoints);
    for (std::size_t e = 0; e < table.size(); ++e) {
        const double r = e % 7 == 0 ? (e % 17) / 16.0 : random.Uniform(-0.1, 1.1);
        table[e] = {r, random.Uniform(0, 1), e % 3 == 0 ? 0.5 : random.Uniform(0, 1)};
        want[e] = ref::AdjustPoint({table[e].Red, table[e].Green, table[e].Blue}, gains);
    }
    ASSERT_EQ(CTL_RESULT_SUCCESS, igcl::GeneratePartialSaturationLut(table.data(), 17, gains));
    ExpectSameTable(want, table);
}

TEST(LutBuilderEquality, GammaLevelsOverRandomRamps) {
    Random random;
    std::vector<uint32_t> levels;
    for (int level = -80; level <= 40; ++level) {
        levels.push_back(static_cast<uint32_t>(level));
    }
    levels.push_back(0x80000000u);
    levels.push_back(0x7FFFFFFFu);
    for (uint32_t level : levels) {
        uint16_t source[kGammaRampEntries];
        for (uint16_t& entry : source) {
            entry = static_cast<uint16_t>(random.Bits());
        }
        uint16_t refSource[kGammaRampEntries];
        std::memcpy(refSource, source, sizeof source);
        uint16_t target[kGammaRampEntries] = {};
        uint16_t refTarget[kGammaRampEntries] = {};
        ApplyGammaLevelCurve(level, source, target);
        ref::ApplyGammaLevel(level, refSource, refTarget);
        ASSERT_EQ(0, std::memcmp(refSource, source, sizeof source)) << static_cast<int>(level);
        ASSERT_EQ(0, std::memcmp(refTarget, target, sizeof target)) << static_cast<int>(level);
    }
}

} // namespace
} // namespace varnet
