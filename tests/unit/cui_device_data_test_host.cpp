// The CUI back-end's device data operations against a fake driver that keeps one block per data
// GUID: what each operation asks, what it sends back, and how it reports failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "backend/cintel_graphic.h"
#include "backend/cui_blocks.h"
#include "backend/cui_device_calls.h"
#include "config/settings_store.h"
#include "platform/host/sandbox.h"

namespace varnet {
namespace {

namespace host = platform::host;
using cui::HResult;
using platform::Guid;
using Fields = std::map<uint32_t, uint32_t>; // byte offset -> 32-bit word

constexpr uint32_t kPanel = 0x1001;
constexpr uint32_t kExternal = 0x3003;

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

uint32_t Word(const std::vector<uint8_t>& block, uint32_t offset) {
    uint32_t u = 0;
    std::memcpy(&u, block.data() + offset, sizeof u);
    return u;
}

// Every word of a block the driver holds reads as 0xA0000000 plus its offset, so that a field
// moved, lost or written in the wrong place shows.
std::vector<uint8_t> Pattern(uint32_t size, const Fields& overrides = {}) {
    std::vector<uint8_t> block(size);
    for (uint32_t at = 0; at + 4 <= size; at += 4) {
        const auto o = overrides.find(at);
        const uint32_t w = o != overrides.end() ? o->second : 0xA0000000u + at;
        std::memcpy(block.data() + at, &w, 4);
    }
    return block;
}

// Reads copy the stored block over the caller's, writes store it. One GUID can be made to fail.
class FakeDriver final : public cui::ICUIExternal8 {
public:
    virtual ~FakeDriver() = default;
    struct Call {
        uint32_t guid; // Data1 tells the blocks apart
        std::vector<uint8_t> block;
    };
    std::map<uint32_t, std::vector<uint8_t>> blocks;
    std::vector<Call> calls;
    uint32_t panelUid = kPanel, externalUid = kExternal;
    uint32_t failGuid = 0;
    bool failReads = false, failWrites = false, throws = false;
    int32_t failError = 0x25;

    std::vector<Call> Of(const Guid& g) const {
        std::vector<Call> found;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                     [&](const Call& c) { return c.guid == g.Data1; });
        return found;
    }

