// The Copy Options page in the real sheet under Wine, driven as a user would:
// the journal list from real files, Print through the real spooler into the
// printer's capture port, Save As with its dialog and messages, the enabled
// states through simple copy, defaults and the Logo page, and the "B18"
// presenter timeout.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "job_hooks.h"
#include "journal/copy_model.h"
#include "page_checks.h"
#include "resources/resource.h"

using namespace zelt::test;
using namespace zelt;

namespace {

// The folder's ".zrj" names in the order the listing returns them.
std::vector<std::wstring> ListedNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.zrj").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

struct WindowSearch {
    std::wstring caption;
    HWND found;
};

BOOL CALLBACK FindCaptioned(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    wchar_t className[16] = {};
    wchar_t caption[128] = {};
    if (!IsWindowVisible(window) || GetClassNameW(window, className, 16) == 0 || lstrcmpW(className, L"#32770") != 0) {
        return TRUE;
    }
    GetWindowTextW(window, caption, 128);
    if (search->caption != caption) return TRUE;
    search->found = window;
    return FALSE;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

class CopyPageTest : public ::testing::Test {
protected:
    // A fresh printer of the model with an empty journal folder and no jobs,
    // `seed` stored and `journals` written before the sheet opens.
    bool OpenSheet(const wchar_t* dataFile, const NamedNumbers& seed = {},
                   std::initializer_list<std::pair<const wchar_t*, Bytes>> journals = {}) {
        std::wstring error;
        if (!session.Prepare(dataFile, error, seed) || !ClearFolder(JournalFolder(), L"*", error) ||
            !jobs_.Reset(dataFile, error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        for (const auto& [name, bytes] : journals) PutJournal(name, bytes);
        if (!session.OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        TakeRecordedWrites();
        return true;
    }

    HWND OpenCopy(const wchar_t* dataFile, const NamedNumbers& seed = {},
                  std::initializer_list<std::pair<const wchar_t*, Bytes>> journals = {}) {
        return OpenSheet(dataFile, seed, journals) ? session.ShowPage(kCopyTab) : nullptr;
    }

    std::wstring JournalFolder() const { return session.JournalFolder(); }
    std::wstring JournalPath(const std::wstring& name) const { return JournalFolder() + L"\\" + name; }
    void PutJournal(const std::wstring& name, const Bytes& bytes) {
        ASSERT_TRUE(WriteWholeFile(JournalPath(name), bytes)) << Narrow(name);
    }
    bool JournalExists(const std::wstring& name) const {
        return GetFileAttributesW(JournalPath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    Bytes NextJob(const Bytes& expected) { return jobs_.Next(expected); }
    void ExpectNoJob() { EXPECT_TRUE(jobs_.NoneSince(session.printerName())) << "a job arrived before the marker"; }

    DWORD SheetThread() { return GetWindowThreadProcessId(session.sheet().window(), nullptr); }

    // A visible dialog of the sheet's thread with this caption, waited for.
    HWND WaitForDialog(const std::wstring& caption, DWORD timeoutMs = 5000) {
        const DWORD start = GetTickCount();
        do {
            WindowSearch search{caption, nullptr};
            EnumThreadWindows(SheetThread(), &FindCaptioned, reinterpret_cast<LPARAM>(&search));
            if (search.found) return search.found;
            Sleep(20);
        } while (GetTickCount() - start < timeoutMs);
        return nullptr;
    }

    // Clicks a button whose handling runs a modal loop: posted, so the test
    // goes on while the page waits for the user.
    void ClickLater(HWND window, int id) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }

    // The text of the driver's message box now shown, which is then closed.
    std::wstring CloseDriverMessage() {
        HWND box = WaitForDialog(kDriverCaption);
        if (box == nullptr) return L"(no message)";
        const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
        return text;
    }

    bool WaitGone(HWND window) {
        for (int i = 0; i < 250 && IsWindow(window); ++i) Sleep(20);
        return !IsWindow(window);
    }

    std::optional<DWORD> Value(const wchar_t* name) { return session.values().Number(name); }

    // Esc in the name field, Alt+F4 and the close box each end the Save As
    // dialog (captioned `caption`) as Cancel does: with a name typed that is
    // free, nothing is renamed and no message shown. The keys are posted to
    // the focused name field, so the dialog's own loop handles them as typed.
    void ExpectSaveAsClosesAsCancel(const std::wstring& caption) {
        HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"CurrentJournal.zrj", "journal"}});
        ASSERT_NE(page, nullptr);
        enum class Way { kEscapeInName, kAltF4, kCloseBox };
        for (Way way : {Way::kEscapeInName, Way::kAltF4, Way::kCloseBox}) {
            SCOPED_TRACE(way == Way::kEscapeInName ? "Esc" : way == Way::kAltF4 ? "Alt+F4" : "close box");
            ClickLater(page, kCopySaveAs);
            HWND dialog = WaitForDialog(caption);
            ASSERT_NE(dialog, nullptr);
            HWND name = GetDlgItem(dialog, IDC_SAVE_AS_NAME);
            SetDlgItemTextW(dialog, IDC_SAVE_AS_NAME, L"Kept");
            switch (way) {
                case Way::kEscapeInName:
                    PostMessageW(name, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                    PostMessageW(name, WM_KEYUP, VK_ESCAPE, 0xC0010001);
                    break;
                case Way::kAltF4:  // with KF_ALTDOWN, as the system sends it
                    PostMessageW(name, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
                    PostMessageW(name, WM_SYSKEYUP, VK_F4, 0xE03E0001);
                    break;
                case Way::kCloseBox:  // what the caption's button sends when clicked
                    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                    break;
            }
            EXPECT_TRUE(WaitGone(dialog));
            EXPECT_EQ(WaitForDialog(kDriverCaption, 300), nullptr) << "Cancel shows no message";
            EXPECT_EQ(*ReadWholeFile(JournalPath(L"CurrentJournal.zrj")), "journal");
            EXPECT_FALSE(JournalExists(L"Kept.zrj"));
            EXPECT_EQ(ListTexts(page, kCopyJournalList).size(), 2u);
        }
        session.Press(SheetButton::kCancel);
    }

    PageSession session;

private:
    PortJobs jobs_;
};

// --- The journal list ----------------------------------------------------------------------
TEST_F(CopyPageTest, JournalListFromTheFolderLeavesOutOnlyTheCurrentJournal) {
    HWND page = OpenCopy(kPlainModel, {}, {{L"CurrentJournal.zrj", "now"}, {L"B.zrj", "b"}, {L"A.zrj", "a"},
                                          {L"notes.txt", "not a journal"}});
    ASSERT_NE(page, nullptr);
    std::vector<std::wstring> expected = {L"<Current>", L"<All>"};
    for (const std::wstring& name : ListedNames(JournalFolder())) {
        if (name != L"CurrentJournal.zrj") expected.push_back(name);
    }
    EXPECT_EQ(ListTexts(page, kCopyJournalList), expected);
    EXPECT_EQ(expected.size(), 4u);
    EXPECT_EQ(ListSelection(page, kCopyJournalList), 0);
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, AJournalNamedInAnotherCaseIsListed) {
    HWND page = OpenCopy(kPlainModel, {}, {{L"currentjournal.zrj", "x"}});
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ListTexts(page, kCopyJournalList),
              (std::vector<std::wstring>{L"<Current>", L"<All>", L"currentjournal.zrj"}));
    session.Press(SheetButton::kCancel);
}

// --- Print ------------------------------------------------------------------------------------
TEST_F(CopyPageTest, PrintSendsTheCurrentJournalByteExact) {
    const Bytes current = Pattern(100000, 1) + Bytes("\0\x1B\x0C", 3);
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"CurrentJournal.zrj", current}});
    ASSERT_NE(page, nullptr);
    TakeRecordedWrites();  // the repairs of load
    ASSERT_TRUE(Click(page, kCopyPrintJournal));
    EXPECT_EQ(NextJob(current), current);
    ExpectNoJob();
    EXPECT_TRUE(TakeRecordedWrites().empty()) << "Print writes no setting";
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, PrintSendsTheSelectedArchiveAndNothingWithoutACurrentJournal) {
    const Bytes archive = Pattern(5000, 2);
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"Monday.zrj", archive}});
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kCopyPrintJournal));  // "<Current>", which does not exist
    ExpectNoJob();
    ASSERT_TRUE(PickListItem(page, kCopyJournalList, 2));
    ASSERT_TRUE(Click(page, kCopyPrintJournal));
    EXPECT_EQ(NextJob(archive), archive);
    ExpectNoJob();
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, PrintAllSendsEachArchiveInListOrderSkippingADeletedOne) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}},
                         {{L"One.zrj", Pattern(3000, 3)}, {L"Two.zrj", Pattern(4000, 4)},
                          {L"Three.zrj", Pattern(5000, 5)}, {L"CurrentJournal.zrj", "current"}});
    ASSERT_NE(page, nullptr);
    const std::vector<std::wstring> items = ListTexts(page, kCopyJournalList);
    ASSERT_EQ(items.size(), 5u);
    ASSERT_TRUE(DeleteFileW(JournalPath(items[3]).c_str()));
    ASSERT_TRUE(PickListItem(page, kCopyJournalList, 1));
    ASSERT_TRUE(Click(page, kCopyPrintJournal));
    for (int item : {2, 4}) {
        const Bytes expected = *ReadWholeFile(JournalPath(items[item]));
        EXPECT_EQ(NextJob(expected), expected) << Narrow(items[item]);
    }
    ExpectNoJob();
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, AnEmptyJournalIsOneEmptyJob) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"CurrentJournal.zrj", ""}});
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kCopyPrintJournal));
    EXPECT_EQ(NextJob(""), "");
    ExpectNoJob();
    session.Press(SheetButton::kCancel);
}

