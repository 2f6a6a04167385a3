// What every page's dialog procedure shares: the printer parameter block kept
// with the window, the sibling pages of its sheet, help, and the sheet's
// notifications.
#pragma once

#include <windows.h>

#include "frame/oem_interfaces.h"
#include "frame/page_plan.h"
#include "help_tables.h"

namespace zelt {

struct PageTraits {
    DWORD helpContext;
    HelpTableId helpTable;
};

// WM_INITDIALOG's shared part: keeps the printer parameter block (the
// PROPSHEETPAGE's lParam) with the window.
void BeginPage(HWND page, LPARAM initParam);

// The printer of the page's parameter block (null before WM_INITDIALOG).
HANDLE PagePrinter(HWND page);
// The flags of the page's parameter block (0 before WM_INITDIALOG).
DWORD PageFlags(HWND page);

// The dialog window of another page of this page's own sheet; null while that
// page has never been shown (its dialog is made, and initialised, when first
// shown), and null for a page that is not in a property sheet.
HWND SiblingPageWindow(HWND page, PageSlot slot);

// Tells the sheet that the page changed, so that it enables Apply; a
// read-only page never does.
void NotifyPageChanged(HWND page);

// The WM_NOTIFY code, or 0 for a message without a header.
UINT NotifyCode(LPARAM lParam);

// Answers a notification through DWL_MSGRESULT.
INT_PTR AnswerNotify(HWND page, LONG_PTR result);

// The messages all pages answer alike: the notifications other than apply,
// help, and moving a spin control. FALSE for anything else.
INT_PTR HandleSharedPageMessage(const PageTraits& traits, HWND page, UINT message, WPARAM wParam,
                                LPARAM lParam);

}  // namespace zelt
