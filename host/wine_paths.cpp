#include "wine_paths.h"

#include <windows.h>

#include <vector>

#include "host_error.h"

namespace zelt::host {
namespace {

// Exported by Wine's kernel32 only; the results are on the process heap.
using UnixNameFunction = char* (*)(const wchar_t*);
using DosNameFunction = wchar_t* (*)(const char*);

void* WineExport(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name));
}

std::wstring Utf8ToWide(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(length - 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    return wide;
}

std::string WideToUtf8(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string narrow(length - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring UnixPathOf(const std::wstring& windowsPath) {
    auto toUnix = reinterpret_cast<UnixNameFunction>(WineExport("wine_get_unix_file_name"));
    if (!toUnix) return {};
    char* unixName = toUnix(windowsPath.c_str());
    if (!unixName) return {};
    std::wstring result = Utf8ToWide(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

std::wstring WindowsFolderOf(const std::wstring& argument) {
    std::wstring windowsPath = argument;
    if (!argument.empty() && argument[0] == L'/') {
        auto toDos = reinterpret_cast<DosNameFunction>(WineExport("wine_get_dos_file_name"));
        if (!toDos) return {};
        wchar_t* dosName = toDos(WideToUtf8(argument).c_str());
        if (!dosName) return {};
        windowsPath = dosName;
        HeapFree(GetProcessHeap(), 0, dosName);
    }
    const DWORD length = GetFullPathNameW(windowsPath.c_str(), 0, nullptr, nullptr);
    if (length == 0) return {};
    std::vector<wchar_t> full(length);
    if (GetFullPathNameW(windowsPath.c_str(), length, full.data(), nullptr) == 0) return {};
    std::wstring result(full.data());
    while (result.size() > 3 && result.back() == L'\\') result.pop_back();
    return result;
}

bool MakeFolders(const std::wstring& windowsPath, std::wstring& error) {
    for (std::size_t i = 0; i <= windowsPath.size(); ++i) {
        if (i < windowsPath.size() && windowsPath[i] != L'\\') continue;
        const std::wstring prefix = windowsPath.substr(0, i);
        if (prefix.empty() || prefix.back() == L':') continue;
        if (!CreateDirectoryW(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            error = Win32Failure(L"creating folder " + prefix);
            return false;
        }
    }
    const DWORD attributes = GetFileAttributesW(windowsPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = L"'" + windowsPath + L"' is not a folder";
        return false;
    }
    return true;
}

}  // namespace zelt::host
