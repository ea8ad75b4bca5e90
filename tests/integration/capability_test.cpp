// The capability queries over the example configuration folder and folders the tests write.
#include "exports_fixture.h"

namespace varnet::test {
namespace {

class Capability : public ExportsTest {
protected:
    void SetUp() override {
        ExportsTest::SetUp();
        TestMachine::InstallConfigFolder("examples/config");
    }

    std::vector<int32_t> SupportedModes() {
        std::vector<int32_t> modes;
        for (int32_t mode = -1; mode <= 14; ++mode)
            if (lib.IsColorModeSupport(mode))
                modes.push_back(mode);
        return modes;
    }
};

TEST_F(Capability, DefaultEntriesAnswerUntilThePanelIsIdentified) {
    Scenario([](nlohmann::json& s) {
        RefuseControlLib(s);
        s["cuiDevices"] = nlohmann::json::array();
    });
    EXPECT_EQ(SupportedModes(), (std::vector<int32_t>{1, 2, 4, 11}));
    EXPECT_FALSE(lib.IsDPSTSupport() || lib.IsAmoledDisplay());
    EXPECT_TRUE(lib.IsColortoneSupport());

    machine.SetScenario(TestMachine::DefaultScenario());
    machine.ClearJournal();
    EXPECT_EQ(SupportedModes(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 10, 13}));
    EXPECT_TRUE(lib.IsDPSTSupport() && lib.IsColortoneSupport() && lib.IsAmoledDisplay());
    EXPECT_FALSE(lib.IsQledDisplay());
    EXPECT_EQ(machine.Count("ctlInit"), 1u); // the ID is kept once it has been read
}

TEST_F(Capability, ArrayFormAnswersEachEntryAndKeepsTheCallersBytes) {
    ColorModeQuery entries[2] = {{2, 0x55, {0xA1, 0xA2, 0xA3}}, {7, 0x55, {0xB1, 0xB2, 0xB3}}};
    EXPECT_EQ(lib.IsColorModeSupportArray(entries, 2), 1);
    EXPECT_EQ((std::vector<int>{entries[0].supported, entries[1].supported, entries[0].reserved[2],
                                entries[1].reserved[0]}),
              (std::vector<int>{1, 0, 0xA3, 0xB1}));
    EXPECT_EQ(lib.IsColorModeSupportArray(entries, 0) + lib.IsColorModeSupportArray(entries, -1) +
                  lib.IsColorModeSupportArray(nullptr, 3),
              0);
}

TEST_F(Capability, AmoledPhotoNeedsTheRegisteredFileAndANonEmptyEntry) {
    // No registry value: false, and no session is opened for it.
    EXPECT_FALSE(lib.IsAmoledPhotoSupport());
    EXPECT_EQ(machine.Count("ctlInit"), 0u);

    // The registered program's folder holds the file.
    for (const char* entry : {"", "yes"}) {
        InstallAmoledFile(("[AMOLED]\nVN156FHD01=" + std::string(entry) + "\n").c_str());
        EXPECT_EQ(lib.IsAmoledPhotoSupport(), *entry != '\0') << "entry " << entry;
    }
}

TEST_F(Capability, IccProfileFollowsFieldThirtySevenAndTheChosenFile) {
    EXPECT_TRUE(lib.IsICCProfileSupport(6, false));
    EXPECT_FALSE(lib.IsICCProfileSupport(1, false));
    EXPECT_FALSE(lib.IsICCProfileSupport(7, false));
    // The 3D-LUT variant is read when asked for and present.
    TestMachine::WriteConfigFile("IntelColorMode3Dlut.ini",
                                 "[MODE_VIVID]\nVN156FHD01=N/N/N/N/N/N/N/N/N/0/0/U/U/D/N/U/NOLUT/N/"
                                 "0/0/0/0/0/0/N/0/N/0/0/0/0/0/0/0/0/0/Y\n");
    EXPECT_TRUE(lib.IsICCProfileSupport(1, true));
    EXPECT_FALSE(lib.IsICCProfileSupport(1, false));
}

} // namespace
} // namespace varnet::test
