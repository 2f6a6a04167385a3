// The ETB page (template IDD_ETB): whether the driver sends the ETB command.
#include <windows.h>
#include <prsht.h>

#include "frame/page_procedures.h"
#include "pages/common/dialog_controls.h"
#include "pages/common/page_access.h"
#include "pages/common/page_frame.h"
#include "pages/etb/etb_model.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kEtbHelpContext, HelpTableId::kEtb};

void ShowValue(HWND page, std::uint32_t value) {
    SetChecked(page, kEtbDisableButton, value == 0);
    SetChecked(page, kEtbEnableButton, value != 0);
}

INT_PTR OnCommand(HWND page, int id, int code) {
    if (code != BN_CLICKED) return FALSE;
    if (id == kEtbDefaultsButton) {
        ShowValue(page, EtbDefault());
    } else if (id != kEtbDisableButton && id != kEtbEnableButton) {
        return FALSE;
    }
    NotifyPageChanged(page);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK EtbPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            BeginPage(page, lParam);
            std::uint32_t shown = 0;
            const bool readOnly = LoadPageValues(page, [&](PrinterData& store) { shown = LoadEtbPage(store); });
            ShowValue(page, shown);
            if (readOnly) EnableControls(page, kEtbSettingControls, false);
            return TRUE;
        }
        case WM_COMMAND:
            return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            if (NotifyCode(lParam) == PSN_APPLY) {
                const bool disableChecked = IsChecked(page, kEtbDisableButton);
                const ApplyVerdict verdict = ApplyPageValues(page, [&](PrinterData& store) {
                    ApplyEtbPage(store, disableChecked);
                    return false;
                });
                return AnswerNotify(page, ApplyResult(verdict));
            }
            break;
        default:
            break;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
