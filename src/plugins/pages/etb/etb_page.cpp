// The ETB page (template 114): whether the driver sends the ETB command.
#include <windows.h>
#include <prsht.h>

#include "pages/common/dialog_controls.h"
#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"
#include "pages/etb/etb_model.h"
#include "settings/spooler_printer_data.h"

namespace zelt {
namespace {

enum : int {
    kDisableButton = 1095,
    kEnableButton = 1096,
    kDefaultsButton = 1124,
};

constexpr PageTraits kTraits{kEtbHelpContext, HelpTableId::kEtb};

void ShowValue(HWND page, std::uint32_t value) {
    SetChecked(page, kDisableButton, value == 0);
    SetChecked(page, kEnableButton, value != 0);
}

INT_PTR OnCommand(HWND page, int id, int code) {
    if (code != BN_CLICKED) return FALSE;
    if (id == kDefaultsButton) {
        ShowValue(page, EtbDefault());
    } else if (id != kDisableButton && id != kEnableButton) {
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
            SpoolerPrinterData store(PagePrinter(page));
            ShowValue(page, LoadEtbPage(store));
            return TRUE;
        }
        case WM_COMMAND:
            return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            if (NotifyCode(lParam) == PSN_APPLY) {
                SpoolerPrinterData store(PagePrinter(page));
                ApplyEtbPage(store, IsChecked(page, kDisableButton));
                return AnswerNotify(page, PSNRET_NOERROR);
            }
            break;
        default:
            break;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
