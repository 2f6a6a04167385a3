#include "help.h"

#include <winspool.h>

#include <cstdio>
#include <cstdlib>

namespace zelt {
namespace {

// HtmlHelpW of hhctrl.ocx, found when first needed and never imported: the
// module must load on systems without HTML Help, and WinHelp stays the way
// when it cannot be had.
using HtmlHelpProc = HWND(WINAPI*)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);
HtmlHelpProc g_htmlHelp = nullptr;

HtmlHelpProc HtmlHelpEntry() {
    if (g_htmlHelp != nullptr) return g_htmlHelp;
    HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    if (library == nullptr) return nullptr;
    auto proc = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
    if (proc == nullptr) {
        FreeLibrary(library);
        return nullptr;
    }
    // hhctrl.ocx stays loaded: its help windows may outlive the sheet.
    g_htmlHelp = proc;
    return proc;
}

// The paths of one help request, in one malloc'd block; null members when
// the driver directory or the memory could not be had.
struct HelpPaths {
    wchar_t* block = nullptr;
    wchar_t* winHelp = nullptr;   // ...\3\qrv_ras_help[_J]_HJW.hlp
    wchar_t* htmlHelp = nullptr;  // the .chm beside it
    wchar_t* popups = nullptr;    // the .chm's text-popup file

    HelpPaths() = default;
    HelpPaths(const HelpPaths&) = delete;
    HelpPaths& operator=(const HelpPaths&) = delete;
    ~HelpPaths() { std::free(block); }
};

bool FindHelpPaths(HelpPaths& paths) {
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
    if (needed < sizeof(wchar_t)) return false;
    const DWORD lcid = GetSystemDefaultLCID();
    const std::wstring_view hlp = HelpFileSuffix(lcid);
    const std::wstring_view chm = HtmlHelpFileSuffix(lcid);
    const std::size_t directoryChars = (needed + sizeof(wchar_t) - 1) / sizeof(wchar_t);
    // Every path has room for the directory, its file name, the popup part and a terminator.
    const std::size_t pathChars = directoryChars + chm.size() + kHtmlHelpPopupFile.size() + 1;
    const std::size_t totalChars = directoryChars + 3 * pathChars;
    auto* block = static_cast<wchar_t*>(std::malloc(totalChars * sizeof(wchar_t)));
    if (block == nullptr) return false;
    paths.block = block;
    wchar_t* directory = block;
    DWORD filled = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                    static_cast<DWORD>(directoryChars * sizeof(wchar_t)), &filled)) {
        return false;
    }
    wchar_t* winHelp = directory + directoryChars;
    wchar_t* htmlHelp = winHelp + pathChars;
    wchar_t* popups = htmlHelp + pathChars;
    if (!ComposeHelpPath(directory, directoryChars, hlp, {}, winHelp, pathChars) ||
        !ComposeHelpPath(directory, directoryChars, chm, {}, htmlHelp, pathChars) ||
        !ComposeHelpPath(directory, directoryChars, chm, kHtmlHelpPopupFile, popups, pathChars)) {
        return false;
    }
    paths.winHelp = winHelp;
    paths.htmlHelp = htmlHelp;
    paths.popups = popups;
    return true;
}

// A file is there when it can be opened for reading, as the journals are tested.
bool FileCanBeRead(const wchar_t* path) {
    FILE* file = _wfopen(path, L"rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

void OpenHelp(HelpRequest request, HWND caller, ULONG_PTR data) {
    HelpPaths paths;
    if (!FindHelpPaths(paths)) return;
    const bool chmPresent = FileCanBeRead(paths.htmlHelp);
    HtmlHelpProc htmlHelp = chmPresent ? HtmlHelpEntry() : nullptr;
    const HelpCall call = ChooseHelpCall(request, chmPresent, htmlHelp != nullptr);
    if (call.viewer == HelpViewer::kHtmlHelp) {
        // A failing HtmlHelpW shows nothing; WinHelp would show the wrong (or no) file.
        htmlHelp(caller, call.popupFile ? paths.popups : paths.htmlHelp, call.command, data);
    } else {
        WinHelpW(caller, paths.winHelp, call.command, data);
    }
}

}  // namespace

void ShowContextHelp(HWND from, DWORD contextId) { OpenHelp(HelpRequest::kPageTopic, from, contextId); }

void ShowControlHelp(const HELPINFO* request, HelpTableId table) {
    if (request == nullptr) return;
    OpenHelp(HelpRequest::kControlPopup, static_cast<HWND>(request->hItemHandle),
             reinterpret_cast<ULONG_PTR>(HelpTable(table)));
}

}  // namespace zelt
