// The simulated CUI SDK object, called directly through its interface.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "common/journal.h"
#include "common/sim_context.h"
#include "controllib/controllib_calls.h"
#include "cui/cui_object.h"
#include "support/test_machine.h"

namespace varnet::sim::cui {
namespace {

using nlohmann::json;
using test::TestMachine;
using varnet::cui::EdidBlock;
using varnet::cui::ICUIExternal8;
using varnet::cui::kEdidGuid;
using varnet::cui::kIidCuiExternal8;
using varnet::cui::kLaceGuid;
using varnet::cui::LaceBlock;

char16_t kDisplay1[] = u"\\\\.\\DISPLAY1";

// One reference, released at the end of the scope.
class Object {
public:
    Object() { EXPECT_EQ(CreateCuiObject(kIidCuiExternal8, reinterpret_cast<void**>(&p)), kSOk); }
    ~Object() {
        if (p)
            p->Release();
    }
    ICUIExternal8* operator->() const { return p; }
    ICUIExternal8* p = nullptr;
};

class SimCui : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(machine.Installed()) << machine.InstallError(); }

    HResult ReadEdid(Object& object, uint32_t uid, EdidBlock* block, int32_t* error,
                     uint32_t size = sizeof(EdidBlock)) {
        *block = {};
        block->uid = uid;
        return object->GetDeviceData(kEdidGuid, size, reinterpret_cast<uint8_t*>(block), error);
    }

    HResult Lace(bool write, Object& object, LaceBlock* block, int32_t* error) {
        block->version = 1;
        block->uid = 0x1000;
        uint8_t* bytes = reinterpret_cast<uint8_t*>(block);
        return write ? object->SetDeviceData(kLaceGuid, sizeof *block, bytes, error)
                     : object->GetDeviceData(kLaceGuid, sizeof *block, bytes, error);
    }

    TestMachine machine;
};

TEST_F(SimCui, ReferenceCountingAndInterfaces) {
    const long before = LiveCuiObjects();
    void* object = nullptr;
    ASSERT_EQ(CreateCuiObject(kIidUnknown, &object), kSOk);
    auto* sdk = static_cast<ICUIExternal8*>(object);
    EXPECT_EQ(LiveCuiObjects(), before + 1);

    void* again = nullptr;
    ASSERT_EQ(sdk->QueryInterface(kIidCuiExternal8, &again), kSOk);
    EXPECT_EQ(again, object);
    const Guid other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    void* none = object;
    EXPECT_EQ(sdk->QueryInterface(other, &none), kENoInterface);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(sdk->AddRef(), 3u);
    EXPECT_EQ(sdk->Release(), 2u);
    EXPECT_EQ(sdk->Release(), 1u);
    EXPECT_EQ(sdk->Release(), 0u);
    EXPECT_EQ(LiveCuiObjects(), before);

    EXPECT_EQ(CreateCuiObject(other, &object), kENoInterface);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CreateCuiObject(kIidCuiExternal8, nullptr), kEPointer);
    EXPECT_EQ(machine.Count("CreateInstance"), 3u);
}

