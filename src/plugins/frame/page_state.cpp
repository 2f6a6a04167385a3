#include "page_state.h"

#include "module_state.h"
#include "sheet_page_sets.h"

namespace zelt {
namespace {

SheetPageSets g_sheets;

}  // namespace

void RememberSheetPages(HANDLE sheetKey, const HPROPSHEETPAGE (&pages)[kPageSlotCount]) {
    SheetPages set{};
    for (int slot = 0; slot < kPageSlotCount; ++slot) set[slot] = pages[slot];
    ModuleLock lock;
    g_sheets.Remember(sheetKey, set);
}

void ForgetSheetPages(HANDLE sheetKey) {
    ModuleLock lock;
    g_sheets.Forget(sheetKey);
}

int SiblingPageIndex(const void* const* sheetPages, std::size_t count, PageSlot slot) {
    ModuleLock lock;
    return g_sheets.SiblingIndex(sheetPages, count, slot);
}

}  // namespace zelt