// --- A job the spooler refuses --------------------------------------------------------------
// The plug-in's spooler calls answered as a spooler refusing them would (job_hooks.h).
// Wine's AbortPrinter keeps the job open until the printer handle closes, so
// the port is looked at while the sheet is open.
constexpr std::size_t kPart = 1u << 20;  // the parts a journal is written in

struct RefusedJobCase {
    const char* name;
    JobAnswers answers;
    int selection;      // 0 "<Current>", 1 "<All>"
    std::string calls;  // the plug-in's calls; empty: the whole job in writes cut short
    int jobsArrived;    // whole journals at the port, in list order (the archives are alike in length)
};

std::string JournalWrites(std::size_t length) {
    std::string writes;
    for (std::size_t part = std::min(length, kPart); length > 0; length -= part, part = std::min(length, kPart)) {
        writes += ", Write " + std::to_string(part);
    }
    return writes;
}

class RefusedJob : public CopyPageTest, public ::testing::WithParamInterface<RefusedJobCase> {
protected:
    void TearDown() override { AnswerPluginJobs({}); }
};

// One message per press; a refused job is aborted, never ended; the first
// refusal ends an "<All>" press. Every call taken, the journal goes whole in parts.
TEST_P(RefusedJob, IsAbortedAndToldOnce) {
    const RefusedJobCase& c = GetParam();
    const Bytes current = Pattern(2 * kPart + kPart / 2, 5);
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}},
                         {{L"CurrentJournal.zrj", current}, {L"One.zrj", Pattern(4000, 3)},
                          {L"Two.zrj", Pattern(4000, 4)}, {L"Three.zrj", Pattern(4000, 5)}});
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WatchPluginJobs(session.plugin().module()));
    AnswerPluginJobs(c.answers);
    std::vector<Bytes> journals = {current};
    if (c.selection == 1) {
        journals.clear();
        for (const std::wstring& item : ListTexts(page, kCopyJournalList)) {
            if (item[0] != L'<') journals.push_back(*ReadWholeFile(JournalPath(item)));
        }
    }
    ASSERT_TRUE(PickListItem(page, kCopyJournalList, c.selection));
    TakeJobCalls();
    ClickLater(page, kCopyPrintJournal);

    const bool told = c.jobsArrived < static_cast<int>(journals.size());
    const std::optional<MessageBoxSeen> seen = DismissMessageBox(session.sheet(), told ? 5000 : 0);
    for (int job = 0; job < c.jobsArrived; ++job) EXPECT_EQ(NextJob(journals[job]), journals[job]) << job;
    ExpectNoJob();
    EXPECT_FALSE(DismissMessageBox(session.sheet(), 300).has_value()) << "told once";
    const std::string calls = JoinedCalls(TakeJobCalls());
    if (c.calls.empty()) {
        ASSERT_GE(calls.size(), 17u) << calls;
        EXPECT_EQ(calls.find("Abort"), std::string::npos) << calls;
        EXPECT_EQ(calls.substr(calls.size() - 17), ", EndPage, EndDoc") << calls;
    } else {
        EXPECT_EQ(calls, c.calls);
    }
    ASSERT_EQ(seen.has_value(), told);
    if (told) {
        EXPECT_EQ(seen->caption, kDriverCaption);
        EXPECT_EQ(Narrow(seen->text), "The data could not be sent to the printer.");
        EXPECT_EQ(seen->icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    session.Press(SheetButton::kCancel);
}

const std::string kFirstPart = "StartDoc, StartPage, Write " + std::to_string(kPart);

INSTANTIATE_TEST_SUITE_P(
    CopyPage, RefusedJob,
    ::testing::Values(
        RefusedJobCase{"EveryCallTaken", {}, 0,
                       "StartDoc, StartPage" + JournalWrites(2 * kPart + kPart / 2) + ", EndPage, EndDoc", 1},
        RefusedJobCase{"ShortWritesContinued", WritesTaking(300000), 0, "", 1},
        RefusedJobCase{"DocumentRefused", RefusingCall("StartDoc"), 0, "StartDoc", 0},
        RefusedJobCase{"FirstPartRefused", RefusingCall("Write"), 0, kFirstPart + ", Abort", 0},
        RefusedJobCase{"LaterPartRefused", RefusingCall("Write", 2), 0,
                       kFirstPart + ", Write " + std::to_string(kPart) + ", Abort", 0},
        RefusedJobCase{"MoreWrittenThanOffered", WritesTaking(0, 1), 0, kFirstPart + ", Abort", 0},
        RefusedJobCase{"AllEndsAtTheFirstRefusal", RefusingCall("Write", 2), 1,
                       "StartDoc, StartPage, Write 4000, EndPage, EndDoc, StartDoc, StartPage, Write 4000, Abort", 1}),
    [](const ::testing::TestParamInfo<RefusedJobCase>& info) { return std::string(info.param.name); });

// --- Save As ----------------------------------------------------------------------------------
TEST_F(CopyPageTest, SaveAsWithoutACurrentJournalShowsMessage39AndNoDialog) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}});
    ASSERT_NE(page, nullptr);
    ClickLater(page, kCopySaveAs);
    const std::optional<MessageBoxSeen> seen = DismissMessageBox(session.sheet(), 5000);
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->caption, kDriverCaption);
    EXPECT_EQ(Narrow(seen->text), "Current journal file does not exist, operation stopped.");
    EXPECT_EQ(seen->icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(WaitForDialog(L"Save As", 300), nullptr);
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, SaveAsWithTheProposedNameArchivesAndRefreshesTheList) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"CurrentJournal.zrj", "journal"}});
    ASSERT_NE(page, nullptr);
    ClickLater(page, kCopySaveAs);
    HWND dialog = WaitForDialog(L"Save As");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Narrow(TextOf(GetDlgItem(dialog, IDC_SAVE_AS_NAME))), "ArchiveJournal__term_n__mm_dd_yyyy__hhmm");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_AS_OK, BN_CLICKED), 0);
    EXPECT_EQ(Narrow(CloseDriverMessage()), "Save As operation completed.");
    EXPECT_TRUE(WaitGone(dialog));
    EXPECT_FALSE(JournalExists(L"CurrentJournal.zrj"));
    EXPECT_EQ(*ReadWholeFile(JournalPath(L"ArchiveJournal__term_n__mm_dd_yyyy__hhmm.zrj")), "journal");
    Sleep(100);
    EXPECT_EQ(ListTexts(page, kCopyJournalList),
              (std::vector<std::wstring>{L"<Current>", L"<All>", L"ArchiveJournal__term_n__mm_dd_yyyy__hhmm.zrj"}));
    EXPECT_EQ(ListSelection(page, kCopyJournalList), 0);
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, SaveAsWithAnExistingNameKeepsTheDialogOpenUntilCancel) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}},
                         {{L"CurrentJournal.zrj", "journal"}, {L"Taken.zrj", "older"}});
    ASSERT_NE(page, nullptr);
    ClickLater(page, kCopySaveAs);
    HWND dialog = WaitForDialog(L"Save As");
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextW(dialog, IDC_SAVE_AS_NAME, L"Taken");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_AS_OK, BN_CLICKED), 0);
    EXPECT_EQ(Narrow(CloseDriverMessage()), "File already exists, please enter a different file name.");
    Sleep(100);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(Narrow(TextOf(GetDlgItem(dialog, IDC_SAVE_AS_NAME))), "Taken");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_AS_CANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitGone(dialog));
    EXPECT_EQ(WaitForDialog(kDriverCaption, 300), nullptr) << "Cancel shows no message";
    EXPECT_EQ(*ReadWholeFile(JournalPath(L"CurrentJournal.zrj")), "journal");
    EXPECT_EQ(*ReadWholeFile(JournalPath(L"Taken.zrj")), "older");
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, SaveAsClosesWithEscapeAltF4AndTheCloseBoxAsCancel) { ExpectSaveAsClosesAsCancel(L"Save As"); }

