// The pages each sheet was given, so that a page finds its sibling among its
// own sheet's pages only: two Properties dialogs open at once never see each
// other's pages. Handles are compared, never used, so this is plain logic.
#pragma once

#include <array>
#include <cstddef>

#include "page_plan.h"

namespace zelt {

// One sheet's page handles by slot; null where no page was made.
using SheetPages = std::array<const void*, kPageSlotCount>;

class SheetPageSets {
public:
    // More sheets than a process keeps open at once; beyond it the oldest
    // set is dropped (its pages then fall back as if their sibling were
    // never shown).
    static constexpr std::size_t kCapacity = 32;

    // Keeps the pages made for the sheet known by `key`. An older set with
    // the same key, or one holding any of these pages, is dropped: a handle
    // handed out again means the pages of that set are gone.
    void Remember(const void* key, const SheetPages& pages);
    // Drops the set of a sheet that has ended.
    void Forget(const void* key);

    // `sheetPages` are the handles a sheet lists, in tab order. The position
    // there of the `slot` page of the newest set that has a page in that
    // list; -1 when the sheet holds no such page.
    int SiblingIndex(const void* const* sheetPages, std::size_t count, PageSlot slot) const;

    std::size_t size() const { return count_; }

private:
    struct Set {
        const void* key;
        SheetPages pages;
    };
    void Drop(std::size_t at);

    std::array<Set, kCapacity> sets_{};
    std::size_t count_ = 0;  // oldest first
};

}  // namespace zelt
