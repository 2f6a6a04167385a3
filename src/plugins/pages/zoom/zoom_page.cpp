#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kZoomSlot, 4, HelpTableId::kZoom};

}  // namespace

INT_PTR CALLBACK ZoomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        BeginPage(kTraits, page, lParam);
        return TRUE;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
