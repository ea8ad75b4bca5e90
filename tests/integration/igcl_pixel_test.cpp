// The Control Library back-end's gamma ramps, matrices and 3D LUTs against the simulated run
// time: what reaches the driver, what it keeps, and what the settings registry records.
#include <algorithm>

#include "config/settings_store.h"
#include "igcl_fixture.h"

namespace varnet {
namespace {

using IgclPixel = IgclTest;
using Ramp = std::vector<uint16_t>;
using Doubles = std::vector<double>;
constexpr char kSet[] = "ctlPixelTransformationSetConfig";
constexpr char kGet[] = "ctlPixelTransformationGetConfig";
const Doubles kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
const nlohmann::json kRefusedSet = {{"faults", {{{"call", kSet}, {"result", 19}}}}};

Ramp IdentityRamp() {
    Ramp ramp(kGammaRampEntries);
    for (std::size_t k = 0; k < ramp.size(); ++k) {
        ramp[k] = static_cast<uint16_t>(k % 256 * 257);
    }
    return ramp;
}

uint32_t Setting(const std::string& name) {
    uint32_t value = 0xFFFFFFFFu;
    ReadSettingDword(name.c_str(), &value);
    return value;
}

Doubles Apply(const Doubles& m, const Doubles& v) {
    return {m[0] * v[0] + m[1] * v[1] + m[2] * v[2], m[3] * v[0] + m[4] * v[1] + m[5] * v[2],
            m[6] * v[0] + m[7] * v[1] + m[8] * v[2]};
}

TEST_F(IgclPixel, GammaRampRoundTripAndTheDriversOwnLutIsNeverTaken) {
    Use(R"({"adapters": [{"displays": [{"gammaRamp": {"exponent": 2},
            "pipeline": [{"id": 7, "type": "1dlut", "channels": 3, "samples": 256}]}]}]})"_json);
    Ramp ramp = IdentityRamp(), got(768), driver(768);
    ramp[300] = 1;
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.GetGammaRamp(driver.data()), 1);
    ASSERT_EQ(igcl.SetGammaRamp(ramp.data()) + igcl.GetGammaRamp(got.data()), 2);
    EXPECT_EQ(got, ramp);
    ASSERT_EQ(igcl.SetGammaRamp(nullptr) + igcl.GetGammaRamp(got.data()), 2);
    EXPECT_EQ(got, driver); // null puts the driver's own back, not an identity of ours

    // The panel's LUT reports its own 1024 samples: the 256 read are not taken, identity is.
    Use();
    CIntelGraphicIGCL native;
    ASSERT_EQ(native.SetGammaRamp(ramp.data()), 1);
    ASSERT_EQ(native.GetGammaRamp(got.data()) + native.GetGammaRamp(got.data()), 2);
    EXPECT_EQ(got, IdentityRamp());
    // Each read asks for what the buffer holds, not for what the driver last reported.
    EXPECT_EQ(Last(kGet)["samplesPerChannel"], 256);
    // A LUT of two channels is never read into a three-channel ramp.
    UsePipeline(R"([{"id": 7, "type": "1dlut", "channels": 2, "samples": 256}])"_json);
    EXPECT_EQ(CIntelGraphicIGCL().GetGammaRamp(got.data()), 0);
    EXPECT_EQ(machine.Count(kGet), 2u); // the capability query only
}

