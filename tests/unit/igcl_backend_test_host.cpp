// The Control Library back-end's start-up, display choice, pipeline query and panel identity,
// against the simulated run time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/journal.h"
#include "controllib/controllib_calls.h"
#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_binding.h"
#include "igcl/ctl_exports.h"
#include "platform/host/sandbox.h"
#include "support/test_machine.h"

namespace varnet {
namespace {

namespace host = platform::host;
using nlohmann::json;

constexpr char kInitText[] = "fail: ctlInit()\r\nCheck Driver version or Platform";
constexpr char kNoBlocks[] =
    "ctlPixelTransformationGetConfig for query type capability returned number of blocks as 0";
constexpr char kStart[] = "Start of get capability call\n";
constexpr char kPassed[] = "ctlPixelTransformationGetConfig for query type capability passed\n";
constexpr char kEnd[] = "End of get capability call\n";

class IgclBackend : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(machine.Installed()) << machine.InstallError();
        host::ClearCaptures();
    }
    void TearDown() override { ResetBindingForTesting(); }

    // The default laptop with its top-level entries replaced by those of changes.
    void Use(const json& changes) {
        json scenario = test::TestMachine::DefaultScenario();
        scenario.update(changes);
        machine.SetScenario(scenario);
    }
    std::vector<json> Calls(const char* call) const {
        return sim::CallsNamed(machine.Journal(), call);
    }

    test::TestMachine machine;
};

TEST_F(IgclBackend, LastAdapterWithThePanelWinsAndAdaptersInTroubleAreSkipped) {
    // DISPLAY1; DISPLAY2 to 4; DISPLAY5; DISPLAY6 whose count fails; DISPLAY7 whose list fails.
    Use(R"({"adapters": [{"displays": [{}]}, {"displays": [{"encoderId": 1}, {}, {}]},
                         {"displays": [{"encoderId": 1}]}, {"displays": [{}]}, {"displays": [{}]}],
            "faults": [{"call": "ctlEnumerateDisplayOutputs", "when": {"adapter": 3}, "result": 18},
                       {"call": "ctlEnumerateDisplayOutputs", "when": {"adapter": 4, "fill": true},
                        "result": "0x40000013"}]})"_json);
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_EQ(igcl.AdapterCount(), 5u);
    EXPECT_EQ(igcl.AdapterIndex(), 1u);
    // Each adapter stops at its first match.
    EXPECT_EQ(Calls("ctlGetDisplayProperties").size(), 4u);
    for (const json& call : Calls("ctlPixelTransformationGetConfig")) {
        EXPECT_EQ(call["args"]["display"], "\\\\.\\DISPLAY3");
    }
    EXPECT_TRUE(host::StdoutOutput().starts_with(
        std::string("ctlEnumerateDisplayOutputs returned failure code: 0x12\n"
                    "ctlEnumerateDisplayOutputs returned failure code: 0x40000013\n") +
        kStart));
}

TEST_F(IgclBackend, StartUp) {
    auto check = [this](const json& changes, Bool result, const char* debug, const char* out) {
        SCOPED_TRACE(changes.dump());
        ResetBindingForTesting();
        host::ClearCaptures();
        Use(changes);
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.InitLib(), result);
        EXPECT_EQ(igcl.IsInitialized(), result == 1);
        EXPECT_EQ(igcl.Display(), nullptr);
        EXPECT_FALSE(igcl.HasPixelTransformCaps());
        EXPECT_EQ(host::DebugOutput(), debug);
        EXPECT_EQ(host::StdoutOutput(), out);
        host::ClearFaults();
    };
    check(R"({"faults": [{"call": "ctlInit", "result": "0x40000026"}]})"_json, 0, kInitText, "");
    host::InjectFault("LoadModule", 1, true);
    check(json::object(), 0, kInitText, "");
    check(R"({"faults":[{"call":"ctlEnumerateDevices","when":{"fill":false},"result":1}]})"_json, 0,
          "", "");
    check(R"({"adapters": [{"count": 101}]})"_json, 0, "", "");
    check(R"({"faults":[{"call":"ctlEnumerateDevices","when":{"fill":true},"result":2}]})"_json, 0,
          "", "ctlEnumerateDevices returned failure code: 0x2\n");
    // Without the panel the start still succeeds.
    check(R"({"adapters": [{"count": 100}]})"_json, 1, kNoBlocks, kStart);
    check(R"({"adapters": [{"displays": [{"encoderId": 1}]}]})"_json, 1, kNoBlocks, kStart);
}