    HResult QueryInterface(const Guid&, void**) override { return platform::kENoInterface; }
    uint32_t AddRef() override { return 2; }
    uint32_t Release() override { return 1; }
    HResult EnumAttachableDevices(platform::ComString name, int32_t index, uint32_t* uid,
                                  int32_t* type, int32_t* state) override {
        const bool d1 = name == std::u16string(u"\\\\.\\DISPLAY1");
        *uid = d1 && index == 0 ? panelUid : d1 && index == 1 ? externalUid : 0;
        *type = d1 && index < 2 ? 2 + index : 0; // panel type 2, external 3
        *state = 0;
        return 0;
    }
    HResult GetDeviceData(Guid g, uint32_t size, uint8_t* block, int32_t* error) override {
        const HResult r = Answer(g, size, block, error, failReads);
        if (const auto b = blocks.find(g.Data1); r == 0 && b != blocks.end()) {
            std::memcpy(block, b->second.data(), std::min<std::size_t>(size, b->second.size()));
        }
        return r;
    }
    HResult SetDeviceData(Guid g, uint32_t size, uint8_t* block, int32_t* error) override {
        const HResult r = Answer(g, size, block, error, failWrites);
        if (r == 0) {
            blocks[g.Data1].assign(block, block + size);
        }
        return r;
    }
    // clang-format off
#define UNUSED_SLOT(n) HResult Unused##n() override { return platform::kEFail; }
    UNUSED_SLOT(03) UNUSED_SLOT(04) UNUSED_SLOT(05) UNUSED_SLOT(06) UNUSED_SLOT(07) UNUSED_SLOT(08)
    UNUSED_SLOT(09) UNUSED_SLOT(10) UNUSED_SLOT(11) UNUSED_SLOT(13) UNUSED_SLOT(14) UNUSED_SLOT(15)
    UNUSED_SLOT(16) UNUSED_SLOT(17) UNUSED_SLOT(18) UNUSED_SLOT(19) UNUSED_SLOT(20) UNUSED_SLOT(21)
    UNUSED_SLOT(22) UNUSED_SLOT(23) UNUSED_SLOT(24) UNUSED_SLOT(27) UNUSED_SLOT(28) UNUSED_SLOT(29)
    UNUSED_SLOT(30) UNUSED_SLOT(31) UNUSED_SLOT(32) UNUSED_SLOT(33) UNUSED_SLOT(34) UNUSED_SLOT(35)
    UNUSED_SLOT(36) UNUSED_SLOT(37) UNUSED_SLOT(38) UNUSED_SLOT(39) UNUSED_SLOT(40) UNUSED_SLOT(41)
    UNUSED_SLOT(42)
#undef UNUSED_SLOT
    HResult GetGammaRamp(uint32_t, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    HResult SetGammaRamp(uint32_t, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    HResult GetDeviceDataEx(Guid, uint32_t, uint8_t*, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    HResult SetDeviceDataEx(Guid, uint32_t, uint8_t*, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    // clang-format on

private:
    // Records the call, then fails it when asked to; a throw leaves the error value at 0.
    HResult Answer(const Guid& g, uint32_t size, const uint8_t* block, int32_t* error, bool fail) {
        calls.push_back({g.Data1, {block, block + size}});
        const bool fails = fail && g.Data1 == failGuid;
        if (fails && throws) {
            throw std::runtime_error("driver fault");
        }
        *error = fails ? failError : 0;
        return fails ? platform::kEFail : 0;
    }
};

class CuiDeviceData : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::path(::testing::TempDir()) / "varnet-cui-device-data";
        std::filesystem::remove_all(root_);
        host::SetRoot(root_.string());
        host::ResetState();
        ASSERT_TRUE(platform::ComInitializeThread());
        Register();
        ASSERT_EQ(cui_.InitLib(), 1);
        sdk_.calls.clear();
        host::ClearCaptures();
    }
    void TearDown() override {
        host::UnregisterComClass(cui::kProgId);
        platform::ComUninitializeThread();
        host::ResetState();
        GammaScale = kGammaScaleDefault;
        GammaMax = kGammaMaxDefault;
        std::filesystem::remove_all(root_);
    }
    void Register() {
        host::RegisterComClass(cui::kProgId, {0x0BADC0DE, 9, 9, {9}},
                               [this](const Guid&, void** o) {
                                   *o = static_cast<cui::ICUIExternal8*>(&sdk_);
                                   return platform::kSOk;
                               });
    }
    void Fail(const Guid& g, bool reads, bool writes, bool throws = false) {
        sdk_.failGuid = g.Data1;
        sdk_.failReads = reads;
        sdk_.failWrites = writes;
        sdk_.throws = throws;
    }

    std::filesystem::path root_;
    FakeDriver sdk_;
    CIntelGraphic cui_;
};

TEST_F(CuiDeviceData, EachWriteAsksWithItsHeaderAndSendsBackOnlyItsFields) {
    const float m[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const uint32_t sectors[6] = {11, 12, 13, 14, 15, 16}; // R G B Y C M
    struct Case {
        const char* name;
        const Guid& guid;
        uint32_t size;
        Fields driver;  // overrides of the driver's block
        Fields request; // the read's non-zero words; all others 0
        Fields changed; // the write: the driver's block with these words changed
        std::function<Bool(CIntelGraphic&)> op;
    };
    const auto& video = cui::kVideoQualityGuid;
    const Fields v4 = {{0, 4}}, sixSector = {{0, 1}, {16, 4096}, {44, 2}},
                 dpst = {{0, 1}, {4, 1}, {160, 3}};
    // clang-format off
    const Case cases[] = {
        {"hue/saturation", cui::kHueSatGuid, 56, {}, {{8, kPanel}}, {{12, Bits(1.5f)}, {32, Bits(-2.5f)}},
         [](CIntelGraphic& c) { return c.SetHueSat(1.5f, -2.5f); }},
        {"video quality, defaults", video, 200, {{80, Bits(0.5f)}, {44, Bits(9.f)}}, v4,
         {{20, 0}, {100, 1}, {76, Bits(0.5f)}, {28, 0}, {68, 1}, {40, Bits(9.f)}, {116, 0}},
         [](CIntelGraphic& c) { return c.SetVideoQuality(1, 1, 0, 7, 1, 0, 0, 0, 0, 0, 0, 0); }},
        {"video quality, values", video, 200, {}, v4,
         {{20, 1}, {100, 0}, {76, Bits(7.f)}, {28, 1}, {68, 3}, {108, 1}, {124, Bits(2.f)}, {116, 1}},
         [](CIntelGraphic& c) { return c.SetVideoQuality(0, 1, 0, 7, 0, 1, 3, 8, 1, 1, 2, 1); }},
        {"video quality, nothing asked", video, 200, {}, v4, {},
         [](CIntelGraphic& c) { return c.SetVideoQuality(0, 0, 0, 7, 0, 0, 3, 8, 0, 1, 2, 2); }},
        {"contrast on at 0, skin tone off", video, 200, {}, v4, {{116, 1}, {180, Bits(0.f)}, {108, 0}},
         [](CIntelGraphic& c) { return c.SetContrastSkinTone(1, 0); }},
        {"contrast off keeps its value", video, 200, {}, v4, {{116, 0}, {108, 1}, {124, Bits(2.f)}},
         [](CIntelGraphic& c) { return c.SetContrastSkinTone(0, 3); }},
        {"sharpness mode 1 takes the default", video, 200, {}, v4, {{28, 1}, {68, 1}, {40, 0xA000002C}},
         [](CIntelGraphic& c) { return c.SetVideoSharpness(1, 5.f); }},
        {"sharpness mode 7 is mode 2", video, 200, {}, v4, {{28, 1}, {68, 0}, {40, Bits(5.f)}},
         [](CIntelGraphic& c) { return c.SetVideoSharpness(7, 5.f); }},
        {"sharpness off", video, 200, {}, v4, {{28, 0}}, [](CIntelGraphic& c) { return c.SetVideoSharpness(0, 5.f); }},
        {"colour correction", cui::kMediaColorGuid, 240, {}, {{0, 2}},
         {{12, 6}, {84, Bits(1.f)}, {64, Bits(2.f)}, {24, Bits(3.f)}, {44, Bits(4.f)}},
         [](CIntelGraphic& c) { return c.SetStandardColorCorrection(6, 1, 2, 3, 4); }},
        {"colour correction, all kept", cui::kMediaColorGuid, 240, {}, {{0, 2}}, {{12, 6}},
         [](CIntelGraphic& c) { return c.SetStandardColorCorrection(6, -9999, -9999, -9999, -9999); }},
        {"media TCC", cui::kMediaColorGuid, 240, {}, {{0, 2}}, {{104, 1}, {112, Bits(1.f)}, {132, Bits(2.f)},
         {152, Bits(3.f)}, {172, Bits(4.f)}, {192, Bits(5.f)}, {212, Bits(6.f)}},
         [](CIntelGraphic& c) { return c.SetMediaTcc(1, 1, 2, 3, 4, 5, 6); }},
        {"a level alone switches LACE on", cui::kLaceGuid, 36, {}, {{0, 1}, {8, kPanel}}, {{16, 1}, {24, 0}, {32, 5}},
         [](CIntelGraphic& c) { return c.SetLACE(0, 5); }},
        {"LACE off", cui::kLaceGuid, 36, {}, {{0, 1}, {8, kPanel}}, {{16, 0}, {24, 0}, {32, 0}},
         [](CIntelGraphic& c) { return c.SetLACE(0, 0); }},
        {"six sectors", cui::kSixSectorGuid, 56, {}, sixSector, {{20, 11}, {24, 12}, {28, 13}, {40, 14}, {32, 15}, {36, 16}},
         [&](CIntelGraphic& c) { return c.SetDisplayTccArray(1, sectors); }},
        {"six sectors cleared", cui::kSixSectorGuid, 56, {}, sixSector, {{20, 0}, {24, 0}, {28, 0}, {32, 0}, {36, 0}, {40, 0}},
         [&](CIntelGraphic& c) { return c.SetDisplayTccArray(2, sectors); }},
        {"display TCC", cui::kDisplayTccGuid, 52, {}, {{0, 1}, {24, kPanel}},
         {{20, 1}, {24, kPanel}, {28, 11}, {32, 12}, {36, 13}, {48, 14}, {40, 15}, {44, 16}},
         [](CIntelGraphic& c) { return c.SetDisplayTcc(1, 11, 12, 13, 14, 15, 16); }},
        {"matrix of the second display", cui::kColorMatrixGuid, 64, {}, {{0, 1}, {8, kExternal}},
         {{16, 7}, {20, 1}, {24, Bits(1)}, {28, Bits(2)}, {32, Bits(3)}, {36, Bits(4)}, {40, Bits(5)},
          {44, Bits(6)}, {48, Bits(7)}, {52, Bits(8)}, {56, Bits(9)}},
         [&](CIntelGraphic& c) { return c.SetColorMatrix(1, 3, 7, 1, m); }},
        {"matrix control", cui::kColorMatrixControlGuid, 24, {}, {{0, 1}, {8, kPanel}}, {{16, 3}},
         [&](CIntelGraphic& c) { return c.SetColorMatrix(0, 3, 7, 0, m); }},
        {"DPST on keeps other features", cui::kDpstGuid, 180, {{16, 8}, {24, 0x11}}, dpst,
         {{20, 8}, {24, 0x19}, {28, 4}}, [](CIntelGraphic& c) { return c.SetDPST(1, 4); }},
        {"DPST off", cui::kDpstGuid, 180, {{16, 8}, {24, 0x19}}, dpst, {{20, 8}, {24, 0x11}, {28, 0}},
         [](CIntelGraphic& c) { return c.SetDPST(0, 0); }},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sdk_.calls.clear();
        sdk_.blocks[c.guid.Data1] = Pattern(c.size, c.driver);
        EXPECT_EQ(c.op(cui_), 1);
        const auto calls = sdk_.Of(c.guid);
        ASSERT_EQ(calls.size(), 2u);
        std::vector<uint8_t> request(c.size);
        for (auto [at, w] : c.request) {
            std::memcpy(request.data() + at, &w, 4);
        }
        EXPECT_EQ(calls[0].block, request);
        Fields expected = c.driver;
        for (auto [at, w] : c.changed) {
            expected[at] = w;
        }
        EXPECT_EQ(calls[1].block, Pattern(c.size, expected));
    }
}

TEST_F(CuiDeviceData, ReadsHandBackTheDriversFieldsInInterfaceOrder) {
    sdk_.blocks[cui::kVideoQualityGuid.Data1] =
        Pattern(200, {{116, 0}, {180, Bits(3.9f)}, {108, 1}, {124, Bits(2.5f)}, {28, 1}, {68, 0}});
    sdk_.blocks[cui::kSixSectorGuid.Data1] = Pattern(56);
    sdk_.blocks[cui::kDisplayTccGuid.Data1] = Pattern(52);
    sdk_.blocks[cui::kLaceGuid.Data1] = Pattern(36, {{12, 2}});
    sdk_.blocks[cui::kColorMatrixGuid.Data1] = Pattern(64);
    sdk_.blocks[cui::kColorMatrixControlGuid.Data1] = Pattern(24);
    sdk_.blocks[cui::kDpstGuid.Data1] = Pattern(180, {{16, 8}, {24, 0x8}, {28, 6}});

    int32_t contrast = 0, skinTone = 0;
    EXPECT_EQ(cui_.GetContrastSkinTone(&contrast, &skinTone), 1);
    EXPECT_EQ(contrast, -3); // off: negated, truncated toward zero
    EXPECT_EQ(skinTone, 2);
    uint32_t mode = 9;
    float value = 0;
    EXPECT_EQ(cui_.GetVideoSharpness(&mode, &value), 1);
    EXPECT_EQ(mode, 2u);
    EXPECT_EQ(Bits(value), 0xA0000028u);

    uint32_t v[7] = {};
    const auto got = [&](std::size_t n) { return std::vector<uint32_t>(v, v + n); };
    EXPECT_EQ(cui_.GetDisplayTccArray(nullptr, v), 1);
    EXPECT_EQ(got(6), (std::vector<uint32_t>{0xA0000014, 0xA0000018, 0xA000001C, 0xA0000028,
                                             0xA0000020, 0xA0000024}));
    EXPECT_EQ(cui_.GetDisplayTcc(v, v + 1, v + 2, v + 3, v + 4, v + 5, v + 6), 1);
    EXPECT_EQ(got(7), (std::vector<uint32_t>{0xA0000014, 0xA000001C, 0xA0000020, 0xA0000024,
                                             0xA0000030, 0xA0000028, 0xA000002C}));
    EXPECT_EQ(cui_.GetLACE(v, v + 1, v + 2), 1);
    EXPECT_EQ(got(3), (std::vector<uint32_t>{0xA0000010, 0xA0000018, 0xA0000020}));
    EXPECT_EQ(cui_.IsLACESupport(), 2);

    float matrix[9] = {};
    uint32_t fourth = 5;
    EXPECT_EQ(cui_.GetColorMatrix(0, v, v + 1, v + 2, &fourth, matrix), 1);
    EXPECT_EQ(got(3), (std::vector<uint32_t>{1, 0xA0000010, 0xA0000010}));
    EXPECT_EQ(fourth, 0xA0000014u);
    EXPECT_EQ(Bits(matrix[8]), 0xA0000038u);
    EXPECT_EQ(Word(sdk_.Of(cui::kColorMatrixGuid)[0].block, 20), 5u); // fourth goes in too

    EXPECT_EQ(cui_.GetDPST(v, v + 1), 1);
    EXPECT_EQ(got(2), (std::vector<uint32_t>{1, 6}));
    sdk_.blocks[cui::kDpstGuid.Data1] = Pattern(180, {{16, 0x17}});
    EXPECT_EQ(cui_.GetDPST(v, v + 1), 0);
    EXPECT_EQ(got(2), (std::vector<uint32_t>{0, uint32_t(-99)}));
    EXPECT_EQ(host::DebugOutput(), "check: GetDPST()");
}

TEST_F(CuiDeviceData, FailuresSayWhereAndThrowsAreJudgedAsEachOperationSays) {
    struct Case {
        const Guid& guid;
        bool reads, writes, throws;
        Bool result;
        std::string debug;
        std::function<Bool(CIntelGraphic&)> op;
    };
    const std::string catchText = "catch: Intel function()\n";
    const std::string video = "INTEL: SetDeviceData (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error : ";
    // clang-format off
    const Case cases[] = {
        {cui::kHueSatGuid, true, false, false, 0, "GetDeviceData (IGFX_GET_SET_HUESAT_INFO_GUID) Error : 0x25\r\n",
         [](CIntelGraphic& c) { return c.SetSaturation(1); }},
        {cui::kHueSatGuid, false, true, false, 0, "SetDeviceData Error : 0x25\r\n",
         [](CIntelGraphic& c) { return c.SetHueSat(0, 1); }},
        {cui::kHueSatGuid, false, true, true, 0, catchText + "SetDeviceData Error : 0x0\r\n",
         [](CIntelGraphic& c) { return c.SetHueSat(0, 1); }},
        {cui::kVideoQualityGuid, true, false, false, 0, "GetDeviceData (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error : 0x25\r\n",
         [](CIntelGraphic& c) { return c.SetVideoSharpness(1, 0); }},
        {cui::kVideoQualityGuid, false, true, false, 0, " (IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID) Error\n",
         [](CIntelGraphic& c) { return c.SetVideoQuality(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); }},
        {cui::kVideoQualityGuid, false, true, true, 0, catchText + video + "0x0\r\n",
         [](CIntelGraphic& c) { return c.SetContrastSkinTone(2, 2); }},
        {cui::kVideoQualityGuid, false, true, true, 0, video + "0x0\r\n", // no catch line here
         [](CIntelGraphic& c) { return c.SetVideoSharpness(2, 1); }},
        {cui::kMediaColorGuid, true, false, false, 0, "GetDeviceData (IGFX_GET_SET_MEDIA_COLOR_EX2_GUID) Error : 0x25\r\n",
         [](CIntelGraphic& c) { return c.GetMediaTcc(nullptr, 0, 0, 0, 0, 0, 0); }},
        {cui::kMediaColorGuid, false, true, false, 0, "", [](CIntelGraphic& c) { return c.SetMediaTcc(1, 0, 0, 0, 0, 0, 0); }},
        // A write that throws counts as the read before it, which worked.
        {cui::kMediaColorGuid, false, true, true, 1, catchText,
         [](CIntelGraphic& c) { return c.SetMediaTcc(1, 0, 0, 0, 0, 0, 0); }},
        {cui::kDisplayTccGuid, false, true, true, 1, "", [](CIntelGraphic& c) { return c.SetDisplayTcc(1, 0, 0, 0, 0, 0, 0); }},
        {cui::kColorMatrixGuid, false, true, true, 1, catchText,
         [](CIntelGraphic& c) { return c.SetColorMatrix(0, 1, 1, 0, nullptr); }},
        {cui::kDpstGuid, true, false, false, 0, "check: SetDPST()", [](CIntelGraphic& c) { return c.SetDPST(1, 5); }},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.debug);
        sdk_.blocks[c.guid.Data1] = Pattern(240, {{12, 1}});
        Fail(c.guid, c.reads, c.writes, c.throws);
        host::ClearCaptures();
        EXPECT_EQ(c.op(cui_), c.result);
        EXPECT_EQ(host::DebugOutput(), c.debug);
    }
}

TEST_F(CuiDeviceData, OperationsWithoutADriverOrADisplay) {
    host::UnregisterComClass(cui::kProgId);
    CIntelGraphic none;
    uint32_t v[6] = {7, 7, 7, 7, 7, 7};
    EXPECT_EQ(none.GetLACE(v, v + 1, v + 2) + none.SetLACE(1, 1), 2);
    EXPECT_EQ(v[0] + v[1] + v[2], 0u);
    EXPECT_EQ(none.GetDisplayTccArray(nullptr, v + 3) + none.SetDisplayTccArray(1, v), 2);
    EXPECT_EQ(v[3], 7u);
    EXPECT_EQ(none.SetMediaTcc(1, 0, 0, 0, 0, 0, 0) + none.SetColorMatrix(0, 1, 1, 0, nullptr), 0);
    float saturation = 5;
    EXPECT_EQ(none.GetHueSat(&saturation), 0);
    EXPECT_EQ(saturation, 0.f);

    // No panel and no second display: hue and saturation have nowhere to go, which is no error.
    Register();
    sdk_.panelUid = sdk_.externalUid = 0;
    sdk_.calls.clear();
    EXPECT_EQ(CIntelGraphic().SetHueSat(0, 1), 1);
    EXPECT_TRUE(sdk_.Of(cui::kHueSatGuid).empty());
}

TEST_F(CuiDeviceData, AuxErrorTexts) {
    const std::pair<int32_t, const char*> cases[] = {
        {37, "fail:  IGFX_FAILURE\n"},
        {54, "fail:  IGFX_INVALID_OPERATION_TYPE\n"},
        {67, "fail:  IGFX_INVALID_AUX_DEVICE\n"},
        {68, "fail:  IGFX_INVALID_AUX_ADDRESS\n"},
        {69, "fail:  IGFX_INVALID_AUX_DATA_SIZE\n"},
        {70, "fail:  IGFX_AUX_DEFER\n"},
        {71, "fail:  IGFX_AUX_TIMEOUT\n"},
        {72, "fail:  IGFX_AUX_INCOMPLETE_WRITE\n"},
        {38, "\xA1\xDF\xA1\xDF QmxColor: fail code=0x26\xA1\xDF\xA1\xDF\n"},
        {-1, "\xA1\xDF\xA1\xDF QmxColor: fail code=0xffffffff\xA1\xDF\xA1\xDF\n"},
    };
    for (const auto& [error, text] : cases) {
        host::ClearCaptures();
        ReportAuxError(error);
        EXPECT_EQ(host::DebugOutput(), std::string(text) + "\n");
    }
}

TEST_F(CuiDeviceData, AuxTransfersStayInsideTheBlock) {
    const std::string tooBig = "fail:  IGFX_INVALID_AUX_DATA_SIZE\n\n";
    struct Case {
        int32_t size;
        bool sent;
        std::string debug;
    };
    // clang-format off
    const Case cases[] = {{0, true, ""}, {132, true, ""}, {133, false, tooBig}, {-1, false, tooBig},
                          {INT_MAX, false, tooBig}};
    // clang-format on
    std::vector<uint8_t> data(140);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i + 1);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        for (const bool write : {true, false}) {
            sdk_.calls.clear();
            host::ClearCaptures();
            sdk_.blocks[cui::kAuxGuid.Data1] = Pattern(148);
            std::vector<uint8_t> buffer(140, 0xEE); // guard bytes beyond any transfer
            const Bool result = write ? cui_.WriteDPAuxDataEx(8, 0x310, data.data(), c.size)
                                      : cui_.ReadDPAuxDataEx(9, 0x310, buffer.data(), c.size);
            EXPECT_EQ(result, c.sent ? 1 : 0);
            EXPECT_EQ(host::DebugOutput(), c.debug);
            ASSERT_EQ(sdk_.calls.size(), c.sent ? 1u : 0u);
            if (!c.sent) {
                continue;
            }
            const std::vector<uint8_t>& sent = sdk_.calls[0].block;
            std::vector<uint8_t> expected(148);
            const uint32_t header[4] = {kPanel, write ? 8u : 9u, uint32_t(c.size), 0x310};
            std::memcpy(expected.data(), header, sizeof header);
            const std::size_t n = static_cast<std::size_t>(c.size);
            if (write) {
                std::copy_n(data.begin(), n, expected.begin() + 16);
            } else {
                // What the driver returned, and not a byte more: the guard bytes stay.
                const std::vector<uint8_t> driver = Pattern(148);
                EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + n, driver.begin() + 16));
                EXPECT_EQ(std::count(buffer.begin() + n, buffer.end(), 0xEE), 140 - c.size);
            }
            EXPECT_EQ(sent, expected);
        }
    }

    // One-byte transfers; a driver error or a throw is reported and fails the transfer.
    uint8_t byte = 0;
    EXPECT_EQ(cui_.WriteDPAuxData(0x310, 0x1FF) + cui_.ReadDPAuxData(0x310, &byte), 2);
    EXPECT_EQ(byte, 0xFF);
    EXPECT_EQ(Word(sdk_.Of(cui::kAuxGuid)[1].block, 8), 132u);
    host::ClearCaptures();
    Fail(cui::kAuxGuid, true, true);
    EXPECT_EQ(cui_.ReadDPAuxData(0x310, &byte), 0);
    EXPECT_EQ(host::DebugOutput(), "fail:  IGFX_FAILURE\n\n");
    host::ClearCaptures();
    sdk_.throws = true;
    EXPECT_EQ(cui_.WriteDPAuxData(0x310, 1), 0);
    EXPECT_EQ(host::DebugOutput(), "catch: Intel function()\nfail:  IGFX_FAILURE\n\n");
}