TEST_F(SimCui, DeviceEnumerationByDisplayNameAndIndex) {
    machine.SetScenario(
        {{"cuiDevices",
          {{{"displayName", "\\\\.\\DISPLAY1"}, {"index", 0}, {"uid", "0x1000"}, {"type", 2}},
           {{"displayName", "\\\\.\\DISPLAY2"},
            {"index", 1},
            {"uid", "0x2000"},
            {"type", 3},
            {"state", 1}}}}});
    Object object;
    char16_t lower[] = u"\\\\.\\display1";
    char16_t second[] = u"\\\\.\\DISPLAY2";
    const struct {
        char16_t* name;
        int32_t index;
        HResult result;
        uint32_t uid;
        int32_t type, state;
    } cases[] = {
        {kDisplay1, 0, kSOk, 0x1000, 2, 0},    {lower, 0, kSOk, 0x1000, 2, 0},
        {kDisplay1, 1, kEInvalidArg, 0, 0, 0}, {second, 0, kEInvalidArg, 0, 0, 0},
        {second, 1, kSOk, 0x2000, 3, 1},
    };
    for (const auto& c : cases) {
        uint32_t uid = 0xEEEE;
        int32_t type = -1, state = -1;
        EXPECT_EQ(object->EnumAttachableDevices(c.name, c.index, &uid, &type, &state), c.result);
        EXPECT_EQ(uid, c.uid);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(state, c.state);
    }
    EXPECT_EQ(object->EnumAttachableDevices(kDisplay1, 0, nullptr, nullptr, nullptr), kEPointer);
    const json first = CallsNamed(machine.Journal(), "EnumAttachableDevices").at(0);
    EXPECT_EQ(first["args"]["display"], "\\\\.\\DISPLAY1");
    EXPECT_EQ(first["out"]["uid"], 0x1000);
}

TEST_F(SimCui, EdidBlockByUid) {
    Object object;
    EdidBlock block;
    int32_t error = -1;
    ASSERT_EQ(ReadEdid(object, 0x1000, &block, &error), kSOk);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(block.uid, 0x1000u);
    const std::vector<uint8_t> edid = DefaultScenario().adapters[0].displays[0].edid;
    EXPECT_EQ(std::memcmp(block.edid, edid.data(), edid.size()), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.edid) + 113, 10), "VN156FHD01");

    EXPECT_EQ(ReadEdid(object, 0x9999, &block, &error), kEFail);
    EXPECT_EQ(error, varnet::cui::kIgfxFailure);
    EXPECT_EQ(ReadEdid(object, 0x1000, &block, &error, 100), kEInvalidArg);
    EXPECT_EQ(block.edid[0], 0);
    uint8_t other[268] = {};
    const Guid unknown = {
        0xBC51E8BC, 0x3A25, 0x402E, {0x9D, 0x20, 0x4C, 0x3F, 0xC4, 0xE6, 0x8B, 0xF3}};
    EXPECT_EQ(object->GetDeviceData(unknown, sizeof other, other, &error), kENotImpl);
    EXPECT_EQ(error, varnet::cui::kIgfxInvalidOperationType);
    EXPECT_EQ(CallsNamed(machine.Journal(), "GetDeviceData").back()["args"]["guid"],
              "{BC51E8BC-3A25-402E-9D20-4C3FC4E68BF3}");
}

TEST_F(SimCui, LaceBlockSharesItsStateWithTheControlLibrary) {
    for (int supported : {0, 1, 2}) {
        machine.SetScenario({{"cuiDevices",
                              {{{"displayName", "\\\\.\\DISPLAY1"},
                                {"uid", 0x1000},
                                {"type", 2},
                                {"lace", supported}}}}});
        Object object;
        LaceBlock block{};
        int32_t error = -1;
        ASSERT_EQ(Lace(false, object, &block, &error), kSOk);
        EXPECT_EQ(block.supported, static_cast<uint32_t>(supported));
    }
    machine.SetScenario(json::object());
    Object object;
    LaceBlock block{};
    int32_t error = -1;
    block.enabled = 1;
    block.enableValue = 3;
    block.level = 55;
    ASSERT_EQ(Lace(true, object, &block, &error), kSOk);
    block = {};
    ASSERT_EQ(Lace(false, object, &block, &error), kSOk);
    EXPECT_EQ(block.enabled, 1u);
    EXPECT_EQ(block.enableValue, 3u);
    EXPECT_EQ(block.level, 55u);

    // The same driver seen through the Control Library.
    ctl_init_args_t args{};
    args.Size = sizeof args;
    args.AppVersion = CTL_MAKE_VERSION(1, 0);
    ctl_api_handle_t api = nullptr;
    ASSERT_EQ(controllib::CtlInit(&args, &api), CTL_RESULT_SUCCESS);
    uint32_t count = 1;
    ctl_device_adapter_handle_t adapter = nullptr;
    ctl_display_output_handle_t display = nullptr;
    ASSERT_EQ(controllib::CtlEnumerateDevices(api, &count, &adapter), CTL_RESULT_SUCCESS);
    ASSERT_EQ(controllib::CtlEnumerateDisplayOutputs(adapter, &count, &display),
              CTL_RESULT_SUCCESS);
    ctl_lace_config_t config{};
    config.Size = sizeof config;
    config.OpTypeGet = CTL_GET_OPERATION_FLAG_CURRENT;
    ASSERT_EQ(controllib::CtlGetLACEConfig(display, &config), CTL_RESULT_SUCCESS);
    EXPECT_TRUE(config.Enabled);
    EXPECT_EQ(config.LaceConfig.FixedAggressivenessLevelPercent, 55);
    controllib::CtlClose(api);
}

