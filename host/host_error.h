// Set-up failures reach the user as one line of text: what was being done and
// the system's error code with its message.
#pragma once

#include <windows.h>

#include <string>

namespace zelt::host {

std::wstring Win32Failure(const std::wstring& action, DWORD code = GetLastError());

}  // namespace zelt::host
