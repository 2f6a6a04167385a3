// What every page's dialog procedure shares: the printer parameter block kept
// with the window, the initialised flag, and the sheet's notifications.
#pragma once

#include <windows.h>

#include "frame/oem_interfaces.h"
#include "frame/page_plan.h"

namespace zelt {

// The printer parameter block the page was created with (null before
// WM_INITDIALOG).
const OEMUIPSPARAM* PageParams(HWND page);
HANDLE PagePrinter(HWND page);

// Tells the sheet that the page changed, so that it enables Apply.
void NotifyPageChanged(HWND page);

// Handles the messages all pages answer alike; FALSE for the rest.
INT_PTR HandleSharedPageMessage(PageSlot slot, HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zelt
