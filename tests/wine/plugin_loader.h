// Test support: the plug-in DLL loaded from beside the test program, with its
// two exports and a fresh plug-in object.
#pragma once

#include <windows.h>

#include "frame/oem_interfaces.h"

struct PluginModule {
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

    HMODULE module = nullptr;
    GetClassObjectFn getClassObject = nullptr;
    CanUnloadNowFn canUnloadNow = nullptr;

    // Loads once per process; later calls return the same module.
    static PluginModule& Get();

    IClassFactory* Factory() const;
    IPrintOemUI* CreateObject() const;
};