TEST_F(IgclPixel, GammaRampDataAppliesTheLevelThenTheWhitePoint) {
    GammaMax = kGammaMaxReduced;
    const std::tuple<uint32_t, int32_t, std::vector<std::pair<int, int>>> cases[] = {
        {5, 2, {{255, 65535}, {767, 65535}}}, // as given, above GammaMax too
        // Blue has the largest gain; red and green resample at i x 0.9556 and i x 0.9724.
        {5, 4, {{255, 243 * 257}, {511, 247 * 257}, {612, 100 * 257}, {767, 65280}}},
        {0, 2, {{16, 36 * 257}, {64, 75 * 257}, {128, 128 * 257}}},
    };
    for (const auto& [level, whitePoint, loaded] : cases) {
        SCOPED_TRACE(testing::Message() << level << "/" << whitePoint);
        Ramp ramp = IdentityRamp();
        ASSERT_EQ(CIntelGraphicIGCL().SetGammaRampData(ramp.data(), whitePoint, level), 1);
        for (const auto& [entry, value] : loaded) {
            EXPECT_EQ(Last(kSet)["ramp"][entry], value) << entry;
        }
        EXPECT_EQ(json(ramp) == Last(kSet)["ramp"], whitePoint == 2); // the caller sees the level
    }
    Ramp ramp = IdentityRamp(); // white points outside the table are refused untouched
    CIntelGraphicIGCL igcl;
    EXPECT_EQ(igcl.SetGammaRampData(ramp.data(), -1, 0) + igcl.SetGammaRampData(ramp.data(), 5, 0),
              0);
    EXPECT_EQ(ramp, IdentityRamp());
}

TEST_F(IgclPixel, SaturationScalesChromaAndIsRecorded) {
    const Doubles toYcbcr = {0.2126, 0.7152, 0.0722, -0.1146, -0.3854, 0.5, 0.5, -0.4542, -0.0458};
    const Doubles rgb = {0.8, 0.3, 0.1}, before = Apply(toYcbcr, rgb);
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    ASSERT_EQ(igcl.SetSaturation(0.0f), 1);
    EXPECT_EQ(Last(kSet)["matrix"], json(kIdentity)); // exactly, not via the two tables
    const std::tuple<float, double, uint32_t> cases[] = {
        {100.0f, 2.0, 100}, {-100.0f, 0.0, 0xFFFFFF9C}, {-20.5f, 0.795, 0xFFFFFFEC}};
    for (const auto& [saturation, gain, stored] : cases) {
        SCOPED_TRACE(saturation);
        ASSERT_EQ(igcl.SetHueSat(45.0f, saturation), 1);
        const Doubles after = Apply(toYcbcr, Apply(Last(kSet)["matrix"].get<Doubles>(), rgb));
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(after[k], before[k] * (k == 0 ? 1.0 : gain), 1e-3) << k;
        }
        EXPECT_EQ(Setting("igcl_saturation"), stored);
        float read = 99;
        ASSERT_EQ(igcl.GetHueSat(&read), 1);
        EXPECT_EQ(read, static_cast<float>(static_cast<int32_t>(stored)));
    }
    // -1 is stored as the "absent" marker, which reads as 0 and is put right.
    float read = 99;
    ASSERT_EQ(igcl.SetSaturation(-1.0f) + igcl.GetHueSat(&read), 2);
    EXPECT_EQ(read + Setting("igcl_saturation"), 0.0f);
}

