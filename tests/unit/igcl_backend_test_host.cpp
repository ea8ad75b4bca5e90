// The Control Library back-end's start-up, display choice, pipeline query and panel identity,
// against a scripted stand-in run time registered in the host sandbox.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "igcl/cintel_graphic_igcl.h"
#include "igcl/ctl_binding.h"
#include "igcl/ctl_exports.h"
#include "platform/host/sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;

constexpr char kModule[] = "ControlLib.dll";
constexpr uint32_t kPanel = 0x00800050;
const auto kApiHandle = reinterpret_cast<ctl_api_handle_t>(uintptr_t{0xA91});

ctl_device_adapter_handle_t AdapterHandle(uint32_t a) {
    return reinterpret_cast<ctl_device_adapter_handle_t>(uintptr_t{0x1000} + a);
}
uint32_t AdapterIndex(ctl_device_adapter_handle_t h) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h) - 0x1000);
}
ctl_display_output_handle_t DisplayHandle(uint32_t a, uint32_t d) {
    return reinterpret_cast<ctl_display_output_handle_t>(uintptr_t{0x100000} + a * 0x1000 + d);
}

ctl_pixtx_block_config_t Block(uint32_t id, uint32_t type) {
    ctl_pixtx_block_config_t block = {};
    block.Size = sizeof block;
    block.BlockId = id;
    block.BlockType = type;
    if (type == CTL_PIXTX_BLOCK_TYPE_1D_LUT) {
        block.Config.OneDLutConfig.NumChannels = 3;
        block.Config.OneDLutConfig.NumSamplesPerChannel = 1024;
        block.Config.OneDLutConfig.SamplingType = CTL_PIXTX_LUT_SAMPLING_TYPE_NONUNIFORM;
    }
    if (type == CTL_PIXTX_BLOCK_TYPE_3D_LUT) {
        block.Config.ThreeDLutConfig.NumSamplesPerChannel = 17;
    }
    return block;
}

// A 128-byte base block: the descriptor text at 113, ID bytes 8 to 11, the first detailed
// timing's active pixels and the extension count.
std::vector<uint8_t> Edid(const char* text, std::vector<uint8_t> idBytes, uint32_t width,
                          uint32_t height, uint8_t extensions = 0) {
    std::vector<uint8_t> edid(128, 0);
    std::memcpy(&edid[8], idBytes.data(), 4);
    edid[56] = width & 0xFF;
    edid[58] = static_cast<uint8_t>((width >> 8) << 4);
    edid[59] = height & 0xFF;
    edid[61] = static_cast<uint8_t>((height >> 8) << 4);
    std::memcpy(&edid[113], text, std::min<std::size_t>(std::strlen(text), 13));
    edid[126] = extensions;
    return edid;
}

struct Adapter {
    std::vector<uint32_t> encoderIds;
    ctl_result_t countResult = CTL_RESULT_SUCCESS;
    ctl_result_t fillResult = CTL_RESULT_SUCCESS;
};

// The driver as one test scripts it, and what it was asked.
struct Driver {
    ctl_result_t initResult = CTL_RESULT_SUCCESS;
    ctl_result_t closeResult = CTL_RESULT_SUCCESS;
    ctl_result_t countResult = CTL_RESULT_SUCCESS;
    ctl_result_t fillResult = CTL_RESULT_SUCCESS;
    std::vector<Adapter> adapters = {Adapter{{kPanel}}};
    ctl_result_t pixTxResult = CTL_RESULT_SUCCESS;
    std::vector<ctl_pixtx_block_config_t> blocks = {Block(7, CTL_PIXTX_BLOCK_TYPE_1D_LUT),
                                                    Block(9, CTL_PIXTX_BLOCK_TYPE_3D_LUT),
                                                    Block(12, CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX)};
    std::vector<std::vector<uint8_t>> edid = {
        Edid("NV133FHM\n  ", {0x4C, 0x2D, 0x34, 0x12}, 2880, 1800)};
    uint32_t announcedSize = 0; // 0: the block's real size
    int failSizeQueryOf = -1;
    int failReadOf = -1;
    ctl_result_t laceResult = CTL_RESULT_SUCCESS;

