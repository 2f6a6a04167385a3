// Module-wide page state: the handle of each page slot's property page and
// whether its dialog has been initialised. Touched only on the sheet's thread.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "page_plan.h"

namespace zelt {

HPROPSHEETPAGE PageHandle(PageSlot slot);
void SetPageHandle(PageSlot slot, HPROPSHEETPAGE page);

bool IsPageInitialised(PageSlot slot);
void MarkPageInitialised(PageSlot slot);
void ClearInitialisedFlags();

}  // namespace zelt
