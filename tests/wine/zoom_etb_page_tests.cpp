// The Zoom and ETB pages in the printer's real Properties sheet, driven as a
// user drives them, with the values read back from the real spooler and the
// plug-in's writes recorded in order.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frame/page_plan.h"
#include "page_driver.h"
#include "pages/etb/etb_model.h"
#include "pages/zoom/zoom_model.h"
#include "resources/resource.h"
#include "setting_named.h"
#include "settings/setting_table.h"

using namespace zelt::test;
using namespace zelt;

namespace {

// Texts the pages' own control ids leave unnamed: a label and a group box.
enum : int {
    kFocusAreaLabel = IDC_ZOOM_FOCUS_AREA_LABEL,
    kEtbGroup = -1,
};
constexpr DWORD kAllBits = 0xFFFFFFFF;

using Writes = std::vector<std::pair<std::wstring, DWORD>>;

// The recorded writes of the values a page owns (by the value table), so
// that what the sheet's first page writes at the same apply stays out.
Writes PageWrites(zelt::TemplateId page) {
    Writes writes;
    for (const RecordedWrite& write : TakeRecordedWrites()) {
        const zelt::SettingSpec* spec = zelt::SettingNamed(write.name);
        if (!spec || (spec->templates & zelt::TemplateBit(page)) == 0) continue;
        EXPECT_EQ(write.type, static_cast<DWORD>(REG_DWORD)) << Narrow(write.name);
        EXPECT_EQ(write.size, 4u) << Narrow(write.name);
        writes.emplace_back(write.name, write.number);
    }
    return writes;
}

std::vector<std::string> Narrowed(const std::vector<std::wstring>& texts) {
    std::vector<std::string> narrow;
    for (const auto& text : texts) narrow.push_back(Narrow(text));
    return narrow;
}

class PageTest : public ::testing::Test {
protected:
    // A fresh printer, `seed` stored, the sheet open and the page at `tab`
    // shown. Writes made before the page was shown are dropped.
    HWND Show(int tab, const std::function<void(PrinterValues&)>& seed = {}) {
        std::wstring error;
        session_ = std::make_unique<PageSession>();
        if (!session_->Prepare(kZoomModel, error)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        if (seed) seed(session_->values());
        return ShowAgain(tab);
    }

    // Opens the sheet once more on the same printer and shows the page; the
    // page's writes while it loaded are kept in loadWrites_.
    HWND ShowAgain(int tab) {
        std::wstring error;
        if (!session_->OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        TakeRecordedWrites();
        HWND page = session_->ShowPage(tab);
        if (!page) ADD_FAILURE() << "no page at tab " << tab;
        loadWrites_ = PageWrites(tab == kZoomTab ? zelt::kZoom : zelt::kEtb);
        return page;
    }

    bool ApplyEnabled() { return ApplyButtonEnabled(session_->sheet()); }

    void Press(SheetButton button, bool staysOpen) {
        const PressOutcome outcome = session_->Press(button);
        EXPECT_TRUE(outcome.taken);
        EXPECT_TRUE(outcome.messages.empty());
        EXPECT_EQ(outcome.sheetOpen, staysOpen);
    }

    std::optional<DWORD> Stored(const wchar_t* name) { return session_->values().Number(name); }
    bool Absent(const wchar_t* name) {
        return session_->values().Read(name).status == static_cast<DWORD>(ERROR_FILE_NOT_FOUND);
    }

    std::unique_ptr<PageSession> session_;
    Writes loadWrites_;
};

// --- Zoom page ------------------------------------------------------------------------
using ZoomPage = PageTest;

TEST_F(ZoomPage, AFreshPrinterShowsAllWithoutZoomAndStoresTheRepairsAtOnce) {
    HWND page = Show(kZoomTab);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(loadWrites_, (Writes{{L"ZOOM_FOCUSAREA", 0}, {L"ZOOM_ZOOMFACTOR", 0}}));
    EXPECT_EQ(Narrowed(ListTexts(page, kZoomFocusAreaList)), (std::vector<std::string>{"All", "Right", "Center", "Left"}));
    std::vector<std::string> factors;
    for (const wchar_t* text : zelt::kZoomFactorTexts) factors.push_back(Narrow(text));
    EXPECT_EQ(Narrowed(ListTexts(page, kZoomFactorList)), factors);
    EXPECT_EQ(ListSelection(page, kZoomFocusAreaList), 0);
    EXPECT_EQ(ListSelection(page, kZoomFactorList), 0);
    EXPECT_FALSE(IsEnabled(page, kZoomFactorList));
    EXPECT_FALSE(IsEnabled(page, kZoomFactorLabel));
    EXPECT_TRUE(IsEnabled(page, kZoomFocusAreaList));
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(ZoomPage, TheFocusAreaSwitchesTheZoomFactorWithoutChangingIt) {
    HWND page = Show(kZoomTab);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(PickListItem(page, kZoomFactorList, 3)) << "a disabled list cannot be picked";

    ASSERT_TRUE(PickListItem(page, kZoomFocusAreaList, 1));
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(IsEnabled(page, kZoomFactorList));
    EXPECT_TRUE(IsEnabled(page, kZoomFactorLabel));
    ASSERT_TRUE(PickListItem(page, kZoomFactorList, 5));

    ASSERT_TRUE(PickListItem(page, kZoomFocusAreaList, 0));
    EXPECT_FALSE(IsEnabled(page, kZoomFactorList));
    EXPECT_FALSE(IsEnabled(page, kZoomFactorLabel));
    EXPECT_EQ(ListSelection(page, kZoomFactorList), 5);

    ASSERT_TRUE(PickListItem(page, kZoomFocusAreaList, 3));
    EXPECT_TRUE(IsEnabled(page, kZoomFactorList));
    EXPECT_TRUE(IsEnabled(page, kZoomFactorLabel));
    EXPECT_EQ(ListSelection(page, kZoomFactorList), 5);
    EXPECT_TRUE(PageWrites(zelt::kZoom).empty()) << "nothing is written before apply";
}

struct ZoomApplyCase {
    int focusArea;
    int zoomFactor;
    Writes writes;  // in order
};

const ZoomApplyCase kZoomApplies[] = {
    {3, 19,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 19}, {L"GLOBAL_ZOOM", 19}, {L"ZOOM_FOCUSAREA", 3},
      {L"GLOBAL_FOCUSAREA", 2}}},
    {0, 10,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 10}, {L"GLOBAL_ZOOM", 10}, {L"ZOOM_FOCUSAREA", 0},
      {L"GLOBAL_FOCUSAREA", 1}, {L"GLOBAL_ZOOM", 0}}},
    {1, 4,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 4}, {L"GLOBAL_ZOOM", 4}, {L"ZOOM_FOCUSAREA", 1},
      {L"GLOBAL_FOCUSAREA", 0}}},
    {2, 7,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 7}, {L"GLOBAL_ZOOM", 7}, {L"ZOOM_FOCUSAREA", 2},
      {L"GLOBAL_FOCUSAREA", 1}}},
};

