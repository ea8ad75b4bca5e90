// The capability queries over the example configuration folder and folders the tests write.
#include "exports_fixture.h"
#include "platform/platform.h"

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
        for (int32_t mode = -1; mode <= 14; ++mode) {
            if (lib.IsColorModeSupport(mode)) {
                modes.push_back(mode);
            }
        }
        return modes;
    }
};

TEST_F(Capability, ModesAndOptionsOfTheExamplePanel) {
    EXPECT_EQ(SupportedModes(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 10, 13}));
    EXPECT_NE(DebugOutput().find("NOTSUPPORT"), std::string::npos); // modes 7 to 9 and others
    EXPECT_TRUE(lib.IsDPSTSupport());
    EXPECT_TRUE(lib.IsColortoneSupport());
    EXPECT_FALSE(lib.IsQledDisplay());
    EXPECT_TRUE(lib.IsAmoledDisplay());
    // Only the first query needed the driver: the panel ID is kept from then on.
    EXPECT_EQ(machine.Count("ctlInit"), 1u);
}

TEST_F(Capability, UnidentifiedPanelIsAnsweredByTheDefaultEntries) {
    Scenario([](nlohmann::json& s) {
        RefuseControlLib(s);
        s["cuiDevices"] = nlohmann::json::array();
    });
    EXPECT_EQ(SupportedModes(), (std::vector<int32_t>{1, 2, 4, 11}));
    EXPECT_FALSE(lib.IsDPSTSupport());
    EXPECT_TRUE(lib.IsColortoneSupport());
    EXPECT_FALSE(lib.IsAmoledDisplay());
}

TEST_F(Capability, ArrayFormAnswersEachEntryAndKeepsTheCallersBytes) {
    ColorModeQuery entries[2] = {{2, 0x55, {0xA1, 0xA2, 0xA3}}, {7, 0x55, {0xB1, 0xB2, 0xB3}}};
    EXPECT_EQ(lib.IsColorModeSupportArray(entries, 2), 1);
    EXPECT_EQ(entries[0].supported, 1);
    EXPECT_EQ(entries[1].supported, 0);
    EXPECT_EQ(entries[0].reserved[2], 0xA3);
    EXPECT_EQ(entries[1].reserved[0], 0xB1);

    for (int32_t count : {0, -1}) {
        EXPECT_EQ(lib.IsColorModeSupportArray(entries, count), 0);
    }
    EXPECT_EQ(lib.IsColorModeSupportArray(nullptr, 3), 0);
}

TEST_F(Capability, ModeIsASubstringTestAndOptionAnExactWord) {
    TestMachine::WriteConfigFile("IntelColorMode.ini", "[MODE_VIVID]\n"
                                                       "VN156FHD01=xNOTSUPPORTx\n"
                                                       "[MODE_STANDARD]\n"
                                                       "VN156FHD01=SUPPORT\n"
                                                       "[OPTION_DPST]\n"
                                                       "VN156FHD01=Support\n"
                                                       "[OPTION_COLORTONE]\n"
                                                       "VN156FHD01=SUPPORT please\n"
                                                       "[QLED_DISPLAY]\n"
                                                       "VN156FHD01=SUPPORT\n");
    EXPECT_FALSE(lib.IsColorModeSupport(1));
    EXPECT_TRUE(lib.IsColorModeSupport(2));
    EXPECT_FALSE(lib.IsDPSTSupport());
    EXPECT_FALSE(lib.IsColortoneSupport());
    EXPECT_TRUE(lib.IsQledDisplay());
}

TEST_F(Capability, AmoledPhotoNeedsTheRegisteredFileAndANonEmptyEntry) {
    // No registry value: false, and no session is opened for it.
    EXPECT_FALSE(lib.IsAmoledPhotoSupport());
    EXPECT_EQ(machine.Count("ctlInit"), 0u);

    platform::CreateDirectory("C:\\Program Files");
    platform::CreateDirectory("C:\\Program Files\\Tintwell");
    // The registered program must exist; its folder holds the file.
    std::fclose(platform::OpenFile("C:\\Program Files\\Tintwell\\Tintwell.exe", "w"));
    std::FILE* file = platform::OpenFile("C:\\Program Files\\Tintwell\\IntelAmoledMode.ini", "w");
    ASSERT_NE(file, nullptr);
    std::fputs("[AMOLED]\nVN156FHD01=yes\nOTHER=\n", file);
    std::fclose(file);
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegCreateKeyEx(platform::RegRoot::LocalMachine,
                                       "SOFTWARE\\Norvane\\CurrentPath", platform::kKeyAllAccess,
                                       &key),
              platform::kErrorSuccess);
    const char value[] = "\"C:\\Program Files\\Tintwell\\Tintwell.exe\"";
    platform::RegSetValueEx(key, "90000", platform::kRegSz, reinterpret_cast<const uint8_t*>(value),
                            sizeof value);
    platform::RegCloseKey(key);

    EXPECT_TRUE(lib.IsAmoledPhotoSupport());
    EXPECT_EQ(machine.Count("ctlInit"), 1u);

    Scenario([](nlohmann::json& s) {
        s["adapters"][0]["displays"][0]["edid"] = {{"text", "OTHER"}};
    });
    UnloadVarnet();
    std::string error;
    ASSERT_TRUE(LoadVarnet(&lib, &error)) << error;
    EXPECT_FALSE(lib.IsAmoledPhotoSupport()) << "listed with an empty value";
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
