// Opening the driver's help from a page: HTML Help (the system folder's
// hhctrl.ocx, loaded when first needed) when the .chm lies beside the WinHelp
// file, WinHelp otherwise.
#pragma once

#include <windows.h>

#include "help_tables.h"

namespace zelt {

// The sheet's Help button: the page's topic.
void ShowContextHelp(HWND from, DWORD contextId);
// F1 or the title-bar question mark on a control: its topic from the table.
void ShowControlHelp(const HELPINFO* request, HelpTableId table);

}  // namespace zelt
