#include "sheet_page_sets.h"

namespace zelt {
namespace {

int PositionIn(const void* page, const void* const* sheetPages, std::size_t count) {
    if (page == nullptr) return -1;
    for (std::size_t i = 0; i < count; ++i) {
        if (sheetPages[i] == page) return static_cast<int>(i);
    }
    return -1;
}

bool SharePage(const SheetPages& a, const SheetPages& b) {
    for (const void* page : a) {
        if (page != nullptr && PositionIn(page, b.data(), b.size()) >= 0) return true;
    }
    return false;
}

}  // namespace

void SheetPageSets::Drop(std::size_t at) {
    for (std::size_t i = at; i + 1 < count_; ++i) sets_[i] = sets_[i + 1];
    --count_;
}

void SheetPageSets::Remember(const void* key, const SheetPages& pages) {
    for (std::size_t i = count_; i-- > 0;) {
        if (sets_[i].key == key || SharePage(sets_[i].pages, pages)) Drop(i);
    }
    if (count_ == kCapacity) Drop(0);
    sets_[count_++] = Set{key, pages};
}

void SheetPageSets::Forget(const void* key) {
    for (std::size_t i = count_; i-- > 0;) {
        if (sets_[i].key == key) Drop(i);
    }
}

int SheetPageSets::SiblingIndex(const void* const* sheetPages, std::size_t count, PageSlot slot) const {
    for (std::size_t i = count_; i-- > 0;) {
        const SheetPages& pages = sets_[i].pages;
        bool inSheet = false;
        for (const void* page : pages) inSheet = inSheet || PositionIn(page, sheetPages, count) >= 0;
        if (inSheet) return PositionIn(pages[slot], sheetPages, count);
    }
    return -1;
}

}  // namespace zelt