TEST_F(CuiDeviceData, PanelSizeIsAskedOnceAndThenKeptInTheSettings) {
    struct Case {
        const char* name;
        uint32_t storedWidth; // 0: "LCDW" written as 0; ~0u: nothing stored
        Fields driver;        // the panel-size block
        bool fails;
        uint32_t width, height;
        bool cached;
    };
    const uint32_t none = ~0u;
    const Case cases[] = {
        {"first record", none, {{4, kPanel}, {8, 2880}, {12, 1800}}, false, 2880, 1800, true},
        {"second record", 0, {{4, 7}, {68, kPanel}, {72, 1366}, {76, 768}}, false, 1366, 768, true},
        {"no record of the display", none, {{4, 7}, {68, 8}}, false, 1920, 1080, false},
        {"read fails", none, {{4, kPanel}}, true, 1920, 1080, false},
        {"from the settings", 2560, {{4, kPanel}}, false, 2560, 1600, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::ResetState();
        std::filesystem::remove_all(root_);
        host::SetRoot(root_.string());
        if (c.storedWidth != none) {
            WriteSettingDword("LCDW", c.storedWidth);
            WriteSettingDword("LCDH", 1600);
        }
        sdk_.blocks[cui::kPanelSizeGuid.Data1] = Pattern(132, c.driver);
        Fail(cui::kPanelSizeGuid, c.fails, false);
        sdk_.calls.clear();
        uint32_t width = 0, height = 0;
        EXPECT_EQ(cui_.GetPanelSize(&width, &height), 1);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        const auto asked = sdk_.Of(cui::kPanelSizeGuid);
        ASSERT_EQ(asked.size(), c.storedWidth == 2560 ? 0u : 1u);
        if (!asked.empty()) {
            std::vector<uint8_t> request(132);
            std::memcpy(request.data() + 4, &kPanel, 4);
            EXPECT_EQ(asked[0].block, request);
        }
        uint32_t stored = none;
        ReadSettingDword("LCDW", &stored);
        EXPECT_EQ(stored, c.cached ? c.width : c.storedWidth);
        if (c.cached) {
            // The next call, in this process or another, no longer asks the driver.
            sdk_.calls.clear();
            EXPECT_EQ(CIntelGraphic().GetPanelSize(&width, &height), 1);
            EXPECT_EQ(height, c.height);
            EXPECT_TRUE(sdk_.Of(cui::kPanelSizeGuid).empty());
        }
    }
}

} // namespace
} // namespace varnet
