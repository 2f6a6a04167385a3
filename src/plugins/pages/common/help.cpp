#include "help.h"

#include <winspool.h>

#include <cstdio>
#include <cstdlib>

namespace zelt {
namespace {

// HtmlHelpW of hhctrl.ocx, looked for once, when first needed, and never
// imported: the module must load on systems without HTML Help, and WinHelp
// stays the way when it cannot be had. The library is loaded by its full path
// in the system folder, never by a search: the module runs inside whatever
// program opens a printer's Properties, where a bare name is looked for in
// that program's folder, the current directory and along PATH. A failure is
// kept for the module's life, so F1 does not look again.
using HtmlHelpProc = HWND(WINAPI*)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);
HtmlHelpProc g_htmlHelp = nullptr;
bool g_htmlHelpLookedFor = false;

HtmlHelpProc LoadHtmlHelp() {
    wchar_t systemFolder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(systemFolder, MAX_PATH);
    constexpr std::size_t kPathChars = MAX_PATH + kHtmlHelpLibrary.size();
    wchar_t path[kPathChars];
    // 0, or at least MAX_PATH when the folder did not fit (and left the buffer undefined).
    if (length == 0 || length >= MAX_PATH ||
        !ComposeHelpPath(systemFolder, MAX_PATH, kHtmlHelpLibrary, {}, path, kPathChars)) {
        return nullptr;
    }
    // Its own imports are looked for beside it first.
    HMODULE library = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr) return nullptr;
    auto proc = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
    if (proc == nullptr) {
        FreeLibrary(library);
        return nullptr;
    }
    // hhctrl.ocx stays loaded: its help windows may outlive the sheet.
    return proc;
}

// Marked as looked for only once the look is over, so that help asked for
// meanwhile (a second sheet's thread) never takes a look under way for a failed one.
HtmlHelpProc HtmlHelpEntry() {
    if (!g_htmlHelpLookedFor) {
        g_htmlHelp = LoadHtmlHelp();
        g_htmlHelpLookedFor = true;
    }
    return g_htmlHelp;
}

// The paths of one help request, in one malloc'd block; null members when
// the driver directory or the memory could not be had.
struct HelpPaths {
    wchar_t* block = nullptr;
    wchar_t* winHelp = nullptr;     // ...\3\qrv_ras_help[_J]_HJW.hlp
    wchar_t* htmlHelp = nullptr;    // the .chm beside it
    wchar_t* inHtmlHelp = nullptr;  // a file inside the .chm: <.chm>::/<file>

    HelpPaths() = default;
    HelpPaths(const HelpPaths&) = delete;
    HelpPaths& operator=(const HelpPaths&) = delete;
    ~HelpPaths() { std::free(block); }
};

bool FindHelpPaths(std::wstring_view chmFile, HelpPaths& paths) {
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
    if (needed < sizeof(wchar_t)) return false;
    const DWORD lcid = GetSystemDefaultLCID();
    const std::wstring_view hlp = HelpFileSuffix(lcid);
    const std::wstring_view chm = HtmlHelpFileSuffix(lcid);
    const std::size_t directoryChars = (needed + sizeof(wchar_t) - 1) / sizeof(wchar_t);
    // Every path has room for the directory, its file name, the file inside the .chm and a terminator.
    const std::size_t pathChars = directoryChars + chm.size() + kChmFileSeparator.size() + chmFile.size() + 1;
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
    wchar_t* inHtmlHelp = htmlHelp + pathChars;
    if (!ComposeHelpPath(directory, directoryChars, hlp, {}, winHelp, pathChars) ||
        !ComposeHelpPath(directory, directoryChars, chm, {}, htmlHelp, pathChars) ||
        !ComposeHelpPath(htmlHelp, pathChars, kChmFileSeparator, chmFile, inHtmlHelp, pathChars)) {
        return false;
    }
    paths.winHelp = winHelp;
    paths.htmlHelp = htmlHelp;
    paths.inHtmlHelp = inHtmlHelp;
    return true;
}

// A file is there when it can be opened for reading, as the journals are tested.
bool FileCanBeRead(const wchar_t* path) {
    FILE* file = _wfopen(path, L"rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// `chmFile` is what HTML Help opens inside the .chm: the page's topic, or the
// text-popup file of a control's help.
void OpenHelp(HelpRequest request, HWND caller, ULONG_PTR data, std::wstring_view chmFile) {
    HelpPaths paths;
    if (!FindHelpPaths(chmFile, paths)) return;
    const bool chmPresent = FileCanBeRead(paths.htmlHelp);
    HtmlHelpProc htmlHelp = chmPresent ? HtmlHelpEntry() : nullptr;
    const HelpCall call = ChooseHelpCall(request, chmPresent, htmlHelp != nullptr);
    if (call.viewer == HelpViewer::kHtmlHelp) {
        // A failing HtmlHelpW shows nothing; WinHelp would show the wrong (or
        // no) file. A topic is named by its path alone.
        htmlHelp(caller, paths.inHtmlHelp, call.command, request == HelpRequest::kPageTopic ? 0 : data);
    } else {
        WinHelpW(caller, paths.winHelp, call.command, data);
    }
}

}  // namespace

void ShowContextHelp(HWND from, DWORD contextId) {
    OpenHelp(HelpRequest::kPageTopic, from, contextId, PageTopic(contextId));
}

void ShowControlHelp(const HELPINFO* request, HelpTableId table) {
    if (request == nullptr) return;
    OpenHelp(HelpRequest::kControlPopup, static_cast<HWND>(request->hItemHandle),
             reinterpret_cast<ULONG_PTR>(HelpTable(table)), kHtmlHelpPopupFile);
}

}  // namespace zelt
