// The Control Library back-end's DPST, LACE, sharpness, video-processing and AUX operations
// against the scripted run time: the records sent, the answers read back, the texts.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "fake_controllib.h"
#include "igcl/cintel_graphic_igcl.h"
#include "platform/host/sandbox.h"

namespace varnet {
namespace {

using test::Fake;
using Bytes = std::vector<uint8_t>;
using Video = ctl_video_processing_feature_getset_t;
namespace host = platform::host;
constexpr char kVideo[] = "ctlGetSetVideoProcessingFeature";
constexpr char kAux[] = "ctlAUXAccess";

class IgclFeatures : public test::FakeControlLibTest {};

// A custom video-processing record from (offset, 32-bit value, width) fields.
Bytes Custom(std::size_t size, std::vector<std::array<uint32_t, 3>> fields) {
    Bytes bytes(size, 0);
    for (const auto& [offset, value, width] : fields) {
        std::memcpy(&bytes[offset], &value, width);
    }
    return bytes;
}

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

TEST_F(IgclFeatures, VideoProcessingRecords) {
    struct Sent {
        uint32_t feature;
        Bytes custom;   // CUSTOM values
        uint32_t value; // UINT32 values: (enable << 16) | value
    };
    struct Case {
        std::function<Bool(CIntelGraphicIGCL&)> call;
        std::vector<Sent> sent;
    };
    const std::vector<Case> cases = {
        {[](auto& g) { return g.SetStandardColorCorrection(2, 1.5f, -2.5f, 3.25f, 4.0f); },
         {{5,
           Custom(88, {{5, 1, 1},
                       {8, Bits(1.5f), 4},
                       {12, Bits(-2.5f), 4},
                       {16, Bits(3.25f), 4},
                       {20, Bits(4.0f), 4}}),
           0}}},
        {[](auto& g) { return g.SetMediaTcc(1, 10.9f, 20, 30, 40, 50, -3); },
         {{6,
           Custom(96, {{5, 1, 1}, {8, 10, 4}, {12, 20, 4}, {16, 30, 4}, {20, 40, 4}, {24, 50, 4}}),
           0}}},
        {[](auto& g) { return g.SetMediaTcc(0, 10.9f, 20, 30, 40, 50, 60); }, // neutral 128s
         {{6,
           Custom(
               96,
               {{8, 128, 4}, {12, 128, 4}, {16, 128, 4}, {20, 128, 4}, {24, 128, 4}, {28, 128, 4}}),
           0}}},
        {[](auto& g) { return g.SetVideoSharpness(7, 42.9f); }, {{2, {}, 0x1002A}}},
        {[](auto& g) { return g.SetVideoQuality(9, 9, 9, 9, 1, 1, 9, 30.0f, 9, 9, 9, 9); },
         {{2, {}, 0}}}, // switching off wins
        {[](auto& g) { return g.SetVideoQuality(0, 0, 0, 0, 0, 1, 0, 30.5f, 0, 0, 0, 0); },
         {{2, {}, 0x1001E}}},
        {[](auto& g) { return g.SetContrastSkinTone(0, 3); },
         {{3, Custom(84, {}), 0}, {7, {}, 0x10002}}},
        {[](auto& g) { return g.SetContrastSkinTone(4, -7); },
         {{3, Custom(84, {{8, 1, 1}, {12, 3, 4}}), 0}, {7, {}, 0}}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(k);
        SetUp();
        CIntelGraphicIGCL igcl;
        ASSERT_EQ(cases[k].call(igcl), 1);
        const auto calls = Fake().Calls(kVideo);
        ASSERT_EQ(calls.size(), cases[k].sent.size());
        for (std::size_t i = 0; i < calls.size(); ++i) {
            const Sent& want = cases[k].sent[i];
            const Video got = Fake().Sent<Video>(kVideo, static_cast<int>(i));
            EXPECT_EQ(calls[i]->handle, reinterpret_cast<void*>(0x1000)); // the panel's adapter
            EXPECT_EQ(got.FeatureType, want.feature);
            EXPECT_TRUE(got.bSet);
            EXPECT_EQ(got.ValueType, want.custom.empty() ? 3u : 5u);
            EXPECT_EQ(got.CustomValueSize, static_cast<int32_t>(want.custom.size()));
            EXPECT_EQ(calls[i]->payload, want.custom);
            if (want.custom.empty()) {
                EXPECT_EQ((got.Value.UIntType.Enable << 16) | got.Value.UIntType.Value, want.value);
            }
        }
    }
    Fake().results[kVideo] = CTL_RESULT_ERROR_DATA_WRITE;
    CIntelGraphicIGCL igcl;
    EXPECT_EQ(igcl.SetContrastSkinTone(0, 3), 1); // whatever the run time answers
    EXPECT_EQ(igcl.SetVideoSharpness(1, 5.0f), 0);
}

TEST_F(IgclFeatures, VideoProcessingReadBack) {
    Fake().videoCustom = Custom(
        96,
        {{5, 1, 1}, {8, 11, 4}, {12, 22, 4}, {16, 33, 4}, {20, 44, 4}, {24, 55, 4}, {28, 66, 4}});
    Video answer = {};
    answer.Value.UIntType = {true, 77};
    Fake().Answer(kVideo, answer);
    CIntelGraphicIGCL igcl;
    uint32_t enable = 9, mode = 9;
    float v[6] = {}, value = 0;
    ASSERT_EQ(igcl.GetMediaTcc(&enable, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]), 1);
    EXPECT_EQ(std::vector<float>({float(enable), v[0], v[5]}), (std::vector<float>{1, 11, 66}));
    ASSERT_EQ(igcl.GetVideoSharpness(&mode, &value), 1);
    EXPECT_EQ(mode + value, 78.0f);
    EXPECT_FALSE(Fake().Sent<Video>(kVideo).bSet);

    // Switched off, the level comes back negated; the second flag goes out with the next set.
    Fake().videoCustom = Custom(84, {{8, 0, 1}, {12, 5, 4}, {16, 1, 1}});
    int32_t contrast = 0, skinTone = 99;
    ASSERT_EQ(igcl.GetContrastSkinTone(&contrast, &skinTone), 1);
    EXPECT_EQ(contrast * 1000 + skinTone, -5000 + 99);
    ASSERT_EQ(igcl.SetContrastSkinTone(2, 0), 1);
    EXPECT_EQ(Fake().Calls(kVideo).end()[-2]->payload,
              Custom(84, {{8, 1, 1}, {12, 1, 4}, {16, 1, 1}}));

    Fake().results[kVideo] = CTL_RESULT_ERROR_DATA_READ;
    EXPECT_EQ(igcl.GetMediaTcc(&enable, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]), 0);
    EXPECT_EQ(std::vector<float>(v, v + 6), std::vector<float>(6, -1.0f));
    EXPECT_EQ(igcl.GetContrastSkinTone(&contrast, nullptr), 0);
    EXPECT_EQ(contrast, -5);

