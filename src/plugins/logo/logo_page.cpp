#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kLogoSlot, 2, HelpTableId::kLogo};

}  // namespace

INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        BeginPage(kTraits, page, lParam);
        return TRUE;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
