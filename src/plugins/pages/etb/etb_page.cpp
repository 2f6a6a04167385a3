#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"

namespace zelt {

INT_PTR CALLBACK EtbPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleSharedPageMessage(kEtbSlot, page, message, wParam, lParam);
}

}  // namespace zelt
