#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"

namespace zelt {

INT_PTR CALLBACK RasterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleSharedPageMessage(kRasterSlot, page, message, wParam, lParam);
}

}  // namespace zelt
