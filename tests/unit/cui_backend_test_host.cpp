// The CUI back-end against the simulated SDK object; the sandbox's faults reach the COM look-up
// and string allocation, which the simulator cannot.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "backend/cintel_graphic.h"
#include "backend/cui_guarded_calls.h"
#include "backend/packed_3d_lut.h"
#include "cui/cui_object.h"
#include "platform/host/sandbox.h"
#include "support/sandbox_faults.h"
#include "support/test_machine.h"

namespace varnet {
namespace {

namespace host = platform::host;
using nlohmann::json;

constexpr char kNotAttached[] = "Requested Device Not Attached\r\n";

// A CUI device reporting a readable EDID.
json Device(int display, int index, int uid, int type, int state = 0) {
    json device = {{"displayName", "\\\\.\\DISPLAY" + std::to_string(display)}, {"index", index}};
    device.update({{"uid", uid}, {"type", type}, {"state", state}, {"edid", {{"text", "PANEL"}}}});
    return device;
}

class CuiBackend : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(machine.Installed()) << machine.InstallError();
        host::ClearCaptures();
    }
    void TearDown() override {
        GammaScale = kGammaScaleDefault;
        GammaMax = kGammaMaxDefault;
    }
    // The default laptop with its top-level entries replaced by those of changes.
    void Use(const json& changes) {
        json scenario = test::TestMachine::DefaultScenario();
        scenario.update(changes);
        machine.SetScenario(scenario);
    }

    test::TestMachine machine;
};

TEST_F(CuiBackend, UnreadableEdidLeavesThePanelUnnamed) {
    CIntelGraphic cui;
    ASSERT_EQ(cui.InitLib(), 1);
    Use(R"({"faults": [{"call": "GetDeviceData", "when": {"guid": "edid"}, "error": 5}]})"_json);
    host::ClearCaptures();
    EXPECT_STREQ(cui.GetPannelModelName(), "");
    EXPECT_EQ(host::DebugOutput(), "GetDeviceData (IGFX_EDID_GUID_1_0) Error ");
}

TEST_F(CuiBackend, FailedConnectionSaysWhyAndIsTriedAgain) {
    const std::pair<long, const char*> cases[] = {
        {platform::kCoEClassString, "CLSIDFromProgID Fail : CO_E_CLASSSTRING\r\n"},
        {platform::kRegDbEWriteRegDb, "CLSIDFromProgID Fail : REGDB_E_WRITEREGDB\r\n"},
        {platform::kEOutOfMemory, "CLSIDFromProgID Fail : UNKNOWN\r\n"}};
    CIntelGraphic cui;
    test::SandboxFaults faults;
    for (const auto& [code, text] : cases) {
        host::ClearCaptures();
        faults.Inject("ClsidFromProgId", 1, false, code);
        EXPECT_EQ(cui.InitLib(), 0);
        EXPECT_EQ(host::DebugOutput(), text);
    }
    // The library never enters COM itself: a thread that did not gets no object.
    host::ClearCaptures();
    std::thread([] { EXPECT_EQ(CIntelGraphic().InitLib(), 0); }).join();
    EXPECT_EQ(host::DebugOutput(), "CoCreateInstance Fail");
    EXPECT_EQ(cui.InitLib(), 1);
}

TEST_F(CuiBackend, MonitorSearch) {
    struct Case {
        json devices;
        uint32_t uids[3]; // of types 0, 3 and 4
        MonitorType requested;
        std::size_t enumerations;
    };
    const Case cases[] = {
        {{Device(2, 1, 0x22, 2)}, {0x22, 0, 0}, 0, 6 + 12 + 12},
        {{Device(1, 0, 0x11, 2, 1), Device(1, 2, 0x12, 2)}, {0x12, 0, 0}, 0, 3 + 24},   // state 1
        {{Device(1, 0, 0, 2), Device(3, 3, 0x33, 2)}, {0x33, 0, 0}, 0, 1 + 4 + 4 + 24}, // UID 0
        {{Device(1, 0, 0x31, 3)}, {0, 0x31, 0}, 3, 12 + 1 + 12},
        {{Device(3, 0, 0x51, 5)}, {0, 0, 0x51}, 3, 12 + 12 + 9},
        {{Device(1, 0, 7, 1), Device(1, 1, 8, 4)}, {0, 0, 0}, 3, 36}, // no searched type
        {json::array(), {0, 0, 0}, 3, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.devices.dump());
        Use({{"cuiDevices", c.devices}});
        machine.ClearJournal();
        host::ClearCaptures();
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        const uint32_t uids[3] = {cui.MonitorUid(0), cui.MonitorUid(3), cui.MonitorUid(4)};
        EXPECT_TRUE(std::equal(uids, uids + 3, c.uids));
        EXPECT_EQ(cui.RequestedMonitorType(), c.requested);
        EXPECT_EQ(machine.Count("EnumAttachableDevices"), c.enumerations);
        std::string notAttached;
        for (uint32_t uid : uids) {
            notAttached += uid == 0 ? kNotAttached : "";
        }
        EXPECT_EQ(host::DebugOutput(), notAttached);
        EXPECT_EQ(cui.GetMonitorUid(0), uids[0] != 0 ? 1 : 0);
        // The panel's EDID, or the external screen's when there is no panel.
        EXPECT_EQ(*cui.GetPannelModelName() == '\0', uids[0] == 0 && uids[1] == 0);
    }
}

