#include "page_frame.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstddef>

#include "frame/page_state.h"
#include "help.h"
#include "page_access.h"

namespace zelt {

void BeginPage(HWND page, LPARAM initParam) {
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

// More pages than any sheet shows: bounds the walk over a sheet's pages.
constexpr WPARAM kMostPages = 256;

HWND SiblingPageWindow(HWND page, PageSlot slot) {
    // A page outside a window, or in one that is not a property sheet, has
    // no siblings: the sheet's own list of pages decides which page is whose.
    if ((GetWindowLongPtrW(page, GWL_STYLE) & WS_CHILD) == 0) return nullptr;
    HWND sheet = GetParent(page);
    if (sheet == nullptr) return nullptr;
    const void* sheetPages[kMostPages];
    std::size_t count = 0;
    while (count < kMostPages) {
        const LRESULT handle = SendMessageW(sheet, PSM_INDEXTOPAGE, count, 0);
        if (handle == 0) break;
        sheetPages[count++] = reinterpret_cast<const void*>(handle);
    }
    const int index = SiblingPageIndex(sheetPages, count, slot);
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