TEST_F(SimCui, Faults) {
    machine.SetScenario(
        {{"faults",
          {{{"call", "GetDeviceData"}, {"when", {{"guid", "edid"}}}, {"error", 67}, {"nth", 1}},
           {{"call", "GetDeviceData"},
            {"when", {{"guid", "edid"}}},
            {"result", 0},
            {"error", 70},
            {"nth", 2}},
           {{"call", "GetDeviceData"}, {"when", {{"guid", "lace"}}}, {"throw", true}},
           {{"call", "EnumAttachableDevices"}, {"result", "0x80004005"}}}}});
    Object object;
    EdidBlock block;
    int32_t error = -1;
    EXPECT_EQ(ReadEdid(object, 0x1000, &block, &error), kEFail);
    EXPECT_EQ(error, 67);
    EXPECT_EQ(block.edid[0], 0); // nothing filled
    EXPECT_EQ(ReadEdid(object, 0x1000, &block, &error), kSOk);
    EXPECT_EQ(error, 70);
    EXPECT_EQ(ReadEdid(object, 0x1000, &block, &error), kSOk);
    EXPECT_EQ(error, 0);

    LaceBlock lace{};
    EXPECT_THROW(Lace(false, object, &lace, &error), std::exception);
    EXPECT_EQ(CallsNamed(machine.Journal(), "GetDeviceData").back()["threw"], true);

    uint32_t uid = 7;
    int32_t type = 7, state = 7;
    EXPECT_EQ(object->EnumAttachableDevices(kDisplay1, 0, &uid, &type, &state), kEFail);
    EXPECT_EQ(uid, 7u);

    // Unused positions answer E_NOTIMPL and show up in the journal.
    EXPECT_EQ(object->Unused13(), kENotImpl);
    EXPECT_EQ(CallsNamed(machine.Journal(), "Unused").back()["args"]["slot"], 13);

    machine.SetScenario({{"faults", {{{"call", "CreateInstance"}, {"result", "0x80040154"}}}}});
    void* none = nullptr;
    EXPECT_EQ(CreateCuiObject(kIidCuiExternal8, &none), static_cast<HResult>(0x80040154));
    EXPECT_EQ(none, nullptr);
}

TEST_F(SimCui, EachObjectKeepsTheScenarioOfItsCreation) {
    Object before;
    machine.SetScenario({{"cuiDevices", json::array()}});
    Object after;
    uint32_t uid = 0;
    int32_t type = 0, state = 0;
    EXPECT_EQ(before->EnumAttachableDevices(kDisplay1, 0, &uid, &type, &state), kSOk);
    EXPECT_EQ(uid, 0x1000u);
    EXPECT_EQ(after->EnumAttachableDevices(kDisplay1, 0, &uid, &type, &state), kEInvalidArg);
    EXPECT_EQ(uid, 0u);

    machine.SetScenario({{"cuiDevices", 5}});
    void* none = nullptr;
    EXPECT_EQ(CreateCuiObject(kIidCuiExternal8, &none), kEFail);
}

} // namespace
} // namespace varnet::sim::cui
