// A page's right to change the printer, kept with its window, and the report
// of a write the spooler refuses at apply, once per Apply of the sheet.
#pragma once

#include <windows.h>

#include "apply_verdict.h"
#include "page_frame.h"
#include "settings/printer_access.h"
#include "settings/spooler_printer_data.h"

namespace zelt {

bool IsPageReadOnly(HWND page);
void MarkPageReadOnly(HWND page);

// WM_INITDIALOG: `load(PrinterData&)` reads the page's values, repairing them
// where the page may write. The page becomes read-only when the user may not
// change the printer or the printer cannot be read; returns whether it did.
template <typename Load>
bool LoadPageValues(HWND page, Load&& load) {
    SpoolerPrinterData spooler(PagePrinter(page));
    PageStore store(spooler, MayChangePrinter(PageFlags(page)));
    // Marked before the controls are filled, so that their own change
    // notifications tell the sheet nothing.
    if (store.readOnly()) MarkPageReadOnly(page);
    load(static_cast<PrinterData&>(store));
    if (store.readOnly()) MarkPageReadOnly(page);
    return store.readOnly();
}

// After a PSN_APPLY's writes: tells the user of a refused write unless a page
// has told it in this Apply already.
ApplyVerdict ConcludeApply(HWND page, bool writeRefused, bool numberRejected);

// PSN_APPLY: `apply(PrinterData&)` writes the page's values and returns
// whether it rejected a typed number. A read-only page writes nothing. The
// page itself shows the rejected number's message when the verdict says so.
template <typename Apply>
ApplyVerdict ApplyPageValues(HWND page, Apply&& apply) {
    if (IsPageReadOnly(page)) return {false, false, ApplyAnswer::kAccepted};
    SpoolerPrinterData spooler(PagePrinter(page));
    PageStore store(spooler, true);
    const bool numberRejected = apply(static_cast<PrinterData&>(store));
    return ConcludeApply(page, store.writeRefused(), numberRejected);
}

LONG_PTR ApplyResult(const ApplyVerdict& verdict);

// The messages of the page's access that reach it through the shared
// handling: the end of an Apply that told of a refused write, and the
// page's destruction. FALSE for any other.
INT_PTR HandlePageAccessMessage(HWND page, UINT message);

}  // namespace zelt
