// What carries over between sessions and what an unidentified panel is answered with.
#include <string>

#include "common/journal.h"
#include "exports_fixture.h"

namespace varnet::test {
namespace {

using Fallbacks = ExportsTest;
using nlohmann::json;

// A panel without LACE: the CUI start lowers the gamma scale to 256 for it.
void NoLace(json& s) {
    s["adapters"][0]["displays"][0]["lace"] = false;
}

TEST_F(Fallbacks, EverySessionStartsFromTheFullGammaScale) {
    // No tone curve file: the mode's ramp is the identity at the session's gamma scale.
    TestMachine::WriteConfigFile(
        "IntelColorMode.ini", "[MODE_STANDARD]\nDEFAULT=N/N/N/N/N/N/N/N/N/0/0/U/U/D/N/U/NOLUT/N\n");
    const auto topOfRed = [&] {
        for (const json& set : sim::CallsNamed(machine.Journal(), "SetGammaRamp")) {
            return set.at("args").at("ramp").at(255).get<int>();
        }
        for (const json& set :
             sim::CallsNamed(machine.Journal(), "ctlPixelTransformationSetConfig")) {
            if (set.at("args").value("blockType", "") == "1dlut") {
                return set.at("args").at("ramp").at(255).get<int>();
            }
        }
        return -1;
    };
    Scenario([](json& s) {
        NoLace(s);
        RefuseControlLib(s);
    });
    lib.SetColorMode(2, 2, false, 5);
    EXPECT_EQ(topOfRed(), 65280); // 255 x 256 on the CUI back-end
    Scenario(NoLace);
    machine.ClearJournal();
    lib.SetColorMode(2, 2, false, 5);
    EXPECT_EQ(machine.Count("CreateInstance"), 0u);
    EXPECT_EQ(topOfRed(), 65535); // 255 x 257: nothing left from the CUI session
}

TEST_F(Fallbacks, WithoutAPanelIdTheQueriesAnswerFromDefaultAndAmoledPhotoSaysNo) {
    TestMachine::WriteConfigFile("IntelColorMode.ini", R"([MODE_VIVID]
VN156FHD01=NOTSUPPORT
DEFAULT=N/N/N/N/N/N/N/N/N/0/15/A/A/D/N/C/NOLUT/N
[MODE_STANDARD]
VN156FHD01=N/N/N/N/N/N/N/N/N/0/0/U/U/D/N/U/NOLUT/N
DEFAULT=NOTSUPPORT
[MODE_PRO]
VN156FHD01=N/N/N/N/N/N/N/N/N/N/N/U/U/D/N/U/NOLUT/N/0/0/0/0/0/0/N/0/0/0/0/0/0/0/0/0/0/0/N
DEFAULT=N/N/N/N/N/N/N/N/N/N/N/U/U/D/N/U/NOLUT/N/0/0/0/0/0/0/N/0/0/0/0/0/0/0/0/0/0/0/Y
[OPTION_DPST]
DEFAULT=SUPPORT
[OPTION_COLORTONE]
VN156FHD01=SUPPORT
DEFAULT=NOTSUPPORT
[QLED_DISPLAY]
VN156FHD01=NOTSUPPORT
DEFAULT=SUPPORT
[AMOLED_DISPLAY]
VN156FHD01=SUPPORT
)");
    InstallAmoledFile("[AMOLED]\nVN156FHD01=yes\nDEFAULT=yes\n");

    const auto answers = [&] {
        ColorModeQuery q[3] = {{1, 0, {}}, {2, 0, {}}, {6, 0, {}}};
        return std::string{char('0' + lib.IsColorModeSupport(1)),
                           char('0' + lib.IsColorModeSupport(2)),
                           char('0' + lib.IsColorModeSupportArray(q, 3)),
                           char('0' + lib.IsDPSTSupport()),
                           char('0' + lib.IsColortoneSupport()),
                           char('0' + lib.IsQledDisplay()),
                           char('0' + lib.IsAmoledDisplay()),
                           char('0' + lib.IsICCProfileSupport(6, false)),
                           char('0' + lib.IsAmoledPhotoSupport())};
    };
    // Neither back-end comes up, so every query looks the panel up as "".
    Scenario([](json& s) {
        RefuseControlLib(s);
        s["faults"].push_back({{"call", "CreateInstance"}, {"result", "0x80004005"}});
    });
    EXPECT_EQ(answers(), "102101010");
    EXPECT_EQ(Edid(), "");
    // The same file for the identified panel gives its own entries.
    Scenario([](json&) {});
    EXPECT_EQ(answers(), "012110101");
}

} // namespace
} // namespace varnet::test
