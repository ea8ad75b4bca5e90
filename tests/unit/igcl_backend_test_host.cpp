// The Control Library back-end's start-up, display choice, pipeline query and panel identity,
// against the simulated run time and the host sandbox's module hooks.
#include "controllib/controllib_calls.h"
#include "igcl/ctl_exports.h"
#include "integration/igcl_fixture.h"
#include "platform/host/sandbox.h"
#include "support/sandbox_faults.h"

namespace varnet {
namespace {

namespace host = platform::host;
using IgclBackend = IgclTest;

constexpr char kInitText[] = "fail: ctlInit()\r\nCheck Driver version or Platform";
const std::string kCaps = "ctlPixelTransformationGetConfig for query type capability ";
const std::string kNoBlocks = kCaps + "returned number of blocks as 0";
const std::string kStart = "Start of get capability call\n", kEnd = "End of get capability call\n";

TEST_F(IgclBackend, LastAdapterWithThePanelWinsAndAdaptersInTroubleAreSkipped) {
    // DISPLAY1; DISPLAY2 to 4; DISPLAY5; DISPLAY6 whose count fails; DISPLAY7 whose list fails.
    Use(R"({"adapters": [{"displays": [{}]}, {"displays": [{"encoderId": 1}, {}, {}]},
                         {"displays": [{"encoderId": 1}]}, {"displays": [{}]}, {"displays": [{}]}],
            "faults": [{"call": "ctlEnumerateDisplayOutputs", "when": {"adapter": 3}, "result": 18},
                       {"call": "ctlEnumerateDisplayOutputs", "when": {"adapter": 4, "fill": true},
                        "result": "0x40000013"}]})"_json);
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_EQ(igcl.AdapterIndex(), 1u);
    EXPECT_EQ(Calls("ctlGetDisplayProperties").size(), 4u); // each adapter stops at its match
    EXPECT_EQ(Last("ctlPixelTransformationGetConfig")["display"], "\\\\.\\DISPLAY3");
    EXPECT_TRUE(host::StdoutOutput().starts_with(
        std::string("ctlEnumerateDisplayOutputs returned failure code: 0x12\n"
                    "ctlEnumerateDisplayOutputs returned failure code: 0x40000013\n") +
        kStart));
}

TEST_F(IgclBackend, StartUpAndPipelineQueryFailures) {
    const std::tuple<json, Bool, std::string, std::string> cases[] = {
        {nullptr, 0, kInitText, ""}, // the run time's module does not load
        {R"({"faults":[{"call":"ctlEnumerateDevices","when":{"fill":false},"result":1}]})"_json, 0,
         "", ""},
        {R"({"adapters": [{"count": 101}]})"_json, 0, "", ""},
        {R"({"faults":[{"call":"ctlEnumerateDevices","when":{"fill":true},"result":2}]})"_json, 0,
         "", "ctlEnumerateDevices returned failure code: 0x2\n"},
        // Without the panel, or without its pipeline, the start still succeeds.
        {R"({"adapters": [{"count": 100}]})"_json, 1, kNoBlocks, kStart},
        {R"({"adapters": [{"displays": [{"pipeline": []}]}]})"_json, 1, kNoBlocks,
         kStart + kCaps + "passed\nGetPixTxCapsArgs.NumBlocks = 0\n" + kEnd},
        {R"({"faults": [{"call": "ctlPixelTransformationGetConfig", "result": 7}]})"_json, 1,
         kNoBlocks, kStart + kCaps + "returned failure code: 0x7\n" + kEnd},
    };
    test::SandboxFaults faults;
    for (const auto& [changes, result, debug, out] : cases) {
        SCOPED_TRACE(changes.dump());
        ResetBindingForTesting();
        if (changes.is_null()) {
            faults.Inject("LoadModule", 1, true);
        }
        Use(changes.is_null() ? json::object() : changes);
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.InitLib(), result);
        EXPECT_EQ(igcl.IsInitialized(), result == 1);
        EXPECT_FALSE(igcl.HasPixelTransformCaps());
        EXPECT_EQ(host::DebugOutput(), debug);
        EXPECT_EQ(host::StdoutOutput(), out);
        faults.Clear();
    }
}

TEST_F(IgclBackend, FailedStartIsTriedAgain) {
    Use(R"({"faults": [{"call": "ctlInit", "result": "0x40000026"}]})"_json);
    CIntelGraphicIGCL igcl;
    uint32_t width = 7, height = 7;
    EXPECT_EQ(igcl.GetPanelSize(&width, &height) + igcl.IsLACESupport(), 0);
    EXPECT_EQ(igcl.GetPannelModelName(), nullptr);
    EXPECT_EQ(width + height, 14u);
    EXPECT_EQ(machine.Count("ctlInit"), 3u);
    Use();
    EXPECT_STREQ(igcl.GetPannelModelName(), "VN156FHD01");
}