TEST_F(CopyPageTest, SaveAsRefusesANameThatLeavesTheJournalFolder) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"CurrentJournal.zrj", "journal"}});
    ASSERT_NE(page, nullptr);
    for (const wchar_t* name : {L"..\\Escaped", L"..", L"C:Elsewhere"}) {
        ClickLater(page, kCopySaveAs);
        HWND dialog = WaitForDialog(L"Save As");
        ASSERT_NE(dialog, nullptr);
        SetDlgItemTextW(dialog, IDC_SAVE_AS_NAME, name);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_AS_OK, BN_CLICKED), 0);
        EXPECT_EQ(Narrow(CloseDriverMessage()), "Save As operation FAILED, Current journal file unchanged.");
        EXPECT_TRUE(WaitGone(dialog));
        EXPECT_EQ(*ReadWholeFile(JournalPath(L"CurrentJournal.zrj")), "journal");
    }
    EXPECT_EQ(GetFileAttributesW((L"C:\\Zelt\\" + session.printerName() + L"\\Escaped.zrj").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ListTexts(page, kCopyJournalList).size(), 2u);
    session.Press(SheetButton::kCancel);
}

// --- Enabled states -----------------------------------------------------------------------------
TEST_F(CopyPageTest, SimpleCopyAndTheJournalSelectionSwitchTheDependentControls) {
    HWND page = OpenCopy(kPlainModel);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsChecked(page, kCopySimpleCopy));
    ExpectCopyControls(page, false, true, false);

    ASSERT_TRUE(Click(page, kCopySimpleCopy));
    ExpectCopyControls(page, false, true, true);
    ASSERT_TRUE(PickListItem(page, kCopyJournalList, 1));
    EXPECT_FALSE(IsEnabled(page, kCopySaveAs));
    ASSERT_TRUE(Click(page, kCopySimpleCopy));
    ASSERT_TRUE(Click(page, kCopySimpleCopy));
    EXPECT_TRUE(IsEnabled(page, kCopySaveAs)) << "clearing Simple Copy enables Save As whatever the list shows";
    ASSERT_TRUE(PickListItem(page, kCopyJournalList, 0));
    EXPECT_TRUE(IsEnabled(page, kCopySaveAs));
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, OutputMethodZeroShowsNoButtonAndApplyKeepsIt) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_OUTPUT", 0}, {L"COPY_SIMPLECOPY", 0}});
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsChecked(page, kCopyPrintAfter));
    EXPECT_FALSE(IsChecked(page, kCopyAppend));
    EXPECT_FALSE(IsChecked(page, kCopyPrintAndAppend));
    TakeRecordedWrites();
    session.Press(SheetButton::kOk);
    bool outputWritten = false;
    for (const RecordedWrite& write : TakeRecordedWrites()) outputWritten |= write.name == L"COPY_OUTPUT";
    EXPECT_FALSE(outputWritten);
    EXPECT_EQ(Value(L"COPY_OUTPUT"), 0u);
    EXPECT_EQ(Value(L"ADDITIONAL_OUTPUT"), 0u);
}

