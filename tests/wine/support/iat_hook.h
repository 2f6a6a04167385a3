// Test support: replaces one imported function of a loaded module by patching
// its import address table, so a test can watch what the module passes to the
// system (the page descriptions, the version it sees) while the real call
// still happens through the returned original.
#pragma once

#include <windows.h>

// Returns the previous address, or nullptr when `module` does not import
// `function` from `dll` (names compared case-insensitively for the DLL).
void* ReplaceImport(HMODULE module, const char* dll, const char* function, void* replacement);

// ReplaceImport for a replacement that calls on through `original`: keeps
// the real function there, also when the module already holds the
// replacement (a module kept loaded from an earlier use). False when the
// module does not import `function`.
template <typename Function>
bool HookImport(HMODULE module, const char* dll, const char* function, Function replacement, Function& original) {
    void* previous = ReplaceImport(module, dll, function, reinterpret_cast<void*>(replacement));
    if (previous == nullptr) return false;
    if (previous != reinterpret_cast<void*>(replacement)) original = reinterpret_cast<Function>(previous);
    return true;
}
