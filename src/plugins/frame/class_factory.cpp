#include "class_factory.h"

#include "com_allocation.h"
#include "module_state.h"
#include "oem_ui.h"

namespace zelt {

HRESULT STDMETHODCALLTYPE OemUIClassFactory::QueryInterface(REFIID interfaceId, void** out) {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE OemUIClassFactory::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE OemUIClassFactory::Release() {
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0) DestroyComObject(this);
    return remaining;
}

HRESULT STDMETHODCALLTYPE OemUIClassFactory::CreateInstance(IUnknown* outer, REFIID interfaceId, void** out) {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* object = MakeComObject<OemUI>();
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(interfaceId, out);
    object->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE OemUIClassFactory::LockServer(BOOL lock) {
    LockModule(lock != FALSE);
    return S_OK;
}

}  // namespace zelt
