// SetColorMode over the example configuration folder, on both back-ends: what reached each
// simulated driver against what the mode's parameter list asks for.
#include "exports_fixture.h"

namespace varnet::test {
namespace {

class ColorMode : public ExportsTest {
protected:
    void SetUp() override {
        ExportsTest::SetUp();
        TestMachine::InstallConfigFolder("examples/config");
    }

    // The block types that the run time was asked to load, in order.
    std::vector<std::string> LoadedBlocks() {
        std::vector<std::string> blocks;
        for (const auto& entry : machine.Journal()) {
            if (entry.value("call", "") == "ctlPixelTransformationSetConfig" &&
                entry["args"].contains("blockType")) {
                blocks.push_back(entry["args"]["blockType"].get<std::string>());
            }
        }
        return blocks;
    }
};

TEST_F(ColorMode, ResultIsFalseEvenWhenEveryStepSucceeded) {
    EXPECT_FALSE(lib.SetColorMode(1, 2, false, 5));
    EXPECT_GE(machine.Count("ctlPixelTransformationSetConfig"), 1u);
}

TEST_F(ColorMode, ControlLibraryGetsTheStepsEachModeAsksFor) {
    // Per mode of examples/config/IntelColorMode.ini for the panel VN156FHD01: saturation
    // (fields 10 and 11 numbers) loads the matrix, the tone curve always loads the 1D LUT, the
    // hue-sector weights (field 18 without field 27) or a 3D LUT entry (field 27) load the 3D LUT.
    const std::vector<std::pair<int32_t, std::vector<std::string>>> cases = {
        {1, {"matrix", "1dlut", "3dlut"}},  // saturation 20, weights 10/5/5/10/5/5
        {2, {"matrix", "1dlut", "3dlut"}},  // saturation 0, weights cleared (field 18 = 0)
        {5, {"1dlut"}},                     // hue and saturation N, 3D LUT mode 0: enable 0
        {13, {"matrix", "1dlut", "3dlut"}}, // .cube mode 777: the IGCL back-end ends with
                                            // Set3DLutParams(1, matrix, 777)
    };
    for (const auto& [mode, expected] : cases) {
        machine.ClearJournal();
        lib.SetColorMode(mode, 2, false, 5);
        std::vector<std::string> blocks = LoadedBlocks();
        for (const std::string& type : expected) {
            EXPECT_NE(std::find(blocks.begin(), blocks.end(), type), blocks.end())
                << "mode " << mode << " should load a " << type << " block";
        }
        EXPECT_EQ(CallsOf("cui"), 0u);
    }
}

TEST_F(ColorMode, CuiObjectGetsHueSaturationVideoAndTheRamp) {
    Scenario(RefuseControlLib);
    lib.SetColorMode(1, 2, false, 5);
    EXPECT_EQ(machine.Count("ctlPixelTransformationSetConfig"), 0u);
    EXPECT_GE(machine.Count("SetGammaRamp"), 1u);
    EXPECT_GE(machine.Count("SetDeviceData"), 2u); // hue/saturation and video quality at least
}

TEST_F(ColorMode, UnknownModeStillSendsVideoQualityAndTheRamp) {
    lib.SetColorMode(7, 2, false, 5);
    EXPECT_NE(DebugOutput().find("NOTSUPPORT"), std::string::npos);
    EXPECT_NE(DebugOutput().find("Check: SetDesktopGamma()\n"), std::string::npos);
    const std::vector<std::string> blocks = LoadedBlocks();
    EXPECT_NE(std::find(blocks.begin(), blocks.end(), "1dlut"), blocks.end());
}

} // namespace
} // namespace varnet::test
