// Test support: replaces one imported function of a loaded module by patching
// its import address table, so a test can watch what the module passes to the
// system (the page descriptions, the version it sees) while the real call
// still happens through the returned original.
#pragma once

#include <windows.h>

// Returns the previous address, or nullptr when `module` does not import
// `function` from `dll` (names compared case-insensitively for the DLL).
void* ReplaceImport(HMODULE module, const char* dll, const char* function, void* replacement);
