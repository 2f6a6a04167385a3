// Sheet benchmark: the time from the host's request for the pages to every
// page shown, per printer model, against two floors opened the same way in
// the same run: a sheet of the same number of empty pages (the sheet's own
// cost), and a sheet of the plug-in's own page templates behind dialog
// procedures that do nothing (the cost of the controls themselves).
//   sheet_benchmark.exe RUNS MODEL.GPD...
// Prints one line per run:
//   "time <model> <pages> <plug-in ms> <empty pages ms> <templates ms>
//    <spooler ms> <controls ms>"
// where the last two are the parts of the plug-in's opening spent in its
// spooler calls (GetPrinterDataW, SetPrinterDataW, GetPrinterW,
// GetPrinterDriverW) and in its strings and control calls (LoadStringW,
// SendDlgItemMessageW, SendMessageW, CheckDlgButton, EnableWindow,
// SetDlgItemTextW), timed through its import table.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "iat_hook.h"
#include "page_driver.h"

using namespace zelt;

namespace {

INT_PTR CALLBACK DoNothingPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The pages the plug-in asks for, as it describes them, while recording.
using CreatePageFunction = HPROPSHEETPAGE(WINAPI*)(LPCPROPSHEETPAGEW);
CreatePageFunction g_createPage = nullptr;
std::vector<PROPSHEETPAGEW> g_pluginPages;

HPROPSHEETPAGE WINAPI RecordingCreatePage(LPCPROPSHEETPAGEW page) {
    g_pluginPages.push_back(*page);
    return g_createPage(page);
}

// --- Where the plug-in's own time goes ---------------------------------------------
double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

enum Share { kSpooler, kControls, kShares };
double g_shareMs[kShares];
double g_shareAtShownMs[kShares];  // up to every page shown, as the sheet is timed
int g_depth = 0;  // a control message may run the page's procedure, which calls again

template <Share share, typename Call>
auto Timed(Call call) {
    const bool outermost = g_depth++ == 0;
    const double start = Now();
    auto result = call();
    if (outermost) g_shareMs[share] += Now() - start;
    --g_depth;
    return result;
}

decltype(&GetPrinterDataW) g_getPrinterData = nullptr;
decltype(&SetPrinterDataW) g_setPrinterData = nullptr;
decltype(&GetPrinterW) g_getPrinter = nullptr;
decltype(&GetPrinterDriverW) g_getPrinterDriver = nullptr;
decltype(&LoadStringW) g_loadString = nullptr;
decltype(&SendDlgItemMessageW) g_sendDlgItemMessage = nullptr;
decltype(&SendMessageW) g_sendMessage = nullptr;
decltype(&CheckDlgButton) g_checkDlgButton = nullptr;
decltype(&EnableWindow) g_enableWindow = nullptr;
decltype(&SetDlgItemTextW) g_setDlgItemText = nullptr;

DWORD WINAPI TimedGetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed) {
    return Timed<kSpooler>([&] { return g_getPrinterData(printer, name, type, data, size, needed); });
}
DWORD WINAPI TimedSetPrinterData(HANDLE printer, LPWSTR name, DWORD type, LPBYTE data, DWORD size) {
    return Timed<kSpooler>([&] { return g_setPrinterData(printer, name, type, data, size); });
}
BOOL WINAPI TimedGetPrinter(HANDLE printer, DWORD level, LPBYTE info, DWORD size, LPDWORD needed) {
    return Timed<kSpooler>([&] { return g_getPrinter(printer, level, info, size, needed); });
}
BOOL WINAPI TimedGetPrinterDriver(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE info, DWORD size,
                                  LPDWORD needed) {
    return Timed<kSpooler>([&] { return g_getPrinterDriver(printer, environment, level, info, size, needed); });
}
int WINAPI TimedLoadString(HINSTANCE module, UINT id, LPWSTR text, int size) {
    return Timed<kControls>([&] { return g_loadString(module, id, text, size); });
}
LRESULT WINAPI TimedSendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return Timed<kControls>([&] { return g_sendDlgItemMessage(dialog, id, message, wParam, lParam); });
}
LRESULT WINAPI TimedSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Timed<kControls>([&] { return g_sendMessage(window, message, wParam, lParam); });
}
BOOL WINAPI TimedCheckDlgButton(HWND dialog, int id, UINT check) {
    return Timed<kControls>([&] { return g_checkDlgButton(dialog, id, check); });
}
BOOL WINAPI TimedEnableWindow(HWND window, BOOL enable) {
    return Timed<kControls>([&] { return g_enableWindow(window, enable); });
}
BOOL WINAPI TimedSetDlgItemText(HWND dialog, int id, LPCWSTR text) {
    return Timed<kControls>([&] { return g_setDlgItemText(dialog, id, text); });
}

bool TimePluginShares(HMODULE plugin) {
    return HookImport(plugin, "winspool.drv", "GetPrinterDataW", &TimedGetPrinterData, g_getPrinterData) &&
           HookImport(plugin, "winspool.drv", "SetPrinterDataW", &TimedSetPrinterData, g_setPrinterData) &&
           HookImport(plugin, "winspool.drv", "GetPrinterW", &TimedGetPrinter, g_getPrinter) &&
           HookImport(plugin, "winspool.drv", "GetPrinterDriverW", &TimedGetPrinterDriver, g_getPrinterDriver) &&
           HookImport(plugin, "user32.dll", "LoadStringW", &TimedLoadString, g_loadString) &&
           HookImport(plugin, "user32.dll", "SendDlgItemMessageW", &TimedSendDlgItemMessage, g_sendDlgItemMessage) &&
           HookImport(plugin, "user32.dll", "SendMessageW", &TimedSendMessage, g_sendMessage) &&
           HookImport(plugin, "user32.dll", "CheckDlgButton", &TimedCheckDlgButton, g_checkDlgButton) &&
           HookImport(plugin, "user32.dll", "EnableWindow", &TimedEnableWindow, g_enableWindow) &&
           HookImport(plugin, "user32.dll", "SetDlgItemTextW", &TimedSetDlgItemText, g_setDlgItemText);
}

