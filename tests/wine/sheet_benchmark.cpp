// Sheet benchmark: the time from the host's request for the pages to every
// page shown, per printer model, against a baseline sheet of the same number
// of empty pages opened the same way in the same run.
//   sheet_benchmark.exe RUNS MODEL.GPD...
// Prints one line per run: "time <model> <pages> <plug-in ms> <baseline ms>".
#include <windows.h>

#include <cstdio>
#include <string>

#include "page_driver.h"

using namespace zelt;

namespace {

INT_PTR CALLBACK EmptyPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A plug-in whose pages are empty: the sheet's own cost for `pages` pages.
class EmptyPagesPlugin final : public IPrintOemUI {
public:
    explicit EmptyPagesPlugin(int pages) : pages_(pages) {}
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
            for (int i = 0; i < pages_; ++i) {
                PROPSHEETPAGEW page = {};
                page.dwSize = sizeof page;
                page.dwFlags = PSP_HASHELP;
                page.hInstance = GetModuleHandleW(nullptr);
                page.pszTemplate = MAKEINTRESOURCEW(1);
                page.pfnDlgProc = EmptyPageProc;
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
    int pages_;
};

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
        // One untimed opening: the first repairs the printer's values and
        // warms the caches of both sheets.
        int pages = 0;
        TimeSheet(session.plugin().plugin(), session.plugin().sheetParams(), pages);
        EmptyPagesPlugin baseline(pages);
        int baselinePages = 0;
        TimeSheet(&baseline, session.plugin().sheetParams(), baselinePages);
        for (int run = 0; run < runs; ++run) {
            const double plugin = TimeSheet(session.plugin().plugin(), session.plugin().sheetParams(), pages);
            const double empty = TimeSheet(&baseline, session.plugin().sheetParams(), baselinePages);
            if (plugin < 0 || empty < 0) return 1;
            std::wprintf(L"time %ls %d %.2f %.2f\n", model.c_str(), pages, plugin, empty);
            std::fflush(stdout);
        }
    }
    return 0;
}
