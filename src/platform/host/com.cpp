// COM classes of the sandbox: a ProgID table, factories, a per-thread "COM initialised" count,
// and COM strings laid out as BSTRs (a byte length before the text).
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host/sandbox.h"
#include "platform/host/sandbox_internal.h"
#include "platform/platform.h"

namespace varnet::platform {
namespace {

constexpr long kEInvalidArg = static_cast<long>(0x80070057);
constexpr long kEPointer = static_cast<long>(0x80004003);

struct ComClass {
    std::u16string progId;
    Guid clsid;
    host::ComFactory factory;
};

struct Classes {
    std::mutex mutex;
    std::vector<ComClass> list;
};

Classes& Table() {
    static auto* classes = new Classes;
    return *classes;
}

thread_local int t_comInitialized = 0;

// ProgIDs are registry key names: compared without case.
bool SameProgId(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

namespace host {

void RegisterComClass(const std::u16string& progId, const Guid& clsid, ComFactory factory) {
    Classes& table = Table();
    std::lock_guard lock(table.mutex);
    for (ComClass& c : table.list) {
        if (SameProgId(c.progId, progId)) {
            c.clsid = clsid;
            c.factory = std::move(factory);
            return;
        }
    }
    table.list.push_back(ComClass{progId, clsid, std::move(factory)});
}

void UnregisterComClass(const std::u16string& progId) {
    Classes& table = Table();
    std::lock_guard lock(table.mutex);
    std::erase_if(table.list, [&](const ComClass& c) { return SameProgId(c.progId, progId); });
}

} // namespace host

long ClsidFromProgId(const char16_t* progId, Guid* clsid) {
    if (long code = 0; host::detail::FaultFires("ClsidFromProgId", &code)) {
        return code;
    }
    if (progId == nullptr || clsid == nullptr) {
        return kEInvalidArg;
    }
    Classes& table = Table();
    std::lock_guard lock(table.mutex);
    for (const ComClass& c : table.list) {
        if (SameProgId(c.progId, progId)) {
            *clsid = c.clsid;
            return kSOk;
        }
    }
    return kCoEClassString;
}

long CreateComInstance(const Guid& clsid, uint32_t /*context*/, const Guid& iid, void** object) {
    if (long code = 0; host::detail::FaultFires("CreateComInstance", &code)) {
        if (object != nullptr) {
            *object = nullptr;
        }
        return code;
    }
    if (object == nullptr) {
        return kEPointer;
    }
    *object = nullptr;
    if (t_comInitialized == 0) {
        return kCoENotInitialized;
    }
    host::ComFactory factory;
    {
        Classes& table = Table();
        std::lock_guard lock(table.mutex);
        for (const ComClass& c : table.list) {
            if (c.clsid == clsid) {
                factory = c.factory;
                break;
            }
        }
    }
    if (!factory) {
        return kRegDbEClassNotReg;
    }
    return factory(iid, object); // outside the lock: a factory may use the sandbox
}

ComString AllocComString(const char16_t* text) {
    if (text == nullptr) {
        return nullptr;
    }
    if (long code = 0; host::detail::FaultFires("AllocComString", &code)) {
        return nullptr;
    }
    size_t length = std::char_traits<char16_t>::length(text);
    auto* block = static_cast<uint8_t*>(std::malloc(sizeof(uint32_t) + (length + 1) * 2));
    if (block == nullptr) {
        return nullptr;
    }
    auto bytes = static_cast<uint32_t>(length * 2);
    std::memcpy(block, &bytes, sizeof bytes);
    auto* string = reinterpret_cast<char16_t*>(block + sizeof(uint32_t));
    std::memcpy(string, text, (length + 1) * 2);
    return string;
}

void FreeComString(ComString text) {
    if (text != nullptr) {
        std::free(reinterpret_cast<uint8_t*>(text) - sizeof(uint32_t));
    }
}

bool ComInitializeThread() {
    ++t_comInitialized;
    return true;
}

void ComUninitializeThread() {
    if (t_comInitialized > 0) {
        --t_comInitialized;
    }
}

} // namespace varnet::platform