// Picks as a user must: the zoom factor only while the focus area is not "All".
void PickZoom(HWND page, const ZoomApplyCase& c) {
    ASSERT_TRUE(PickListItem(page, kZoomFocusAreaList, 1));
    ASSERT_TRUE(PickListItem(page, kZoomFactorList, c.zoomFactor));
    ASSERT_TRUE(PickListItem(page, kZoomFocusAreaList, c.focusArea));
}

void ExpectStoredAsWritten(PrinterValues& values, const Writes& writes) {
    for (const auto& write : writes) {
        DWORD last = 0;
        for (const auto& later : writes) {
            if (later.first == write.first) last = later.second;
        }
        EXPECT_EQ(values.Number(write.first.c_str()), last) << Narrow(write.first);
    }
}

TEST_F(ZoomPage, ApplyWritesEachFocusAreaAndFactorInOrder) {
    HWND page = Show(kZoomTab);
    ASSERT_NE(page, nullptr);
    for (const ZoomApplyCase& c : kZoomApplies) {
        SCOPED_TRACE("focus " + std::to_string(c.focusArea) + ", zoom " + std::to_string(c.zoomFactor));
        PickZoom(page, c);
        Press(SheetButton::kApply, true);
        EXPECT_EQ(PageWrites(zelt::kZoom), c.writes);
        ExpectStoredAsWritten(session_->values(), c.writes);
        EXPECT_FALSE(ApplyEnabled());
    }
}

