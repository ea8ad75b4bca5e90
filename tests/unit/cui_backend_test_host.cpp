// The CUI back-end against a fake SDK object registered in the platform sandbox.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "backend/cintel_graphic.h"
#include "backend/cui_guarded_calls.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet {
namespace {

namespace host = platform::host;
using cui::HResult;
using platform::Guid;

constexpr Guid kFakeClsid = {0x0BADC0DE, 0x1234, 0x4321, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr char kAdapterKey[] = "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\"
                               "{6A1B2C3D-0000-4000-8000-00000000CAFE}\\0000";
constexpr char kAdapterSubKey[] = "System\\CurrentControlSet\\Control\\Video\\"
                                  "{6A1B2C3D-0000-4000-8000-00000000CAFE}\\0000";
constexpr char kNotAttached[] = "Requested Device Not Attached\r\n";

struct FakeDevice {
    std::u16string display;
    int32_t index;
    uint32_t uid;
    int32_t type;
    int32_t state;
};

// Answers the enumeration from a device list, the EDID and LACE blocks from fields, and records
// what it was asked. The test owns it; Release only counts.
class FakeCuiSdk final : public cui::ICUIExternal8 {
public:
    virtual ~FakeCuiSdk() = default;

    std::vector<FakeDevice> devices;
    uint8_t edid[128] = {};
    HResult edidResult = 0;
    uint32_t laceSupported = 1;
    HResult laceResult = 0;
    bool throwEverywhere = false;
    int32_t errorBeforeThrow = 0;

    int enumerations = 0;
    int releases = 0;
    std::vector<cui::EdidBlock> edidRequests;
    std::vector<uint32_t> edidRequestSizes;
    std::vector<cui::LaceBlock> laceRequests;

    HResult QueryInterface(const Guid& /*iid*/, void** object) override {
        *object = nullptr;
        return platform::kENoInterface;
    }
    uint32_t AddRef() override { return 2; }
    uint32_t Release() override {
        ++releases;
        return 1;
    }
    HResult EnumAttachableDevices(platform::ComString name, int32_t index, uint32_t* uid,
                                  int32_t* deviceType, int32_t* state) override {
        ++enumerations;
        MaybeThrow(nullptr);
        for (const FakeDevice& d : devices) {
            if (d.display == name && d.index == index) {
                *uid = d.uid;
                *deviceType = d.type;
                *state = d.state;
                return 0;
            }
        }
        *uid = 0;
        *deviceType = 0;
        *state = 0;
        return platform::kEFail;
    }
    HResult GetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block, int32_t* error) override {
        MaybeThrow(error);
        if (dataGuid == cui::kEdidGuid && size == sizeof(cui::EdidBlock)) {
            cui::EdidBlock request;
            std::memcpy(&request, block, sizeof request);
            edidRequests.push_back(request);
            edidRequestSizes.push_back(size);
            if (edidResult != 0) {
                *error = cui::kIgfxFailure;
                return edidResult;
            }
            std::memcpy(block + offsetof(cui::EdidBlock, edid), edid, sizeof edid);
            return 0;
        }
        if (dataGuid == cui::kLaceGuid && size == sizeof(cui::LaceBlock)) {
            cui::LaceBlock request;
            std::memcpy(&request, block, sizeof request);
            laceRequests.push_back(request);
            if (laceResult != 0) {
                *error = cui::kIgfxFailure;
                return laceResult;
            }
            request.supported = laceSupported;
            std::memcpy(block, &request, sizeof request);
            return 0;
        }
        return platform::kEFail;
    }
    HResult SetDeviceData(Guid /*dataGuid*/, uint32_t /*size*/, uint8_t* /*block*/,
                          int32_t* error) override {
        MaybeThrow(error);
        return 7;
    }

    // clang-format off
#define VARNET_UNUSED_SLOT(n) HResult Unused##n() override { return platform::kEFail; }
    VARNET_UNUSED_SLOT(03) VARNET_UNUSED_SLOT(04) VARNET_UNUSED_SLOT(05) VARNET_UNUSED_SLOT(06)
    VARNET_UNUSED_SLOT(07) VARNET_UNUSED_SLOT(08) VARNET_UNUSED_SLOT(09) VARNET_UNUSED_SLOT(10)
    VARNET_UNUSED_SLOT(11) VARNET_UNUSED_SLOT(13) VARNET_UNUSED_SLOT(14) VARNET_UNUSED_SLOT(15)
    VARNET_UNUSED_SLOT(16) VARNET_UNUSED_SLOT(17) VARNET_UNUSED_SLOT(18) VARNET_UNUSED_SLOT(19)
    VARNET_UNUSED_SLOT(20) VARNET_UNUSED_SLOT(21) VARNET_UNUSED_SLOT(22) VARNET_UNUSED_SLOT(23)
    VARNET_UNUSED_SLOT(24) VARNET_UNUSED_SLOT(27) VARNET_UNUSED_SLOT(28) VARNET_UNUSED_SLOT(29)
    VARNET_UNUSED_SLOT(30) VARNET_UNUSED_SLOT(31) VARNET_UNUSED_SLOT(32) VARNET_UNUSED_SLOT(33)
    VARNET_UNUSED_SLOT(34) VARNET_UNUSED_SLOT(35) VARNET_UNUSED_SLOT(36) VARNET_UNUSED_SLOT(37)
    VARNET_UNUSED_SLOT(38) VARNET_UNUSED_SLOT(39) VARNET_UNUSED_SLOT(40) VARNET_UNUSED_SLOT(41)
    VARNET_UNUSED_SLOT(42)
#undef VARNET_UNUSED_SLOT
    HResult GetGammaRamp(uint32_t, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    HResult SetGammaRamp(uint32_t, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    HResult GetDeviceDataEx(Guid, uint32_t, uint8_t*, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    HResult SetDeviceDataEx(Guid, uint32_t, uint8_t*, uint32_t, uint8_t*, int32_t*) override { return platform::kEFail; }
    // clang-format on

private:
    void MaybeThrow(int32_t* error) const {
        if (!throwEverywhere) {
            return;
        }
        if (error != nullptr) {
            *error = errorBeforeThrow;
        }
        throw std::runtime_error("driver fault");
    }
};

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + what.size())) {
        ++n;
    }
    return n;
}

void SetEdidText(uint8_t (&edid)[128], const char* text) {
    std::memset(edid + 113, ' ', 11);
    std::memcpy(edid + 113, text, std::strlen(text));
}

class CuiBackendHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("varnet-cui-") + info->name());
        std::filesystem::remove_all(root_);
        host::SetRoot(root_.string());
        host::ResetState();
        ASSERT_TRUE(platform::ComInitializeThread());
        RegisterFake();

        // A laptop: the panel is type 0 under DISPLAY1, an external screen type 3 under DISPLAY2.
        sdk_.devices = {{u"\\\\.\\DISPLAY1", 0, 0x1001, 2, 0},
                        {u"\\\\.\\DISPLAY2", 0, 0x2002, 3, 0}};
        SetEdidText(sdk_.edid, "lp156wf9");
        InstallDriverVersion("31.0.101.4502");
        GammaScale = kGammaScaleDefault;
        GammaMax = kGammaMaxDefault;
    }

    void TearDown() override {
        host::UnregisterComClass(cui::kProgId);
        platform::ComUninitializeThread();
        host::ResetState();
        GammaScale = kGammaScaleDefault;
        GammaMax = kGammaMaxDefault;
        std::filesystem::remove_all(root_);
    }

    void RegisterFake() {
        host::RegisterComClass(cui::kProgId, kFakeClsid, [this](const Guid& iid, void** object) {
            ++creations_;
            if (!(iid == cui::kIidCuiExternal8)) {
                return platform::kENoInterface;
            }
            if (createResult_ != platform::kSOk) {
                return createResult_;
            }
            *object = static_cast<cui::ICUIExternal8*>(&sdk_);
            return platform::kSOk;
        });
    }

    static void InstallDriverVersionValue(uint32_t type, const void* data, uint32_t size) {
        host::SetDisplayAdapterKey(kAdapterKey);
        platform::RegKey key = nullptr;
        ASSERT_EQ(platform::RegCreateKeyEx(platform::RegRoot::LocalMachine, kAdapterSubKey,
                                           platform::kKeyAllAccess, &key),
                  platform::kErrorSuccess);
        platform::RegSetValueEx(key, "DriverVersion", type, static_cast<const uint8_t*>(data),
                                size);
        platform::RegCloseKey(key);
    }

    static void InstallDriverVersion(const std::string& text, uint32_t type = platform::kRegSz) {
        InstallDriverVersionValue(type, text.c_str(), static_cast<uint32_t>(text.size() + 1));
    }

    std::filesystem::path root_;
    FakeCuiSdk sdk_;
    long createResult_ = platform::kSOk;
    int creations_ = 0;
};

