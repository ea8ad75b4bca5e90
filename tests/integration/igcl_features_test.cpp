// The Control Library back-end's video processing, LACE, sharpness, DPST and AUX against the
// simulated run time: the records that reach the driver, what comes back, and the texts.
#include <cstdint>
#include <functional>
#include <numeric>

#include "igcl_fixture.h"

namespace varnet {
namespace {

using IgclFeatures = IgclTest;
using Bytes = std::vector<uint8_t>;
constexpr char kVideo[] = "ctlGetSetVideoProcessingFeature";
constexpr char kAux[] = "ctlAUXAccess";

TEST_F(IgclFeatures, VideoProcessingRecordsGoToThePanelsAdapter) {
    const std::pair<std::function<Bool(CIntelGraphicIGCL&)>, json> cases[] = {
        {[](auto& g) { return g.SetStandardColorCorrection(2, 1.5f, -2.5f, 3.25f, 4.0f); },
         R"([{"feature": 5, "enable": 1, "values": [1.5, -2.5, 3.25, 4.0]}])"_json},
        {[](auto& g) { return g.SetMediaTcc(0, 10.9f, 20, 30, 40, 50, 60); },
         R"([{"feature": 6, "enable": 0, "values": [128, 128, 128, 128, 128, 128]}])"_json},
        {[](auto& g) { return g.SetContrastSkinTone(0, 3); },
         R"([{"feature": 3, "enable": 0, "level": 0},
             {"feature": 7, "enable": true, "value": 2}])"_json},
        {[](auto& g) { return g.SetContrastSkinTone(4, -7); },
         R"([{"feature": 3, "enable": 1, "level": 3, "secondFlag": 0},
             {"feature": 7, "enable": false, "value": 0}])"_json},
    };
    for (const auto& [call, sent] : cases) {
        SCOPED_TRACE(sent.dump());
        // The panel sits on the second adapter.
        Use(R"({"adapters": [{"displays": [{"encoderId": 1}]}, {"displays": [{}]}]})"_json);
        CIntelGraphicIGCL igcl;
        ASSERT_EQ(call(igcl), 1);
        const auto calls = Calls(kVideo);
        ASSERT_EQ(calls.size(), sent.size());
        for (std::size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i]["result"], 0); // a refusal the caller never hears of
            EXPECT_EQ(calls[i]["args"]["adapter"], 1);
            for (const auto& [key, value] : sent[i].items()) {
                EXPECT_EQ(calls[i]["args"][key], value) << key;
            }
        }
    }
}

TEST_F(IgclFeatures, VideoProcessingReadsBackWhatTheDriverKeeps) {
    Use(R"({"adapters": [{"displays": [{}], "video": {"adaptiveContrast":
            {"enabled": false, "level": 5, "secondFlag": true}}}]})"_json);
    CIntelGraphicIGCL igcl;
    int32_t contrast = 0, skinTone = 99;
    ASSERT_EQ(igcl.GetContrastSkinTone(&contrast, &skinTone), 1);
    EXPECT_EQ(contrast * 1000 + skinTone, -5000 + 99); // off: the level negated
    ASSERT_EQ(igcl.SetContrastSkinTone(2, 0), 1);      // the second flag read goes back
    EXPECT_EQ(Calls(kVideo)[1]["args"]["secondFlag"], 1);
    uint32_t enable = 9, mode = 9;
    float v[6] = {9, 9, 9, 9, 9, 9}, value = 0;
    ASSERT_EQ(igcl.SetMediaTcc(1, 10.9f, -3, 33, 44, 55, 66), 1);
    ASSERT_EQ(igcl.GetMediaTcc(&enable, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]), 1);
    EXPECT_EQ(std::vector<float>(v, v + 6), (std::vector<float>{10, 0, 33, 44, 55, 66}));
    EXPECT_EQ(enable, 1u);
    ASSERT_EQ(igcl.SetVideoSharpness(0, 77.9f) + igcl.GetVideoSharpness(&mode, &value), 2);
    EXPECT_EQ(mode * 1000 + value, 77.0f);

    Use(R"({"faults": [{"call": "ctlGetSetVideoProcessingFeature", "result": 18}]})"_json);
    EXPECT_EQ(igcl.GetMediaTcc(&enable, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]), 0);
    EXPECT_EQ(std::vector<float>(v, v + 6), std::vector<float>(6, -1.0f));
    EXPECT_EQ(igcl.GetContrastSkinTone(&contrast, nullptr) + igcl.SetVideoSharpness(1, 5), 0);
    EXPECT_EQ(contrast, -5);
    EXPECT_EQ(igcl.SetContrastSkinTone(0, 3), 1); // whatever the driver answers
    // Without adapters the video calls get a null handle, not a read past the array.
    Use(R"({"adapters": []})"_json);
    EXPECT_EQ(CIntelGraphicIGCL().SetVideoSharpness(1, 3.0f), 0);
    EXPECT_EQ(Calls(kVideo).at(0)["result"], CTL_RESULT_ERROR_INVALID_NULL_HANDLE);
}