TEST_F(IgclBackend, PipelineKeepsOneBlockOfEachKind) {
    UsePipeline(R"([{"id": 7, "type": "1dlut", "channels": 3, "samples": 1024, "sampling": 1},
                    {"id": 9, "type": "3dlut", "samples": 17}, {"id": 12, "type": "matrix"},
                    {"id": 21, "type": "matrixOffsets"}])"_json);
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_EQ(std::tuple(igcl.OneDLutBlock().BlockId, igcl.ThreeDLutBlock().BlockId,
                         igcl.MatrixBlock().BlockId, igcl.CscBlockId()),
              std::tuple(7u, 9u, 12u, 12u));
    // The 1D LUT is read through a zeroed buffer of 3 x 256.
    const ctl_pixtx_1dlut_config_t& oneD = igcl.OneDLutBlock().Config.OneDLutConfig;
    EXPECT_EQ(oneD.NumSamplesPerChannel, 256u);
    ASSERT_NE(oneD.pSampleValues, nullptr);
    EXPECT_EQ(oneD.pSampleValues[3 * 256 - 1], 0.0);
    EXPECT_EQ(host::DebugOutput(), "");
    // Counted, then read: the dump shows every block the second query filled in.
    const std::string out = host::StdoutOutput();
    EXPECT_TRUE(
        out.starts_with(kStart + kCaps + "passed\nGetPixTxCapsArgs.NumBlocks = 4\n" + kEnd));
    EXPECT_TRUE(out.ends_with("pPixTxCaps->pBlockConfigs[3].BlockId = 21\n" + kEnd)) << out;
}

TEST_F(IgclBackend, EdidReads) {
    // A size query that promises more than the 1024-byte buffer is read only as far as it holds.
    Use(R"({"adapters": [{"displays": [{"reportedEdidSize": 4096, "extensions": ["0203"],
                                        "edid": {"width": 2880, "height": 1800}}]}]})"_json);
    CIntelGraphicIGCL igcl;
    uint32_t width = 0, height = 0;
    ASSERT_EQ(igcl.GetPanelSize(&width, &height), 1); // a common size until the EDID is read
    EXPECT_EQ(std::pair(width, height), std::pair(1920u, 1080u));
    ASSERT_STREQ(igcl.GetPannelModelName(), "VN156FHD01");
    ASSERT_EQ(igcl.GetPanelSize(&width, &height), 1);
    EXPECT_EQ(std::pair(width, height), std::pair(2880u, 1800u));
    EXPECT_EQ(Calls("ctlPanelDescriptorAccess")[1]["args"]["dataSize"], 1024);
    // Each block's dump goes as far as its read did.
    const std::string debug = host::DebugOutput();
    EXPECT_TRUE(debug.starts_with("EDID data[0] = : 0x0\nEDID data[1] = : 0xFF\n"));
    EXPECT_TRUE(debug.ends_with("EDID data[1023] = : 0x0\nextEDID data[0] = : 0x2\n"
                                "extEDID data[1] = : 0x3\n"));
    // Any failed step, of the base block or of an extension, leaves the panel unidentified.
    for (const auto& [block, read] : {std::pair{0, false}, {0, true}, {1, false}, {1, true}}) {
        SCOPED_TRACE(testing::Message() << "block " << block << (read ? " read" : " size"));
        Use({{"faults",
              {{{"call", "ctlPanelDescriptorAccess"},
                {"result", 18},
                {"when", {{"block", block}, {"read", read}}}}}}});
        EXPECT_EQ(CIntelGraphicIGCL().GetPannelModelName(), nullptr);
        EXPECT_EQ(host::DebugOutput().find("check: ctlPanelDescriptorAccess()\n") ==
                      std::string::npos,
                  read);
    }
}

TEST_F(IgclBackend, LaceSupportAsksWithALuxMapAndDestructionClosesTheRunTime) {
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
    EXPECT_EQ(Calls("ctlGetLACEConfig")[0]["args"]["opTypeGet"], CTL_GET_OPERATION_FLAG_CURRENT);
    // Gone with the object: the run time, closed with its own handle, and the module.
    EXPECT_EQ(Calls("ctlClose")[0]["args"]["known"], true);
    EXPECT_EQ(ControlLibModule, nullptr);
    EXPECT_EQ(host::ModuleLoadCount("ControlLib.dll"), 0);
}

} // namespace
} // namespace varnet