TEST_F(ZoomPage, OkWritesTheValuesAndTheNextOpeningShowsThem) {
    HWND page = Show(kZoomTab);
    ASSERT_NE(page, nullptr);
    PickZoom(page, kZoomApplies[1]);
    Press(SheetButton::kOk, false);
    EXPECT_EQ(PageWrites(zelt::kZoom), kZoomApplies[1].writes);
    ExpectStoredAsWritten(session_->values(), kZoomApplies[1].writes);

    page = ShowAgain(kZoomTab);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ListSelection(page, kZoomFocusAreaList), 0);
    EXPECT_EQ(ListSelection(page, kZoomFactorList), 10) << "kept, shown disabled";
    EXPECT_FALSE(IsEnabled(page, kZoomFactorList));
    EXPECT_TRUE(loadWrites_.empty()) << "stored values in range are not rewritten";
    Press(SheetButton::kCancel, false);
}

TEST_F(ZoomPage, DefaultsSelectAllAndNoZoomAndReachThePrinterOnlyAtApply) {
    HWND page = Show(kZoomTab, [](PrinterValues& values) {
        values.Write(L"ZOOM_FOCUSAREA", 3);
        values.Write(L"ZOOM_ZOOMFACTOR", 19);
    });
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Narrow(ListTexts(page, kZoomFocusAreaList).at(3)), "Left");
    EXPECT_EQ(ListSelection(page, kZoomFocusAreaList), 3);
    EXPECT_EQ(ListSelection(page, kZoomFactorList), 19);
    EXPECT_TRUE(IsEnabled(page, kZoomFactorList));

    ASSERT_TRUE(Click(page, kZoomDefaultsButton));
    EXPECT_EQ(ListSelection(page, kZoomFocusAreaList), 0);
    EXPECT_EQ(ListSelection(page, kZoomFactorList), 0);
    EXPECT_FALSE(IsEnabled(page, kZoomFactorList));
    EXPECT_FALSE(IsEnabled(page, kZoomFactorLabel));
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(PageWrites(zelt::kZoom).empty());
    EXPECT_EQ(Stored(L"ZOOM_FOCUSAREA"), 3u);

    Press(SheetButton::kApply, true);
    EXPECT_EQ(PageWrites(zelt::kZoom),
              (Writes{{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 0}, {L"GLOBAL_ZOOM", 0}, {L"ZOOM_FOCUSAREA", 0},
                      {L"GLOBAL_FOCUSAREA", 1}, {L"GLOBAL_ZOOM", 0}}));
}

TEST_F(ZoomPage, CancelWritesNothingBeyondTheLoadRepairs) {
    HWND page = Show(kZoomTab);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(PickListItem(page, kZoomFocusAreaList, 2));
    ASSERT_TRUE(PickListItem(page, kZoomFactorList, 3));
    Press(SheetButton::kCancel, false);
    EXPECT_TRUE(PageWrites(zelt::kZoom).empty());
    EXPECT_EQ(Stored(L"ZOOM_FOCUSAREA"), 0u);
    EXPECT_EQ(Stored(L"ZOOM_ZOOMFACTOR"), 0u);
    EXPECT_TRUE(Absent(L"GLOBAL_ZOOM"));
    EXPECT_TRUE(Absent(L"GLOBAL_FOCUSAREA"));
    EXPECT_TRUE(Absent(L"GLOBAL_OPERATINGMODE"));
}

// --- Bad stored values -------------------------------------------------------------------
struct RawValue {
    DWORD type;
    std::vector<BYTE> bytes;
};

RawValue Dword(DWORD value) {
    RawValue raw{REG_DWORD, std::vector<BYTE>(4)};
    memcpy(raw.bytes.data(), &value, 4);
    return raw;
}

RawValue Bytes(DWORD type, std::vector<BYTE> bytes) { return {type, std::move(bytes)}; }

struct BadValueCase {
    const char* what;
    const wchar_t* name;
    RawValue stored;
    int tab;
    int list;     // the list showing it, or 0 for the ETB buttons
    DWORD shown;  // after load, also what is stored then
    bool repaired;
};

