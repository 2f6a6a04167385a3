#include "page_frame.h"

#include <prsht.h>

#include "frame/page_state.h"

namespace zelt {

const OEMUIPSPARAM* PageParams(HWND page) {
    return reinterpret_cast<const OEMUIPSPARAM*>(GetWindowLongPtrW(page, DWLP_USER));
}

HANDLE PagePrinter(HWND page) {
    const OEMUIPSPARAM* params = PageParams(page);
    return params != nullptr ? params->hPrinter : nullptr;
}

void NotifyPageChanged(HWND page) {
    SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

namespace {

INT_PTR Answer(HWND page, LONG_PTR result) {
    SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace

INT_PTR HandleSharedPageMessage(PageSlot slot, HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            MarkPageInitialised(slot);
            const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
            SetWindowLongPtrW(page, DWLP_USER, sheetPage != nullptr ? sheetPage->lParam : 0);
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header == nullptr) return FALSE;
            switch (header->code) {
                case PSN_SETACTIVE:
                case PSN_RESET:
                    return TRUE;
                case PSN_KILLACTIVE:
                    return Answer(page, FALSE);  // a page may always be left; entries are checked at apply
                case PSN_APPLY:
                    return Answer(page, PSNRET_NOERROR);
                default:
                    return FALSE;
            }
        }
        default:
            return FALSE;
    }
}

}  // namespace zelt
