#include "page_frame.h"

#include <commctrl.h>
#include <prsht.h>

#include "frame/page_state.h"
#include "help.h"
#include "page_access.h"

namespace zelt {

void BeginPage(const PageTraits& traits, HWND page, LPARAM initParam) {
    MarkPageInitialised(traits.slot);
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(initParam);
    SetWindowLongPtrW(page, DWLP_USER, sheetPage != nullptr ? sheetPage->lParam : 0);
}

HANDLE PagePrinter(HWND page) {
    const auto* params = reinterpret_cast<const OEMUIPSPARAM*>(GetWindowLongPtrW(page, DWLP_USER));
    return params != nullptr ? params->hPrinter : nullptr;
}

DWORD PageFlags(HWND page) {
    const auto* params = reinterpret_cast<const OEMUIPSPARAM*>(GetWindowLongPtrW(page, DWLP_USER));
    return params != nullptr ? params->dwFlags : 0;
}

// More pages than any sheet shows: bounds the search by index.
constexpr WPARAM kMostPages = 256;

HWND SiblingPageWindow(HWND page, PageSlot slot) {
    HPROPSHEETPAGE sibling = PageHandle(slot);
    if (sibling == nullptr) return nullptr;
    HWND sheet = GetParent(page);
    LRESULT index = SendMessageW(sheet, PSM_PAGETOINDEX, 0, reinterpret_cast<LPARAM>(sibling));
    // Some property sheets (Wine's) look for the handle in wParam and answer
    // -1; asking each index for its page handle finds the page there too.
    for (WPARAM i = 0; index < 0 && i < kMostPages; ++i) {
        const LRESULT handle = SendMessageW(sheet, PSM_INDEXTOPAGE, i, 0);
        if (handle == 0) return nullptr;
        if (reinterpret_cast<HPROPSHEETPAGE>(handle) == sibling) index = static_cast<LRESULT>(i);
    }
    if (index < 0) return nullptr;
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

void NotifyPageChanged(HWND page) {
    if (IsPageReadOnly(page)) return;
    SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

UINT NotifyCode(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    return header != nullptr ? header->code : 0;
}

INT_PTR AnswerNotify(HWND page, LONG_PTR result) {
    SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR HandleSharedPageMessage(const PageTraits& traits, HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY:
            switch (NotifyCode(lParam)) {
                case PSN_SETACTIVE:
                case PSN_RESET:
                    return TRUE;
                case PSN_KILLACTIVE:
                    return AnswerNotify(page, FALSE);  // a page may always be left; entries are checked at apply
                case PSN_APPLY:
                    return AnswerNotify(page, PSNRET_NOERROR);
                case PSN_HELP:
                    ShowContextHelp(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom, traits.helpContext);
                    return TRUE;
                case UDN_DELTAPOS:
                    NotifyPageChanged(page);
                    return FALSE;  // let the spin control move
                default:
                    return FALSE;
            }
        case WM_HELP:
            ShowControlHelp(reinterpret_cast<const HELPINFO*>(lParam), traits.helpTable);
            return TRUE;
        default:
            return HandlePageAccessMessage(page, message);
    }
}

}  // namespace zelt
