// An unattended pass over the open sheet: every page is shown in turn (so it
// loads its values), optionally captured as a PNG, and the sheet is closed.
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

bool WalkPages(SheetSession& sheet, const WalkRequest& request, std::vector<PageSeen>& pages, std::wstring& error);

// "ja" when the user interface language is Japanese, else "en".
std::wstring UiLanguageTag();

}  // namespace zelt::host
