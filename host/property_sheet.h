// The printer's Properties sheet through the Common Property Sheet UI
// (compstui.dll), with the plug-in asked for its pages the way the printer
// driver's user interface asks: every reason compstui sends is handed on to
// DevicePropertySheets with the driver's OEMUIPSPARAM.
#pragma once

#include <string>
#include <vector>

#include "frame/oem_interfaces.h"

namespace zelt::host {

struct SheetRun {
    LONG result = 0;                       // CommonPropertySheetUIW's answer
    DWORD sheetResult = 0;                 // the result it reports (OK, cancel, ...)
    std::vector<DWORD> reasons;            // in the order compstui sent them
    std::vector<HRESULT> pluginResults;    // DevicePropertySheets' answer to each
};

// Shows the sheet and returns when it is closed. False with a message when
// compstui cannot be loaded or the sheet could not be shown. A thread may
// open a second sheet from the first one's message loop; it runs nested.
bool RunPropertySheet(IPrintOemUI* plugin, OEMUIPSPARAM* params, SheetRun& run, std::wstring& error);

}  // namespace zelt::host
