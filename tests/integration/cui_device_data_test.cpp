// The CUI back-end's device data against the simulated driver: what each operation sends (the
// journal), what the driver then holds (read back) and the results and lines of its failures.
#include <algorithm>
#include <climits>
#include <functional>
#include <numeric>
#include <tuple>

#include "backend/cui_device_calls.h"
#include "config/settings_store.h"
#include "cui_fixture.h"

namespace varnet {
namespace {

using nlohmann::json;
using C = CIntelGraphic;
using CuiDeviceDataTest = CuiTest;

const std::string kCatch = "catch: Intel function()\n";

// A fault on one block's exchange: call "Get" or "Set", how e.g. R"("throw": true)".
std::string Fault(const char* call, const char* block, const char* how) {
    return std::string(R"({"call": ")") + call + R"(DeviceData", "when": {"guid": ")" + block +
           R"("}, )" + how + "}";
}

template <class T> json Values(const T* values, std::size_t n) {
    return json(std::vector<T>(values, values + n));
}

// args with expected's fields written over: args again when they hold those values.
json Patched(json args, const json& expected) {
    args.merge_patch(expected);
    return args;
}

TEST_F(CuiDeviceDataTest, WritesLandInTheDriversFieldsAndReadBack) {
    const Edits video = {{"/adapters/0/video/adaptiveContrast/level", 2.5},
                         {"/adapters/0/video/skinTone/value", 3.5},
                         {"/adapters/0/video/sharpness/default", 40}};
    const Edits dpst = {{"/adapters/0/displays/0/dpst/otherFeatures", 0x11}};
    const uint32_t weights[6] = {11, 12, 13, 14, 15, 16}; // red, green, blue, yellow, cyan, magenta
    const float m[9] = {0.5f, 2, 3, 4, 5, 6, 7, 8, -9};
    uint32_t u[7] = {};
    int32_t i[2] = {};
    float f[9] = {};
    uint8_t b[1] = {};
    // The scenario; the block and the fields of its last write (null: none); what the
    // operations return and hand back. The driver keeps its settings from row to row.
    // clang-format off
    const std::tuple<Edits, const char*, std::string, std::string, std::function<json(C&)>> cases[] = {
        // No display of a type looked for: nothing to address, no call, and no failure.
        {{{"/cuiDevices/0/type", 1}}, "hueSat", "null", "[1, 0]",
         [&](C& c) { return json{c.SetHueSat(1, 2), machine_.Journal().size()}; }},
        {{}, "hueSat", R"({"uid": 4096, "hue": 1.5, "saturation": -2.5})", "[1, 1, -2.5]",
         [&](C& c) { return json{c.SetHueSat(1.5f, -2.5f), c.GetHueSat(f), f[0]}; }},
        // A level alone switches LACE on; both 0 switch it off.
        {{}, "lace", R"({"version": 1, "uid": 4096, "enabled": 0, "enableValue": 0, "level": 0})",
         "[1, 1, [1, 0, 5], 1, 1, [0, 0, 0]]", [&](C& c) { return json{c.SetLACE(0, 5), c.GetLACE(u, u + 1, u + 2),
             Values(u, 3), c.SetLACE(0, 0), c.GetLACE(u, u + 1, u + 2), Values(u, 3)}; }},
        {{{"/cuiDevices/0/lace", 2}}, "lace", "null", "[2]", [&](C& c) { return json{c.IsLACESupport()}; }},
        // Contrast and skin tone: level n is on at n - 1; off reads negated, truncated.
        {video, "videoQuality", "null", "[1, [-2, -3]]", [&](C& c) { return json{c.GetContrastSkinTone(i, i + 1), Values(i, 2)}; }},
        {video, "videoQuality", R"({"contrast": {"enable": 1, "value": 0}, "skinTone": {"enable": 0, "value": 3.5}})",
         "[1, 1, [0, -3]]", [&](C& c) { return json{c.SetContrastSkinTone(1, 0), c.GetContrastSkinTone(i, i + 1), Values(i, 2)}; }},
        {video, "videoQuality", R"({"contrast": {"enable": 0, "value": 0}, "skinTone": {"enable": 1, "value": 5}})",
         "[1, 1, [0, 5]]", [&](C& c) { return json{c.SetContrastSkinTone(0, 6), c.GetContrastSkinTone(i, i + 1), Values(i, 2)}; }},
        // Sharpness mode 1 takes the driver's default value; 7 is as 2; 0 switches off.
        {video, "videoQuality", R"({"sharpness": {"enable": 1, "mode": 1, "value": 40, "default": 40}})", "[1, 1, 1, 40]",
         [&](C& c) { return json{c.SetVideoSharpness(1, 2), c.GetVideoSharpness(u, f), u[0], f[0]}; }},
        {video, "videoQuality", R"({"sharpness": {"enable": 0, "mode": 0, "value": 8, "default": 40}})", "[1, 1, 2, 8, 1, 1, 0, 8]",
         [&](C& c) { return json{c.SetVideoSharpness(7, 8), c.GetVideoSharpness(u, f), u[0], f[0],
                                 c.SetVideoSharpness(0, 1), c.GetVideoSharpness(u, f), u[0], f[0]}; }},
        // a, b, c, d in their fields; -9999 leaves a value as the driver has it.
        {{}, "mediaColor", R"({"standardFirst": 7, "standardValues": [1, 5, 3, 4]})", "[1, 1]", [&](C& c) {
             return json{c.SetStandardColorCorrection(6, 1, 2, 3, 4), c.SetStandardColorCorrection(7, -9999, 5, -9999, -9999)}; }},
        // The six sectors in interface order; any enable but 1 clears them.
        {{}, "sixSector", R"({"version": 1, "tag": 4096, "writeFlag": 2, "weights": {"red": 11, "green": 12, "blue": 13,
            "yellow": 14, "cyan": 15, "magenta": 16}})", "[1, 1, [11, 12, 13, 14, 15, 16]]",
         [&](C& c) { return json{c.SetDisplayTccArray(1, weights), c.GetDisplayTccArray(nullptr, u), Values(u, 6)}; }},
        {{}, "sixSector", R"({"writeFlag": 2})", "[1, 1, [0, 0, 0, 0, 0, 0]]",
         [&](C& c) { return json{c.SetDisplayTccArray(2, weights), c.GetDisplayTccArray(nullptr, u), Values(u, 6)}; }},
        // Display TCC arguments also come R, G, B, Y, C, M; the block keeps C, M, Y after B.
        {{}, "displayTcc", R"({"enable": 1, "uid": 4096, "weights": {"red": 11, "green": 12, "blue": 13, "yellow": 14,
            "cyan": 15, "magenta": 16}})", "[1, 1, [1, 11, 12, 13, 14, 15, 16]]", [&](C& c) {
             return json{c.SetDisplayTcc(1, 11, 12, 13, 14, 15, 16), c.GetDisplayTcc(u, u + 1, u + 2, u + 3, u + 4, u + 5, u + 6), Values(u, 7)}; }},
        {{}, "mediaColor", R"({"totalEnable": 1, "totalValues": [1.5, 2.5, 3.5, 4.5, 5.5, 6.5]})", "[1, 1, 1, [1.5, 2.5, 3.5, 4.5, 5.5, 6.5]]",
         [&](C& c) { return json{c.SetMediaTcc(1, 1.5f, 2.5f, 3.5f, 4.5f, 5.5f, 6.5f),
                                 c.GetMediaTcc(u, f, f + 1, f + 2, f + 3, f + 4, f + 5), u[0], Values(f, 6)}; }},
        // The matrix goes to the second display (monitor type 3); with the matrix off, none goes.
        {{{"/cuiDevices/1", {{"displayName", "\\\\.\\DISPLAY2"}, {"uid", 0x3003}, {"type", 3}}}}, "colorMatrix",
         R"({"uid": 12291, "third": 7, "present": 1, "matrix": [0.5, 2, 3, 4, 5, 6, 7, 8, -9]})", "[1]",
         [&](C& c) { return json{c.SetColorMatrix(1, 3, 7, 1, m)}; }},
        // A read sends the caller's fourth value (at offset 20) and fills every output it is given.
        {{}, "colorMatrix", R"({"present": 1, "matrix": [0.5, 2, 3, 4, 5, 6, 7, 8, -9]})", "[1, 1, [1, 3, 7, 1], [0.5, 2, 3, 4, 5, 6, 7, 8, -9], 5]",
         [&](C& c) { u[3] = 5; return json{c.SetColorMatrix(0, 3, 7, 1, m), c.GetColorMatrix(0, u, u + 1, u + 2, u + 3, f),
                                           Values(u, 4), Values(f, 9), Last("colorMatrix", "GetDeviceData")["present"]}; }},
        {{{"/cuiDevices/0/colorMatrix", false}}, "colorMatrix", "null", "[0, 1, 0, 0]", [&](C& c) {
             return json{c.SetColorMatrix(0, 4, 7, 1, m), c.GetColorMatrix(0, u, nullptr, nullptr, nullptr, nullptr), u[0],
                         Last("colorMatrix", "GetDeviceData")["present"]}; }},
        // DPST changes only its own bit of the enabled features.
        {dpst, "dpst", R"({"header": [1, 1], "tag": 3, "changeMask": 8, "enabled": 17, "level": 0})", "[1, 1, [0, 0]]",
         [&](C& c) { return json{c.SetDPST(0, 0), c.GetDPST(u, u + 1), Values(u, 2)}; }},
        {dpst, "dpst", R"({"enabled": 25, "level": 4})", "[1, 1, [1, 4]]",
         [&](C& c) { return json{c.SetDPST(1, 4), c.GetDPST(u, u + 1), Values(u, 2)}; }},
        {{{"/adapters/0/displays/0/powerFeatures", 0x13}}, "dpst", "null", "[0, 0, [0, 4294967197]]",
         [&](C& c) { return json{c.GetDPST(u, u + 1), c.SetDPST(1, 4), Values(u, 2)}; }},
        // One byte over AUX: the low byte of the value.
        {{}, "aux", R"({"operation": 8, "dataSize": 1, "address": 784, "data": "FF"})", "[1, 1, 255]",
         [&](C& c) { return json{c.WriteDPAuxData(0x310, 0x1FF), c.ReadDPAuxData(0x310, b), b[0]}; }},
    };
    // clang-format on
    for (const auto& [edits, block, sent, read, run] : cases) {
        SCOPED_TRACE(testing::Message() << block << " " << sent);
        EXPECT_EQ(run(Connect("", edits)), json::parse(read));
        const json written = Last(block);
        EXPECT_EQ(Patched(written, json::parse(sent)), written);
    }
}