TEST_F(IgclPixel, CscMatrixIsComposedWithSaturationRecordedAndReadBack) {
    const double csc[9] = {0.9, 0.12345, -0.5, 0, 1, 0, 0.00009, 0, 1.1};
    CIntelGraphicIGCL igcl;
    double read[9] = {};
    uint32_t onOff = 0;
    ASSERT_EQ(igcl.GetCscMatrix(&onOff, read), 1); // nothing recorded yet
    EXPECT_EQ(onOff, 0xFFFFFFFFu);
    EXPECT_EQ(Doubles(read, read + 9), kIdentity);
    ASSERT_EQ(igcl.InitLib() + igcl.SetSaturation(50.0f), 2);
    const Doubles saturation = Last(kSet)["matrix"].get<Doubles>();
    ASSERT_EQ(igcl.SetCscMatrix(0, csc), 1);
    const json set = Last(kSet);
    EXPECT_EQ(set["preOffsets"], json({1.0, 0.0, 0.0}));
    EXPECT_EQ(set["postOffsets"], set["preOffsets"]);
    const uint32_t stored[9] = {9000, 1234, 0xFFFFEC78, 0, 10000, 0, 0, 0, 11000};
    for (int c = 0; c < 9; ++c) {
        const Doubles column = Apply(saturation, {csc[c % 3], csc[3 + c % 3], csc[6 + c % 3]});
        EXPECT_NEAR(set["matrix"][c].get<double>(), column[c / 3], 1e-12);
        EXPECT_EQ(Setting("igcl_m" + std::to_string(c / 3) + std::to_string(c % 3)), stored[c]);
    }
    EXPECT_EQ(Setting("igcl_saturation") * 10 + Setting("igcl_CscOnOff"), 501u);
    ASSERT_EQ(igcl.SetSaturation(0.0f), 1); // keeps the CSC
    EXPECT_EQ(Last(kSet)["matrix"], json(Doubles(csc, csc + 9)));
    ASSERT_EQ(igcl.GetCscMatrix(&onOff, read), 1);
    EXPECT_EQ(Doubles({double(onOff), read[1], read[2]}), (Doubles{1, 0.1234, -0.5}));
    ASSERT_EQ(igcl.SetSaturation(30.0f) + igcl.SetCscMatrix(0, kIdentity.data()), 2);
    EXPECT_EQ(Setting("igcl_saturation"), 0u); // an identity CSC clears it
    Use(kRefusedSet);
    EXPECT_EQ(igcl.SetCscMatrix(0, csc), 0);
    EXPECT_EQ(test::DebugOutput(), "ctlPixelTransformationSetConfig (CSC)\n");
    EXPECT_EQ(Setting("igcl_m00"), 10000u);
}

TEST_F(IgclPixel, ThreeDLutReadBackSwitchedOffAndRefused) {
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    machine.ClearJournal();
    const float swap[9] = {0, 0, 1, 0, 1, 0, 1, 0, 0};
    ASSERT_EQ(igcl.Get3DLut(nullptr, nullptr) + igcl.Set3DLutParams(0, swap, 77), 2);
    EXPECT_EQ(Last(kSet)["opType"], 1); // switched off: the driver's default
    ASSERT_EQ(igcl.Get3DLut(nullptr, nullptr), 1);
    EXPECT_EQ(machine.Count(kGet), 1u); // the first only built the identity grid

    Use(R"({"faults": [{"call": "ctlPixelTransformationGetConfig", "result": 18},
                       {"call": "ctlPixelTransformationSetConfig", "result": 19}]})"_json);
    EXPECT_EQ(igcl.Get3DLut(nullptr, nullptr) + igcl.Set3DLutParams(1, swap, 0), 0);
    const std::string setText =
        "ctlPixelTransformationSetConfig for set custom 3dlut returned failure code: 0x13\n";
    EXPECT_EQ(test::DebugOutput(),
              "ctlPixelTransformationGetConfig for set custom 3dlut returned failure code: 0x12\n" +
                  setText + setText);

    // A grid beyond the 17 points the buffers hold is refused before anything is sent.
    UsePipeline(R"([{"id": 3, "type": "3dlut", "samples": 18}])"_json);
    CIntelGraphicIGCL large;
    EXPECT_EQ(large.Get3DLut(nullptr, nullptr) + large.Set3DLutParams(1, swap, 0), 0);
    EXPECT_EQ(large.SetDisplayTcc(0, 50, 0, 0, 0, 0, 0),
              static_cast<Bool>(CTL_RESULT_ERROR_INVALID_SIZE));
    EXPECT_EQ(test::DebugOutput(),
              "Genration of 3DLUT from partial saturation weights failed with failure \n");
    EXPECT_EQ(machine.Count(kSet), 0u);
}

