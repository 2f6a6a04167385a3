#include "help.h"

#include <winspool.h>

#include <cstdlib>
#include <cwchar>

namespace zelt {
namespace {

// The help file's full path in a malloc'd buffer, or null: without the
// driver directory or the memory for the path no help is opened.
wchar_t* HelpFilePath() {
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
    if (needed < sizeof(wchar_t)) return nullptr;
    const std::wstring_view suffix = HelpFileSuffix(GetSystemDefaultLCID());
    const std::size_t bytes = needed + 2 * suffix.size() + 2;
    auto* path = static_cast<wchar_t*>(std::malloc(bytes));
    if (path == nullptr) return nullptr;
    DWORD filled = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path), needed, &filled)) {
        std::free(path);
        return nullptr;
    }
    const std::size_t capacity = needed / sizeof(wchar_t);
    const std::size_t length = wcsnlen(path, capacity);
    if (length == capacity) {  // the spooler gave no terminated directory
        std::free(path);
        return nullptr;
    }
    wmemcpy(path + length, suffix.data(), suffix.size());
    path[length + suffix.size()] = L'\0';
    return path;
}

}  // namespace

void ShowContextHelp(HWND from, DWORD contextId) {
    wchar_t* path = HelpFilePath();
    if (path == nullptr) return;
    WinHelpW(from, path, HELP_CONTEXT, contextId);
    std::free(path);
}

void ShowControlHelp(const HELPINFO* request, HelpTableId table) {
    if (request == nullptr) return;
    wchar_t* path = HelpFilePath();
    if (path == nullptr) return;
    WinHelpW(static_cast<HWND>(request->hItemHandle), path, HELP_WM_HELP,
             reinterpret_cast<ULONG_PTR>(HelpTable(table)));
    std::free(path);
}

}  // namespace zelt