TEST_F(CuiBackendHostTest, ConnectsFindsThePanelAndNamesIt) {
    {
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_TRUE(cui.Connected());
        EXPECT_EQ(cui.MonitorUid(0), 0x1001u);
        EXPECT_EQ(cui.MonitorUid(3), 0x2002u);
        EXPECT_EQ(cui.MonitorUid(4), 0u);
        EXPECT_EQ(cui.RequestedMonitorType(), 0);
        EXPECT_EQ(cui.DriverVersion(), 1014502u);
        EXPECT_EQ(GammaScale, kGammaScaleDefault);
        EXPECT_EQ(GammaMax, kGammaMaxDefault);
        // Only type 4 is missing on this laptop.
        EXPECT_EQ(host::DebugOutput(), kNotAttached);

        ASSERT_EQ(sdk_.laceRequests.size(), 1u);
        EXPECT_EQ(sdk_.laceRequests[0].version, 1u);
        EXPECT_EQ(sdk_.laceRequests[0].uid, 0x1001u);

        EXPECT_STREQ(cui.GetPannelModelName(), "LP156WF9");
        ASSERT_EQ(sdk_.edidRequests.size(), 1u);
        EXPECT_EQ(sdk_.edidRequestSizes[0], 268u);
        EXPECT_EQ(sdk_.edidRequests[0].uid, 0x1001u);
        const cui::EdidBlock zero;
        EXPECT_EQ(std::memcmp(reinterpret_cast<const uint8_t*>(&sdk_.edidRequests[0]) + 4,
                              reinterpret_cast<const uint8_t*>(&zero) + 4, sizeof zero - 4),
                  0);

        // Connected: a second start does nothing at all.
        const int enumerations = sdk_.enumerations;
        EXPECT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(sdk_.enumerations, enumerations);
        EXPECT_EQ(sdk_.laceRequests.size(), 1u);
        EXPECT_EQ(sdk_.releases, 0);
    }
    EXPECT_EQ(sdk_.releases, 1);
    EXPECT_EQ(creations_, 1);
}