TEST_F(IgclPixel, DisplayTccWeightsReachTheirHueSectorsAndAreRecorded) {
    CIntelGraphicIGCL igcl;
    // Weights run R, G, B, Y, C, M; -50 greys the colour of its own sector and no other.
    const char* const names[6] = {"red", "green", "blue", "yellow", "cyan", "magenta"};
    for (int w = 0; w < 6; ++w) {
        uint32_t weights[6] = {};
        weights[w] = static_cast<uint32_t>(-50);
        ASSERT_EQ(igcl.SetDisplayTccArray(1, weights), 1);
        const json points = Last(kSet)["points"];
        for (int p = 0; p < 6; ++p) {
            const auto rgb = points[names[p]].get<Doubles>();
            const auto [low, high] = std::minmax_element(rgb.begin(), rgb.end());
            EXPECT_EQ(*high - *low < 1e-3, p == w) << names[w] << " weight, " << names[p];
        }
    }
    ASSERT_EQ(igcl.SetDisplayTcc(0, 1, 2, 3, 4, 5, 6), 1);
    uint32_t read[6] = {};
    ASSERT_EQ(igcl.GetDisplayTccArray(nullptr, read), 1);
    for (uint32_t k = 0; k < 6; ++k) {
        EXPECT_EQ(Setting(std::string("igcl_disptcc_") + "RGBYCM"[k]), k + 1);
        EXPECT_EQ(read[k], k + 1);
    }
    Use(kRefusedSet);
    EXPECT_EQ(igcl.SetDisplayTcc(0, 7, 7, 7, 7, 7, 7), 1); // refused: still 1, nothing kept
    EXPECT_EQ(Setting("igcl_disptcc_R"), 1u);
}

TEST_F(IgclPixel, RefusedSaturationKeepsTheSavedValueButComposesIntoTheNextCsc) {
    Doubles doubled;
    {
        CIntelGraphicIGCL reference;
        ASSERT_EQ(reference.InitLib() + reference.SetSaturation(100.0f), 2);
        doubled = Last(kSet)["matrix"].get<Doubles>();
    }
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib() + igcl.SetSaturation(20.0f), 2);
    Use({{"faults", {{{"call", kSet}, {"result", "0x4000FFFF"}, {"nth", 1}}}}});
    EXPECT_EQ(igcl.SetSaturation(100.0f), 0);
    EXPECT_EQ(Setting("igcl_saturation"), 20u);
    float read = 0;
    ASSERT_EQ(igcl.GetHueSat(&read), 1);
    EXPECT_EQ(read, 20.0f);
    // The refused matrix is still the object's saturation: an identity CSC carries it.
    ASSERT_EQ(igcl.SetCscMatrix(0, kIdentity.data()), 1);
    const Doubles sent = Last(kSet)["matrix"].get<Doubles>();
    ASSERT_EQ(sent.size(), 9u);
    for (std::size_t k = 0; k < 9; ++k) {
        EXPECT_NEAR(sent[k], doubled[k], 1e-12) << k;
    }
}

TEST_F(IgclPixel, PipelineWithoutAMatrixBlockStillAsksTheRunTimeAndReportsItsAnswer) {
    UsePipeline(R"([{"id": 1, "type": "1dlut", "channels": 3, "samples": 1024},
                    {"id": 3, "type": "3dlut", "samples": 17}])"_json);
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    machine.ClearJournal();
    test::ClearCaptures();
    // No matrix block was found, so the records name block 0 of no type; the run time refuses.
    EXPECT_EQ(igcl.SetCscMatrix(0, kIdentity.data()), 0);
    EXPECT_EQ(test::DebugOutput(), "ctlPixelTransformationSetConfig (CSC)\n");
    EXPECT_EQ(igcl.SetSaturation(10.0f), 0);
    const auto sets = Calls(kSet);
    ASSERT_EQ(sets.size(), 2u);
    for (const json& set : sets) {
        EXPECT_EQ(set["args"]["blockId"], 0);
        EXPECT_NE(set["result"], 0);
    }
    EXPECT_EQ(Setting("igcl_CscOnOff"), 0xFFFFFFFFu); // nothing recorded for a refused set
    // The gamma and 3D LUT blocks are unaffected.
    EXPECT_EQ(igcl.SetGammaRamp(IdentityRamp().data()), 1);
}

} // namespace
} // namespace varnet