TEST_F(IgclFeatures, LaceAndSharpness) {
    Use(R"({"adapters": [{"displays": [{"sharpness":
            {"filterTypes": 3, "enabled": true, "filterType": 2, "intensity": 37.9}}]}]})"_json);
    CIntelGraphicIGCL igcl;
    uint32_t enabled = 0, second = 99, level = 0, enable = 0, intensity = 0;
    ASSERT_EQ(igcl.SetLACE(3, 40) + igcl.GetLACE(&enabled, &second, &level), 2);
    EXPECT_EQ(std::vector<uint32_t>({enabled, second, level}), (std::vector<uint32_t>{1, 99, 40}));
    ASSERT_EQ(igcl.GetSharpness(&enable, &intensity), 1);
    EXPECT_EQ(enable * 1000 + intensity, 1037u);
    ASSERT_EQ(igcl.SetSharpness(0, 55) + igcl.GetSharpness(&enable, &intensity), 2);
    EXPECT_EQ(enable * 1000 + intensity, 55u);
    EXPECT_EQ(Last("ctlSetCurrentSharpness")["filterType"], 2); // the driver's goes back

    Use(R"({"faults": [{"call": "ctlGetLACEConfig", "result": 19},
                       {"call": "ctlSetLACEConfig", "result": 19},
                       {"call": "ctlGetCurrentSharpness", "result": 19}]})"_json);
    EXPECT_EQ(igcl.GetLACE(&enabled, &second, &level) + igcl.SetLACE(1, 5), 0);
    EXPECT_EQ(level, 40u);
    EXPECT_EQ(test::DebugOutput(), "ctlSetLACEConfig returned failure code: 0x13\n");
    EXPECT_EQ(igcl.GetSharpness(&enable, &intensity), 0);
    EXPECT_EQ(enable + intensity, 0u); // written as 0 on failure
}

TEST_F(IgclFeatures, Dpst) {
    const std::string caps = "Check: ctlGetPowerOptimizationCaps()\n";
    const std::string end = "End of get capability call\n";
    // Changes; GetDPST, SetDPST; (enabled x 100 + level) x 1000 + the same after the set; texts.
    const std::tuple<json, Bool, Bool, uint32_t, std::string, std::string> cases[] = {
        {json::object(), 1, 1, 103105, "", end},
        {R"({"adapters": [{"displays": [{"powerFeatures": "0x13"}]}]})"_json, 0, 0, 0, "", end},
        {R"({"faults": [{"call": "ctlGetPowerOptimizationCaps", "result": 18}]})"_json, 18, 18, 0,
         caps + caps + caps, end},
        {R"({"faults": [{"call": "ctlGetPowerOptimizationSetting", "result": 1},
                        {"call": "ctlSetPowerOptimizationSetting", "result": 1}]})"_json,
         0, 0, 0, "check: ctlSetPowerOptimizationSetting(DPST) \n",
         "check: ctlGetPowerOptimizationSetting(DPST) \n"},
    };
    for (const auto& [changes, get, set, got, debug, stdoutEnd] : cases) {
        SCOPED_TRACE(changes.dump());
        Use(changes);
        CIntelGraphicIGCL igcl;
        uint32_t enabled = 9, level = 9;
        EXPECT_EQ(igcl.GetDPST(&enabled, &level), get);
        const uint32_t before = enabled * 100 + level;
        EXPECT_EQ(igcl.SetDPST(1, 0x105), set); // the level is a byte
        igcl.GetDPST(&enabled, &level);
        EXPECT_EQ(before * 1000 + enabled * 100 + level, got);
        EXPECT_EQ(test::DebugOutput(), debug);
        EXPECT_TRUE(test::StdoutOutput().ends_with(stdoutEnd)) << test::StdoutOutput();
    }
}