TEST_F(CuiBackendHostTest, FailedConnectionsSayWhyAndAreRetried) {
    struct Case {
        long code;
        const char* text;
    };
    const Case cases[] = {
        {platform::kCoEClassString, "CLSIDFromProgID Fail : CO_E_CLASSSTRING\r\n"},
        {platform::kRegDbEWriteRegDb, "CLSIDFromProgID Fail : REGDB_E_WRITEREGDB\r\n"},
        {platform::kEOutOfMemory, "CLSIDFromProgID Fail : UNKNOWN\r\n"},
    };
    for (const Case& c : cases) {
        host::ClearCaptures();
        host::InjectFault("ClsidFromProgId", 1, false, c.code);
        CIntelGraphic cui;
        EXPECT_EQ(cui.InitLib(), 0);
        EXPECT_EQ(host::DebugOutput(), c.text);
    }
    host::UnregisterComClass(cui::kProgId);
    host::ClearCaptures();
    CIntelGraphic cui;
    EXPECT_EQ(cui.InitLib(), 0);
    EXPECT_EQ(host::DebugOutput(), "CLSIDFromProgID Fail : CO_E_CLASSSTRING\r\n");

    RegisterFake();
    createResult_ = platform::kRegDbEClassNotReg;
    host::ClearCaptures();
    EXPECT_EQ(cui.InitLib(), 0);
    EXPECT_EQ(host::DebugOutput(), "CoCreateInstance Fail");
    EXPECT_FALSE(cui.Connected());

    // Nothing is remembered of a failure: the next call tries again.
    createResult_ = platform::kSOk;
    EXPECT_EQ(cui.InitLib(), 1);
    EXPECT_TRUE(cui.Connected());
    EXPECT_EQ(creations_, 2);

    // The library never enters COM itself: a thread that did not gets no object.
    std::string debug;
    std::thread worker([&debug] {
        CIntelGraphic other;
        EXPECT_EQ(other.InitLib(), 0);
        EXPECT_FALSE(other.Connected());
        debug = host::DebugOutput();
    });
    worker.join();
    EXPECT_NE(debug.find("CoCreateInstance Fail"), std::string::npos) << debug;
}