    int initCalls = 0;
    ctl_api_handle_t closedHandle = nullptr;
    std::vector<std::pair<uint32_t, uint32_t>> propertiesAsked;
    std::vector<ctl_display_output_handle_t> pixTxDisplays;
    std::vector<uint32_t> readSizes;
    std::vector<ctl_lace_config_t> laceAsked;
    bool laceMapGiven = false;
};

Driver& D() {
    static Driver driver;
    return driver;
}

ctl_result_t Init(ctl_init_args_t* args, ctl_api_handle_t* handle) {
    ++D().initCalls;
    EXPECT_EQ(args->Size, 36u);
    EXPECT_EQ(args->AppVersion, 0x00010000u);
    *handle = kApiHandle;
    return D().initResult;
}

ctl_result_t Close(ctl_api_handle_t handle) {
    D().closedHandle = handle;
    return D().closeResult;
}

ctl_result_t EnumerateDevices(ctl_api_handle_t, uint32_t* count, ctl_device_adapter_handle_t* out) {
    if (out == nullptr) {
        *count = static_cast<uint32_t>(D().adapters.size());
        return D().countResult;
    }
    for (uint32_t a = 0; a < *count && a < D().adapters.size(); ++a) {
        out[a] = AdapterHandle(a);
    }
    return D().fillResult;
}

ctl_result_t EnumerateDisplays(ctl_device_adapter_handle_t h, uint32_t* count,
                               ctl_display_output_handle_t* out) {
    const uint32_t a = AdapterIndex(h);
    const Adapter& adapter = D().adapters.at(a);
    if (out == nullptr) {
        *count = static_cast<uint32_t>(adapter.encoderIds.size());
        return adapter.countResult;
    }
    for (uint32_t d = 0; d < *count && d < adapter.encoderIds.size(); ++d) {
        out[d] = DisplayHandle(a, d);
    }
    return adapter.fillResult;
}

ctl_result_t DisplayProperties(ctl_display_output_handle_t h, ctl_display_properties_t* p) {
    const auto offset = reinterpret_cast<uintptr_t>(h) - 0x100000;
    const uint32_t a = static_cast<uint32_t>(offset / 0x1000);
    const uint32_t d = static_cast<uint32_t>(offset % 0x1000);
    EXPECT_EQ(p->Size, 200u);
    D().propertiesAsked.emplace_back(a, d);
    p->Os_display_encoder_handle.WindowsDisplayEncoderID = D().adapters.at(a).encoderIds.at(d);
    return CTL_RESULT_SUCCESS;
}

ctl_result_t PixTxGet(ctl_display_output_handle_t h, ctl_pixtx_pipe_get_config_t* args) {
    D().pixTxDisplays.push_back(h);
    EXPECT_EQ(args->Size, 272u);
    EXPECT_EQ(args->QueryType, CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY);
    if (D().pixTxResult != CTL_RESULT_SUCCESS) {
        return D().pixTxResult;
    }
    if (args->pBlockConfigs == nullptr) {
        args->NumBlocks = static_cast<uint32_t>(D().blocks.size());
    } else {
        for (uint32_t i = 0; i < args->NumBlocks && i < D().blocks.size(); ++i) {
            args->pBlockConfigs[i] = D().blocks[i];
        }
    }
    return CTL_RESULT_SUCCESS;
}

// Writes as many bytes as it is told to, as a driver would: a size the caller's buffer cannot
// hold shows up under the address sanitizer.
ctl_result_t PanelDescriptor(ctl_display_output_handle_t, ctl_panel_descriptor_access_args_t* a) {
    EXPECT_EQ(a->Size, 32u);
    EXPECT_EQ(a->OpType, CTL_OPERATION_TYPE_READ);
    const int n = static_cast<int>(a->BlockNumber);
    const std::vector<uint8_t>& block = D().edid.at(a->BlockNumber);
    if (a->pDescriptorData == nullptr) {
        if (n == D().failSizeQueryOf) {
            return CTL_RESULT_ERROR_DATA_READ;
        }
        a->DescriptorDataSize =
            D().announcedSize != 0 ? D().announcedSize : static_cast<uint32_t>(block.size());
        return CTL_RESULT_SUCCESS;
    }
    D().readSizes.push_back(a->DescriptorDataSize);
    if (n == D().failReadOf) {
        return CTL_RESULT_ERROR_DATA_READ;
    }
    for (uint32_t i = 0; i < a->DescriptorDataSize; ++i) {
        a->pDescriptorData[i] = i < block.size() ? block[i] : 0;
    }
    return CTL_RESULT_SUCCESS;
}