TEST_F(IgclFeatures, AuxTransfersStayInsideThe132ByteRecord) {
    Bytes in(140);
    std::iota(in.begin(), in.end(), uint8_t{1});
    for (int32_t size : {0, 1, 132, 133, -1, INT32_MAX, INT32_MIN}) {
        SCOPED_TRACE(size);
        Use();
        const bool fits = size >= 0 && size <= 132;
        const std::size_t n = fits ? static_cast<std::size_t>(size) : 0;
        Bytes out(140, 0xEE);
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.WriteDPAuxDataEx(1, 0x600, in.data(), size), fits ? 1 : 0);
        // Whatever flags it is given, a read goes over native AUX.
        EXPECT_EQ(igcl.ReadDPAuxDataEx(4, 0x600, out.data(), size), fits ? 1 : 0);
        for (std::size_t i = 0; i < out.size(); ++i) {
            ASSERT_EQ(out[i], i < n ? in[i] : 0xEE) << i;
        }
        EXPECT_EQ(machine.Count(kAux), fits ? 2u : 0u);
        for (const json& call : Calls(kAux)) {
            EXPECT_EQ(call["args"]["dataSize"], n);
        }
        EXPECT_EQ(test::DebugOutput(),
                  fits ? "" : "Check: WriteDPAuxDataEx()\nCheck: ReadDPAuxDataEx()\n");
    }
    CIntelGraphicIGCL igcl;
    uint8_t value = 0;
    EXPECT_EQ(igcl.WriteDPAuxDataEx(4, 0x600, in.data(), 1), 0); // a write keeps its flags
    ASSERT_EQ(igcl.WriteDPAuxData(0x601, 0x1AB) + igcl.ReadDPAuxData(0x601, &value), 2);
    EXPECT_EQ(value, 0xAB);
    ASSERT_EQ(igcl.ReadDPAuxData(0x700, &value), 1); // the panel's eDP revision
    EXPECT_EQ(value, 0x04);

    Use(R"({"faults": [{"call": "ctlAUXAccess", "when": {"opType": 1}, "result": 20}]})"_json);
    Bytes out(4, 0xEE);
    EXPECT_EQ(igcl.ReadDPAuxDataEx(0, 0x20, out.data(), 3) + igcl.ReadDPAuxData(1, &value), 0);
    EXPECT_EQ(out, (Bytes{0, 0, 0, 0xEE})); // exactly what was asked for is zeroed
    EXPECT_EQ(value, 0);
    EXPECT_EQ(test::DebugOutput(), "Check: ReadDPAuxDataEx()\nCheck: ReadDPAuxData()\n");
}

// The operations this back-end lacks answer without starting the run time.
TEST_F(IgclFeatures, StubsAnswerWithoutTheRunTime) {
    CIntelGraphicIGCL g;
    EXPECT_EQ(g.GetColorMatrix(0, nullptr, nullptr, nullptr, nullptr, nullptr) +
                  g.SetColorMatrix(0, 1, 1, 0, nullptr) + g.SaveGammaRamp() +
                  g.SetColorTempGamnmaLUT(0) + g.ReservedQuery1() * 10 + g.ReservedQuery2() * 10,
              4);
    std::string lines;
    for (int i = 0; i < 4 * 3; ++i) {
        lines += "\xA2\xBC\xA2\xBC\xA2\xBC Not Implemented... \xA2\xBC\xA2\xBC\xA2\xBC\n";
    }
    EXPECT_EQ(test::DebugOutput(), lines);
    EXPECT_EQ(machine.Count("ctlInit"), 0u);
}

} // namespace
} // namespace varnet
