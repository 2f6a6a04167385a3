// Module-wide state of the plug-in frame, shared by the entry points, the
// class factory and the object.
#pragma once

#include <windows.h>

namespace zelt {

// The module's own handle, kept at process attach: dialog templates, strings
// and the manifest are loaded from it.
HINSTANCE ModuleHandle();

// Live OemUI objects and outstanding server locks; both decide DllCanUnloadNow.
void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);

// Held while module-wide state that sheets on different threads share is
// read or changed: the pages of each open sheet and the activation context.
class ModuleLock {
public:
    ModuleLock();
    ~ModuleLock();
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;
};

}  // namespace zelt