TEST_F(IgclBackend, FailedStartIsTriedAgainAndThePanelSizeComesFromTheEdid) {
    Use(R"({"faults": [{"call": "ctlInit", "result": "0x40000026"}]})"_json);
    CIntelGraphicIGCL igcl;
    uint32_t width = 7;
    uint32_t height = 7;
    EXPECT_EQ(igcl.GetPanelSize(&width, &height), 0);
    EXPECT_EQ(igcl.GetPannelModelName(), nullptr);
    EXPECT_EQ(igcl.IsLACESupport(), 0);
    EXPECT_EQ(width + height, 14u);
    EXPECT_EQ(machine.Count("ctlInit"), 3u);

    Use(R"({"adapters": [{"displays": [{"edid": {"width": 2880, "height": 1800}}]}]})"_json);
    host::ClearCaptures();
    ASSERT_EQ(igcl.GetPanelSize(&width, &height), 1); // a common size until the EDID is read
    EXPECT_EQ(std::pair(width, height), std::pair(1920u, 1080u));
    ASSERT_STREQ(igcl.GetPannelModelName(), "VN156FHD01");
    ASSERT_EQ(igcl.GetPanelSize(&width, &height), 1);
    EXPECT_EQ(std::pair(width, height), std::pair(2880u, 1800u));
    const std::string debug = host::DebugOutput();
    EXPECT_TRUE(debug.starts_with("EDID data[0] = : 0x0\nEDID data[1] = : 0xFF\n"));
    EXPECT_EQ(debug.find("EDID data[128]"), std::string::npos);
}

TEST_F(IgclBackend, PipelineKeepsOneBlockOfEachKind) {
    Use(R"({"adapters": [{"displays": [{"pipeline": [
            {"id": 7, "type": "1dlut", "channels": 3, "samples": 1024, "sampling": 1},
            {"id": 9, "type": "3dlut", "samples": 17}, {"id": 12, "type": "matrix"},
            {"id": 21, "type": "matrixOffsets"}]}]}]})"_json);
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_TRUE(igcl.HasPixelTransformCaps());
    EXPECT_EQ(igcl.CscBlockId(), 12u);
    EXPECT_EQ(igcl.MatrixBlock().BlockId, 12u);
    EXPECT_EQ(igcl.ThreeDLutBlock().BlockId, 9u);
    EXPECT_EQ(igcl.ThreeDLutBlock().Config.ThreeDLutConfig.NumSamplesPerChannel, 17u);
    const ctl_pixtx_block_config_t& oneD = igcl.OneDLutBlock();
    EXPECT_EQ(oneD.Size, 144u);
    EXPECT_EQ(oneD.BlockId, 7u);
    EXPECT_EQ(oneD.Config.OneDLutConfig.NumSamplesPerChannel, 256u);
    ASSERT_NE(oneD.Config.OneDLutConfig.pSampleValues, nullptr);
    EXPECT_EQ(oneD.Config.OneDLutConfig.pSampleValues[3 * 256 - 1], 0.0);
    EXPECT_EQ(host::DebugOutput(), "");
    const std::string blocks = "GetPixTxCapsArgs.NumBlocks = 4\n";
    EXPECT_EQ(host::StdoutOutput(),
              kStart + (kPassed + blocks) + kEnd + kStart + kPassed + blocks +
                  "pPixTxCaps->pBlockConfigs[0].BlockId = 7\n"
                  "Block type is CTL_PIXTX_BLOCK_TYPE_1D_LUT\n"
                  "pPixTxCaps->pBlockConfigs[0].Config.OneDLutConfig.NumChannels = 3\n"
                  "pPixTxCaps->pBlockConfigs[0].Config.OneDLutConfig.NumSamplesPerChannel = 1024\n"
                  "pPixTxCaps->pBlockConfigs[0].Config.OneDLutConfig.SamplingType = 1\n"
                  "pPixTxCaps->pBlockConfigs[1].BlockId = 9\n"
                  "pPixTxCaps->pBlockConfigs[2].BlockId = 12\n"
                  "Block type is CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX\n"
                  "pPixTxCaps->pBlockConfigs[3].BlockId = 21\n" +
                  kEnd);
}

