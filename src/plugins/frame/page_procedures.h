// The dialog procedure of each page family: declared here, where the page
// set-up looks them up, and defined by the pages above.
#pragma once

#include <windows.h>

#include "page_plan.h"

namespace zelt {

// Each Raster Print Options variant has a procedure of its own.
DLGPROC RasterPageProcedure(TemplateId templateId);
INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// Each Copy Options variant has a procedure of its own.
DLGPROC CopyPageProcedure(TemplateId templateId);
INT_PTR CALLBACK ZoomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EtbPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zelt
