// Entry points of the in-process COM server.
#include "class_factory.h"
#include "com_allocation.h"
#include "module_state.h"
#include "oem_interfaces.h"

namespace zelt {
namespace {

HINSTANCE g_module = nullptr;
volatile LONG g_liveObjects = 0;
volatile LONG g_serverLocks = 0;
CRITICAL_SECTION g_stateLock;

}  // namespace

HINSTANCE ModuleHandle() { return g_module; }
void ObjectCreated() { InterlockedIncrement(&g_liveObjects); }
void ObjectDestroyed() { InterlockedDecrement(&g_liveObjects); }
void LockModule(bool lock) {
    if (lock) {
        InterlockedIncrement(&g_serverLocks);
    } else {
        InterlockedDecrement(&g_serverLocks);
    }
}

ModuleLock::ModuleLock() { EnterCriticalSection(&g_stateLock); }
ModuleLock::~ModuleLock() { LeaveCriticalSection(&g_stateLock); }

}  // namespace zelt

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        zelt::g_module = instance;
        InitializeCriticalSection(&zelt::g_stateLock);
    } else if (reason == DLL_PROCESS_DETACH) {
        DeleteCriticalSection(&zelt::g_stateLock);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID interfaceId, void** out) {
    if (!IsEqualCLSID(classId, CLSID_ZeltOemUI)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = zelt::MakeComObject<zelt::OemUIClassFactory>();
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(interfaceId, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return (zelt::g_liveObjects == 0 && zelt::g_serverLocks == 0) ? S_OK : S_FALSE;
}
