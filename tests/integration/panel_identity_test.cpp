// The panel ID as the driver's EDID makes it, through both back-ends, and odd EDIDs and machines.
#include <algorithm>
#include <tuple>

#include "exports_fixture.h"

namespace varnet::test {
namespace {

using nlohmann::json;

class PanelIdentity : public ExportsTest {
protected:
    // A fresh library, so that no ID is kept from before.
    template <class Change> std::string EdidOf(Change change) {
        Scenario(change);
        UnloadVarnet();
        std::string error;
        EXPECT_TRUE(LoadVarnet(&lib, &error)) << error;
        ClearCaptures();
        return Edid();
    }
};

// A 128-byte base block of zeros with the given bytes set and text from byte 113 on.
std::string EdidHex(std::initializer_list<std::pair<int, uint8_t>> bytes,
                    const std::string& text = "") {
    uint8_t edid[128] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    for (auto [offset, value] : bytes)
        edid[offset] = value;
    std::copy(text.begin(), text.end(), edid + 113);
    std::string hex;
    for (uint8_t b : edid)
        hex += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    return hex;
}

// The rules themselves are the unit suite's; here both back-ends apply them to the driver's EDID.
TEST_F(PanelIdentity, IdFromTheEdidOnBothBackEnds) {
    const std::pair<std::string, const char*> cases[] = {
        {EdidHex({}, "lp140wf9spbX"), "LP140WF9SPB"}, // a twelfth character never enters the ID
        {EdidHex({}, "AB\200CD"), "AB"},
        {EdidHex({{8, 0x4C}, {9, 0x2D}, {10, 0x34}, {11, 0x12}}), "2D4C_1234"},
        {EdidHex({{8, 0x4C}, {9, 0x2D}, {10, 0x10}, {11, 0x0A}}, " \n"), "2D4C_0A10"},
    };
    for (const auto& [hex, id] : cases) {
        for (bool cui : {false, true}) {
            EXPECT_EQ(EdidOf([&](json& s) {
                          s["adapters"][0]["displays"][0]["edid"] = {{"hex", hex}};
                          if (cui)
                              RefuseControlLib(s);
                      }),
                      id)
                << (cui ? "CUI " : "IGCL ") << hex.substr(226, 22);
        }
    }
}

TEST_F(PanelIdentity, OddMachinesGetADefinedAnswer) {
    // A name, the change, the ID, and a line the debugger channel must show.
    const std::tuple<const char*, void (*)(json&), const char*, const char*> cases[] = {
        {"no CUI display",
         [](json& s) {
             RefuseControlLib(s);
             s["cuiDevices"] = json::array();
         },
         "", "GetPannelModelName : 0 == m_adwMonUID[m_ReqMonType]\r\n"},
        // Too many adapters for the run time's back-end: the CUI object answers, without an EDID.
        {"101 adapters",
         [](json& s) {
             s["adapters"] = {{{"count", 101}}};
         },
         "", "GetDeviceData (IGFX_EDID_GUID_1_0) Error "},
        {"no displays", [](json& s) { s["adapters"][0]["displays"] = json::array(); }, "", ""},
        {"external only",
         [](json& s) { s["adapters"][0]["displays"][0]["encoderId"] = "0x00100000"; }, "", ""},
    };
    for (const auto& [name, change, id, debug] : cases) {
        EXPECT_EQ(EdidOf(change), id) << name;
        EXPECT_TRUE(lib.IsIntelGPU()) << name;
        EXPECT_NE(DebugOutput().find(debug), std::string::npos) << name;
    }
}

} // namespace
} // namespace varnet::test