// A stand-in plug-in that adds the given pages, each behind a dialog
// procedure that does nothing.
class StandInPlugin final : public IPrintOemUI {
public:
    explicit StandInPlugin(std::vector<PROPSHEETPAGEW> pages) : pages_(std::move(pages)) {
        for (PROPSHEETPAGEW& page : pages_) {
            page.pfnDlgProc = DoNothingPageProc;
            page.lParam = 0;
        }
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD, PVOID, DWORD, PDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DevMode(DWORD, OEMDMPARAM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD, void*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PROPSHEETUI_INFO*, LPARAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) override {
        LONG_PTR result = 1;
        if (info->Reason == PROPSHEETUI_REASON_INIT) {
            for (const PROPSHEETPAGEW& page : pages_) {
                result = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                                               reinterpret_cast<LPARAM>(CreatePropertySheetPageW(&page)), 0);
            }
        } else if (info->Reason == PROPSHEETUI_REASON_GET_INFO_HEADER) {
            reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam)->pTitle = const_cast<LPWSTR>(L"Baseline");
        }
        info->Result = result;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DevQueryPrintEx(void*, void*, PDEVMODEW, PVOID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeviceCapabilities(void*, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD,
                                                 DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR, INT, DWORD, LPARAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE, void*, PDEVMODEW, PVOID, ULONG, VOID*, ULONG*,
                                                FLONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override { return E_NOTIMPL; }

private:
    std::vector<PROPSHEETPAGEW> pages_;
};

// `count` pages of this program's empty template: the sheet's own cost.
std::vector<PROPSHEETPAGEW> EmptyPages(int count) {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_HASHELP;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(1);
    return std::vector<PROPSHEETPAGEW>(static_cast<std::size_t>(count), page);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Opens the sheet, shows every page in turn, and returns the milliseconds
// that took (negative on failure); the sheet is then cancelled.
double TimeSheet(IPrintOemUI* plugin, OEMUIPSPARAM* params, int& pages) {
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    host::SheetSession sheet(plugin, params);
    std::wstring error;
    if (!sheet.Open(error)) {
        std::fwprintf(stderr, L"sheet_benchmark: %ls\n", error.c_str());
        return -1;
    }
    pages = sheet.PageCount();
    for (int i = 0; i < pages; ++i) {
        if (!sheet.SelectPage(i) || sheet.PageWindow(i) == nullptr) return -1;
    }
    QueryPerformanceCounter(&shown);
    for (int share = 0; share < kShares; ++share) g_shareAtShownMs[share] = g_shareMs[share];
    sheet.Press(host::SheetButton::kCancel);
    sheet.WaitClosed(error);
    return Milliseconds(start, shown);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: sheet_benchmark RUNS MODEL.GPD...\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    for (int m = 2; m < argc; ++m) {
        const std::wstring model = argv[m];
        test::PageSession session;
        std::wstring error;
        if (!session.Prepare(model, error)) {
            std::fwprintf(stderr, L"sheet_benchmark: %ls: %ls\n", model.c_str(), error.c_str());
            return 1;
        }
        // One untimed opening, which records the pages the plug-in describes:
        // the first repairs the printer's values and warms the caches of
        // every sheet.
        g_pluginPages.clear();
        HMODULE module = session.plugin().module();
        void* real = ReplaceImport(module, "comctl32.dll", "CreatePropertySheetPageW",
                                   reinterpret_cast<void*>(&RecordingCreatePage));
        if (real == nullptr) {
            std::fwprintf(stderr, L"sheet_benchmark: the plug-in does not import CreatePropertySheetPageW\n");
            return 1;
        }
        g_createPage = reinterpret_cast<CreatePageFunction>(real);
        int pages = 0;
        TimeSheet(session.plugin().plugin(), session.plugin().sheetParams(), pages);
        ReplaceImport(module, "comctl32.dll", "CreatePropertySheetPageW", real);
        StandInPlugin empty(EmptyPages(pages));
        StandInPlugin templates(g_pluginPages);
        IPrintOemUI* const sheets[] = {session.plugin().plugin(), &empty, &templates};
        int shownPages = 0;
        TimeSheet(&empty, session.plugin().sheetParams(), shownPages);
        TimeSheet(&templates, session.plugin().sheetParams(), shownPages);
        if (!TimePluginShares(module)) {
            std::fwprintf(stderr, L"sheet_benchmark: the plug-in's calls could not be hooked\n");
            return 1;
        }
        for (int run = 0; run < runs; ++run) {
            // Each sheet takes each place in the order in turn.
            double ms[3];
            double shares[kShares] = {};
            for (int i = 0; i < 3; ++i) {
                const int which = (run + i) % 3;
                for (double& share : g_shareMs) share = 0;
                ms[which] = TimeSheet(sheets[which], session.plugin().sheetParams(), shownPages);
                if (ms[which] < 0) return 1;
                if (which == 0) std::copy(g_shareAtShownMs, g_shareAtShownMs + kShares, shares);
            }
            std::wprintf(L"time %ls %d %.2f %.2f %.2f %.2f %.2f\n", model.c_str(), pages, ms[0], ms[1], ms[2],
                         shares[kSpooler], shares[kControls]);
            std::fflush(stdout);
        }
    }
    return 0;
}