TEST_F(CuiBackendHostTest, MonitorSearch) {
    const std::u16string d1 = u"\\\\.\\DISPLAY1";
    const std::u16string d2 = u"\\\\.\\DISPLAY2";
    const std::u16string d3 = u"\\\\.\\DISPLAY3";
    struct Case {
        const char* name;
        std::vector<FakeDevice> devices;
        uint32_t uid0;
        uint32_t uid3;
        uint32_t uid4;
        MonitorType requested;
        int enumerations;
    };
    const Case cases[] = {
        {"panel only under DISPLAY2", {{d2, 1, 0x22, 2, 0}}, 0x22, 0, 0, 0, 6 + 12 + 12},
        {"state 1 is skipped",
         {{d1, 0, 0x11, 2, 1}, {d1, 2, 0x12, 2, 0}},
         0x12,
         0,
         0,
         0,
         3 + 12 + 12},
        {"only a skipped panel", {{d1, 0, 0x11, 2, 1}}, 0, 0, 0, 3, 36},
        {"a match with UID 0 is passed over",
         {{d1, 0, 0, 2, 0}, {d3, 3, 0x33, 2, 0}},
         0x33,
         0,
         0,
         0,
         1 + 4 + 4 + 12 + 12},
        {"external screen only", {{d1, 0, 0x31, 3, 0}}, 0, 0x31, 0, 3, 12 + 1 + 12},
        {"type 4 is device code 5", {{d3, 0, 0x51, 5, 0}}, 0, 0, 0x51, 3, 12 + 12 + 9},
        {"device codes 1 and 4 belong to no searched type",
         {{d1, 0, 7, 1, 0}, {d1, 1, 8, 4, 0}},
         0,
         0,
         0,
         3,
         36},
        {"nothing attached", {}, 0, 0, 0, 3, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sdk_.devices = c.devices;
        sdk_.enumerations = 0;
        host::ClearCaptures();
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(cui.MonitorUid(0), c.uid0);
        EXPECT_EQ(cui.MonitorUid(3), c.uid3);
        EXPECT_EQ(cui.MonitorUid(4), c.uid4);
        EXPECT_EQ(cui.RequestedMonitorType(), c.requested);
        EXPECT_EQ(sdk_.enumerations, c.enumerations);
        std::string notAttached;
        for (const uint32_t uid : {c.uid0, c.uid3, c.uid4}) {
            if (uid == 0) {
                notAttached += kNotAttached;
            }
        }
        EXPECT_EQ(host::DebugOutput(), notAttached);
    }
}

TEST_F(CuiBackendHostTest, MonitorThatDisappearsKeepsItsLastUid) {
    CIntelGraphic cui;
    ASSERT_EQ(cui.InitLib(), 1);
    sdk_.devices.clear();
    host::ClearCaptures();
    EXPECT_EQ(cui.GetMonitorUid(0), 0);
    EXPECT_EQ(cui.MonitorUid(0), 0x1001u);
    EXPECT_EQ(host::DebugOutput(), kNotAttached);
}

TEST_F(CuiBackendHostTest, DisplayNameThatCannotBeAllocatedEndsTheSearch) {
    sdk_.devices = {};
    CIntelGraphic cui;
    ASSERT_EQ(cui.InitLib(), 1);
    // A panel reported with UID 0 under DISPLAY1 counts as found, though it gives no UID.
    sdk_.devices = {{u"\\\\.\\DISPLAY1", 0, 0, 2, 0}, {u"\\\\.\\DISPLAY2", 0, 0x22, 2, 0}};
    struct Case {
        int failingAllocation; // 1: DISPLAY1's name, 2: DISPLAY2's, 3: never reached
        Bool result;
        uint32_t uid;
        bool logged;
    };
    for (const Case c : {Case{1, 0, 0, true}, Case{2, 1, 0, true}, Case{3, 1, 0x22, false}}) {
        SCOPED_TRACE(c.failingAllocation);
        host::ClearCaptures();
        host::InjectFault("AllocComString", c.failingAllocation, false);
        EXPECT_EQ(cui.GetMonitorUid(0), c.result);
        EXPECT_EQ(cui.MonitorUid(0), c.uid);
        EXPECT_EQ(host::DebugOutput(), c.logged ? "GetDeviceTypeFormMonType" : "");
        host::ClearFaults();
    }

    // Failing from the start, every searched type is logged and none is found.
    host::InjectFault("AllocComString", 1, true);
    host::ClearCaptures();
    CIntelGraphic fresh;
    ASSERT_EQ(fresh.InitLib(), 1);
    EXPECT_EQ(Count(host::DebugOutput(), "GetDeviceTypeFormMonType"), 3u);
    EXPECT_EQ(fresh.RequestedMonitorType(), 3);
}

TEST_F(CuiBackendHostTest, DriverVersionAndLaceDecideTheGammaRange) {
    struct Case {
        const char* name;
        uint32_t type;
        std::string value; // as stored, terminator included for text types
        uint32_t laceSupported;
        HResult laceResult;
        uint32_t version;
        bool fullRange;
    };
    using namespace std::string_literals;
    const uint32_t sz = platform::kRegSz;
    const Case cases[] = {
        {"current driver", sz, "31.0.101.4502\0"s, 1, 0, 1014502, true},
        {"first full-range driver", sz, "27.20.100.7870\0"s, 1, 0, 1007870, true},
        {"one revision older", sz, "27.20.100.7869\0"s, 1, 0, 1007869, false},
        {"three parts", sz, "31.0.101\0"s, 1, 0, 0, false},
        {"no LACE", sz, "31.0.101.4502\0"s, 0, 0, 1014502, false},
        {"LACE answered as 2", sz, "31.0.101.4502\0"s, 2, 0, 1014502, true},
        {"LACE read fails", sz, "31.0.101.4502\0"s, 1, 5, 1014502, false},
        {"expandable text", platform::kRegExpandSz, "31.0.101.4502\0"s, 1, 0, 1014502, true},
        {"multi-string", platform::kRegMultiSz, "31.0.101.4502\0\0"s, 1, 0, 1014502, true},
        {"stored without terminator", sz, "31.0.101.4502"s, 1, 0, 1014502, true},
        {"a number, not text", platform::kRegDword, "\xA6\x7A\x0F\x00"s, 1, 0, 0, false},
        {"too long for the buffer", sz, "27.20.100.7870"s + std::string(300, '0') + '\0', 1, 0, 0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallDriverVersionValue(c.type, c.value.data(), static_cast<uint32_t>(c.value.size()));
        sdk_.laceSupported = c.laceSupported;
        sdk_.laceResult = c.laceResult;
        GammaScale = 1;
        GammaMax = 1;
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(cui.DriverVersion(), c.version);
        EXPECT_EQ(GammaScale, c.fullRange ? 257u : 256u);
        EXPECT_EQ(GammaMax, c.fullRange ? 65535u : 65280u);
        EXPECT_EQ(cui.IsLACESupport(), c.laceResult != 0 ? 0 : static_cast<Bool>(c.laceSupported));
    }

    // No adapter, a key text without "System", a key that does not exist: no version.
    sdk_.laceResult = 0;
    for (const char* adapterKey : {"", "\\Registry\\Machine\\Hardware\\Video\\0000",
                                   "\\Registry\\Machine\\System\\Nowhere\\0000"}) {
        SCOPED_TRACE(adapterKey);
        host::SetDisplayAdapterKey(adapterKey);
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(cui.DriverVersion(), 0u);
        EXPECT_EQ(GammaScale, 256u);
    }
}

TEST_F(CuiBackendHostTest, PanelNameFromEdidTextOrHexadecimal) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"text", "lp156wf9", "LP156WF9"},
        {"first blank ends the text", "ab c\n", "AB"},
        {"no text", "", "2D4C_1234"},
    };
    sdk_.edid[8] = 0x4C;
    sdk_.edid[9] = 0x2D;
    sdk_.edid[10] = 0x34;
    sdk_.edid[11] = 0x12;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetEdidText(sdk_.edid, c.text);
        CIntelGraphic cui; // connects on its own
        EXPECT_STREQ(cui.GetPannelModelName(), c.expected);
        EXPECT_TRUE(cui.Connected());
    }

    // Without the panel the external screen's EDID is read.
    sdk_.devices = {{u"\\\\.\\DISPLAY1", 1, 0x3003, 3, 0}};
    sdk_.edidRequests.clear();
    CIntelGraphic external;
    external.GetPannelModelName();
    ASSERT_EQ(sdk_.edidRequests.size(), 1u);
    EXPECT_EQ(sdk_.edidRequests[0].uid, 0x3003u);
}

