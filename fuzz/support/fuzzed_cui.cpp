// The fuzzed CUI SDK object: each call may throw, and its result, error value and every block
// byte it hands back come from the fuzzer.
#include <atomic>
#include <stdexcept>

#include "backend/cui_sdk.h"
#include "platform/host/sandbox.h"
#include "support/fuzz_input.h"
#include "support/fuzzed_driver.h"

namespace varnet::fuzz {
namespace {

using cui::HResult;
using platform::Guid;

// {3C0F6E21-8D4B-4A77-B2E9-6F1D0C5A9B13}: this fuzzer's class, nobody else's.
constexpr Guid kFuzzClsid = {
    0x3C0F6E21, 0x8D4B, 0x4A77, {0xB2, 0xE9, 0x6F, 0x1D, 0x0C, 0x5A, 0x9B, 0x13}};
constexpr Guid kIidUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr HResult kENotImpl = static_cast<HResult>(0x80004001);

std::atomic<long> liveObjects{0};
volatile uint8_t sink = 0;

FuzzInput& In() {
    return Input();
}

void Touch(const uint8_t* data, uint32_t size) {
    uint8_t sum = 0;
    for (uint32_t i = 0; data != nullptr && i < size; ++i) {
        sum = static_cast<uint8_t>(sum + data[i]);
    }
    sink = sum;
}

// The call's outcome: maybe an exception, else a result and an error value.
HResult Answer(int32_t* error) {
    static constexpr int32_t kErrors[] = {
        cui::kIgfxFailure,           cui::kIgfxInvalidOperationType, cui::kIgfxInvalidAuxDevice,
        cui::kIgfxInvalidAuxAddress, cui::kIgfxInvalidAuxDataSize,   cui::kIgfxAuxDefer,
        cui::kIgfxAuxTimeout,        cui::kIgfxAuxIncompleteWrite};
    const uint8_t b = In().Byte();
    if (b == 0xFE) {
        throw std::runtime_error("fuzzed SDK object threw");
    }
    HResult result = 0;
    if (b >= 0xF0) {
        result = b == 0xFF ? In().Value<HResult>() : static_cast<HResult>(platform::kEFail);
    }
    if (error != nullptr) {
        const uint8_t e = In().Byte();
        *error = e < 0xC0 ? 0 : e == 0xFF ? In().Value<int32_t>() : kErrors[e % std::size(kErrors)];
    }
    return result;
}

class FuzzedCui final : public cui::ICUIExternal8 {
public:
    FuzzedCui() { ++liveObjects; }