ctl_result_t GetLace(ctl_display_output_handle_t, ctl_lace_config_t* config) {
    D().laceAsked.push_back(*config);
    D().laceMapGiven = config->LaceConfig.AggrLevelMap.pLuxToAggrMappingTable != nullptr;
    return D().laceResult;
}

void* Lookup(const char* name) {
    static const std::vector<std::pair<std::string, void*>> entries = {
        {"ctlInit", reinterpret_cast<void*>(&Init)},
        {"ctlClose", reinterpret_cast<void*>(&Close)},
        {"ctlEnumerateDevices", reinterpret_cast<void*>(&EnumerateDevices)},
        {"ctlEnumerateDisplayOutputs", reinterpret_cast<void*>(&EnumerateDisplays)},
        {"ctlGetDisplayProperties", reinterpret_cast<void*>(&DisplayProperties)},
        {"ctlPixelTransformationGetConfig", reinterpret_cast<void*>(&PixTxGet)},
        {"ctlPanelDescriptorAccess", reinterpret_cast<void*>(&PanelDescriptor)},
        {"ctlGetLACEConfig", reinterpret_cast<void*>(&GetLace)},
    };
    for (const auto& [entryName, entry] : entries) {
        if (entryName == name) {
            return entry;
        }
    }
    return nullptr;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

class IgclBackend : public ::testing::Test {
protected:
    void SetUp() override {
        host::ResetState();
        ResetBindingForTesting();
        D() = {};
        host::UnregisterModule(kModule);
        host::RegisterModule(kModule, Lookup);
    }
    void TearDown() override {
        ResetBindingForTesting();
        host::UnregisterModule(kModule);
        host::ClearCaptures();
    }
};

TEST_F(IgclBackend, LastAdapterWithThePanelWinsAndEachAdapterStopsAtItsFirstMatch) {
    D().adapters = {Adapter{{0x1, kPanel, kPanel}}, Adapter{{0x2, kPanel}}, Adapter{{0x3}}};
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_EQ(igcl.AdapterCount(), 3u);
    EXPECT_EQ(igcl.AdapterIndex(), 1u);
    EXPECT_EQ(igcl.Display(), DisplayHandle(1, 1));
    using Asked = std::vector<std::pair<uint32_t, uint32_t>>;
    EXPECT_EQ(D().propertiesAsked, (Asked{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}}));
    EXPECT_EQ(D().pixTxDisplays, (std::vector{DisplayHandle(1, 1), DisplayHandle(1, 1)}));
}

TEST_F(IgclBackend, DisplayTroubleOnOneAdapterOnlySkipsThatAdapter) {
    D().adapters = {Adapter{{kPanel}, CTL_RESULT_ERROR_DATA_READ},
                    Adapter{{kPanel}, CTL_RESULT_SUCCESS, CTL_RESULT_ERROR_DATA_WRITE}, Adapter{{}},
                    Adapter{{kPanel}}, Adapter{{}}};
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_EQ(igcl.AdapterIndex(), 3u);
    EXPECT_EQ(igcl.Display(), DisplayHandle(3, 0));
    const std::string out = host::StdoutOutput();
    EXPECT_EQ(out.rfind("ctlEnumerateDisplayOutputs returned failure code: 0x40000012\n"
                        "ctlEnumerateDisplayOutputs returned failure code: 0x40000013\n"
                        "Start of get capability call\n",
                        0),
              0u)
        << out;
}

