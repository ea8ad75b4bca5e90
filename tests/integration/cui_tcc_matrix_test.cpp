// The CUI back-end's display TCC, media TCC and colour-matrix blocks: each value in its own
// field, as the simulated driver decodes the block, and read back by a fresh object.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "backend/cintel_graphic.h"
#include "common/journal.h"
#include "support/test_machine.h"

namespace varnet {
namespace {

using nlohmann::json;

class CuiTccMatrix : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(machine_.Installed()) << machine_.InstallError(); }
    void TearDown() override {
        GammaScale = kGammaScaleDefault;
        GammaMax = kGammaMaxDefault;
    }
    // A new object on the laptop as the driver now holds it; the journal starts after its start.
    CIntelGraphic& Fresh() {
        cui_.reset();
        EXPECT_EQ(cui_.emplace().InitLib(), 1);
        machine_.ClearJournal();
        return *cui_;
    }
    // The args, or with out the "out" fields, of the last exchange of that block.
    json Last(const char* call, const char* block, bool out = false) const {
        json last;
        for (const json& entry : sim::CallsNamed(machine_.Journal(), call)) {
            if (entry["args"]["guid"] == block) {
                last = out ? entry["out"] : entry["args"];
            }
        }
        return last;
    }

    test::TestMachine machine_;
    std::optional<CIntelGraphic> cui_;
};

TEST_F(CuiTccMatrix, DisplayAndMediaTccValuesLandInTheirOwnFields) {
    // Arguments come as red, green, blue, yellow, cyan, magenta; the block stores cyan,
    // magenta, yellow in that order after blue.
    ASSERT_EQ(Fresh().SetDisplayTcc(1, 11, 12, 13, 14, 15, 16), 1);
    const json set = Last("SetDeviceData", "displayTcc");
    EXPECT_EQ(set["enable"], 1);
    EXPECT_EQ(set["uid"], 4096);
    EXPECT_EQ(set["weights"], json({{"red", 11},
                                    {"green", 12},
                                    {"blue", 13},
                                    {"yellow", 14},
                                    {"cyan", 15},
                                    {"magenta", 16}}));
    uint32_t t[7] = {};
    ASSERT_EQ(Fresh().GetDisplayTcc(t, t + 1, t + 2, t + 3, t + 4, t + 5, t + 6), 1);
    EXPECT_EQ(std::vector<uint32_t>(t, t + 7), (std::vector<uint32_t>{1, 11, 12, 13, 14, 15, 16}));

    ASSERT_EQ(Fresh().SetMediaTcc(1, 1.5f, 2.5f, 3.5f, 4.5f, 5.5f, 6.5f), 1);
    const json media = Last("SetDeviceData", "mediaColor");
    EXPECT_EQ(media["totalEnable"], 1);
    EXPECT_EQ(media["totalValues"], json({1.5, 2.5, 3.5, 4.5, 5.5, 6.5}));
    uint32_t enable = 0;
    float v[6] = {};
    ASSERT_EQ(Fresh().GetMediaTcc(&enable, v, v + 1, v + 2, v + 3, v + 4, v + 5), 1);
    EXPECT_EQ(enable, 1u);
    EXPECT_EQ(std::vector<float>(v, v + 6),
              (std::vector<float>{1.5f, 2.5f, 3.5f, 4.5f, 5.5f, 6.5f}));
}

TEST_F(CuiTccMatrix, ColourMatrixReadFillsEveryOutputAndSendsTheCallersFourthValue) {
    const float m[9] = {0.5f, 2, 3, 4, 5, 6, 7, 8, -9};
    ASSERT_EQ(Fresh().SetColorMatrix(0, 3, 7, 1, m), 1);
    uint32_t enabled = 9, value = 9, third = 9, fourth = 5;
    float read[9] = {};
    ASSERT_EQ(Fresh().GetColorMatrix(0, &enabled, &value, &third, &fourth, read), 1);
    EXPECT_EQ(Last("GetDeviceData", "colorMatrix")["present"], 5); // the caller's, at offset 20
    EXPECT_EQ(json({enabled, value, third, fourth}), json({1, 3, 7, 1}));
    EXPECT_EQ(std::vector<float>(read, read + 9), std::vector<float>(m, m + 9));

    // A driver with the matrix off reads as disabled; null outputs are skipped.
    json scenario = test::TestMachine::DefaultScenario();
    scenario["cuiDevices"][0]["colorMatrix"] = false;
    machine_.SetScenario(scenario);
    ASSERT_EQ(Fresh().GetColorMatrix(0, &enabled, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(Last("GetDeviceData", "colorMatrix")["present"], 0);
}

} // namespace
} // namespace varnet