TEST_F(CuiDeviceDataTest, AuxTransfersStayInsideTheBlock) {
    std::vector<uint8_t> data(140);
    std::iota(data.begin(), data.end(), uint8_t{1});
    const std::string refused = "fail:  IGFX_INVALID_AUX_DATA_SIZE\n\n";
    for (const int32_t size : {0, 132, 133, -1, INT_MAX}) {
        SCOPED_TRACE(size);
        const bool fits = size >= 0 && size <= 132;
        const std::size_t n = fits ? static_cast<std::size_t>(size) : 0;
        std::vector<uint8_t> back(140, 0xEE);
        C& cui = Connect();
        const Bool wrote = cui.WriteDPAuxDataEx(8, 0x300, data.data(), size);
        EXPECT_EQ(wrote + cui.ReadDPAuxDataEx(9, 0x300, back.data(), size), fits ? 2 : 0);
        EXPECT_EQ(test::DebugOutput(), fits ? "" : refused + refused);
        // Sent as asked or not at all; what was written reads back, and not a byte more.
        json sent = json::array();
        for (const json& call : machine_.Journal()) {
            sent.push_back({call["args"]["operation"], call["args"]["dataSize"]});
        }
        EXPECT_EQ(sent, fits ? json({{8, size}, {9, size}}) : json::array());
        EXPECT_TRUE(std::equal(back.begin(), back.begin() + n, data.begin()));
        EXPECT_EQ(std::count(back.begin() + n, back.end(), 0xEE), 140 - n);
    }
}

