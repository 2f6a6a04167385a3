// The Zoom page (template 110): focus area and zoom factor.
#include <windows.h>
#include <prsht.h>

#include "pages/common/dialog_controls.h"
#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"
#include "pages/zoom/zoom_model.h"
#include "settings/spooler_printer_data.h"

namespace zelt {
namespace {

enum : int {
    kZoomFactorLabel = 1058,
    kFocusAreaList = 1059,
    kZoomFactorList = 1060,
    kDefaultsButton = 1126,
};

constexpr PageTraits kTraits{kZoomHelpContext, HelpTableId::kZoom};

void ApplyEnableRule(HWND page, int focusArea) {
    EnableControls(page, {kZoomFactorLabel, kZoomFactorList}, ZoomFactorEnabled(focusArea));
}

void ShowControls(HWND page, const ZoomControls& shown) {
    SelectListItem(page, kFocusAreaList, shown.focusArea);
    SelectListItem(page, kZoomFactorList, shown.zoomFactor);
    ApplyEnableRule(page, shown.focusArea);
}

void Load(HWND page) {
    for (std::uint16_t stringId : kFocusAreaStrings) FillList(page, kFocusAreaList, {stringId});
    for (const wchar_t* text : kZoomFactorTexts) AddListItem(page, kZoomFactorList, text);
    SpoolerPrinterData store(PagePrinter(page));
    ShowControls(page, LoadZoomPage(store));
}

void Apply(HWND page) {
    SpoolerPrinterData store(PagePrinter(page));
    ApplyZoomPage(store, ZoomControls{ListSelection(page, kFocusAreaList), ListSelection(page, kZoomFactorList)});
}

INT_PTR OnCommand(HWND page, int id, int code) {
    if (code == CBN_SELCHANGE && (id == kFocusAreaList || id == kZoomFactorList)) {
        if (id == kFocusAreaList) ApplyEnableRule(page, ListSelection(page, kFocusAreaList));
    } else if (code == BN_CLICKED) {
        if (id != kDefaultsButton) return TRUE;
        ShowControls(page, ZoomDefaults());
    } else {
        return FALSE;
    }
    NotifyPageChanged(page);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK ZoomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            BeginPage(page, lParam);
            Load(page);
            return TRUE;
        case WM_COMMAND:
            return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            if (NotifyCode(lParam) == PSN_APPLY) {
                Apply(page);
                return AnswerNotify(page, PSNRET_NOERROR);
            }
            break;
        default:
            break;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