TEST_F(IgclBackend, PipelineWithoutMatrixOrWithoutBlocks) {
    const json luts = R"([{"id": 7, "type": "1dlut"}, {"id": 9, "type": "3dlut"}])"_json;
    const json failing = R"([{"call": "ctlPixelTransformationGetConfig", "result": 7}])"_json;
    const std::tuple<json, json, std::string> cases[] = {
        {json::array(), json::array(), kPassed + std::string("GetPixTxCapsArgs.NumBlocks = 0\n")},
        {luts, failing,
         "ctlPixelTransformationGetConfig for query type capability returned "
         "failure code: 0x7\n"}};
    for (const auto& [blocks, faults, text] : cases) {
        host::ClearCaptures();
        Use({{"adapters", {{{"displays", {{{"pipeline", blocks}}}}}}}, {"faults", faults}});
        CIntelGraphicIGCL igcl;
        ASSERT_EQ(igcl.InitLib(), 1);
        EXPECT_FALSE(igcl.HasPixelTransformCaps());
        EXPECT_EQ(host::DebugOutput(), kNoBlocks);
        EXPECT_EQ(host::StdoutOutput(), kStart + text + kEnd);
    }
    // Without a 3x3 block the matrix block stays zero but for its Size.
    Use({{"adapters", {{{"displays", {{{"pipeline", luts}}}}}}}});
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_TRUE(igcl.HasPixelTransformCaps());
    EXPECT_EQ(igcl.CscBlockId(), 0u);
    ctl_pixtx_block_config_t expected;
    std::memset(&expected, 0, sizeof expected);
    expected.Size = 144;
    EXPECT_EQ(std::memcmp(&igcl.MatrixBlock(), &expected, sizeof expected), 0);
}

TEST_F(IgclBackend, EdidReads) {
    // A size query that promises more than the 1024-byte buffer is read only as far as it holds.
    Use(R"({"adapters": [{"displays": [{"reportedEdidSize": 4096}]}]})"_json);
    {
        CIntelGraphicIGCL igcl;
        ASSERT_STREQ(igcl.GetPannelModelName(), "VN156FHD01");
        EXPECT_EQ(Calls("ctlPanelDescriptorAccess")[1]["args"]["dataSize"], 1024);
        EXPECT_NE(host::DebugOutput().find("\nEDID data[1023] = : 0x0\nextEDID data[0] = : 0x2\n"),
                  std::string::npos);
    }
    // Any failed step, of the base block or of an extension, leaves the panel unidentified.
    for (const auto& [block, read] : {std::pair{0, false}, {0, true}, {1, false}, {1, true}}) {
        SCOPED_TRACE(testing::Message() << "block " << block << (read ? " read" : " size"));
        host::ClearCaptures();
        Use({{"faults",
              {{{"call", "ctlPanelDescriptorAccess"},
                {"result", 18},
                {"when", {{"block", block}, {"read", read}}}}}}});
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.GetPannelModelName(), nullptr);
        const bool checkText =
            host::DebugOutput().find("check: ctlPanelDescriptorAccess()\n") != std::string::npos;
        EXPECT_EQ(checkText, !read);
    }
}

TEST_F(IgclBackend, DestructionClosesTheRunTimeWithItsOwnHandle) {
    {
        CIntelGraphicIGCL igcl;
        ASSERT_EQ(igcl.InitLib(), 1);
        EXPECT_EQ(host::ModuleLoadCount("ControlLib.dll"), 1);
    }
    EXPECT_EQ(Calls("ctlClose")[0]["args"]["known"], true);
    EXPECT_EQ(ControlLibModule, nullptr);
}

TEST_F(IgclBackend, LaceSupportAsksForTheCurrentSettingsWithALuxMap) {
    static bool mapGiven = false;
    host::RegisterModule("ControlLib.dll", [](const char* name) -> void* {
        if (std::string(name) != "ctlGetLACEConfig") {
            return sim::controllib::FindEntry(name);
        }
        return reinterpret_cast<void*>(+[](ctl_display_output_handle_t d, ctl_lace_config_t* c) {
            mapGiven = c->LaceConfig.AggrLevelMap.pLuxToAggrMappingTable != nullptr;
            return reinterpret_cast<decltype(&ctlGetLACEConfig)>(
                sim::controllib::FindEntry("ctlGetLACEConfig"))(d, c);
        });
    });
    EXPECT_EQ(CIntelGraphicIGCL{}.IsLACESupport(), 1);
    EXPECT_TRUE(mapGiven);
    EXPECT_EQ(Calls("ctlGetLACEConfig")[0]["args"]["size"], 40);
    EXPECT_EQ(Calls("ctlGetLACEConfig")[0]["args"]["opTypeGet"], CTL_GET_OPERATION_FLAG_CURRENT);
}

} // namespace
} // namespace varnet
