// The pages each open sheet holds, kept for the module so that a page finds
// its sibling in its own sheet; guarded, as each sheet may run on a thread of
// its own.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <cstddef>

#include "page_plan.h"

namespace zelt {

// `sheetKey` names one sheet for the host (its hComPropSheet).
void RememberSheetPages(HANDLE sheetKey, const HPROPSHEETPAGE (&pages)[kPageSlotCount]);
void ForgetSheetPages(HANDLE sheetKey);

// The tab index of the `slot` page among `sheetPages` (one sheet's page
// handles, in tab order); -1 when that sheet has no such page of this module.
int SiblingPageIndex(const void* const* sheetPages, std::size_t count, PageSlot slot);

}  // namespace zelt
