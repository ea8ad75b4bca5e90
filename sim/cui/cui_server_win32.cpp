// IgfxCuiSim.dll as an in-process COM server: the class object that CoCreateInstance asks for,
// and whether the DLL may be unloaded.
#include "cui/cui_object.h"

#include <unknwn.h>
#include <windows.h>

#include <atomic>

namespace {

std::atomic<long> g_serverLocks{0};

// COM interfaces have no virtual destructor: objects end through Release, never delete.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One static instance lives as long as the DLL; its count means nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return varnet::sim::cui::CreateCuiObject(
            reinterpret_cast<const varnet::platform::Guid&>(iid), object);
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            ++g_serverLocks;
        else
            --g_serverLocks;
        return S_OK;
    }
};

#pragma GCC diagnostic pop

ClassFactory g_factory;

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!varnet::sim::cui::SameGuid(reinterpret_cast<const varnet::platform::Guid&>(clsid),
                                    varnet::sim::cui::kSimClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return varnet::sim::cui::LiveCuiObjects() == 0 && g_serverLocks.load() == 0 ? S_OK : S_FALSE;
}
