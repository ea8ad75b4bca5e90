// Which back-end a call uses, and how the panel ID is fetched and kept.
#include "exports_fixture.h"

namespace varnet::test {
namespace {

using Session = ExportsTest;

TEST_F(Session, ControlLibraryAnswersAndTheCuiObjectIsNeverCreated) {
    EXPECT_TRUE(lib.IsIntelGPU());
    EXPECT_EQ(Edid(), "VN156FHD01");

    EXPECT_EQ(machine.Count("ctlInit"), 2u);
    EXPECT_EQ(machine.Count("ctlClose"), 2u); // every session closes the run time again
    EXPECT_EQ(CallsOf("cui"), 0u);
}

TEST_F(Session, FailedControlLibraryStartFallsBackToTheCuiObject) {
    Scenario(RefuseControlLib);
    EXPECT_EQ(Edid(), "VN156FHD01");
    EXPECT_EQ(machine.Count("CreateInstance"), 1u);
    EXPECT_GE(machine.Count("EnumAttachableDevices"), 1u);
    EXPECT_NE(DebugOutput().find("fail: ctlInit()\r\nCheck Driver version or Platform"),
              std::string::npos);
}

TEST_F(Session, WithNoDriverAtAllIsIntelGpuIsStillTrueAndThePanelStaysUnknown) {
    Scenario([](nlohmann::json& s) {
        RefuseControlLib(s);
        s["faults"].push_back({{"call", "CreateInstance"}, {"result", "0x80004005"}});
    });
    EXPECT_TRUE(lib.IsIntelGPU());
    EXPECT_EQ(Edid(), "");
    // Nothing was kept, so the next call tries to identify the panel again.
    EXPECT_EQ(Edid(), "");
    EXPECT_EQ(machine.Count("ctlInit"), 3u);
    EXPECT_NE(DebugOutput().find("CoCreateInstance Fail"), std::string::npos);
    EXPECT_NE(DebugOutput().find("GetPannelModelName : NULL == m_pCUIExternal8\r\n"),
              std::string::npos);
}

TEST_F(Session, PanelIdIsFetchedOnceAndLaceOpensASessionEveryTimeWithoutFillingIt) {
    EXPECT_TRUE(lib.IsDisplayLACESupport());
    EXPECT_TRUE(lib.IsDisplayLACESupport());
    EXPECT_EQ(machine.Count("ctlInit"), 2u);
    EXPECT_EQ(machine.Count("ctlPanelDescriptorAccess"), 0u);

    EXPECT_EQ(Edid(), "VN156FHD01");
    EXPECT_EQ(Edid(), "VN156FHD01");
    EXPECT_EQ(machine.Count("ctlInit"), 3u);
}

TEST_F(Session, PanelIdAfterAFailedIdentificationIsFetchedOnTheNextCall) {
    Scenario([](nlohmann::json& s) {
        s["faults"].push_back(
            {{"call", "ctlPanelDescriptorAccess"}, {"result", "0x40000012"}, {"nth", 1}});
    });
    EXPECT_EQ(Edid(), "");
    EXPECT_EQ(Edid(), "VN156FHD01");
    EXPECT_EQ(machine.Count("ctlInit"), 2u);
}

TEST_F(Session, GetEdidWithANullBufferWritesNothingAndGivesZero) {
    EXPECT_EQ(lib.GetEDID(nullptr), 0);
    EXPECT_EQ(Edid(), "VN156FHD01"); // the ID was still fetched and kept
    EXPECT_EQ(machine.Count("ctlInit"), 1u);
}

TEST_F(Session, GetEdidWritesTheIdAndOneTerminatorOnly) {
    char buffer[255];
    std::fill(std::begin(buffer), std::end(buffer), '\x7f');
    ASSERT_EQ(lib.GetEDID(buffer), 10);
    EXPECT_EQ(std::string(buffer, 11), std::string("VN156FHD01\0", 11));
    EXPECT_EQ(buffer[11], '\x7f');
}

TEST_F(Session, LaceSupportIsExactlyOneFromTheCuiObject) {
    for (auto [field, expected] : {std::pair{0, false}, {1, true}, {2, false}}) {
        Scenario([field = field](nlohmann::json& s) {
            RefuseControlLib(s);
            s["cuiDevices"][0]["lace"] = field;
        });
        EXPECT_EQ(lib.IsDisplayLACESupport(), expected) << "support field " << field;
    }
}

TEST_F(Session, LaceSupportFromTheControlLibrary) {
    EXPECT_TRUE(lib.IsDisplayLACESupport());
    Scenario([](nlohmann::json& s) {
        s["faults"].push_back({{"call", "ctlGetLACEConfig"}, {"result", "0x4000000a"}});
    });
    EXPECT_FALSE(lib.IsDisplayLACESupport());
}

} // namespace
} // namespace varnet::test
