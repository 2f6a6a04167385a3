// The sheet for a user the printer refuses: one without the right to change
// it (DPS_NOPERMISSION), a spooler that refuses the writes at Apply, and a
// printer handle that cannot be read at all (one opened and closed again, and
// NULL). Read-only pages show what is stored and write nothing; the actions
// that need no such right print as before; a refused write is told once per
// Apply and keeps the sheet open. (Every page of every model read-only: the
// model matrix.)
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "journal/copy_model.h"
#include "logo/logo_settings.h"
#include "page_driver.h"
#include "pages/etb/etb_model.h"
#include "pages/raster/raster_model.h"
#include "settings/printer_access.h"

using namespace zelt::test;
using namespace zelt;

namespace {

const wchar_t kNotSavedEnglish[] =
    L"The settings could not be saved.  A user who has the right to change this printer's settings can save them.";
const wchar_t kNotSavedJapanese[] =
    L"設定を保存できませんでした。プリンターの設定を変更する権限のあるユーザーであれば保存できます。";

std::vector<int> Sorted(std::vector<int> ids) {
    std::sort(ids.begin(), ids.end());
    return ids;
}

// --- A user without the right to change the printer ---------------------------------------
class ReadOnlySheet : public ::testing::Test {
protected:
    // A fresh session on the printer, `seed` stored and its logos and
    // journals in place, the sheet opened with `flags`.
    bool Open(const NamedNumbers& seed, DWORD flags) {
        session = std::make_unique<PageSession>();
        std::wstring error;
        if (!session->Prepare(kPlainModel, error, seed) || !jobs.Reset(kPlainModel, error) ||
            !ClearFolder(session->LogoFolder(L"StartPage"), L"*.zrl", error) ||
            !ClearFolder(session->JournalFolder(), L"*", error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        const std::wstring pageTop = session->LogoFolder(L"StartPage");
        const std::wstring journals = session->JournalFolder();
        const bool written = WriteWholeFile(pageTop + L"\\0.zrl", Pattern(40, 1)) &&
                             WriteWholeFile(pageTop + L"\\1.zrl", Pattern(50, 2)) &&
                             WriteWholeFile(journals + L"\\Monday.zrj", Pattern(60, 3)) &&
                             WriteWholeFile(journals + L"\\Tuesday.zrj", Pattern(70, 4));
        if (!written) {
            ADD_FAILURE() << "cannot write the logos and journals";
            return false;
        }
        session->plugin().sheetParams()->dwFlags = flags;
        if (!session->OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        return true;
    }

    // "Print All Logos" for Page Top: its job.
    Bytes PrintLogos() {
        HWND logo = session->ShowPage(kLogoTab);
        EXPECT_TRUE(PickListItem(logo, kLogoGenerateToList, 1));
        EXPECT_TRUE(Click(logo, kLogoPrintAllButton));
        return jobs.Next();
    }

    // The journal "Print" of "<All>": the two journals' jobs.
    std::vector<Bytes> PrintJournals() {
        HWND copy = session->ShowPage(kCopyTab);
        EXPECT_TRUE(PickListItem(copy, kCopyJournalList, 1));
        EXPECT_TRUE(Click(copy, kCopyPrintJournal));
        return {jobs.Next(), jobs.Next()};
    }

    std::unique_ptr<PageSession> session;
    PortJobs jobs;
};

// The actions print through the user's own rights, so a read-only sheet prints
// what a sheet with every right prints -- here even in Print mode with "Simple
// Copy" on, where a user could not switch them on -- and the actions write
// nothing. (That the read-only pages themselves write nothing: the model
// matrix.)
TEST_F(ReadOnlySheet, ActionsPrintTheSameBytesAndNothingIsWritten) {
    ASSERT_TRUE(Open({{L"LOGO_LOGOMODEGENERATE", 1}, {L"LOGO_LOGOMODEPRINT", 0}, {L"COPY_SIMPLECOPY", 0}}, 0));
    const Bytes logos = PrintLogos();
    ASSERT_NE(logos, "(no job)");
    ASSERT_TRUE(Click(session->ShowPage(kLogoTab), kLogoPrintButton));  // Generate mode holds the journals back
    const std::vector<Bytes> journals = PrintJournals();
    const std::vector<Bytes> files = {Pattern(60, 3), Pattern(70, 4)};
    EXPECT_TRUE(std::is_permutation(journals.begin(), journals.end(), files.begin())) << "in listing order";
    ASSERT_FALSE(session->Press(SheetButton::kCancel).sheetOpen);

    ASSERT_TRUE(Open({{L"COPY_SIMPLECOPY", 1}}, kNoPermissionFlag));
    EXPECT_EQ(PrintLogos(), logos);
    EXPECT_EQ(PrintJournals(), journals);
    EXPECT_TRUE(jobs.NoneSince(session->printerName())) << "one job too many";

    HWND copy = session->ShowPage(kCopyTab);
    ASSERT_TRUE(PickListItem(copy, kCopyJournalList, 0));
    EXPECT_TRUE(IsEnabled(copy, kCopySaveAs)) << "Save As of the current journal";
    EXPECT_TRUE(TakeRecordedWrites().empty());
    EXPECT_FALSE(session->Press(SheetButton::kCancel).sheetOpen);
}

// Only DPS_NOPERMISSION concerns the pages.
TEST_F(ReadOnlySheet, EveryOtherFlagLeavesThePagesEditable) {
    ASSERT_TRUE(Open({}, ~kNoPermissionFlag));
    HWND etb = session->ShowPage(3);
    ASSERT_NE(etb, nullptr);
    ASSERT_TRUE(Click(etb, kEtbEnableButton));
    EXPECT_FALSE(session->Press(SheetButton::kOk).sheetOpen);
    EXPECT_EQ(session->values().Number(L"GLOBAL_ETBSTATUS"), 1u);
}

// --- A write the spooler refuses at Apply -----------------------------------------------
class RefusedWrite : public ::testing::Test {
protected:
    void TearDown() override { RefusePluginWrites(ERROR_SUCCESS); }

    // A fresh printer of the model, every page shown once (its repairs
    // stored) and the ETB page switched to Enable.
    void OpenAndChange(const wchar_t* model = kZoomModel) {
        session_ = std::make_unique<PageSession>();
        std::wstring error;
        ASSERT_TRUE(session().Open(model, error)) << Narrow(error);
        for (int tab = 0; tab < session().sheet().PageCount(); ++tab) ASSERT_NE(session().ShowPage(tab), nullptr);
        HWND etb = session().ShowPage(session().sheet().PageCount() - 1);
        ASSERT_TRUE(Click(etb, kEtbEnableButton));
        TakeRecordedWrites();
    }

    PageSession& session() { return *session_; }

    void ExpectToldOnce(const PressOutcome& outcome, const wchar_t* text) {
        EXPECT_TRUE(outcome.taken);
        EXPECT_TRUE(outcome.sheetOpen);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(Narrow(outcome.messages[0].text), Narrow(text));
        EXPECT_EQ(Narrow(outcome.messages[0].caption), Narrow(kDriverCaption));
        EXPECT_EQ(outcome.messages[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    }

protected:
    std::unique_ptr<PageSession> session_;
};

// Told at every OK and Apply while the spooler refuses; Cancel then closes.
TEST_F(RefusedWrite, IsToldOncePerApplyAndCancelCloses) {
    OpenAndChange();
    RefusePluginWrites(ERROR_ACCESS_DENIED);
    ExpectToldOnce(session().Press(SheetButton::kOk), kNotSavedEnglish);
    EXPECT_FALSE(TakeRecordedWrites().empty());
    ExpectToldOnce(session().Press(SheetButton::kApply), kNotSavedEnglish);
    TakeRecordedWrites();
    EXPECT_EQ(session().values().Number(L"ETB_STATUS"), 0u) << "as repaired at load";
    EXPECT_FALSE(session().values().Number(L"GLOBAL_ETBSTATUS").has_value());

    RefusePluginWrites(ERROR_SUCCESS);
    const PressOutcome cancel = session().Press(SheetButton::kCancel);
    EXPECT_TRUE(cancel.messages.empty());
    EXPECT_FALSE(cancel.sheetOpen);
    EXPECT_TRUE(TakeRecordedWrites().empty());
}

// Whichever page's write is refused, and with whatever error: one message;
// the pages before it have stored theirs, and once the spooler takes the
// writes again Apply stores everything.
TEST_F(RefusedWrite, AnyPageAnyErrorOneMessage) {
    const struct {
        const wchar_t* refused;
        DWORD error;
        const wchar_t* storedBefore;  // a value of an earlier page, or null
    } cases[] = {
        {L"RPO_PRINTQUALITY", ERROR_ACCESS_DENIED, nullptr},
        {L"GLOBAL_ETBSTATUS", ERROR_ACCESS_DENIED, L"GLOBAL_OPERATINGMODE"},
        {L"COPY_ADDSCV", RPC_S_SERVER_UNAVAILABLE, L"ORIGINAL_PRINTQUALITY"},
        {L"", ERROR_INVALID_HANDLE, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.refused) + " refused with " + std::to_string(c.error));
        OpenAndChange();
        RefusePluginWrites(c.error, c.refused);
        ExpectToldOnce(session().Press(SheetButton::kApply), kNotSavedEnglish);
        if (c.storedBefore != nullptr) EXPECT_TRUE(session().values().Number(c.storedBefore).has_value());
        EXPECT_FALSE(session().values().Number(L"GLOBAL_ETBSTATUS").has_value());

        RefusePluginWrites(ERROR_SUCCESS);
        const PressOutcome ok = session().Press(SheetButton::kOk);
        EXPECT_TRUE(ok.messages.empty());
        EXPECT_FALSE(ok.sheetOpen);
        EXPECT_EQ(session().values().Number(L"GLOBAL_ETBSTATUS"), 1u);
    }
}

// The page shows the default anyway; nothing to tell.
TEST_F(RefusedWrite, ARefusedRepairAtLoadIsSilent) {
    session_ = std::make_unique<PageSession>();
    std::wstring error;
    ASSERT_TRUE(session().Open(kZoomModel, error)) << Narrow(error);
    RefusePluginWrites(ERROR_ACCESS_DENIED);
    for (int tab = 0; tab < session().sheet().PageCount(); ++tab) ASSERT_NE(session().ShowPage(tab), nullptr);
    EXPECT_FALSE(DismissMessageBox(session().sheet(), 300).has_value());
    EXPECT_FALSE(TakeRecordedWrites().empty()) << "the repairs were tried";
    EXPECT_TRUE(IsChecked(session().ShowPage(kEtbTab), kEtbDisableButton));
    EXPECT_FALSE(session().values().Number(L"ETB_STATUS").has_value());
    EXPECT_FALSE(session().Press(SheetButton::kCancel).sheetOpen);
}

// A page shows one message at most: the refusal, which fixing the number
// would not cure.
TEST_F(RefusedWrite, OutweighsARejectedNumber) {
    OpenAndChange(kPlainModel);
    HWND raster = session().ShowPage(kRasterTab);
    ASSERT_TRUE(PickListItem(raster, kRasterDrawer1List, 1));  // so that its pulse width can be typed
    ASSERT_TRUE(TypeText(raster, kRasterDrawerPulseEdit, L"0"));
    RefusePluginWrites(ERROR_ACCESS_DENIED);
    ExpectToldOnce(session().Press(SheetButton::kApply), kNotSavedEnglish);
    RefusePluginWrites(ERROR_SUCCESS);
    const PressOutcome apply = session().Press(SheetButton::kApply);
    ASSERT_EQ(apply.messages.size(), 1u) << "now the number";
    EXPECT_NE(apply.messages[0].text.find(L"1 and 127"), std::wstring::npos);
    EXPECT_FALSE(session().Press(SheetButton::kCancel).sheetOpen);
}

// Registered separately with LANG=ja_JP.UTF-8.
TEST_F(RefusedWrite, JapaneseMessage) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE)
        << "run with LANG=ja_JP.UTF-8 and the ja_JP.UTF-8 locale generated";
    OpenAndChange();
    RefusePluginWrites(ERROR_ACCESS_DENIED);
    ExpectToldOnce(session().Press(SheetButton::kOk), kNotSavedJapanese);
    RefusePluginWrites(ERROR_SUCCESS);
    EXPECT_FALSE(session().Press(SheetButton::kCancel).sheetOpen);
}

// --- A printer handle the spooler refuses ---------------------------------------------------
// The page set-up cannot read the driver information, so only the Logo and
// ETB pages come; they are read-only on their defaults, and nothing reaches
// the real printer behind the handle.

// A model with all five pages, so that a handle that still reached it would
// show more than the two model-free pages.
constexpr int kRefusedLogoTab = 0;
constexpr int kRefusedEtbTab = 1;

// Stored on the real printer before the sheet opens; none is a default, so a
// page showing one of them read the real printer.
const NamedNumbers kStoredOnThePrinter = {
    {L"LOGO_LOGOMODEGENERATE", 1}, {L"LOGO_LOGOMODEPRINT", 0}, {L"LOGO_LOGOGENERATETO", 2},
    {L"LOGO_DOCTOPLOGO", 2},       {L"LOGO_FILETYPE", 1},      {L"ETB_STATUS", 1},
};

enum class Refusal { kClosedHandle, kNullHandle };

std::string RefusalName(const ::testing::TestParamInfo<Refusal>& info) {
    return info.param == Refusal::kClosedHandle ? "ClosedHandle" : "NullHandle";
}

class RefusedPrinter : public ::testing::TestWithParam<Refusal> {
protected:
    // The real printer prepared and seeded, the sheet opened on the refused
    // handle with no printer opened after it (Wine hands a closed handle's
    // slot to the next OpenPrinterW, which would make it valid again).
    bool OpenSheet() {
        std::wstring error;
        if (!session.Prepare(kZoomModel, error, kStoredOnThePrinter) || !jobs_.Reset(kZoomModel, error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        stored_ = session.values().Table();

        HANDLE refused = nullptr;
        if (GetParam() == Refusal::kClosedHandle) {
            if (!OpenPrinterW(const_cast<wchar_t*>(session.printerName().c_str()), &refused, nullptr)) {
                ADD_FAILURE() << "the printer does not open";
                return false;
            }
            ClosePrinter(refused);
        }
        session.plugin().sheetParams()->hPrinter = refused;
        if (!session.OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        return true;
    }

    // What a user sees on each page: the defaults, whatever the printer
    // holds, and only the logo printing usable.
    void ExpectReadOnlyDefaults() {
        HWND logo = session.ShowPage(kRefusedLogoTab);
        ASSERT_NE(logo, nullptr);
        EXPECT_TRUE(IsChecked(logo, kLogoPrintButton));
        EXPECT_FALSE(IsChecked(logo, kLogoGenerateButton));
        for (int list : {kLogoGenerateToList, kLogoDocTopList, kLogoPageTopList, kLogoPageBottomList,
                         kLogoDocBottomList, kLogoFileTypeList}) {
            EXPECT_EQ(ListSelection(logo, list), 0) << list;
        }
        EXPECT_EQ(Sorted(EnabledInputs(logo)), Sorted({kLogoGenerateToList, kLogoPrintAllButton}));

        HWND etb = session.ShowPage(kRefusedEtbTab);
        ASSERT_NE(etb, nullptr);
        EXPECT_TRUE(IsChecked(etb, kEtbDisableButton));
        EXPECT_FALSE(IsChecked(etb, kEtbEnableButton));
        EXPECT_TRUE(EnabledInputs(etb).empty());
        EXPECT_FALSE(ApplyButtonEnabled(session.sheet())) << "the sheet was told of a change";
    }

    void ExpectPrinterUntouched() {
        EXPECT_EQ(Narrow(session.values().Table()), Narrow(stored_));
        EXPECT_TRUE(jobs_.NoneSince(session.printerName())) << "a job reached the printer";
    }

    PageSession session;

private:
    PortJobs jobs_;
    std::wstring stored_;
};

TEST_P(RefusedPrinter, OnlyTheModelFreePagesComeReadOnlyAndApplyAndOkWriteAndTellNothing) {
    ASSERT_TRUE(OpenSheet());
    ASSERT_EQ(session.sheet().PageCount(), 2);
    EXPECT_EQ(Narrow(session.sheet().TabCaption(kRefusedLogoTab)), "Logo");
    EXPECT_EQ(Narrow(session.sheet().TabCaption(kRefusedEtbTab)), "ETB Funtion");
    ExpectReadOnlyDefaults();
    const PressOutcome apply = session.Press(SheetButton::kApply);
    EXPECT_TRUE(apply.sheetOpen);
    EXPECT_TRUE(apply.messages.empty());
    const PressOutcome ok = session.Press(SheetButton::kOk);
    EXPECT_TRUE(ok.taken);
    EXPECT_FALSE(ok.sheetOpen);
    EXPECT_TRUE(ok.messages.empty());
    ExpectPrinterUntouched();
}

// "Print All Logos" stays usable; with no printer name and no printer to take
// the job it sends nothing, leaves the real printer's pending logo pending,
// and the sheet goes on.
TEST_P(RefusedPrinter, PrintAllLogosSendsNothingAndTheSheetGoesOn) {
    ASSERT_TRUE(OpenSheet());
    const std::wstring startDoc = session.LogoFolder(L"StartDoc");
    std::wstring error;
    ASSERT_TRUE(ClearFolder(startDoc, L"*.zrl", error)) << Narrow(error);
    const std::wstring pending = startDoc + L"\\-1.zrl";
    ASSERT_TRUE(WriteWholeFile(pending, Pattern(10, 1)));

    HWND logo = session.ShowPage(kRefusedLogoTab);
    ASSERT_NE(logo, nullptr);
    for (int position = 0; position < 4; ++position) {
        ASSERT_TRUE(PickListItem(logo, kLogoGenerateToList, position));
        ASSERT_TRUE(Click(logo, kLogoPrintAllButton)) << position;
    }
    EXPECT_FALSE(DismissMessageBox(session.sheet(), 200).has_value()) << "no message is shown";
    EXPECT_NE(GetFileAttributesW(pending.c_str()), INVALID_FILE_ATTRIBUTES) << "the pending logo stays pending";
    DeleteFileW(pending.c_str());

    const PressOutcome cancel = session.Press(SheetButton::kCancel);
    EXPECT_TRUE(cancel.taken);
    EXPECT_FALSE(cancel.sheetOpen);
    EXPECT_TRUE(cancel.messages.empty());
    ExpectPrinterUntouched();
}

INSTANTIATE_TEST_SUITE_P(Handles, RefusedPrinter, ::testing::Values(Refusal::kClosedHandle, Refusal::kNullHandle),
                         RefusalName);

}  // namespace