TEST_F(IgclBackend, WithoutThePanelStartUpStillSucceedsAndThePipelineIsNotAsked) {
    D().adapters = {Adapter{{0x1, 0x2}}};
    CIntelGraphicIGCL igcl;
    EXPECT_EQ(igcl.InitLib(), 1);
    EXPECT_TRUE(igcl.IsInitialized());
    EXPECT_EQ(igcl.Display(), nullptr);
    EXPECT_FALSE(igcl.HasPixelTransformCaps());
    EXPECT_TRUE(D().pixTxDisplays.empty());
    EXPECT_EQ(host::StdoutOutput(), "Start of get capability call\n");
    EXPECT_EQ(host::DebugOutput(), "ctlPixelTransformationGetConfig for query type capability "
                                   "returned number of blocks as 0");
}

struct StartFailure {
    const char* name;
    std::function<void()> script;
    Bool result;
    const char* debug;
    const char* stdoutText;
};

TEST_F(IgclBackend, StartFailures) {
    const char* kInitText = "fail: ctlInit()\r\nCheck Driver version or Platform";
    const std::vector<StartFailure> cases = {
        {"run time refuses", [] { D().initResult = CTL_RESULT_ERROR_UNSUPPORTED_VERSION; }, 0,
         kInitText, ""},
        {"no run time", [] { host::UnregisterModule(kModule); }, 0, kInitText, ""},
        {"count query fails", [] { D().countResult = CTL_RESULT_ERROR_UNKNOWN; }, 0, "", ""},
        {"101 adapters", [] { D().adapters.assign(101, Adapter{}); }, 0, "", ""},
        {"fill fails", [] { D().fillResult = CTL_RESULT_ERROR_DATA_WRITE; }, 0, "",
         "ctlEnumerateDevices returned failure code: 0x40000013\n"},
        {"100 adapters, no display", [] { D().adapters.assign(100, Adapter{}); }, 1,
         "ctlPixelTransformationGetConfig for query type capability returned number of blocks "
         "as 0",
         "Start of get capability call\n"},
    };
    for (const StartFailure& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.script();
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.InitLib(), c.result);
        EXPECT_EQ(igcl.IsInitialized(), c.result == 1);
        EXPECT_EQ(host::DebugOutput(), c.debug);
        EXPECT_EQ(host::StdoutOutput(), c.stdoutText);
    }
}

TEST_F(IgclBackend, FailedStartIsTriedAgainByEveryGuardedOperation) {
    D().initResult = CTL_RESULT_ERROR_UNSUPPORTED_VERSION;
    CIntelGraphicIGCL igcl;
    uint32_t width = 7;
    uint32_t height = 7;
    EXPECT_EQ(igcl.GetPanelSize(&width, &height), 0);
    EXPECT_EQ(width, 7u);
    EXPECT_EQ(igcl.GetPannelModelName(), nullptr);
    EXPECT_EQ(igcl.IsLACESupport(), 0);
    EXPECT_EQ(D().initCalls, 3);

    D().initResult = CTL_RESULT_SUCCESS;
    EXPECT_EQ(igcl.GetPanelSize(&width, &height), 1);
    EXPECT_TRUE(igcl.IsInitialized());
}

TEST_F(IgclBackend, PipelineKeepsOneBlockOfEachKind) {
    D().blocks.push_back(Block(21, CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX_AND_OFFSETS));
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
    for (int i = 0; i < 3 * 256; ++i) {
        ASSERT_EQ(oneD.Config.OneDLutConfig.pSampleValues[i], 0.0);
    }
    EXPECT_EQ(host::DebugOutput(), "");
    const char* expected =
        "Start of get capability call\n"
        "ctlPixelTransformationGetConfig for query type capability passed\n"
        "GetPixTxCapsArgs.NumBlocks = 4\n"
        "End of get capability call\n"
        "Start of get capability call\n"
        "ctlPixelTransformationGetConfig for query type capability passed\n"
        "GetPixTxCapsArgs.NumBlocks = 4\n"
        "pPixTxCaps->pBlockConfigs[0].BlockId = 7\n"
        "Block type is CTL_PIXTX_BLOCK_TYPE_1D_LUT\n"
        "pPixTxCaps->pBlockConfigs[0].Config.OneDLutConfig.NumChannels = 3\n"
        "pPixTxCaps->pBlockConfigs[0].Config.OneDLutConfig.NumSamplesPerChannel = 1024\n"
        "pPixTxCaps->pBlockConfigs[0].Config.OneDLutConfig.SamplingType = 1\n"
        "pPixTxCaps->pBlockConfigs[1].BlockId = 9\n"
        "pPixTxCaps->pBlockConfigs[2].BlockId = 12\n"
        "Block type is CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX\n"
        "pPixTxCaps->pBlockConfigs[3].BlockId = 21\n"
        "End of get capability call\n";
    EXPECT_EQ(host::StdoutOutput(), expected);
}

