// The Control Library back-end's gamma ramps, matrices and 3D LUTs against the scripted run
// time: what reaches the driver, what comes back, and what the settings registry keeps.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "backend/graphics_types.h"
#include "fake_controllib.h"
#include "igcl/cintel_graphic_igcl.h"
#include "platform/host/sandbox.h"

namespace varnet {
namespace {

using test::Fake;
using Ramp = std::vector<uint16_t>;
using Lut = std::vector<ctl_pixtx_3dlut_sample_t>;
using Doubles = std::vector<double>;
namespace host = platform::host;
constexpr char kSet[] = "ctlPixelTransformationSetConfig";
constexpr char kGet[] = "ctlPixelTransformationGetConfig";
constexpr std::size_t kBlock = sizeof(ctl_pixtx_block_config_t);

class IgclPixel : public test::FakeControlLibTest {};

Ramp IdentityRamp() {
    Ramp ramp(kGammaRampEntries);
    for (std::size_t k = 0; k < ramp.size(); ++k) {
        ramp[k] = static_cast<uint16_t>((k % 256) * 257);
    }
    return ramp;
}

Ramp LoadedRamp() {
    Ramp ramp;
    for (double s : Fake().Payload<double>(kSet, kBlock)) {
        ramp.push_back(static_cast<uint16_t>(std::lround(s * 65535.0)));
    }
    return ramp;
}

ctl_pixtx_block_config_t LastBlock(const char* entry) {
    const auto bytes = Fake().Payload<uint8_t>(entry);
    ctl_pixtx_block_config_t block = {};
    std::memcpy(&block, bytes.data(), std::min(bytes.size(), kBlock));
    return block;
}

std::size_t CurrentReads() {
    std::size_t n = 0;
    for (const auto* call : Fake().Calls(kGet)) {
        n += call->record[8] == CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT;
    }
    return n;
}

Doubles SentMatrix() {
    const auto& m = LastBlock(kSet).Config.MatrixConfig.Matrix;
    return Doubles(&m[0][0], &m[0][0] + 9);
}

Doubles Apply(const Doubles& m, const Doubles& v) {
    return {m[0] * v[0] + m[1] * v[1] + m[2] * v[2], m[3] * v[0] + m[4] * v[1] + m[5] * v[2],
            m[6] * v[0] + m[7] * v[1] + m[8] * v[2]};
}

TEST_F(IgclPixel, GammaRampReadAndWrite) {
    Fake().oneDSamples = {0.0, 0.5, 1.0, 1.2, -0.1, std::numeric_limits<double>::quiet_NaN()};
    Ramp ramp(768, 7);
    {
        CIntelGraphicIGCL igcl;
        ASSERT_EQ(igcl.GetGammaRamp(ramp.data()), 1);
        EXPECT_EQ(Ramp(ramp.begin(), ramp.begin() + 7), (Ramp{0, 32768, 65535, 65535, 0, 0, 0}));
        EXPECT_EQ(LastBlock(kGet).Config.OneDLutConfig.NumSamplesPerChannel, 256u);
        Fake().oneDAnswerSamples = 1024; // the driver's own size: our buffer was not filled
        ASSERT_EQ(igcl.GetGammaRamp(ramp.data()), 1);
        EXPECT_EQ(ramp, IdentityRamp());

        ramp[300] = 1;
        ASSERT_EQ(igcl.SetGammaRamp(ramp.data()), 1);
        EXPECT_EQ(LoadedRamp(), ramp);
        EXPECT_EQ(LastBlock(kSet).Config.OneDLutConfig.SamplingType, 0u);
        ASSERT_EQ(igcl.SetGammaRamp(nullptr), 1);
        EXPECT_EQ(LoadedRamp(), Ramp(768, 0));
        const auto ops = Fake().Calls(kSet);
        EXPECT_EQ(ops[0]->record[8] * 10 + ops[1]->record[8], 21); // custom, then restore
        Fake().results[kGet] = CTL_RESULT_ERROR_DATA_READ;
        EXPECT_EQ(igcl.GetGammaRamp(ramp.data()), 0);
    }
    // A 1D LUT of fewer than three channels is never read into a ramp.
    SetUp();
    Fake().blocks[0].Config.OneDLutConfig.NumChannels = 2;
    CIntelGraphicIGCL twoChannels;
    EXPECT_EQ(twoChannels.GetGammaRamp(ramp.data()), 0);
    EXPECT_EQ(CurrentReads(), 0u);
}

TEST_F(IgclPixel, GammaLevelAndWhitePoint) {
    struct Case {
        uint32_t level;
        int32_t whitePoint;
        uint32_t gammaMax;
        std::vector<std::pair<std::size_t, uint16_t>> loaded; // entry, value
    };
    const std::vector<Case> cases = {
        {5, 2, 65280, {{255, 65535}, {767, 65535}}}, // loaded as it is, not capped
        // Blue has the largest gain; red and green are resampled at i * 0.9556 and i * 0.9724.
        {5, 4, 65280, {{255, 243 * 257}, {511, 247 * 257}, {612, 100 * 257}, {767, 65280}}},
        {0, 2, 65535, {{16, 36 * 257}, {64, 75 * 257}, {128, 128 * 257}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << "/" << c.whitePoint);
        SetUp();
        GammaMax = c.gammaMax;
        CIntelGraphicIGCL igcl;
        Ramp ramp = IdentityRamp();
        ASSERT_EQ(igcl.SetGammaRampData(ramp.data(), c.whitePoint, c.level), 1);
        for (const auto& [entry, value] : c.loaded) {
            EXPECT_EQ(LoadedRamp().at(entry), value) << entry;
        }
        EXPECT_EQ(ramp, c.whitePoint == 2 ? LoadedRamp() : ramp); // the caller sees the level
    }
    CIntelGraphicIGCL igcl;
    for (int32_t whitePoint : {-1, 5}) {
        Ramp ramp = IdentityRamp();
        EXPECT_EQ(igcl.SetGammaRampData(ramp.data(), whitePoint, 0), 0);
        EXPECT_EQ(ramp, IdentityRamp());
    }
    const Ramp source = IdentityRamp();
    Ramp out(768);
    EXPECT_EQ(igcl.ApplyGammaLevel(3, source.data(), out.data()), 1);
    EXPECT_EQ(source[16] + out[16], 16 * 257 + 22 * 257); // the source is left alone
}

TEST_F(IgclPixel, SaturationScalesChromaAndIsRecorded) {
    const Doubles toYcbcr = {0.2126, 0.7152, 0.0722, -0.1146, -0.3854, 0.5, 0.5, -0.4542, -0.0458};
    struct Case {
        float saturation;
        double chromaGain;
        uint32_t stored;
    };
    for (const Case& c : {Case{0.0f, 1.0, 0}, Case{100.0f, 2.0, 100},
                          Case{-100.0f, 0.0, 0xFFFFFF9C}, Case{-20.5f, 0.795, 0xFFFFFFEC}}) {
        SCOPED_TRACE(c.saturation);
        SetUp();
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.SetSaturation(c.saturation), 0); // no guard: not connected yet
        ASSERT_EQ(igcl.InitLib(), 1);
        ASSERT_EQ(igcl.SetHueSat(45.0f, c.saturation), 1);
        for (const Doubles& rgb : {Doubles{0.8, 0.3, 0.1}, Doubles{0.1, 0.5, 0.9}}) {
            const Doubles before = Apply(toYcbcr, rgb);
            const Doubles after = Apply(toYcbcr, Apply(SentMatrix(), rgb));
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(after[k], before[k] * (k == 0 ? 1.0 : c.chromaGain), 1e-3) << k;
            }
        }
        EXPECT_EQ(Setting("igcl_saturation"), c.stored);
        float saturation = 99;
        ASSERT_EQ(CIntelGraphicIGCL().GetHueSat(&saturation), 1);
        EXPECT_EQ(saturation, std::trunc(c.saturation));
    }
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    ASSERT_EQ(igcl.SetSaturation(0.0f), 1);
    EXPECT_EQ(SentMatrix(), (Doubles{1, 0, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(igcl.SetSaturation(std::numeric_limits<float>::quiet_NaN()), 0);
    ASSERT_EQ(igcl.SetSaturation(-1.0f), 1); // stored as the absent marker
    float saturation = 99;
    ASSERT_EQ(igcl.GetHueSat(&saturation), 1);
    EXPECT_EQ(saturation, 0.0f);
    EXPECT_EQ(Setting("igcl_saturation"), 0u);
}

TEST_F(IgclPixel, CscMatrixIsComposedRecordedAndReadBack) {
    const double csc[9] = {0.9, 0.12345, -0.5, 0, 1, 0, 0.00009, 0, 1.1};
    CIntelGraphicIGCL igcl;
    double read[9] = {};
    uint32_t onOff = 0;
    ASSERT_EQ(igcl.GetCscMatrix(&onOff, read), 1);
    EXPECT_EQ(onOff, 0xFFFFFFFFu);
    EXPECT_EQ(Doubles(read, read + 9), (Doubles{1, 0, 0, 0, 1, 0, 0, 0, 1}));

    ASSERT_EQ(igcl.InitLib(), 1);
    ASSERT_EQ(igcl.SetSaturation(50.0f), 1);
    const Doubles saturation = SentMatrix();
    ASSERT_EQ(igcl.SetCscMatrix(0, csc), 1);
    EXPECT_EQ(LastBlock(kSet).BlockId, 12u);
    EXPECT_EQ(LastBlock(kSet).Config.MatrixConfig.PreOffsets[0], 1.0);
    for (int c = 0; c < 3; ++c) { // saturation times CSC, column by column
        const Doubles column = Apply(saturation, {csc[c], csc[3 + c], csc[6 + c]});
        for (int r = 0; r < 3; ++r) {
            EXPECT_NEAR(SentMatrix()[r * 3 + c], column[r], 1e-12);
        }
    }
    const uint32_t stored[9] = {9000, 1234, 0xFFFFEC78, 0, 10000, 0, 0, 0, 11000};
    for (int k = 0; k < 9; ++k) {
        const std::string name = "igcl_m" + std::to_string(k / 3) + std::to_string(k % 3);
        EXPECT_EQ(Setting(name.c_str()), stored[k]) << name;
    }
    EXPECT_EQ(Setting("igcl_saturation"), 50u);

    CIntelGraphicIGCL later;
    ASSERT_EQ(later.GetCscMatrix(&onOff, read), 1);
    EXPECT_EQ(Doubles({double(onOff), read[1], read[2]}), (Doubles{1, 0.1234, -0.5}));
    ASSERT_EQ(later.InitLib(), 1);
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    ASSERT_EQ(later.SetCscMatrix(0, identity), 1);
    EXPECT_EQ(Setting("igcl_saturation"), 0u); // an identity CSC clears it
    Fake().results[kSet] = CTL_RESULT_ERROR_DATA_WRITE;
    EXPECT_EQ(later.SetCscMatrix(0, csc), 0);
    EXPECT_EQ(host::DebugOutput(), "ctlPixelTransformationSetConfig (CSC)\n");
    EXPECT_EQ(Setting("igcl_m00"), 10000u);
}

TEST_F(IgclPixel, ThreeDLutReadAndBuiltFromAMatrix) {
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.Get3DLut(nullptr, nullptr), 1); // the first only builds the identity grid
    EXPECT_EQ(CurrentReads(), 0u);
    ASSERT_EQ(igcl.Get3DLut(nullptr, nullptr), 1);
    EXPECT_EQ(LastBlock(kGet).BlockId, 9u);
    // Red and blue swapped: output red follows the blue index, so red is the outermost index.
    const float swap[9] = {0, 0, 1, 0, 1, 0, 1, 0, 0};
    ASSERT_EQ(igcl.Set3DLutParams(0, swap, 77), 1);
    ASSERT_EQ(igcl.Set3DLutParams(1, swap, 77), 1);
    EXPECT_EQ(Fake().Sent<ctl_pixtx_pipe_set_config_t>(kSet, 0).OpertaionType, 1u);
    EXPECT_EQ(Fake().Sent<ctl_pixtx_pipe_set_config_t>(kSet).OpertaionType, 2u);
    EXPECT_EQ(Fake().Sent<ctl_pixtx_pipe_set_config_t>(kSet).Flags, 1u);
    const Lut lut = Fake().Payload<ctl_pixtx_3dlut_sample_t>(kSet, kBlock);
    ASSERT_EQ(lut.size(), 4913u);
    EXPECT_EQ(lut[16 * 289].Red, 0.0);
    EXPECT_NEAR(lut[16 * 289].Blue + lut[16].Red, 2.0, 1e-3);

    host::ClearCaptures();
    Fake().results[kGet] = 0x40000012;
    Fake().results[kSet] = 0x40000013;
    EXPECT_EQ(igcl.Get3DLut(nullptr, nullptr), 0);
    EXPECT_EQ(igcl.Set3DLutParams(1, swap, 0), 0);
    const std::string set =
        "ctlPixelTransformationSetConfig for set custom 3dlut returned failure code: 0x40000013\n";
    EXPECT_EQ(host::DebugOutput(), "ctlPixelTransformationGetConfig for set custom 3dlut "
                                   "returned failure code: 0x40000012\n" +
                                       set + set);
}

TEST_F(IgclPixel, PartialSaturationLutAndItsWeights) {
    auto at = [](int i, int j, int k) {
        return Fake().Payload<ctl_pixtx_3dlut_sample_t>(kSet, kBlock).at((i * 17 + j) * 17 + k);
    };
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.SetDisplayTcc(0, 0, 0, 0, 0, 0, 0), 1);
    EXPECT_EQ(at(10, 8, 8).Red + at(16, 16, 16).Blue, 10.0 / 16 + 1.0);
    // Interface order R, G, B, Y, C, M: yellow is the fourth and raises a pale yellow.
    ASSERT_EQ(igcl.SetDisplayTcc(0, 0, 0, 0, 50, 0, 0), 1);
    EXPECT_GT(at(10, 10, 8).Red, 10.0 / 16 + 0.005);
    const uint32_t weights[6] = {50, 0, 0, 0, 0, 0xFFFFFFCE}; // M is -50
    ASSERT_EQ(igcl.SetDisplayTccArray(1, weights), 1);
    EXPECT_GT(at(10, 8, 8).Red, 10.0 / 16 + 0.01);
    EXPECT_NEAR(at(8, 8, 10).Blue, 10.0 / 16, 1e-4);
    EXPECT_EQ(at(8, 8, 8).Red, 0.5);

    uint32_t read[6] = {};
    ASSERT_EQ(igcl.GetDisplayTccArray(nullptr, read), 1);
    EXPECT_EQ(std::vector<uint32_t>(read, read + 6), std::vector<uint32_t>(weights, weights + 6));
    Fake().results[kSet] = CTL_RESULT_ERROR_DATA_WRITE;
    EXPECT_EQ(igcl.SetDisplayTcc(0, 7, 7, 7, 7, 7, 7), 1); // refused: 1, weights not kept
    Fake().missing.insert(kSet);
    EXPECT_EQ(igcl.SetDisplayTcc(0, 7, 7, 7, 7, 7, 7), 1);
    EXPECT_EQ(Setting("igcl_disptcc_R"), 50u);
}

TEST_F(IgclPixel, ThreeDLutSizesOutsideTheGrid) {
    struct Case {
        uint32_t n;
        Bool ok;
        Bool tcc;
    };
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (const Case& c : {Case{0, 1, 1}, Case{5, 1, 1}, Case{18, 0, CTL_RESULT_ERROR_INVALID_SIZE},
                          Case{0xFFFFFFFF, 0, CTL_RESULT_ERROR_INVALID_SIZE}}) {
        SCOPED_TRACE(c.n);
        SetUp();
        Fake().blocks[1] = test::FakeBlock(9, CTL_PIXTX_BLOCK_TYPE_3D_LUT, c.n);
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.Get3DLut(nullptr, nullptr), c.ok);
        EXPECT_EQ(igcl.Set3DLutParams(1, identity, 0), c.ok);
        EXPECT_EQ(igcl.SetDisplayTcc(0, 50, 0, 0, 0, 0, 0), c.tcc);
        for (const auto* call : Fake().Calls(kSet)) {
            EXPECT_EQ(call->payload.size(), kBlock + c.n * c.n * c.n * 24);
        }
        EXPECT_EQ(host::DebugOutput() ==
                      "Genration of 3DLUT from partial saturation weights failed with failure \n",
                  c.tcc != 1);
    }
}

} // namespace
} // namespace varnet