TEST_F(CopyPageTest, OpenedAfterTheLogoPageSwitchedToGenerate) {
    ASSERT_TRUE(OpenSheet(kPresenterModel, {{L"COPY_SIMPLECOPY", 0}}));
    HWND logo = session.ShowPage(kLogoTab);
    ASSERT_NE(logo, nullptr);
    ASSERT_TRUE(Click(logo, kLogoGenerateButton));
    HWND page = session.ShowPage(kCopyTab);
    ExpectCopyControls(page, true, false, false);
    EXPECT_TRUE(IsEnabled(page, kCopyDefaultsButton));

    // Back to Print: "Simple Copy" (cleared) and everything else come back.
    session.ShowPage(kLogoTab);
    ASSERT_TRUE(Click(logo, kLogoPrintButton));
    ExpectCopyControls(page, true, true, true);
    // While the Logo page lives in Print mode, defaults leave "Simple Copy" on.
    session.ShowPage(kCopyTab);
    ASSERT_TRUE(Click(page, kCopyDefaultsButton));
    EXPECT_TRUE(IsChecked(page, kCopySimpleCopy));
    ExpectCopyControls(page, true, true, false);
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, OpenedWithTheLogoPageNeverShownAndStoredGenerateMode) {
    HWND page = OpenCopy(kPlainModel, {{L"LOGO_LOGOMODEGENERATE", 1}, {L"COPY_SIMPLECOPY", 0}});
    ExpectCopyControls(page, false, false, false);
    session.Press(SheetButton::kCancel);
    EXPECT_EQ(session.values().Number(L"LOGO_LOGOMODEGENERATE"), 1u) << "read, never written";
}

