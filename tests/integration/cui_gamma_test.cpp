// Gamma ramps and 3D LUTs of the CUI back-end against the simulated driver: what reaches it (the
// journal), what comes back, and the lines every failure leaves.
#include <cstring>
#include <iterator>
#include <tuple>

#include "backend/packed_3d_lut.h"
#include "backend/white_point_table.h"
#include "cui_fixture.h"

namespace varnet {
namespace {

using nlohmann::json;

constexpr char kEmpty[] =
    "SetGammaRamp \xC0\xFA\xC0\xE5\xB5\xC8 \xB0\xAA\xC0\xCC \xBE\xF8\xC0\xBD\r\n";
constexpr char kSame[] =
    "SetGammaRamp \xC7\xF6\xC0\xE7 \xBC\xB3\xC1\xA4\xB5\xC8\xB0\xAA\xB0\xFA \xB0\xB0\xC0\xBD.\r\n";
constexpr uint32_t kPanelUid = 0x1000;

std::vector<uint16_t> IdentityRamp() {
    std::vector<uint16_t> ramp(kGammaRampEntries);
    for (std::size_t k = 0; k < ramp.size(); ++k)
        ramp[k] = static_cast<uint16_t>(k % 256 * 257);
    return ramp;
}

// The default laptop without LACE, so GammaMax is 65280.
class CuiGammaTest : public CuiTest {
protected:
    void SetUp() override {
        CuiTest::SetUp();
        base_ = {{"/cuiDevices/0/lace", false}};
        Use("");
    }
};

TEST_F(CuiGammaTest, RampReadsAndWritesWithTheirFailureLines) {
    std::vector<uint16_t> falling = IdentityRamp(), brighter = IdentityRamp(), got(768);
    const std::vector<uint16_t> identity = IdentityRamp(), zero(768);
    falling[300] = falling[299] - 1; // green falls by one step
    brighter[10] = 2600;
    // Ramp (null: GetGammaRamp), faults, result, writes, last debug line, panel type (0: own).
    const std::tuple<const uint16_t*, const char*, Bool, std::size_t, std::string, int> cases[] = {
        {nullptr, R"({"call": "GetGammaRamp", "error": 37})", 0, 0, "GetGammaRamp Error : 0x25\r\n",
         0},
        {nullptr, R"({"call": "GetGammaRamp", "throw": true})", 0, 0, "try GetGammaRamp()...", 0},
        {falling.data(), "", 0, 0, "check: SetGammaRamp() reverse order...", 0},
        {zero.data(), "", 0, 0, kEmpty, 0},
        {identity.data(), "", 1, 0, kSame, 0},
        {brighter.data(), "", 1, 1, "", 0},
        {identity.data(), R"({"call": "SetGammaRamp", "error": 37})", 0, 1,
         "SetGammaRamp Error : 0x25\r\n", 0},
        {identity.data(), R"({"call": "SetGammaRamp", "throw": true})", 0, 1,
         "try SetGammaRamp()...", 0},
        // Without a display nothing is read or written.
        {brighter.data(), "", 0, 0, "GetGammaRamp : 0 == m_adwMonUID[m_ReqMonType]\r\n", 1},
    };
    for (const auto& [ramp, faults, expected, writes, debugEnd, type] : cases) {
        SCOPED_TRACE(debugEnd);
        CIntelGraphic& cui = Connect(faults, type ? Edits{{"/cuiDevices/0/type", type}} : Edits{});
        EXPECT_EQ(ramp ? cui.SetGammaRamp(ramp) : cui.GetGammaRamp(got.data()), expected);
        EXPECT_EQ(Calls("SetGammaRamp").size(), writes);
        EXPECT_TRUE(test::DebugOutput().ends_with(debugEnd)) << test::DebugOutput();
    }
    // Only the one good write reached the display.
    Use("");
    ASSERT_EQ(CIntelGraphic().GetGammaRamp(got.data()), 1);
    EXPECT_EQ(got, brighter);
}

TEST_F(CuiGammaTest, RampDataAppliesLevelAndWhitePointAndLoadsWithoutChecks) {
    CIntelGraphic& cui = Connect();
    std::vector<uint16_t> ramp = IdentityRamp();
    ramp[300] = ramp[299] - 1; // refused by SetGammaRamp, loaded here
    const std::vector<uint16_t> given = ramp;
    // Level 5 and white point 2 load the ramp as given, 65535 above GammaMax, with no comparison.
    EXPECT_EQ(cui.SetGammaRampData(ramp.data(), 2, 5) + cui.SetGammaRampData(ramp.data(), 2, 5), 2);
    EXPECT_EQ(ramp, given);
    EXPECT_EQ(Calls("SetGammaRamp").at(1)["args"]["ramp"], json(given));

    // Level 0 leaves the level-adjusted ramp with the caller; white point 4 limits to GammaMax.
    ramp = IdentityRamp();
    EXPECT_EQ(cui.SetGammaRampData(ramp.data(), 4, 0), 1);
    EXPECT_EQ(ramp[16], 36 * 257);
    std::vector<uint16_t> tinted(768);
    ASSERT_TRUE(ApplyWhitePoint(ramp.data(), 4, kGammaMaxReduced, tinted.data()));
    EXPECT_EQ(Calls("SetGammaRamp").at(2)["args"]["ramp"], json(tinted));

    // Refused before anything is touched; without a display there is nothing to load.
    EXPECT_EQ(cui.SetGammaRampData(ramp.data(), -1, 0) + cui.SetGammaRampData(ramp.data(), 5, 0) +
                  cui.SetGammaRampData(nullptr, 2, 5),
              0);
    EXPECT_EQ(ramp[16], 36 * 257);
    Use("", {{"/cuiDevices/0/type", 1}});
    EXPECT_EQ(CIntelGraphic().SetGammaRampData(ramp.data(), 2, 5), 1);
    EXPECT_EQ(Calls("SetGammaRamp").size(), 3u);
}

TEST_F(CuiGammaTest, ColourTemperatureNeedsASavedRamp) {
    CIntelGraphic& cui = Connect();
    EXPECT_EQ(cui.SetColorTempGamnmaLUT(0), 0);
    EXPECT_EQ(test::DebugOutput(), "");
    ASSERT_EQ(cui.SaveGammaRamp(), 1);
    // Index 2 still limits to GammaMax; the second, unchanged, ramp is not written.
    EXPECT_EQ(cui.SetColorTempGamnmaLUT(2) + cui.SetColorTempGamnmaLUT(2), 2);
    EXPECT_EQ(test::DebugOutput(), kSame);
    ASSERT_EQ(Calls("SetGammaRamp").size(), 1u);
    EXPECT_EQ(Calls("SetGammaRamp")[0]["args"]["ramp"][767], kGammaMaxReduced);
    EXPECT_EQ(cui.SetColorTempGamnmaLUT(7), 0);

    // A write the driver refuses still counts as applied.
    Use(R"({"call": "SetGammaRamp", "error": 37, "nth": 1})");
    CIntelGraphic refused;
    ASSERT_EQ(refused.SaveGammaRamp(), 1);
    EXPECT_EQ(refused.SetColorTempGamnmaLUT(0), 1);
    EXPECT_NE(Calls("SetGammaRamp").back()["result"], 0);

    // An empty saved ramp (loadable only through the raw write) is refused.
    std::vector<uint16_t> empty(768);
    ASSERT_EQ(cui.SetGammaRampData(empty.data(), 2, 5), 1);
    ASSERT_EQ(cui.SaveGammaRamp(), 1);
    test::ClearCaptures();
    EXPECT_EQ(cui.SetColorTempGamnmaLUT(1), 0);
    EXPECT_EQ(test::DebugOutput(), "SetColorTempGamnmaLUT" + std::string(kEmpty).substr(12));
}

TEST_F(CuiGammaTest, LutExchangesCarryTheirHeadersAndNeverMistakeAThrowForSuccess) {
    CIntelGraphic& cui = Connect();
    Packed3DLut table;
    uint32_t enabled = 9;
    EXPECT_EQ(cui.Get3DLut(&enabled, &table), 1);
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(cui.Set3DLut(0, &table) + cui.Set3DLut(1, &table) + cui.Reset3DLut(), 3);
    const int expected[][3] = {{0, 1, 0}, {1, 1, 1}, {1, 1, 0}, {1, 1, 0}, {0, 0, 0}};
    const std::vector<json> journal = machine_.Journal();
    ASSERT_EQ(journal.size(), std::size(expected));
    for (std::size_t i = 0; i < journal.size(); ++i) {
        const json& a = journal[i]["args"];
        EXPECT_EQ(journal[i]["call"], i == 0 ? "GetDeviceDataEx" : "SetDeviceDataEx");
        // enable, operation, bypass, then the header every exchange carries
        EXPECT_EQ(
            json::array({a["enable"], a["operation"], a["bypass"], a["version"], a["gridPoints"],
                         a["declaredSize"], a["uid"]}),
            json::array({expected[i][0], expected[i][1], expected[i][2], 1, 17, 19652, kPanelUid}))
            << i;
    }
    EXPECT_EQ(journal[3]["args"]["points"]["grey"], json::array({511, 511, 511}));
    EXPECT_EQ(journal[3]["args"]["points"]["white"], json::array({1023, 1023, 1023}));
    EXPECT_EQ(cui.Get3DLut(&enabled, nullptr) + cui.Set3DLut(1, nullptr), 0);

    for (const char* how : {R"("error": 37)", R"("throw": true)"}) {
        CIntelGraphic& failing = Connect(std::string(R"({"call": "SetDeviceDataEx", )") + how +
                                         R"(}, {"call": "GetDeviceDataEx", )" + how + "}");
        EXPECT_EQ(failing.Get3DLut(&enabled, &table) + failing.Set3DLut(1, &table), 0);
        EXPECT_EQ(failing.Reset3DLut(), 1);
        EXPECT_EQ(test::DebugOutput(),
                  "SetDeviceDataEx() error code = 0x25SetDeviceDataEx() error code = 0x25");
    }
}

TEST_F(CuiGammaTest, LutParamsFallBackToSaturationUnlessTheReadBackSaysInEffect) {
    const float matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    // enable, the read-back's status (null: 1 while a table is in effect), faults, fallback
    const std::tuple<Bool, json, const char*, bool> cases[] = {
        {0, 1, "", false},
        {0, nullptr, "", true}, // a bypassed table is not in effect
        {0, 1, R"({"call": "GetDeviceDataEx", "error": 37})", true},
        {1, nullptr, "", false},
        {1, 2, "", true}};
    for (const auto& [enable, status, faults, fallback] : cases) {
        SCOPED_TRACE(testing::Message() << enable << status << faults);
        CIntelGraphic& cui = Connect(faults, {{"/cuiDevices/0/lut3dStatus", status}});
        EXPECT_EQ(cui.Set3DLutParams(enable, enable ? matrix : nullptr, 42), 1);
        // The table goes with a read-back of what is in effect.
        const json load = Calls("SetDeviceDataEx").at(0)["args"];
        const json back = Calls("GetDeviceDataEx").at(0)["args"];
        const int white = enable ? 1022 : 0;
        EXPECT_EQ(json::array({load["operation"], load["bypass"], load["points"]["white"],
                               back["operation"], back["enable"], back["bypass"]}),
                  json::array({3, enable ? 0 : 1, json::array({white, white, white}), 0, 0, 0}));
        const std::vector<json> hueSat = Calls("SetDeviceData");
        ASSERT_EQ(hueSat.size(), fallback ? 1u : 0u);
        EXPECT_TRUE(!fallback || hueSat[0]["args"]["saturation"] == 42.0);
    }
    CIntelGraphic cui;
    EXPECT_EQ(cui.Set3DLutParams(1, nullptr, 0), 0);
}

TEST_F(CuiGammaTest, CubeFilesLoadWithoutAConnection) {
    test::TestMachine::InstallConfigFolder("examples/config");
    const std::string tooLong(230, 'w'); // the path would take 260 characters
    test::TestMachine::WriteConfigFile("short.cube", "0 0 0\n64 0 0\n");
    test::TestMachine::WriteConfigFile(tooLong + ".cub", "0 0 0\n"); // the path cut at 259
    machine_.ClearJournal();
    test::StartCapture();

    CIntelGraphic cui;
    Packed3DLut table;
    table.words[0] = 0x80000000u;
    EXPECT_EQ(cui.LoadCubeFile("VN156FHD01_warm", &table), 1);
    EXPECT_EQ(table.words[0], 0x80000000u);
    EXPECT_EQ(table.words[LutIndex(16, 16, 16)], PackLutWord(0, {1023, 992, 921}));
    const Packed3DLut loaded = table;
    for (const char* name : {"missing", "short", tooLong.c_str(), static_cast<const char*>(0)}) {
        EXPECT_EQ(cui.LoadCubeFile(name, &table), 0);
        EXPECT_EQ(std::memcmp(&table, &loaded, sizeof table), 0);
    }
    EXPECT_EQ(cui.LoadCubeFile("VN156FHD01_warm", nullptr), 0);
    EXPECT_EQ(machine_.Journal().size(), 0u);
    EXPECT_EQ(test::DebugOutput(), "LoadCubeFile : fewer than 4913 triples after 6 numbers\r\n"
                                   "LoadCubeFile : name too long\r\n");
}

} // namespace
} // namespace varnet
