#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kCopySlot, 3, HelpTableId::kCopy};

}  // namespace

INT_PTR CALLBACK CopyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        BeginPage(kTraits, page, lParam);
        return TRUE;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