TEST_F(CuiBackend, SearchThatFailsKeepsTheLastUid) {
    Use({{"cuiDevices", {Device(1, 0, 0, 2), Device(2, 0, 0x22, 2)}}});
    CIntelGraphic cui;
    ASSERT_EQ(cui.InitLib(), 1);
    // The nth display name cannot be allocated: the search ends, a match before it counts.
    // The search stops at its match, so a third name is never asked for.
    test::SandboxFaults faults;
    for (const auto& [nth, result, reached] :
         {std::tuple{1, 0, true}, {2, 1, true}, {3, 1, false}}) {
        host::ClearCaptures();
        faults.Inject("AllocComString", nth, false);
        if (!reached) {
            faults.ExpectUnfired("AllocComString");
        }
        EXPECT_EQ(cui.GetMonitorUid(0), result) << nth;
        EXPECT_EQ(cui.MonitorUid(0), 0x22u) << nth;
        EXPECT_EQ(host::DebugOutput(), reached ? "GetDeviceTypeFormMonType" : "") << nth;
        faults.Clear();
    }
    Use(R"({"faults": [{"call": "EnumAttachableDevices", "result": 1}]})"_json);
    host::ClearCaptures();
    EXPECT_EQ(cui.GetMonitorUid(0), 0);
    EXPECT_EQ(cui.MonitorUid(0), 0x22u);
    EXPECT_EQ(host::DebugOutput(), kNotAttached);
}

TEST_F(CuiBackend, DriverVersionAndLaceDecideTheGammaRange) {
    std::string adapterKey;
    ASSERT_TRUE(platform::FirstDisplayAdapterKey(adapterKey));
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegOpenKeyEx(platform::RegRoot::LocalMachine,
                                     adapterKey.substr(adapterKey.find("System")).c_str(),
                                     platform::kKeyAllAccess, &key),
              platform::kErrorSuccess);
    using namespace std::string_literals;
    const std::string current = "31.0.101.4502\0"s;
    const uint32_t sz = platform::kRegSz;
    struct Case {
        uint32_t type;
        std::string stored;
        json lace; // the panel's LACE field; null: its read fails
        uint32_t version;
        bool fullRange;
    };
    // clang-format off
    const Case cases[] = {
        {sz, current, 1, 1014502, true},             {sz, "27.20.100.7870\0"s, 1, 1007870, true},
        {sz, "27.20.100.7869\0"s, 1, 1007869, false}, {sz, "31.0.101\0"s, 1, 0, false},
        {sz, current, 0, 1014502, false},            {sz, current, 2, 1014502, true},
        {sz, current, nullptr, 1014502, false},
        {platform::kRegExpandSz, current, 1, 1014502, true},
        {platform::kRegMultiSz, current + '\0', 1, 1014502, true},
        {sz, "31.0.101.4502"s, 1, 1014502, true}, // stored without its terminator
        {platform::kRegDword, "...7"s, 1, 0, false}, // a number, though it would read as text
        {sz, "27.20.100.7870"s + std::string(300, '0') + '\0', 1, 0, false}, // too long to read
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.substr(0, 16) + " LACE " + c.lace.dump());
        platform::RegSetValueEx(key, "DriverVersion", c.type,
                                reinterpret_cast<const uint8_t*>(c.stored.data()),
                                static_cast<uint32_t>(c.stored.size()));
        json device = Device(1, 0, 0x1000, 2);
        device["lace"] = c.lace.is_null() ? json(1) : c.lace;
        const json fault =
            R"({"call": "GetDeviceData", "when": {"guid": "lace"}, "result": 5})"_json;
        Use({{"cuiDevices", {device}}, {"faults", c.lace.is_null() ? json{fault} : json::array()}});
        GammaScale = GammaMax = 1;
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(cui.DriverVersion(), c.version);
        EXPECT_EQ(GammaScale, c.fullRange ? 257u : 256u);
        EXPECT_EQ(GammaMax, c.fullRange ? 65535u : 65280u);
        EXPECT_EQ(cui.IsLACESupport(), c.lace.is_null() ? 0 : c.lace.get<int>());
    }
    platform::RegCloseKey(key);

    // No adapter, a key text without "System", a key that does not exist: no version.
    for (const char* text : {"", "\\Registry\\Machine\\Hardware\\0000", "\\Registry\\System\\No"}) {
        host::SetDisplayAdapterKey(text);
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(cui.DriverVersion(), 0u) << text;
    }
}