TEST_F(CuiDeviceDataTest, PanelSizeIsAskedOnceAndThenKeptInTheSettings) {
    const json second = {{"displayName", "\\\\.\\DISPLAY2"}, {"uid", 0x3003}, {"type", 3}};
    json panel = test::TestMachine::DefaultScenario()["cuiDevices"][0];
    panel["panelSize"] = {{"width", 1366}, {"height", 768}};
    const std::pair<std::string, json> big = {"/panelSize", {{"width", 2880}, {"height", 1800}}};
    const uint32_t nothing = ~0u;
    // "LCDW" written before (nothing: none), the scenario, the size answered, whether the driver
    // was asked, "LCDW" after. The settings stay from row to row, as from process to process.
    const std::tuple<uint32_t, Edits, std::string, uint32_t, uint32_t, bool, uint32_t> cases[] = {
        {nothing, {big}, "", 2880, 1800, true, 2880},
        {nothing, {}, "", 2880, 1800, false, 2880},
        {0, {{"/cuiDevices", {second, panel}}}, "", 1366, 768, true, 1366},
        {0, {big}, Fault("Get", "panelSize", R"("error": 37)"), 1920, 1080, true, 0},
        {2560, {}, "", 2560, 1600, false, 2560},
    };
    for (const auto& [before, edits, faults, width, height, asks, after] : cases) {
        SCOPED_TRACE(testing::Message() << width << " " << faults);
        if (before != nothing) {
            WriteSettingDword("LCDW", before);
            WriteSettingDword("LCDH", 1600);
        }
        uint32_t size[2] = {}, stored = nothing;
        EXPECT_EQ(json({Connect(faults, edits).GetPanelSize(size, size + 1), size[0], size[1],
                        machine_.Count("GetDeviceData")}),
                  json({1, width, height, asks ? 1 : 0}));
        ReadSettingDword("LCDW", &stored);
        EXPECT_EQ(stored, after);
    }
}