    // Without adapters the video calls get a null handle, not a read past the array.
    SetUp();
    Fake().adapterCount = 0;
    CIntelGraphicIGCL adapterless;
    EXPECT_EQ(adapterless.SetVideoSharpness(1, 3.0f), 1);
    EXPECT_EQ(Fake().Calls(kVideo).back()->handle, nullptr);
}

TEST_F(IgclFeatures, LaceAndSharpness) {
    ctl_lace_config_t lace = {};
    lace.Enabled = true;
    lace.LaceConfig.FixedAggressivenessLevelPercent = 37;
    Fake().Answer("ctlGetLACEConfig", lace);
    Fake().Answer("ctlGetCurrentSharpness", ctl_sharpness_settings_t{16, 0, true, 2, 37.9f});
    CIntelGraphicIGCL igcl;
    uint32_t enabled = 0, second = 99, level = 0, enable = 0, intensity = 0;
    ASSERT_EQ(igcl.GetLACE(&enabled, &second, &level), 1);
    EXPECT_EQ(std::vector<uint32_t>({enabled, second, level}), (std::vector<uint32_t>{1, 99, 37}));
    ASSERT_EQ(igcl.SetLACE(3, 300), 1);
    const auto sent = Fake().Sent<ctl_lace_config_t>("ctlSetLACEConfig");
    EXPECT_EQ(std::vector<uint32_t>({sent.Enabled, sent.OpTypeSet, sent.Trigger,
                                     sent.LaceConfig.FixedAggressivenessLevelPercent}),
              (std::vector<uint32_t>{1, 1, 2, 300 & 0xFF}));
    ASSERT_EQ(igcl.GetSharpness(&enable, &intensity), 1);
    EXPECT_EQ(enable * 1000 + intensity, 1037u);
    ASSERT_EQ(igcl.SetSharpness(0, 55), 1);
    const auto sharpness = Fake().Sent<ctl_sharpness_settings_t>("ctlSetCurrentSharpness");
    EXPECT_EQ(std::vector<float>(
                  {float(sharpness.Enable), float(sharpness.FilterType), sharpness.Intensity}),
              (std::vector<float>{0, 2, 55})); // the driver's filter type goes back

    for (const char* entry : {"ctlGetLACEConfig", "ctlSetLACEConfig", "ctlGetCurrentSharpness"}) {
        Fake().results[entry] = CTL_RESULT_ERROR_DATA_WRITE;
    }
    EXPECT_EQ(igcl.GetLACE(&enabled, &second, &level) + igcl.SetLACE(1, 5), 0);
    EXPECT_EQ(level, 37u);
    EXPECT_EQ(host::DebugOutput(), "ctlSetLACEConfig returned failure code: 0x40000013\n");
    EXPECT_EQ(igcl.GetSharpness(&enable, &intensity), 0);
    EXPECT_EQ(enable + intensity, 0u);
}

TEST_F(IgclFeatures, Dpst) {
    struct Case {
        std::function<void()> script;
        Bool get;
        uint32_t level;
        Bool set;
        std::string debug;
        const char* stdoutText;
    };
    const std::string caps = "Check: ctlGetPowerOptimizationCaps()\n";
    const std::vector<Case> cases = {
        {[] {}, 1, 6, 1, "", ""},
        {[] {
             Fake().Answer("ctlGetPowerOptimizationCaps",
                           ctl_power_optimization_caps_t{12, 0, 0x13});
         },
         0, 0, 0, "", ""},
        {[] { Fake().results["ctlGetPowerOptimizationCaps"] = 0x40000012; }, 0x40000012, 0,
         0x40000012, caps + caps, ""},
        {[] { Fake().missing.insert("ctlGetPowerOptimizationCaps"); }, 0x40000001, 0, 0x40000001,
         caps + caps, ""},
        {[] {
             Fake().results["ctlGetPowerOptimizationSetting"] = 1;
             Fake().results["ctlSetPowerOptimizationSetting"] = 1;
         },
         0, 0, 0, "check: ctlSetPowerOptimizationSetting(DPST) \n",
         "check: ctlGetPowerOptimizationSetting(DPST) \n"},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(k);
        SetUp();
        Fake().Answer("ctlGetPowerOptimizationCaps", ctl_power_optimization_caps_t{12, 0, 0x4});
        ctl_power_optimization_settings_t current = {};
        current.Enable = true;
        current.FeatureSpecificData.DPSTInfo.Level = 6;
        Fake().Answer("ctlGetPowerOptimizationSetting", current);
        cases[k].script();
        CIntelGraphicIGCL igcl;
        uint32_t enabled = 9, level = 9;
        EXPECT_EQ(igcl.GetDPST(&enabled, &level), cases[k].get);
        EXPECT_EQ(enabled * 100 + level, cases[k].level != 0 ? 100 + cases[k].level : 0);
        EXPECT_EQ(igcl.SetDPST(1, 0x105), cases[k].set);
        EXPECT_EQ(host::DebugOutput(), cases[k].debug);
        EXPECT_NE(host::StdoutOutput().find(cases[k].stdoutText), std::string::npos);
        const auto sets = Fake().Calls("ctlSetPowerOptimizationSetting");
        ASSERT_EQ(sets.size(), cases[k].set == 1 || k == 4 ? 1u : 0u);
        if (!sets.empty()) {
            const auto s =
                Fake().Sent<ctl_power_optimization_settings_t>("ctlSetPowerOptimizationSetting");
            EXPECT_EQ(s.PowerOptimizationFeature * 100 + s.Enable * 10 +
                          s.FeatureSpecificData.DPSTInfo.Level,
                      415u);
        }
    }
}

TEST_F(IgclFeatures, AuxTransfersStayInsideThe132ByteRecord) {
    ctl_aux_access_args_t answer = {};
    for (std::size_t i = 0; i < CTL_AUX_MAX_DATA_SIZE; ++i) {
        answer.Data[i] = static_cast<uint8_t>(i + 1);
    }
    for (int32_t size : {0, 1, 132, 133, -1, std::numeric_limits<int32_t>::max(),
                         std::numeric_limits<int32_t>::min()}) {
        SCOPED_TRACE(size);
        SetUp();
        Fake().Answer(kAux, answer);
        const bool fits = size >= 0 && size <= 132;
        const std::size_t n = fits ? static_cast<std::size_t>(size) : 0;
        Bytes out(140, 0xEE);
        const Bytes in(140, 0x77);
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.WriteDPAuxDataEx(4, 0x10, in.data(), size), fits ? 1 : 0);
        EXPECT_EQ(igcl.ReadDPAuxDataEx(4, 0x20, out.data(), size), fits ? 1 : 0);
        for (std::size_t i = 0; i < out.size(); ++i) {
            ASSERT_EQ(out[i], i < n ? i + 1 : 0xEE) << i;
        }
        ASSERT_EQ(Fake().Calls(kAux).size(), fits ? 2u : 0u);
        if (fits) {
            const auto write = Fake().Sent<ctl_aux_access_args_t>(kAux, 0);
            EXPECT_EQ(write.Flags * 1000 + write.DataSize, 4000 + n);
            EXPECT_EQ(write.Data[n > 0 ? n - 1 : 0], n > 0 ? 0x77 : 0);
            EXPECT_EQ(Fake().Sent<ctl_aux_access_args_t>(kAux).Flags, 1u); // reads: native AUX
        } else {
            EXPECT_EQ(host::DebugOutput(), "Check: WriteDPAuxDataEx()\nCheck: ReadDPAuxDataEx()\n");
        }
    }
    CIntelGraphicIGCL igcl;
    uint8_t value = 0;
    ASSERT_EQ(igcl.WriteDPAuxData(0x600, 0x1AB), 1);
    EXPECT_EQ(Fake().Sent<ctl_aux_access_args_t>(kAux).Data[0], 0xAB);
    ASSERT_EQ(igcl.ReadDPAuxData(0x601, &value), 1);
    EXPECT_EQ(value, 1);
    Fake().results[kAux] = CTL_RESULT_ERROR_DATA_READ;
    Bytes out(4, 0xEE);
    EXPECT_EQ(igcl.ReadDPAuxDataEx(0, 0x20, out.data(), 3) + igcl.ReadDPAuxData(1, &value), 0);
    EXPECT_EQ(out, (Bytes{0, 0, 0, 0xEE})); // exactly what was asked for is zeroed
    EXPECT_EQ(value, 0);
}

// The operations this back-end lacks answer 1 without starting the run time.
TEST_F(IgclFeatures, StubsAnswerWithoutTheRunTime) {
    CIntelGraphicIGCL g;
    EXPECT_EQ(g.GetColorMatrix(0, nullptr, nullptr, nullptr, nullptr, nullptr) +
                  g.SetColorMatrix(0, 1, 1, 0, nullptr) + g.SaveGammaRamp() +
                  g.SetColorTempGamnmaLUT(0) + g.ReservedQuery1() * 10 + g.ReservedQuery2() * 10,
              4);
    const std::string line =
        "\xA2\xBC\xA2\xBC\xA2\xBC Not Implemented... \xA2\xBC\xA2\xBC\xA2\xBC\n";
    EXPECT_EQ(host::DebugOutput(),
              line + line + line + line + line + line + line + line + line + line + line + line);
    EXPECT_EQ(host::ModuleLoadCount("ControlLib.dll"), 0);
}

} // namespace
} // namespace varnet
