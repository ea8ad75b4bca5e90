#include "cui/cui_object.h"

#include <cstdio>
#include <cstring>

#include "common/text_utf8.h"
#include "cui/cui_answer.h"

namespace varnet::sim::cui {

namespace {

std::atomic<long> g_liveObjects{0};

bool SameDisplayName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

bool SameGuid(const Guid& a, const Guid& b) {
    return std::memcmp(&a, &b, sizeof(Guid)) == 0;
}

std::string GuidText(const Guid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

HResult CreateCuiObject(const Guid& iid, void** object) {
    CallRecord record(kSimName, call_name::CreateInstance);
    HResult result = kEFail;
    try {
        record.args = {{"iid", GuidText(iid)}};
        if (!object) {
            result = kEPointer;
        } else {
            *object = nullptr;
            int32_t unusedError = 0;
            if (!ApplyFault(record, result, unusedError)) {
                // The machine as the scenario describes it now; a test may have rewritten it.
                auto machine = CurrentScenario();
                if (!SameGuid(iid, kIidUnknown) && !SameGuid(iid, varnet::cui::kIidCuiExternal8)) {
                    result = kENoInterface;
                } else {
                    auto* created = new CuiObject(std::move(machine));
                    *object = static_cast<varnet::cui::ICUIExternal8*>(created);
                    UpdateState([](SimState& state) { ++state.cuiObjects; });
                    result = kSOk;
                }
            }
        }
    } catch (const std::exception& e) {
        // Creation reports failures by result only; an injected exception becomes one too.
        record.extra["error"] = e.what();
        result = kEFail;
    } catch (...) {
        result = kEFail;
    }
    record.Finish(static_cast<uint32_t>(result));
    return result;
}

long LiveCuiObjects() {
    return g_liveObjects.load();
}

CuiObject::CuiObject(std::shared_ptr<const Scenario> scenario) : m_scenario(std::move(scenario)) {
    ++g_liveObjects;
}

CuiObject::~CuiObject() {
    --g_liveObjects;
}

HResult CuiObject::QueryInterface(const Guid& iid, void** object) {
    if (!object)
        return kEPointer;
    if (SameGuid(iid, kIidUnknown) || SameGuid(iid, varnet::cui::kIidCuiExternal8)) {
        *object = static_cast<varnet::cui::ICUIExternal8*>(this);
        AddRef();
        return kSOk;
    }
    *object = nullptr;
    return kENoInterface;
}

uint32_t CuiObject::AddRef() {
    return ++m_references;
}

uint32_t CuiObject::Release() {
    uint32_t left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HResult CuiObject::Unused(int slot) {
    // Journalled, so that a call through a wrong position shows up in a test.
    return AnswerCui(call_name::Unused, nullptr, [&](CallRecord& record, int32_t&) {
        record.args = {{"slot", slot}};
        return kENotImpl;
    });
}

HResult CuiObject::EnumAttachableDevices(varnet::cui::ComString displayName, int32_t index,
                                         uint32_t* uid, int32_t* deviceType, int32_t* state) {
    return AnswerCui(
        call_name::EnumAttachableDevices, nullptr, [&](CallRecord& record, int32_t& error) {
            const std::string name = Utf8FromUtf16(displayName);
            record.args = {{"display", name}, {"index", index}};
            HResult result = kSOk;
            if (ApplyFault(record, result, error))
                return result;
            if (!uid || !deviceType || !state)
                return kEPointer;
            *uid = 0;
            *deviceType = 0;
            *state = 0;
            for (const CuiDeviceSpec& device : m_scenario->cuiDevices) {
                if (device.index == index && SameDisplayName(device.displayName, name)) {
                    *uid = device.uid;
                    *deviceType = device.type;
                    *state = device.state;
                    record.extra["out"] = {{"uid", *uid}, {"type", *deviceType}, {"state", *state}};
                    return kSOk;
                }
            }
            return kEInvalidArg;
        });
}

} // namespace varnet::sim::cui