// --- "B18" ------------------------------------------------------------------------------------
TEST_F(CopyPageTest, PresenterControlsOnAFreshPrinterAndThroughSimpleCopy) {
    HWND page = OpenCopy(kPresenterModel);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ListTexts(page, kCopyCutList),
              (std::vector<std::wstring>{L"Full Cut No Feed / Full Cut No Feed", L"Full Cut / Full Cut",
                                         L"Full Cut Top Search / Full Cut Top Search"}));
    EXPECT_EQ(ListSelection(page, kCopyCutList), 1);
    EXPECT_TRUE(IsChecked(page, kCopyRetractDisabled));
    EXPECT_EQ(ControlText(page, kCopyTimeoutEdit), L"30");
    ExpectCopyControls(page, true, true, false);

    ASSERT_TRUE(Click(page, kCopySimpleCopy));
    EXPECT_TRUE(IsEnabled(page, kCopyRetractEnabled));
    EXPECT_TRUE(IsEnabled(page, kCopyRetractDisabled));
    for (int id : {kCopyTimeoutLabel, kCopyTimeoutEdit, kCopyTimeoutUpDown, kCopyTimeoutUnit}) {
        EXPECT_FALSE(IsEnabled(page, id)) << id;
    }
    ASSERT_TRUE(Click(page, kCopyRetractEnabled));
    for (int id : {kCopyTimeoutLabel, kCopyTimeoutEdit, kCopyTimeoutUpDown, kCopyTimeoutUnit}) {
        EXPECT_TRUE(IsEnabled(page, id)) << id;
    }
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, PresenterTimeoutEntries) {
    HWND page = OpenCopy(kPresenterModel, {{L"COPY_SIMPLECOPY", 0}, {L"COPY_PRESENTERRETRACT", 1}});
    ASSERT_NE(page, nullptr);
    const struct {
        const wchar_t* typed;
        bool accepted;
    } cases[] = {{L"1", true}, {L"255", true}, {L"0", false}, {L"256", false}, {L"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.typed));
        ASSERT_TRUE(TypeText(page, kCopyTimeoutEdit, c.typed));
        const PressOutcome outcome = session.Press(SheetButton::kApply);
        if (c.accepted) {
            EXPECT_TRUE(outcome.messages.empty());
            EXPECT_EQ(Value(L"COPY_PRESENTERRETRACTTIME"), static_cast<DWORD>(std::stoul(c.typed)));
            EXPECT_EQ(Value(L"ADDITIONAL_PRESENTERRETRACTTIME"), static_cast<DWORD>(std::stoul(c.typed)));
            continue;
        }
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages[0].caption, kPresenterCaption);
        EXPECT_EQ(Narrow(outcome.messages[0].text),
                  "The value entered in Paper Retract Timeout field is out of range.  Please enter a value between 1 "
                  "and 255.");
        EXPECT_EQ(outcome.messages[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(ControlText(page, kCopyTimeoutEdit), L"30");
        // Kept from the last accepted entry; the rest of the page was written.
        EXPECT_EQ(Value(L"COPY_PRESENTERRETRACTTIME"), 255u);
        EXPECT_EQ(Value(L"ADDITIONAL_OUTPUT"), 2u);
    }
    ASSERT_TRUE(TypeText(page, kCopyTimeoutEdit, L"0"));
    const PressOutcome ok = session.Press(SheetButton::kOk);
    EXPECT_EQ(ok.messages.size(), 1u);
    EXPECT_TRUE(ok.sheetOpen) << "PSNRET_INVALID keeps the sheet open";
    session.Press(SheetButton::kCancel);
}

// --- Japanese -----------------------------------------------------------------------------------
TEST_F(CopyPageTest, JapaneseTextsMessagesAndSaveAsDialog) {
    HWND page = OpenCopy(kPresenterModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"CurrentJournal.zrj", "journal"}});
    ASSERT_NE(page, nullptr);
    const std::pair<int, const char*> texts[] = {
        {kCopySimpleCopy, "通常の複写"}, {kCopyAddScv, "複写ページへの\"VOID\"文字印刷"},
        {kCopyAdditionalGroup, "特別な複写機能"}, {kCopyPrintJournal, "ファイルから印刷"},
        {kCopySaveAs, "ファイルへ保存"}, {kCopyTimeoutUnit, "*0.5sec"}, {kCopyDefaultsButton, "規定値に戻す"},
    };
    for (const auto& [id, text] : texts) EXPECT_EQ(Narrow(SeenCaption(page, id)), text) << id;
    EXPECT_EQ(Narrow(ListTexts(page, kCopyJournalList).at(0)), "<Current>");

    ClickLater(page, kCopySaveAs);
    HWND dialog = WaitForDialog(L"ジャーナルファイルの保存");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Narrow(SeenCaption(dialog, IDC_SAVE_AS_OK)), "ＯＫ");
    EXPECT_EQ(Narrow(SeenCaption(dialog, IDC_SAVE_AS_CANCEL)), "キャンセル");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_AS_OK, BN_CLICKED), 0);
    EXPECT_EQ(Narrow(CloseDriverMessage()), "ジャーナルデータの保存が完了しました。");
    EXPECT_TRUE(WaitGone(dialog));

    ClickLater(page, kCopySaveAs);  // the journal is archived now
    EXPECT_EQ(Narrow(CloseDriverMessage()), "保存すべきジャーナルデータは、まだ生成されていません。処理を中止しました。");
    session.Press(SheetButton::kCancel);
}

TEST_F(CopyPageTest, JapaneseSaveAsClosesWithEscapeAltF4AndTheCloseBoxAsCancel) {
    ExpectSaveAsClosesAsCancel(L"ジャーナルファイルの保存");
}

TEST_F(CopyPageTest, JapaneseNotSentMessage) {
    HWND page = OpenCopy(kPlainModel, {{L"COPY_SIMPLECOPY", 0}}, {{L"CurrentJournal.zrj", "journal"}});
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WatchPluginJobs(session.plugin().module()));
    AnswerPluginJobs(RefusingCall("StartDoc"));
    ClickLater(page, kCopyPrintJournal);
    const std::optional<MessageBoxSeen> seen = DismissMessageBox(session.sheet(), 5000);
    AnswerPluginJobs({});
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->caption, kDriverCaption);
    EXPECT_EQ(Narrow(seen->text), "データをプリンターに送信できませんでした。");
    session.Press(SheetButton::kCancel);
}

}  // namespace