TEST_F(CuiBackend, SdkThatThrowsFromEveryMethodLeavesAWorkingObject) {
    const auto throwing = [](std::initializer_list<const char*> calls) {
        json faults = json::array();
        for (const char* call : calls) {
            faults.push_back({{"call", call}, {"throw", true}});
        }
        return faults;
    };
    // The start's search and reads.
    Use({{"faults", throwing({"EnumAttachableDevices", "GetDeviceData"})}});
    {
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        const std::string logged = "GetDeviceTypeFormMonType"; // once for each type
        EXPECT_EQ(host::DebugOutput(), logged + logged + logged);
        const std::size_t calls = machine.Journal().size();
        EXPECT_EQ(cui.InitLib(), 1); // connected, so nothing is tried again
        EXPECT_EQ(machine.Journal().size(), calls);
        EXPECT_EQ(cui.RequestedMonitorType(), 3);
        EXPECT_EQ(GammaScale, 256u);
        EXPECT_EQ(cui.IsLACESupport(), 0);
        EXPECT_STREQ(cui.GetPannelModelName(), "");
    }
    EXPECT_EQ(sim::cui::LiveCuiObjects(), 0);

    // The panel found, every exchange with it throws. Only the first ramp read throws, so that
    // the ramp write gets past the read it starts with.
    json exchanges = throwing(
        {"GetDeviceData", "SetDeviceData", "GetDeviceDataEx", "SetDeviceDataEx", "SetGammaRamp"});
    exchanges.push_back({{"call", "GetGammaRamp"}, {"throw", true}, {"nth", 1}});
    Use({{"faults", exchanges}});
    {
        CIntelGraphic cui;
        ASSERT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(cui.MonitorUid(0), 0x1000u);
        std::vector<uint16_t> ramp(kGammaRampEntries);
        EXPECT_EQ(cui.GetGammaRamp(ramp.data()), 0);
        for (std::size_t k = 0; k < ramp.size(); ++k) {
            ramp[k] = static_cast<uint16_t>(k % 256 * 256); // not the ramp in force
        }
        Packed3DLut table;
        uint32_t enabled = 0;
        EXPECT_EQ(cui.SetGammaRamp(ramp.data()) + cui.Get3DLut(&enabled, &table) +
                      cui.Set3DLut(1, &table),
                  0);
        EXPECT_EQ(cui.InitLib(), 1);
        EXPECT_EQ(cui.MonitorUid(0), 0x1000u);
    }
    EXPECT_EQ(sim::cui::LiveCuiObjects(), 0);

    // A guarded call turns the exception into the error value the caller holds.
    platform::Guid clsid;
    void* object = nullptr;
    ASSERT_EQ(platform::ClsidFromProgId(cui::kProgId, &clsid), platform::kSOk);
    ASSERT_EQ(
        platform::CreateComInstance(clsid, platform::kClsCtxServer, cui::kIidCuiExternal8, &object),
        platform::kSOk);
    auto* sdk = static_cast<cui::ICUIExternal8*>(object);
    cui::LaceBlock block;
    int32_t error = 0x45;
    EXPECT_EQ(CuiGetDeviceData(sdk, cui::kLaceGuid, sizeof block, &block, &error), 0x45);
    EXPECT_EQ(CuiSetDeviceData(sdk, cui::kLaceGuid, sizeof block, &block, &error), 0x45);
    EXPECT_EQ(CuiGetDeviceData(nullptr, cui::kLaceGuid, sizeof block, &block, &error), 0);
    sdk->Release();
}

} // namespace
} // namespace varnet
