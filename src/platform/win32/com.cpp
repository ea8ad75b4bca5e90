// COM, from ole32 and oleaut32.
#include "platform/win32/windows_api.h"

#include "platform/platform.h"

namespace varnet::platform {

static_assert(sizeof(GUID) == sizeof(Guid));
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

const GUID& AsGuid(const Guid& guid) {
    return *reinterpret_cast<const GUID*>(&guid);
}

} // namespace

long ClsidFromProgId(const char16_t* progId, Guid* clsid) {
    return ::CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(progId), reinterpret_cast<CLSID*>(clsid));
}

long CreateComInstance(const Guid& clsid, uint32_t context, const Guid& iid, void** object) {
    return ::CoCreateInstance(AsGuid(clsid), nullptr, context, AsGuid(iid), object);
}

ComString AllocComString(const char16_t* text) {
    return reinterpret_cast<ComString>(::SysAllocString(reinterpret_cast<const OLECHAR*>(text)));
}

void FreeComString(ComString text) {
    ::SysFreeString(reinterpret_cast<BSTR>(text));
}

bool ComInitializeThread() {
    return SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void ComUninitializeThread() {
    ::CoUninitialize();
}

} // namespace varnet::platform
