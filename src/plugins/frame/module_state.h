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

}  // namespace zelt
