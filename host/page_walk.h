// An unattended pass over an open sheet: every page is shown in turn (so it
// loads its values), optionally captured as a PNG, and the sheet is closed;
// and two printers' sheets side by side.
#pragma once

#include <string>
#include <vector>

#include "sheet_session.h"

namespace zelt::host {

struct WalkRequest {
    std::wstring shotsFolder;  // Windows path; empty: no screenshots
    std::wstring model;        // for the file names
    std::wstring language;     // for the file names
    bool apply = false;        // OK instead of Cancel
    // Also capture the Copy Options page's Save As dialog, opened on a current
    // journal made for it in the printer's journal folder if there is none.
    bool saveAsShot = false;
    std::wstring printerName;  // for the journal folder
};

struct PageSeen {
    std::wstring caption;
    std::wstring shotPath;  // empty without screenshots
};

// Shows every page (and the Save As dialog when asked), capturing each when
// there is a shots folder; the sheet stays open.
bool VisitPages(SheetSession& sheet, const WalkRequest& request, std::vector<PageSeen>& pages, std::wstring& error);
// Closes the sheet with OK when `apply`, else with Cancel, and waits for it.
bool CloseSheet(SheetSession& sheet, bool apply, std::wstring& error);
// VisitPages, then CloseSheet.
bool WalkPages(SheetSession& sheet, const WalkRequest& request, std::vector<PageSeen>& pages, std::wstring& error);

// Moves the `right` window to the right of the `left` one.
void PlaceBeside(HWND left, HWND right);
// Shows each sheet's Copy Options page and writes both as one picture.
bool CaptureOnCopyOptions(SheetSession& left, SheetSession& right, const std::wstring& path, std::wstring& error);

// "ja" when the user interface language is Japanese, else "en".
std::wstring UiLanguageTag();

}  // namespace zelt::host
