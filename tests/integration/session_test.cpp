// Which back-end a call uses, and how the panel ID is fetched and kept.
#include "exports_fixture.h"

namespace varnet::test {
namespace {

using Session = ExportsTest;

TEST_F(Session, ControlLibraryAnswersAndKeepsOnlyAGoodPanelId) {
    Scenario([](nlohmann::json& s) {
        s["faults"].push_back(
            {{"call", "ctlPanelDescriptorAccess"}, {"result", "0x40000012"}, {"nth", 1}});
    });
    // LACE opens a session every time but leaves the panel ID alone.
    EXPECT_TRUE(lib.IsDisplayLACESupport());
    EXPECT_TRUE(lib.IsDisplayLACESupport());
    EXPECT_EQ(machine.Count("ctlPanelDescriptorAccess"), 0u);
    EXPECT_EQ(Edid(), ""); // a failed identification is tried again on the next call
    EXPECT_EQ(Edid(), "VN156FHD01");
    EXPECT_EQ(Edid(), "VN156FHD01");
    EXPECT_EQ(machine.Count("ctlInit"), 4u);
    EXPECT_EQ(machine.Count("ctlClose"), 4u); // every session closes the run time again
    EXPECT_EQ(CallsOf("cui"), 0u);
}

TEST_F(Session, GetEdidFetchesEvenWithoutABufferAndWritesOneTerminatorOnly) {
    EXPECT_EQ(lib.GetEDID(nullptr), 0);
    char buffer[255];
    std::fill(std::begin(buffer), std::end(buffer), '\x7f');
    ASSERT_EQ(lib.GetEDID(buffer), 10);
    EXPECT_EQ(std::string(buffer, 12), std::string("VN156FHD01\0\x7f", 12));
    EXPECT_EQ(machine.Count("ctlInit"), 1u);
}

TEST_F(Session, WithoutTheRunTimeTheCuiObjectAnswers) {
    Scenario([](nlohmann::json& s) {
        RefuseControlLib(s);
        s["faults"].push_back({{"call", "CreateInstance"}, {"result", "0x80004005"}});
    });
    EXPECT_TRUE(lib.IsIntelGPU()); // even with no driver at all
    EXPECT_EQ(Edid(), "");
    EXPECT_NE(DebugOutput().find("fail: ctlInit()\r\nCheck Driver version or Platform"),
              std::string::npos);
    EXPECT_NE(DebugOutput().find("CoCreateInstance Fail"), std::string::npos);
    EXPECT_NE(DebugOutput().find("GetPannelModelName : NULL == m_pCUIExternal8\r\n"),
              std::string::npos);
    // Nothing was kept: the next call tries again, and the object made this time answers.
    Scenario(RefuseControlLib);
    machine.ClearJournal();
    EXPECT_EQ(Edid(), "VN156FHD01");
    EXPECT_EQ(machine.Count("CreateInstance"), 1u);
    EXPECT_EQ(machine.Count("ctlInit"), 1u);
}

TEST_F(Session, LaceSupportIsExactlyOneFromEitherBackEnd) {
    // The CUI object's support field, then the run time refusing the query.
    for (auto [field, expected] : {std::pair{0, false}, {1, true}, {2, false}, {-1, false}}) {
        Scenario([field = field](nlohmann::json& s) {
            if (field < 0) {
                s["faults"].push_back({{"call", "ctlGetLACEConfig"}, {"result", "0x4000000a"}});
                return;
            }
            RefuseControlLib(s);
            s["cuiDevices"][0]["lace"] = field;
        });
        EXPECT_EQ(lib.IsDisplayLACESupport(), expected) << "support field " << field;
    }
}

} // namespace
} // namespace varnet::test