TEST_F(CuiDeviceDataTest, FailuresGiveTheirLinesAndThrowsAreJudgedAsEachOperationSays) {
    using Op = std::function<Bool(C&)>;
    const Op hueSat = [](C& c) { return c.SetHueSat(0, 1); };
    const Op skinTone = [](C& c) { return c.SetContrastSkinTone(2, 2); };
    const Op mediaTcc = [](C& c) { return c.SetMediaTcc(1, 0, 0, 0, 0, 0, 0); };
    const Op auxWrite = [](C& c) { return c.WriteDPAuxData(0x310, 1); };
    const char *error = R"("error": 37)", *raise = R"("throw": true)";
    const std::string video = "INTEL: SetDeviceData (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error : ";
    // clang-format off
    const std::tuple<std::string, Bool, std::string, Op> cases[] = {
        {Fault("Get", "hueSat", error), 0, "GetDeviceData (IGFX_GET_SET_HUESAT_INFO_GUID) Error : 0x25\r\n", hueSat},
        {Fault("Set", "hueSat", raise), 0, kCatch + "SetDeviceData Error : 0x0\r\n", hueSat},
        {Fault("Get", "videoQuality", error), 0, "GetDeviceData (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error : 0x25\r\n", skinTone},
        {Fault("Set", "videoQuality", raise), 0, kCatch + video + "0x0\r\n", skinTone},
        {Fault("Set", "videoQuality", raise), 0, video + "0x0\r\n", [](C& c) { return c.SetVideoSharpness(2, 1); }},
        {Fault("Set", "videoQuality", error), 0, " (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error\n",
         [](C& c) { return c.SetVideoQuality(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); }},
        {Fault("Get", "mediaColor", error), 0, "GetDeviceData (IGFX_GET_SET_MEDIA_COLOR_EX2_GUID) Error : 0x25\r\n",
         [](C& c) { return c.GetMediaTcc(nullptr, 0, 0, 0, 0, 0, 0); }},
        {Fault("Set", "mediaColor", error), 0, "", mediaTcc},
        // These writes that throw count as the read before them.
        {Fault("Set", "mediaColor", raise), 1, kCatch, mediaTcc},
        {Fault("Get", "mediaColor", error) + "," + Fault("Set", "mediaColor", raise), 0, kCatch, mediaTcc},
        {Fault("Set", "displayTcc", raise), 1, "", [](C& c) { return c.SetDisplayTcc(1, 0, 0, 0, 0, 0, 0); }},
        {Fault("Set", "colorMatrix", raise), 1, kCatch, [](C& c) { return c.SetColorMatrix(0, 1, 1, 0, nullptr); }},
        {Fault("Get", "dpst", error), 0, "check: GetDPST()check: SetDPST()",
         [](C& c) { const Bool got = c.GetDPST(nullptr, nullptr); return got + c.SetDPST(1, 5); }},
        // AUX goes by the error value, whatever the result; a throw counts as IGFX_FAILURE.
        {Fault("Set", "aux", R"("result": 0, "error": 70)"), 0, "fail:  IGFX_AUX_DEFER\n\n", auxWrite},
        {Fault("Set", "aux", raise), 0, kCatch + "fail:  IGFX_FAILURE\n\n", auxWrite},
        {Fault("Get", "aux", raise), 0, "fail:  IGFX_FAILURE\n\n", [](C& c) { uint8_t b = 0; return c.ReadDPAuxData(0x310, &b); }},
        {"", 1, "\xA1\xDF\xA1\xDF QmxColor: fail code=0x26\xA1\xDF\xA1\xDF\n\n", [](C&) { ReportAuxError(38); return 1; }},
    };
    // clang-format on
    for (const auto& [faults, result, debug, op] : cases) {
        SCOPED_TRACE(faults);
        EXPECT_EQ(op(Connect(faults)), result);
        EXPECT_EQ(test::DebugOutput(), debug);
    }
}

} // namespace
} // namespace varnet