TEST_F(IgclBackend, PipelineWithoutMatrixLeavesTheMatrixBlockEmpty) {
    D().blocks = {Block(7, CTL_PIXTX_BLOCK_TYPE_1D_LUT), Block(9, CTL_PIXTX_BLOCK_TYPE_3D_LUT)};
    CIntelGraphicIGCL igcl;
    ASSERT_EQ(igcl.InitLib(), 1);
    EXPECT_TRUE(igcl.HasPixelTransformCaps());
    EXPECT_EQ(igcl.CscBlockId(), 0u);
    ctl_pixtx_block_config_t expected;
    std::memset(&expected, 0, sizeof expected);
    expected.Size = 144;
    EXPECT_EQ(std::memcmp(&igcl.MatrixBlock(), &expected, sizeof expected), 0);
}

TEST_F(IgclBackend, PipelineWithoutBlocksIsReportedAndNotKept) {
    struct Case {
        ctl_result_t result;
        const char* stdoutText;
    };
    const std::vector<Case> cases = {
        {CTL_RESULT_SUCCESS, "Start of get capability call\n"
                             "ctlPixelTransformationGetConfig for query type capability passed\n"
                             "GetPixTxCapsArgs.NumBlocks = 0\n"
                             "End of get capability call\n"},
        {0x48000007, "Start of get capability call\n"
                     "ctlPixelTransformationGetConfig for query type capability returned "
                     "failure code: 0x48000007\n"
                     "End of get capability call\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        SetUp();
        D().blocks.clear();
        D().pixTxResult = c.result;
        CIntelGraphicIGCL igcl;
        EXPECT_EQ(igcl.InitLib(), 1);
        EXPECT_FALSE(igcl.HasPixelTransformCaps());
        EXPECT_EQ(host::StdoutOutput(), c.stdoutText);
        EXPECT_EQ(host::DebugOutput(), "ctlPixelTransformationGetConfig for query type "
                                       "capability returned number of blocks as 0");
    }
}

TEST_F(IgclBackend, PanelIdFromTheDescriptorTextOrTheProductBytes) {
    struct Case {
        const char* text;
        std::vector<uint8_t> idBytes;
        const char* id;
    };
    const std::vector<Case> cases = {
        {"abc def\n   ", {0x4C, 0x2D, 0x10, 0x0A}, "ABC"},
        {"LP140WF9SPE1", {0x4C, 0x2D, 0x10, 0x0A}, "LP140WF9SPE"},
        {"           ", {0x4C, 0x2D, 0x10, 0x0A}, "2D4C_0A10"},
        {"\n\x01\x7F", {0x4C, 0x2D, 0x34, 0x12}, "2D4C_1234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        SetUp();
        D().edid = {Edid(c.text, c.idBytes, 1920, 1200)};
        CIntelGraphicIGCL igcl;
        const char* id = igcl.GetPannelModelName();
        ASSERT_NE(id, nullptr);
        EXPECT_STREQ(id, c.id);
    }
}

TEST_F(IgclBackend, EdidBytesGoToTheDebuggerAndTheFirstTimingGivesThePanelSize) {
    CIntelGraphicIGCL igcl;
    uint32_t width = 0;
    uint32_t height = 0;
    ASSERT_EQ(igcl.GetPanelSize(&width, &height), 1);
    EXPECT_EQ(width, 1920u);
    EXPECT_EQ(height, 1080u);

    ASSERT_STREQ(igcl.GetPannelModelName(), "NV133FHM");
    ASSERT_EQ(igcl.GetPanelSize(&width, &height), 1);
    EXPECT_EQ(width, 2880u);
    EXPECT_EQ(height, 1800u);

    const std::string debug = host::DebugOutput();
    EXPECT_EQ(Count(debug, "EDID data["), 128u);
    EXPECT_NE(debug.find("EDID data[0] = : 0x0\nEDID data[1] = : 0x0\n"), std::string::npos);
    EXPECT_NE(debug.find("EDID data[8] = : 0x4C\n"), std::string::npos);
    EXPECT_NE(debug.find("EDID data[113] = : 0x4E\n"), std::string::npos);
    EXPECT_EQ(debug.find("extEDID"), std::string::npos);
}

TEST_F(IgclBackend, OversizedEdidIsReadOnlyAsFarAsTheBufferHolds) {
    D().announcedSize = 4096;
    CIntelGraphicIGCL igcl;
    ASSERT_STREQ(igcl.GetPannelModelName(), "NV133FHM");
    EXPECT_EQ(D().readSizes, std::vector<uint32_t>{1024});
    const std::string debug = host::DebugOutput();
    EXPECT_EQ(Count(debug, "EDID data["), 1024u);
    EXPECT_NE(debug.find("EDID data[1023] = : 0x0\n"), std::string::npos);
}

TEST_F(IgclBackend, EdidReadFailures) {
    struct Case {
        const char* name;
        int failSizeQueryOf;
        int failReadOf;
        bool named;
        bool checkText;
    };
    const std::vector<Case> cases = {
        {"all readable", -1, -1, true, false},   {"base size query", 0, -1, false, true},
        {"base read", -1, 0, false, false},      {"extension size query", 1, -1, false, true},
        {"extension read", -1, 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        std::vector<uint8_t> extension(128, 0);
        extension[0] = 0x02;
        extension[127] = 0xAB;
        D().edid = {Edid("PANEL", {0x4C, 0x2D, 0x34, 0x12}, 2880, 1800, 1), extension};
        D().failSizeQueryOf = c.failSizeQueryOf;
        D().failReadOf = c.failReadOf;
        CIntelGraphicIGCL igcl;
        const char* id = igcl.GetPannelModelName();
        EXPECT_EQ(id != nullptr, c.named);
        const std::string debug = host::DebugOutput();
        EXPECT_EQ(debug.find("check: ctlPanelDescriptorAccess()\n") != std::string::npos,
                  c.checkText);
        if (c.named) {
            EXPECT_STREQ(id, "PANEL");
            EXPECT_NE(debug.find("extEDID data[0] = : 0x2\n"), std::string::npos);
            EXPECT_NE(debug.find("extEDID data[127] = : 0xAB\n"), std::string::npos);
        }
    }
}

TEST_F(IgclBackend, DestructionClosesTheRunTimeWithItsOwnHandle) {
    {
        CIntelGraphicIGCL igcl;
        ASSERT_EQ(igcl.InitLib(), 1);
        EXPECT_EQ(igcl.ApiHandle(), kApiHandle);
        EXPECT_EQ(host::ModuleLoadCount(kModule), 1);
    }
    EXPECT_EQ(D().closedHandle, kApiHandle);
    EXPECT_EQ(host::ModuleLoadCount(kModule), 0);
    EXPECT_EQ(ControlLibModule, nullptr);

    D().closeResult = CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER;
    {
        CIntelGraphicIGCL igcl;
        ASSERT_EQ(igcl.InitLib(), 1);
    }
    EXPECT_EQ(host::ModuleLoadCount(kModule), 1);
}

TEST_F(IgclBackend, LaceSupportIsWhetherTheCurrentConfigCanBeRead) {
    CIntelGraphicIGCL igcl;
    EXPECT_EQ(igcl.IsLACESupport(), 1);
    ASSERT_EQ(D().laceAsked.size(), 1u);
    EXPECT_EQ(D().laceAsked[0].Size, 40u);
    EXPECT_EQ(D().laceAsked[0].OpTypeGet, CTL_GET_OPERATION_FLAG_CURRENT);
    EXPECT_TRUE(D().laceMapGiven);

    D().laceResult = CTL_RESULT_ERROR_UNKNOWN;
    EXPECT_EQ(igcl.IsLACESupport(), 0);
}

} // namespace
} // namespace varnet