TEST_F(CuiBackendHostTest, PanelNameFailuresGiveAnEmptyString) {
    struct Case {
        const char* name;
        bool registered;
        bool panel;
        HResult edidResult;
        const char* debug;
    };
    const Case cases[] = {
        {"no SDK object", false, true, 0, "GetPannelModelName : NULL == m_pCUIExternal8\r\n"},
        {"no display", true, false, 0, "GetPannelModelName : 0 == m_adwMonUID[m_ReqMonType]\r\n"},
        {"EDID read fails", true, true, 1, "GetDeviceData (IGFX_EDID_GUID_1_0) Error "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::UnregisterComClass(cui::kProgId);
        if (c.registered) {
            RegisterFake();
        }
        sdk_.devices.clear();
        if (c.panel) {
            sdk_.devices.push_back({u"\\\\.\\DISPLAY1", 0, 0x1001, 2, 0});
        }
        sdk_.edidResult = c.edidResult;
        CIntelGraphic cui;
        host::ClearCaptures();
        const char* id = cui.GetPannelModelName();
        ASSERT_NE(id, nullptr);
        EXPECT_STREQ(id, "");
        const std::string debug = host::DebugOutput();
        ASSERT_GE(debug.size(), std::strlen(c.debug));
        EXPECT_EQ(debug.substr(debug.size() - std::strlen(c.debug)), c.debug);
    }
}

TEST_F(CuiBackendHostTest, SdkThatThrowsEverywhereStillLeavesAWorkingObject) {
    sdk_.throwEverywhere = true;
    sdk_.errorBeforeThrow = 0;
    {
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(Count(host::DebugOutput(), "GetDeviceTypeFormMonType"), 3u);
        const int enumerations = sdk_.enumerations;
        EXPECT_EQ(cui.InitLib(), 1); // connected, so nothing is tried again
        EXPECT_EQ(sdk_.enumerations, enumerations);
        EXPECT_EQ(cui.RequestedMonitorType(), 3);
        EXPECT_EQ(GammaScale, 256u); // the LACE read threw: no LACE
        EXPECT_EQ(cui.IsLACESupport(), 0);
        EXPECT_STREQ(cui.GetPannelModelName(), "");
    }
    EXPECT_EQ(sdk_.releases, 1);
}

TEST_F(CuiBackendHostTest, GuardedCallsTurnExceptionsIntoTheErrorValue) {
    cui::LaceBlock block;
    int32_t error = 0;
    EXPECT_EQ(CuiGetDeviceData(nullptr, cui::kLaceGuid, sizeof block, &block, &error), 0);
    EXPECT_EQ(CuiSetDeviceData(nullptr, cui::kLaceGuid, sizeof block, &block, &error), 0);

    // Results pass through unchanged.
    sdk_.laceResult = 0x2A;
    EXPECT_EQ(CuiGetDeviceData(&sdk_, cui::kLaceGuid, sizeof block, &block, &error), 0x2A);
    EXPECT_EQ(CuiSetDeviceData(&sdk_, cui::kLaceGuid, sizeof block, &block, &error), 7);

    sdk_.throwEverywhere = true;
    sdk_.errorBeforeThrow = 0x45;
    error = 0;
    EXPECT_EQ(CuiGetDeviceData(&sdk_, cui::kLaceGuid, sizeof block, &block, &error), 0x45);
    error = 0;
    EXPECT_EQ(CuiSetDeviceData(&sdk_, cui::kLaceGuid, sizeof block, &block, &error), 0x45);
}

} // namespace
} // namespace varnet
