#include "plugin_loader.h"

#include <cstdlib>
#include <cstdio>

#include "plugin_session.h"

PluginModule& PluginModule::Get() {
    static PluginModule plugin = [] {
        PluginModule p;
        const std::wstring path = zelt::host::DefaultPluginPath();
        p.module = LoadLibraryW(path.c_str());
        if (p.module == nullptr) {
            std::fprintf(stderr, "cannot load %ls (error %lu)\n", path.c_str(), GetLastError());
            std::exit(2);
        }
        p.getClassObject =
            reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(p.module, "DllGetClassObject")));
        p.canUnloadNow =
            reinterpret_cast<CanUnloadNowFn>(reinterpret_cast<void*>(GetProcAddress(p.module, "DllCanUnloadNow")));
        return p;
    }();
    return plugin;
}

IClassFactory* PluginModule::Factory() const {
    void* factory = nullptr;
    if (FAILED(getClassObject(CLSID_ZeltOemUI, IID_IClassFactory, &factory))) return nullptr;
    return static_cast<IClassFactory*>(factory);
}

IPrintOemUI* PluginModule::CreateObject() const {
    IClassFactory* factory = Factory();
    if (factory == nullptr) return nullptr;
    void* object = nullptr;
    factory->CreateInstance(nullptr, IID_IPrintOemUI, &object);
    factory->Release();
    return static_cast<IPrintOemUI*>(object);
}
