#include "frame/sheet_page_sets.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelt {
namespace {

// Stand-in page handles: distinct addresses, compared only.
char g_pages[200];
const void* Page(int n) { return &g_pages[n]; }

// A sheet's pages as the module makes them, numbered from `first`, without a
// Zoom page.
SheetPages PagesFrom(int first) { return {Page(first), Page(first + 1), Page(first + 2), nullptr, Page(first + 3)}; }

// What a sheet lists: a page of the driver's own, then the plug-in's pages.
std::vector<const void*> SheetList(const SheetPages& pages) {
    std::vector<const void*> list{Page(199)};
    for (const void* page : pages) {
        if (page != nullptr) list.push_back(page);
    }
    return list;
}

int Sibling(const SheetPageSets& sets, const std::vector<const void*>& list, PageSlot slot) {
    return sets.SiblingIndex(list.data(), list.size(), slot);
}

const void* const kKeyA = Page(150);
const void* const kKeyB = Page(151);

TEST(SheetPageSets, EachSheetFindsOnlyItsOwnPages) {
    SheetPageSets sets;
    sets.Remember(kKeyA, PagesFrom(0));
    sets.Remember(kKeyB, PagesFrom(10));
    const auto sheetA = SheetList(PagesFrom(0));
    const auto sheetB = SheetList(PagesFrom(10));
    for (const auto* sheet : {&sheetA, &sheetB}) {
        EXPECT_EQ(Sibling(sets, *sheet, kLogoSlot), 2);
        EXPECT_EQ(Sibling(sets, *sheet, kCopySlot), 3);
        EXPECT_EQ(Sibling(sets, *sheet, kEtbSlot), 4);
        EXPECT_EQ(Sibling(sets, *sheet, kZoomSlot), -1) << "no Zoom page was made";
    }
    // A sheet holding none of the module's pages, or nothing at all (a
    // window that is not a property sheet answers no pages).
    EXPECT_EQ(Sibling(sets, {Page(199), Page(198)}, kCopySlot), -1);
    EXPECT_EQ(Sibling(sets, {}, kCopySlot), -1);
    EXPECT_EQ(sets.SiblingIndex(nullptr, 0, kLogoSlot), -1);
}

TEST(SheetPageSets, AnEndedSheetsPagesAreOutOfReach) {
    SheetPageSets sets;
    sets.Remember(kKeyA, PagesFrom(0));
    sets.Remember(kKeyB, PagesFrom(10));
    sets.Forget(kKeyB);
    EXPECT_EQ(Sibling(sets, SheetList(PagesFrom(10)), kCopySlot), -1);
    EXPECT_EQ(Sibling(sets, SheetList(PagesFrom(0)), kCopySlot), 3);
    sets.Forget(kKeyA);
    EXPECT_EQ(sets.size(), 0u);
}

TEST(SheetPageSets, AReusedHandleOrKeyDropsTheOlderSet) {
    SheetPageSets sets;
    sets.Remember(kKeyA, PagesFrom(0));
    // A later sheet got the address of the first sheet's Copy page: the first
    // sheet is gone, and its Logo page must not be taken for the new sheet's.
    sets.Remember(kKeyB, {Page(20), Page(21), Page(2), nullptr, Page(23)});
    EXPECT_EQ(sets.size(), 1u);
    const std::vector<const void*> mixed{Page(1), Page(20), Page(21), Page(2), Page(23)};
    EXPECT_EQ(Sibling(sets, mixed, kLogoSlot), 2);
    EXPECT_EQ(Sibling(sets, SheetList(PagesFrom(0)), kLogoSlot), -1);

    // The same sheet's pages made again replace its set.
    sets.Remember(kKeyB, PagesFrom(30));
    EXPECT_EQ(sets.size(), 1u);
    EXPECT_EQ(Sibling(sets, SheetList(PagesFrom(30)), kCopySlot), 3);
}

TEST(SheetPageSets, ThePagesMadeSoFarAreKnownWhileASheetIsBeingFilled) {
    SheetPageSets sets;
    SheetPages pages{};
    pages[kRasterSlot] = Page(0);
    sets.Remember(kKeyA, pages);
    pages[kLogoSlot] = Page(1);
    sets.Remember(kKeyA, pages);
    EXPECT_EQ(sets.size(), 1u);
    EXPECT_EQ(Sibling(sets, {Page(0), Page(1)}, kLogoSlot), 1);
    EXPECT_EQ(Sibling(sets, {Page(0), Page(1)}, kCopySlot), -1);
}

TEST(SheetPageSets, BeyondCapacityTheOldestSetGoes) {
    SheetPageSets sets;
    for (std::size_t n = 0; n <= SheetPageSets::kCapacity; ++n) {
        sets.Remember(Page(static_cast<int>(100 + n)), {Page(static_cast<int>(n)), nullptr, nullptr, nullptr, nullptr});
    }
    EXPECT_EQ(sets.size(), SheetPageSets::kCapacity);
    EXPECT_EQ(Sibling(sets, {Page(0)}, kRasterSlot), -1);
    EXPECT_EQ(Sibling(sets, {Page(1)}, kRasterSlot), 0);
    EXPECT_EQ(Sibling(sets, {Page(static_cast<int>(SheetPageSets::kCapacity))}, kRasterSlot), 0);
}

}  // namespace
}  // namespace zelt
