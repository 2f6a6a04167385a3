// Paths across the Wine boundary. The spooler runs a pipe port's command on
// the Unix side, so the capture script and folder must be named as Unix
// paths; the user may name folders either way.
#pragma once

#include <string>

namespace zelt::host {

// Empty when not running under Wine or the path cannot be mapped.
std::wstring UnixPathOf(const std::wstring& windowsPath);

// A folder argument: "/..." is a Unix path and is mapped to its Windows
// name; anything else is taken as a Windows path and made absolute.
// Empty when it cannot be mapped.
std::wstring WindowsFolderOf(const std::wstring& argument);

// Creates the folder and its missing parents.
bool MakeFolders(const std::wstring& windowsPath, std::wstring& error);

}  // namespace zelt::host
