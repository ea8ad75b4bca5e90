// Control Library paths that only odd drivers reach: a refused saturation and a pipeline
// without a 3x3 matrix block.
#include <string>

#include "config/settings_store.h"
#include "igcl_fixture.h"

namespace varnet {
namespace {

using IgclEdges = IgclTest;
using Doubles = std::vector<double>;
constexpr char kSet[] = "ctlPixelTransformationSetConfig";
const Doubles kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1};

uint32_t Setting(const char* name) {
    uint32_t value = 0xFFFFFFFFu;
    ReadSettingDword(name, &value);
    return value;
}

TEST_F(IgclEdges, RefusedSaturationKeepsTheSavedValueButComposesIntoTheNextCsc) {
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

TEST_F(IgclEdges, PipelineWithoutAMatrixBlockStillAsksTheRunTimeAndReportsItsAnswer) {
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
    uint16_t ramp[kGammaRampEntries];
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        ramp[k] = static_cast<uint16_t>(k % 256 * 257);
    }
    EXPECT_EQ(igcl.SetGammaRamp(ramp), 1);
}

} // namespace
} // namespace varnet