    HResult QueryInterface(const Guid& iid, void** object) override {
        if (object == nullptr) {
            return static_cast<HResult>(0x80004003);
        }
        if (iid == kIidUnknown || iid == cui::kIidCuiExternal8) {
            AddRef();
            *object = this;
            return 0;
        }
        *object = nullptr;
        return static_cast<HResult>(platform::kENoInterface);
    }
    uint32_t AddRef() override { return ++references_; }
    uint32_t Release() override {
        const uint32_t left = --references_;
        if (left == 0) {
            --liveObjects;
            delete this;
        }
        return left;
    }
    HResult Unused03() override { return kENotImpl; }
    HResult Unused04() override { return kENotImpl; }
    HResult Unused05() override { return kENotImpl; }
    HResult Unused06() override { return kENotImpl; }
    HResult Unused07() override { return kENotImpl; }
    HResult Unused08() override { return kENotImpl; }
    HResult Unused09() override { return kENotImpl; }
    HResult Unused10() override { return kENotImpl; }
    HResult Unused11() override { return kENotImpl; }
    HResult EnumAttachableDevices(cui::ComString displayName, int32_t, uint32_t* uid,
                                  int32_t* deviceType, int32_t* state) override {
        for (const char16_t* c = displayName; c != nullptr && *c != u'\0'; ++c) {
            sink = static_cast<uint8_t>(*c);
        }
        const HResult result = Answer(nullptr);
        if (uid != nullptr) {
            *uid = In().Value<uint32_t>();
        }
        if (deviceType != nullptr) {
            *deviceType = In().Value<int32_t>();
        }
        if (state != nullptr) {
            *state = In().Value<int32_t>();
        }
        return result;
    }
    HResult Unused13() override { return kENotImpl; }
    HResult Unused14() override { return kENotImpl; }
    HResult Unused15() override { return kENotImpl; }
    HResult Unused16() override { return kENotImpl; }
    HResult Unused17() override { return kENotImpl; }
    HResult Unused18() override { return kENotImpl; }
    HResult Unused19() override { return kENotImpl; }
    HResult Unused20() override { return kENotImpl; }
    HResult Unused21() override { return kENotImpl; }
    HResult Unused22() override { return kENotImpl; }
    HResult Unused23() override { return kENotImpl; }
    HResult Unused24() override { return kENotImpl; }
    HResult GetGammaRamp(uint32_t, uint32_t size, uint8_t* ramp, int32_t* error) override {
        return Read(size, ramp, error);
    }
    HResult SetGammaRamp(uint32_t, uint32_t size, uint8_t* ramp, int32_t* error) override {
        return Write(size, ramp, error);
    }
    HResult Unused27() override { return kENotImpl; }
    HResult Unused28() override { return kENotImpl; }
    HResult Unused29() override { return kENotImpl; }
    HResult Unused30() override { return kENotImpl; }
    HResult Unused31() override { return kENotImpl; }
    HResult Unused32() override { return kENotImpl; }
    HResult Unused33() override { return kENotImpl; }
    HResult Unused34() override { return kENotImpl; }
    HResult Unused35() override { return kENotImpl; }
    HResult Unused36() override { return kENotImpl; }
    HResult Unused37() override { return kENotImpl; }
    HResult Unused38() override { return kENotImpl; }
    HResult Unused39() override { return kENotImpl; }
    HResult Unused40() override { return kENotImpl; }
    HResult Unused41() override { return kENotImpl; }
    HResult Unused42() override { return kENotImpl; }
    HResult GetDeviceData(Guid, uint32_t size, uint8_t* block, int32_t* error) override {
        return Read(size, block, error);
    }
    HResult SetDeviceData(Guid, uint32_t size, uint8_t* block, int32_t* error) override {
        return Write(size, block, error);
    }
    HResult GetDeviceDataEx(Guid, uint32_t headerSize, uint8_t* header, uint32_t dataSize,
                            uint8_t* data, int32_t* error) override {
        Touch(header, headerSize);
        const HResult result = Answer(error);
        if (header != nullptr) {
            In().Bytes(header, headerSize);
        }
        if (data != nullptr) {
            In().Bytes(data, dataSize);
        }
        return result;
    }
    HResult SetDeviceDataEx(Guid, uint32_t headerSize, uint8_t* header, uint32_t dataSize,
                            uint8_t* data, int32_t* error) override {
        Touch(header, headerSize);
        Touch(data, dataSize);
        return Answer(error);
    }

private:
    ~FuzzedCui() = default;

    // The SDK reads the caller's block (its identifying fields) before it answers in place.
    HResult Read(uint32_t size, uint8_t* block, int32_t* error) {
        Touch(block, size);
        const HResult result = Answer(error);
        if (block != nullptr) {
            In().Bytes(block, size);
        }
        return result;
    }
    HResult Write(uint32_t size, uint8_t* block, int32_t* error) {
        Touch(block, size);
        const HResult result = Answer(error);
        // A set may hand back fields in place too (the DPST block reads back its change mask).
        if (block != nullptr && In().OneIn(8)) {
            In().Bytes(block, size);
        }
        return result;
    }

    uint32_t references_ = 1;
};

long Create(const Guid& iid, void** object) {
    if (In().OneIn(16)) {
        return platform::kEFail;
    }
    auto* created = new FuzzedCui();
    const long result = created->QueryInterface(iid, object);
    created->Release();
    return result;
}

} // namespace

void RegisterFuzzedCui() {
    platform::host::RegisterComClass(cui::kProgId, kFuzzClsid, &Create);
}

void UnregisterFuzzedCui() {
    platform::host::UnregisterComClass(cui::kProgId);
}

long LiveFuzzedCuiObjects() {
    return liveObjects.load();
}

} // namespace varnet::fuzz
