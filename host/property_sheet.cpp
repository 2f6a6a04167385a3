#include "property_sheet.h"

#include "host_error.h"

namespace zelt::host {
namespace {

using CommonPropertySheetFunction = LONG(WINAPI*)(HWND, PFNPROPSHEETUI, LPARAM, LPDWORD);

struct SheetContext {
    IPrintOemUI* plugin;
    OEMUIPSPARAM* params;
    SheetRun* run;
    SheetContext* outer;  // a sheet open earlier on this thread, still open
};

// compstui calls back on the thread that opened the sheet, so the sheets of
// a thread are found without relying on compstui's UserData (which it does
// not carry over from its first reason). A second sheet opened on the same
// thread runs inside the first one's message loop; each reason names its
// sheet by the lParam the sheet was opened with.
thread_local SheetContext* innermostSheet = nullptr;

SheetContext* SheetOf(const PROPSHEETUI_INFO& info) {
    for (SheetContext* sheet = innermostSheet; sheet; sheet = sheet->outer) {
        if (reinterpret_cast<LPARAM>(sheet->params) == info.lParamInit) return sheet;
    }
    return innermostSheet;
}

// The sheet's reason 5 arrives with Version 0; the plug-in answers only
// Version 0x100, so each reason is forwarded with the driver's own block.
LONG_PTR CALLBACK ForwardToPlugin(PROPSHEETUI_INFO* info, LPARAM lParam) {
    SheetContext* sheet = info ? SheetOf(*info) : nullptr;
    if (!sheet) return -1;
    PROPSHEETUI_INFO driverInfo = {};
    driverInfo.cbSize = sizeof driverInfo;
    driverInfo.Version = PROPSHEETUI_INFO_VERSION;
    driverInfo.Flags = info->Flags;
    driverInfo.Reason = info->Reason;
    driverInfo.hComPropSheet = info->hComPropSheet;
    driverInfo.pfnComPropSheet = info->pfnComPropSheet;
    driverInfo.lParamInit = reinterpret_cast<LPARAM>(sheet->params);
    driverInfo.UserData = info->UserData;
    driverInfo.Result = info->Result;
    const HRESULT result = sheet->plugin->DevicePropertySheets(&driverInfo, lParam);
    sheet->run->reasons.push_back(info->Reason);
    sheet->run->pluginResults.push_back(result);
    if (FAILED(result)) return -1;
    info->Result = driverInfo.Result;
    return 1;
}

}  // namespace

bool RunPropertySheet(IPrintOemUI* plugin, OEMUIPSPARAM* params, SheetRun& run, std::wstring& error) {
    if (!plugin || !params) {
        error = L"no plug-in object or printer to show the sheet for";
        return false;
    }
    HMODULE compstui = LoadLibraryW(L"compstui.dll");
    if (!compstui) {
        error = Win32Failure(L"loading compstui.dll");
        return false;
    }
    auto commonPropertySheet =
        reinterpret_cast<CommonPropertySheetFunction>(reinterpret_cast<void*>(GetProcAddress(compstui, "CommonPropertySheetUIW")));
    if (!commonPropertySheet) {
        error = L"compstui.dll has no CommonPropertySheetUIW";
        FreeLibrary(compstui);
        return false;
    }
    run = SheetRun{};
    SheetContext context{plugin, params, &run, innermostSheet};
    innermostSheet = &context;
    // The header's PFNPROPSHEETUI returns LONG on x64; compstui reads a LONG_PTR.
    run.result = commonPropertySheet(nullptr, reinterpret_cast<PFNPROPSHEETUI>(reinterpret_cast<void*>(&ForwardToPlugin)),
                                     reinterpret_cast<LPARAM>(params), &run.sheetResult);
    innermostSheet = context.outer;
    FreeLibrary(compstui);
    if (run.result < 0) {
        error = L"CommonPropertySheetUIW failed with " + std::to_wstring(run.result);
        return false;
    }
    return true;
}

}  // namespace zelt::host
