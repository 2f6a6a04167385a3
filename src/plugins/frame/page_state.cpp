#include "page_state.h"

namespace zelt {
namespace {

HPROPSHEETPAGE g_pageHandles[kPageSlotCount] = {};
LONG g_initialised[kPageSlotCount] = {};

}  // namespace

HPROPSHEETPAGE PageHandle(PageSlot slot) { return g_pageHandles[slot]; }
void SetPageHandle(PageSlot slot, HPROPSHEETPAGE page) { g_pageHandles[slot] = page; }

bool IsPageInitialised(PageSlot slot) { return g_initialised[slot] != 0; }
void MarkPageInitialised(PageSlot slot) { g_initialised[slot] = 1; }
void ClearInitialisedFlags() {
    for (LONG& flag : g_initialised) flag = 0;
}

}  // namespace zelt