const BadValueCase kBadValues[] = {
    {"focus area 4", L"ZOOM_FOCUSAREA", Dword(4), kZoomTab, kZoomFocusAreaList, 0, true},
    {"focus area all bits", L"ZOOM_FOCUSAREA", Dword(kAllBits), kZoomTab, kZoomFocusAreaList, 0, true},
    {"focus area 8 bytes", L"ZOOM_FOCUSAREA", Bytes(REG_DWORD, {2, 0, 0, 0, 0, 0, 0, 0}), kZoomTab, kZoomFocusAreaList,
     0, true},
    {"focus area as binary", L"ZOOM_FOCUSAREA", Bytes(REG_BINARY, {2, 0, 0, 0}), kZoomTab, kZoomFocusAreaList, 0, true},
    {"focus area 3", L"ZOOM_FOCUSAREA", Dword(3), kZoomTab, kZoomFocusAreaList, 3, false},
    {"zoom factor 20", L"ZOOM_ZOOMFACTOR", Dword(20), kZoomTab, kZoomFactorList, 0, true},
    {"zoom factor 2 bytes", L"ZOOM_ZOOMFACTOR", Bytes(REG_DWORD, {5, 0}), kZoomTab, kZoomFactorList, 0, true},
    {"zoom factor 19", L"ZOOM_ZOOMFACTOR", Dword(19), kZoomTab, kZoomFactorList, 19, false},
    {"ETB 2", L"ETB_STATUS", Dword(2), kEtbTab, 0, 0, true},
    {"ETB all bits", L"ETB_STATUS", Dword(kAllBits), kEtbTab, 0, 0, true},
    {"ETB 8 bytes", L"ETB_STATUS", Bytes(REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}), kEtbTab, 0, 0, true},
    {"ETB empty", L"ETB_STATUS", Bytes(REG_DWORD, {}), kEtbTab, 0, 0, true},
    {"ETB 1", L"ETB_STATUS", Dword(1), kEtbTab, 0, 1, false},
};

using BadStoredValues = PageTest;

TEST_F(BadStoredValues, AreRepairedAtOnceAndShownWithTheirDefault) {
    for (const BadValueCase& c : kBadValues) {
        SCOPED_TRACE(c.what);
        HWND page = Show(c.tab, [&c](PrinterValues& values) {
            ASSERT_TRUE(values.WriteRaw(c.name, c.stored.type, c.stored.bytes.data(),
                                        static_cast<DWORD>(c.stored.bytes.size())));
        });
        ASSERT_NE(page, nullptr);
        if (c.list != 0) {
            EXPECT_EQ(ListSelection(page, c.list), static_cast<int>(c.shown));
        } else {
            EXPECT_EQ(IsChecked(page, kEtbDisableButton), c.shown == 0);
            EXPECT_EQ(IsChecked(page, kEtbEnableButton), c.shown != 0);
        }
        EXPECT_EQ(Stored(c.name), c.shown);
        bool written = false;
        for (const auto& write : loadWrites_) written |= write.first == c.name;
        EXPECT_EQ(written, c.repaired);
        Press(SheetButton::kCancel, false);
    }
}

// --- ETB page -----------------------------------------------------------------------------
using EtbPage = PageTest;

TEST_F(EtbPage, AFreshPrinterShowsDisableAndStoresTheRepairAtOnce) {
    HWND page = Show(kEtbTab);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(loadWrites_, (Writes{{L"ETB_STATUS", 0}}));
    EXPECT_TRUE(IsChecked(page, kEtbDisableButton));
    EXPECT_FALSE(IsChecked(page, kEtbEnableButton));
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(EtbPage, StoredEnableIsShownAndAppliedUnchanged) {
    HWND page = Show(kEtbTab, [](PrinterValues& values) { values.Write(L"ETB_STATUS", 1); });
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsChecked(page, kEtbDisableButton));
    EXPECT_TRUE(IsChecked(page, kEtbEnableButton));
    EXPECT_TRUE(loadWrites_.empty());
    Press(SheetButton::kApply, true);
    EXPECT_EQ(PageWrites(zelt::kEtb), (Writes{{L"ETB_STATUS", 1}, {L"GLOBAL_ETBSTATUS", 1}}));
    EXPECT_EQ(Stored(L"GLOBAL_ETBSTATUS"), 1u);
}

TEST_F(EtbPage, ClicksSwitchTheButtonsAndApplyAndOkStoreTheChoice) {
    HWND page = Show(kEtbTab);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kEtbEnableButton));
    EXPECT_TRUE(IsChecked(page, kEtbEnableButton));
    EXPECT_FALSE(IsChecked(page, kEtbDisableButton));
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(PageWrites(zelt::kEtb).empty());
    Press(SheetButton::kApply, true);
    EXPECT_EQ(PageWrites(zelt::kEtb), (Writes{{L"ETB_STATUS", 1}, {L"GLOBAL_ETBSTATUS", 1}}));
    EXPECT_EQ(Stored(L"ETB_STATUS"), 1u);
    EXPECT_EQ(Stored(L"GLOBAL_ETBSTATUS"), 1u);

    ASSERT_TRUE(Click(page, kEtbDisableButton));
    EXPECT_FALSE(IsChecked(page, kEtbEnableButton));
    Press(SheetButton::kOk, false);
    EXPECT_EQ(PageWrites(zelt::kEtb), (Writes{{L"ETB_STATUS", 0}, {L"GLOBAL_ETBSTATUS", 0}}));
    EXPECT_EQ(Stored(L"ETB_STATUS"), 0u);
    EXPECT_EQ(Stored(L"GLOBAL_ETBSTATUS"), 0u);
}

