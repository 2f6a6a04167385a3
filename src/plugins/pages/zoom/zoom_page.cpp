#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"

namespace zelt {

INT_PTR CALLBACK ZoomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleSharedPageMessage(kZoomSlot, page, message, wParam, lParam);
}

}  // namespace zelt
