// The Zoom page (template IDD_ZOOM): focus area and zoom factor.
#include <windows.h>
#include <prsht.h>

#include "frame/page_procedures.h"
#include "pages/common/dialog_controls.h"
#include "pages/common/page_access.h"
#include "pages/common/page_frame.h"
#include "pages/zoom/zoom_model.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kZoomHelpContext, HelpTableId::kZoom};

void ApplyEnableRule(HWND page, int focusArea) {
    EnableControls(page, {kZoomFactorLabel, kZoomFactorList}, ZoomFactorEnabled(focusArea));
}

void ShowControls(HWND page, const ZoomControls& shown) {
    SelectListItem(page, kZoomFocusAreaList, shown.focusArea);
    SelectListItem(page, kZoomFactorList, shown.zoomFactor);
    ApplyEnableRule(page, shown.focusArea);
}

void Load(HWND page) {
    FillList(page, kZoomFocusAreaList, kFocusAreaStrings);
    ListFiller factorList(page, kZoomFactorList);
    for (const wchar_t* text : kZoomFactorTexts) factorList.AddText(text);
    ZoomControls shown;
    const bool readOnly = LoadPageValues(page, [&](PrinterData& store) { shown = LoadZoomPage(store); });
    ShowControls(page, shown);
    if (readOnly) EnableControls(page, kZoomSettingControls, false);
}

LONG_PTR Apply(HWND page) {
    const ZoomControls chosen{ListSelection(page, kZoomFocusAreaList), ListSelection(page, kZoomFactorList)};
    return ApplyResult(ApplyPageValues(page, [&](PrinterData& store) {
        ApplyZoomPage(store, chosen);
        return false;
    }));
}

INT_PTR OnCommand(HWND page, int id, int code) {
    if (code == CBN_SELCHANGE && (id == kZoomFocusAreaList || id == kZoomFactorList)) {
        if (id == kZoomFocusAreaList) ApplyEnableRule(page, ListSelection(page, kZoomFocusAreaList));
    } else if (code == BN_CLICKED) {
        if (id != kZoomDefaultsButton) return TRUE;
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
            if (NotifyCode(lParam) == PSN_APPLY) return AnswerNotify(page, Apply(page));
            break;
        default:
            break;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