TEST_F(EtbPage, DefaultsCheckDisableAndReachThePrinterOnlyAtApply) {
    HWND page = Show(kEtbTab, [](PrinterValues& values) { values.Write(L"ETB_STATUS", 1); });
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kEtbDefaultsButton));
    EXPECT_TRUE(IsChecked(page, kEtbDisableButton));
    EXPECT_FALSE(IsChecked(page, kEtbEnableButton));
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(PageWrites(zelt::kEtb).empty());
    EXPECT_EQ(Stored(L"ETB_STATUS"), 1u);
    Press(SheetButton::kApply, true);
    EXPECT_EQ(PageWrites(zelt::kEtb), (Writes{{L"ETB_STATUS", 0}, {L"GLOBAL_ETBSTATUS", 0}}));
}

TEST_F(EtbPage, CancelAfterAChangeWritesNothing) {
    HWND page = Show(kEtbTab);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kEtbEnableButton));
    Press(SheetButton::kCancel, false);
    EXPECT_TRUE(PageWrites(zelt::kEtb).empty());
    EXPECT_EQ(Stored(L"ETB_STATUS"), 0u);
    EXPECT_TRUE(Absent(L"GLOBAL_ETBSTATUS"));
}

TEST_F(EtbPage, NeitherButtonCheckedIsAppliedAsSendingTheCommand) {
    HWND page = Show(kEtbTab);
    ASSERT_NE(page, nullptr);
    // Only a program can clear both buttons of the group.
    SendMessageW(GetDlgItem(page, kEtbDisableButton), BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_FALSE(IsChecked(page, kEtbDisableButton));
    ASSERT_FALSE(IsChecked(page, kEtbEnableButton));
    Press(SheetButton::kApply, true);
    EXPECT_EQ(PageWrites(zelt::kEtb), (Writes{{L"ETB_STATUS", 1}, {L"GLOBAL_ETBSTATUS", 1}}));
}

// --- Texts in each language ---------------------------------------------------------------
struct ControlTextCase {
    int tab;
    int id;
    const char* english;
    const char* japanese;
};

const ControlTextCase kTexts[] = {
    {kZoomTab, kFocusAreaLabel, "Focus Area", "ズーム基準位置"},
    {kZoomTab, kZoomFactorLabel, "Zoom Factor", "ズームファクター"},
    {kZoomTab, kZoomDefaultsButton, "Set options to defaults", "規定値に戻す"},
    {kEtbTab, kEtbGroup, "Send ETB Command", "ETBコマンド送信設定"},
    {kEtbTab, kEtbDisableButton, "Disable", "無効"},
    {kEtbTab, kEtbEnableButton, "Enable", "有効(ETBコマンド送出)"},
    {kEtbTab, kEtbDefaultsButton, "Set options to defaults", "規定値に戻す"},
};

void ExpectTexts(PageSession& session, bool japanese) {
    for (const ControlTextCase& c : kTexts) {
        HWND page = session.ShowPage(c.tab);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(Narrow(SeenCaption(page, c.id)), japanese ? c.japanese : c.english) << "control " << c.id;
    }
    HWND zoom = session.ShowPage(kZoomTab);
    EXPECT_EQ(Narrowed(ListTexts(zoom, kZoomFocusAreaList)), (std::vector<std::string>{"All", "Right", "Center", "Left"}));
    EXPECT_EQ(Narrow(ListTexts(zoom, kZoomFactorList).at(19)), "+95%");
}

TEST_F(PageTest, EnglishPagesShowTheEnglishTexts) {
    ASSERT_NE(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE);
    ASSERT_NE(Show(kZoomTab), nullptr);
    ExpectTexts(*session_, false);
}

// Registered separately with LANG=ja_JP.UTF-8.
using JapanesePages = PageTest;

TEST_F(JapanesePages, ShowTheJapaneseTexts) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE)
        << "run with LANG=ja_JP.UTF-8 and the ja_JP.UTF-8 locale generated";
    ASSERT_NE(Show(kZoomTab), nullptr);
    ExpectTexts(*session_, true);
}

}  // namespace
