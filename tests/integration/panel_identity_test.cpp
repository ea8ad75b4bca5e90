// The panel ID as the driver's EDID makes it, through both back-ends, and odd EDIDs and machines.
#include <cstdio>

#include "exports_fixture.h"

namespace varnet::test {
namespace {

using PanelIdentity = ExportsTest;

// A 128-byte base block of zeros with the given bytes set.
std::string EdidHex(std::initializer_list<std::pair<int, uint8_t>> bytes) {
    uint8_t edid[128] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    for (auto [offset, value] : bytes) {
        edid[offset] = value;
    }
    std::string hex;
    char two[3];
    for (uint8_t b : edid) {
        std::snprintf(two, sizeof two, "%02X", b);
        hex += two;
    }
    return hex;
}

std::string TextAt113(const std::string& text) {
    std::string hex = EdidHex({});
    for (std::size_t i = 0; i < text.size() && 113 + i < 128; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", static_cast<uint8_t>(text[i]));
        hex.replace((113 + i) * 2, 2, two);
    }
    return hex;
}

TEST_F(PanelIdentity, IdFromTheEdidOnBothBackEnds) {
    struct Case {
        std::string edidHex;
        std::string id;
    } cases[] = {
        {TextAt113("ab c\n      "), "AB"},
        {TextAt113("lp140wf9spb"), "LP140WF9SPB"},
        {TextAt113("LP140WF9SPBX"), "LP140WF9SPB"}, // a twelfth character never enters the ID
        {TextAt113(std::string("AB\x80") + "CD"), "AB"},
        {EdidHex({{8, 0x4C}, {9, 0x2D}, {10, 0x34}, {11, 0x12}}), "2D4C_1234"},
        {EdidHex({{8, 0x4C}, {9, 0x2D}, {10, 0x10}, {11, 0x0A}, {113, ' '}, {114, '\n'}}),
         "2D4C_0A10"},
    };
    for (const Case& c : cases) {
        for (bool cui : {false, true}) {
            Scenario([&](nlohmann::json& s) {
                s["adapters"][0]["displays"][0]["edid"] = {{"hex", c.edidHex}};
                if (cui) {
                    RefuseControlLib(s);
                }
            });
            UnloadVarnet();
            std::string error;
            ASSERT_TRUE(LoadVarnet(&lib, &error)) << error;
            EXPECT_EQ(Edid(), c.id) << (cui ? "CUI " : "IGCL ") << c.edidHex.substr(226, 22);
        }
    }
}

TEST_F(PanelIdentity, LastMatchingDisplayAcrossAdaptersWins) {
    Scenario([](nlohmann::json& s) {
        nlohmann::json first = s["adapters"][0]["displays"][0];
        first["name"] = "\\\\.\\DISPLAY1";
        first["edid"] = {{"text", "FIRSTPANEL"}};
        nlohmann::json other = first;
        other["name"] = "\\\\.\\DISPLAY2";
        other["encoderId"] = "0x00800051";
        other["edid"] = {{"text", "EXTERNAL"}};
        nlohmann::json second = first;
        second["name"] = "\\\\.\\DISPLAY3";
        second["edid"] = {{"text", "SECONDPANEL"}};
        s["adapters"] = {{{"displays", {first}}}, {{"displays", {second, other}}}};
    });
    EXPECT_EQ(Edid(), "SECONDPANEL");
}

TEST_F(PanelIdentity, ExtensionBlockReadFailureLeavesThePanelUnidentified) {
    Scenario([](nlohmann::json& s) {
        s["faults"].push_back({{"call", "ctlPanelDescriptorAccess"},
                               {"when", {{"block", 1}}},
                               {"result", "0x40000012"}});
    });
    EXPECT_EQ(Edid(), "");
}

TEST_F(PanelIdentity, MonitorSearchAcrossDisplayNamesSkipsStateOne) {
    Scenario([](nlohmann::json& s) {
        RefuseControlLib(s);
        s["cuiDevices"] = {
            {{"displayName", "\\\\.\\DISPLAY1"},
             {"index", 0},
             {"uid", "0x2000"},
             {"type", 2},
             {"state", 1},
             {"edid", {{"text", "DETACHED"}}}},
            {{"displayName", "\\\\.\\DISPLAY2"},
             {"index", 1},
             {"uid", "0x3000"},
             {"type", 2},
             {"state", 0},
             {"edid", {{"text", "SECONDNAME"}}}},
        };
    });
    EXPECT_EQ(Edid(), "SECONDNAME");
}

TEST_F(PanelIdentity, NoUidForAnyTypeGivesNoIdAndSaysWhy) {
    Scenario([](nlohmann::json& s) {
        RefuseControlLib(s);
        s["cuiDevices"] = nlohmann::json::array();
    });
    EXPECT_EQ(Edid(), "");
    EXPECT_NE(DebugOutput().find("Requested Device Not Attached\r\n"), std::string::npos);
    EXPECT_NE(DebugOutput().find("GetPannelModelName : 0 == m_adwMonUID[m_ReqMonType]\r\n"),
              std::string::npos);
}

TEST_F(PanelIdentity, OddMachinesGetADefinedAnswer) {
    const std::vector<std::pair<const char*, nlohmann::json>> machines = {
        // More adapters than the back-end accepts: it gives up and the CUI object answers.
        {"101 adapters", {{"adapters", {{{"count", 101}}}}}},
        // An adapter without displays: no display is chosen and nothing can be read.
        {"no displays", {{"adapters", {{{"displays", nlohmann::json::array()}}}}}},
        // The wrong encoder: no panel is chosen.
        {"external only", {{"adapters", {{{"displays", {{{"encoderId", "0x00100000"}}}}}}}}},
        // A size query that promises more than the 1024-byte buffer holds.
        {"huge EDID", {{"adapters", {{{"displays", {{{"reportedEdidSize", 4096}}}}}}}}},
    };
    for (const auto& [name, change] : machines) {
        Scenario([&](nlohmann::json& s) { s.update(change); });
        UnloadVarnet();
        std::string error;
        ASSERT_TRUE(LoadVarnet(&lib, &error)) << error;
        EXPECT_TRUE(lib.IsIntelGPU()) << name;
        const std::string id = Edid();
        EXPECT_LE(id.size(), 11u) << name;
    }
}

} // namespace
} // namespace varnet::test
