// The Logo page in the real sheet under Wine, driven as a user would: its
// modes and lists, what apply stores, "Print All Logos" through the real
// spooler into the printer's capture port, and its hold on a stand-in Copy
// Options page.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "iat_hook.h"
#include "job_hooks.h"
#include "page_checks.h"
#include "resources/resource.h"

using namespace zelt::test;
using namespace zelt;

namespace {

// --- A stand-in for the Copy Options page ------------------------------------------
using CreatePageFunction = HPROPSHEETPAGE(WINAPI*)(LPCPROPSHEETPAGEW);
CreatePageFunction g_realCreatePage = nullptr;
bool g_useSiblingCopyPage = false;

INT_PTR CALLBACK SiblingCopyPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The Copy Options page the plug-in creates, replaced by a template of this
// program with the same control ids (9116 with the presenter controls of
// template 116, 9109 without them); the plug-in keeps its handle as usual.
HPROPSHEETPAGE WINAPI CreatePageWithSibling(LPCPROPSHEETPAGEW page) {
    const auto templateId = reinterpret_cast<UINT_PTR>(page->pszTemplate);
    const bool copyTemplate =
        templateId == 105 || templateId == 109 || templateId == 111 || templateId == 116 || templateId == 118;
    if (!g_useSiblingCopyPage || !copyTemplate) return g_realCreatePage(page);
    PROPSHEETPAGEW sibling = *page;
    sibling.hInstance = GetModuleHandleW(nullptr);
    sibling.pszTemplate = MAKEINTRESOURCEW(templateId == 116 ? 9116 : 9109);
    sibling.pfnDlgProc = &SiblingCopyPageProc;
    return g_realCreatePage(&sibling);
}

// --- Files ----------------------------------------------------------------------------
// The expected job, written out from the record layout by hand.
Bytes Record(int number, const Bytes& logo) {
    char label[32];
    std::snprintf(label, sizeof label, "[LOGO %4d]\n", number);
    return Bytes(label, 12) +
           Bytes("\x1B*rR\0" "\x1B*rA\0" "\x1B*rQ0\0\0" "\x1B*rF1\0\0" "\x1B*rE1\0\0" "\x1B*rP0\0\0" "\0\0", 40) +
           logo + Bytes("\x1B\x0C\0" "\x04\x1B*rB\0" "\n\0", 11);
}

Bytes Job(const std::vector<Bytes>& logos) {
    Bytes job;
    for (std::size_t n = 0; n < logos.size(); ++n) job += Record(static_cast<int>(n), logos[n]);
    return job + Bytes("\x1B" "d\x02\0", 4);
}

std::string Hex(const Bytes& bytes, std::size_t limit = 80) {
    std::string text;
    char digits[4];
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned char>(bytes[i]));
        text += digits;
    }
    return text + (bytes.size() > limit ? "..." : "") + " (" + std::to_string(bytes.size()) + " bytes)";
}

const wchar_t* const kPositionFolders[] = {L"StartDoc", L"StartPage", L"EndPage", L"EndDoc"};

// --- The page on a fresh printer ----------------------------------------------------------
class LogoPageTest : public ::testing::Test {
protected:
    void TearDown() override { g_useSiblingCopyPage = false; }

    // A fresh printer of the model with empty logo folders and no jobs,
    // `seed` stored before the sheet opens; null when the sheet did not open.
    bool OpenSheet(const wchar_t* dataFile, const NamedNumbers& seed = {}, bool siblingCopyPage = false) {
        std::wstring error;
        bool cleared = session.Prepare(dataFile, error, seed) && jobs_.Reset(dataFile, error);
        for (const wchar_t* folder : kPositionFolders) {
            cleared = cleared && ClearFolder(LogoFolder(folder), L"*.zrl", error);
        }
        if (!cleared) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        g_useSiblingCopyPage = siblingCopyPage;
        if (!HookImport(session.plugin().module(), "comctl32.dll", "CreatePropertySheetPageW", &CreatePageWithSibling,
                        g_realCreatePage)) {
            ADD_FAILURE() << "the plug-in does not import CreatePropertySheetPageW";
            return false;
        }
        if (!session.OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        TakeRecordedWrites();
        return true;
    }

    HWND OpenLogo(const wchar_t* dataFile, const NamedNumbers& seed = {}) {
        return OpenSheet(dataFile, seed) ? session.ShowPage(kLogoTab) : nullptr;
    }

    std::optional<DWORD> Value(const wchar_t* name) { return session.values().Number(name); }

    std::wstring LogoFolder(const wchar_t* folder) const { return session.LogoFolder(folder); }
    std::wstring LogoPath(const wchar_t* folder, int number) const {
        return LogoFolder(folder) + L"\\" + std::to_wstring(number) + L".zrl";
    }
    void PutLogo(const wchar_t* folder, int number, const Bytes& bytes) {
        ASSERT_TRUE(WriteWholeFile(LogoPath(folder, number), bytes));
    }
    std::optional<Bytes> LogoBytes(const wchar_t* folder, int number) const {
        return ReadWholeFile(LogoPath(folder, number));
    }

    // "Print All Logos" of a position, as a user reaches it: the Logo page
    // shown in Generate mode and the position picked. The page.
    HWND PressPrintAllLogos(int position) {
        HWND page = session.ShowPage(kLogoTab);
        const bool pressed = page != nullptr && Click(page, kLogoGenerateButton) &&
                             PickListItem(page, kLogoGenerateToList, position) && Click(page, kLogoPrintAllButton);
        EXPECT_TRUE(pressed) << "Print All Logos of position " << position;
        return page;
    }

    Bytes NextJob(const Bytes& expected) { return jobs_.Next(expected); }
    void ExpectNoJob() { EXPECT_TRUE(jobs_.NoneSince(session.printerName())) << "a job arrived before the marker"; }

    PageSession session;

private:
    PortJobs jobs_;
};

// --- Load, modes and defaults ---------------------------------------------------------
TEST_F(LogoPageTest, FreshPrinterShowsPrintModeAndStoresTheDefaults) {
    HWND page = OpenLogo(kPlainModel);
    ASSERT_NE(page, nullptr);
    const std::vector<RecordedWrite> writes = TakeRecordedWrites();
    const std::vector<std::wstring> expectedNames = {L"LOGO_LOGOMODEGENERATE", L"LOGO_LOGOMODEPRINT",
                                                     L"LOGO_LOGOGENERATETO",   L"LOGO_DOCTOPLOGO",
                                                     L"LOGO_PAGETOPLOGO",      L"LOGO_PAGEBOTTOMLOGO",
                                                     L"LOGO_DOCBOTTOMLOGO",    L"LOGO_FILETYPE"};
    ASSERT_EQ(writes.size(), expectedNames.size());
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(Narrow(writes[i].name), Narrow(expectedNames[i]));
        EXPECT_EQ(writes[i].type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(writes[i].size, 4u);
        EXPECT_EQ(writes[i].number, i == 1 ? 1u : 0u);
    }
    EXPECT_FALSE(IsChecked(page, kLogoGenerateButton));
    EXPECT_TRUE(IsEnabled(page, kLogoGenerateButton));
    EXPECT_TRUE(IsChecked(page, kLogoPrintButton));

    const std::vector<std::wstring> positions = ListTexts(page, kLogoGenerateToList);
    ASSERT_EQ(positions.size(), 4u);
    EXPECT_EQ(Narrow(positions[0]), "Document Top");
    EXPECT_EQ(Narrow(positions[1]), "Page Top");
    EXPECT_EQ(Narrow(positions[2]), "Page Bottom");
    EXPECT_EQ(Narrow(positions[3]), "Document Bottom");
    for (int list : {kLogoDocTopList, kLogoPageTopList, kLogoPageBottomList, kLogoDocBottomList}) {
        const std::vector<std::wstring> choices = ListTexts(page, list);
        ASSERT_EQ(choices.size(), 3u);
        EXPECT_EQ(Narrow(choices[0]), "No Print");
        EXPECT_EQ(Narrow(choices[1]), "Sequential");
        EXPECT_EQ(Narrow(choices[2]), "All");
        EXPECT_EQ(ListSelection(page, list), 0);
    }
    const std::vector<std::wstring> types = ListTexts(page, kLogoFileTypeList);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(Narrow(types[0]), "ZRL");
    EXPECT_EQ(Narrow(types[1]), "BMP");
    EXPECT_EQ(ListSelection(page, kLogoGenerateToList), 0);
    EXPECT_EQ(ListSelection(page, kLogoFileTypeList), 0);

    for (int id : kGenerateModeControls) EXPECT_FALSE(IsEnabled(page, id)) << id;
    for (int id : kPrintModeControls) EXPECT_TRUE(IsEnabled(page, id)) << id;
    for (int id : {kLogoModeGroup, kLogoPrintButton, kLogoDefaultsButton}) EXPECT_TRUE(IsEnabled(page, id)) << id;

    // Cancel keeps the repairs and writes nothing more.
    session.Press(SheetButton::kCancel);
    EXPECT_TRUE(TakeRecordedWrites().empty());
    EXPECT_EQ(Value(L"LOGO_LOGOMODEPRINT"), 1u);
    EXPECT_EQ(Value(L"ORIGINAL_DOCTOPLOGO"), std::nullopt);
}

TEST_F(LogoPageTest, StoredValuesShowAndOutOfRangeOnesAreRepaired) {
    HWND page = OpenLogo(kPlainModel, {{L"LOGO_LOGOMODEGENERATE", 1},
                                       {L"LOGO_LOGOMODEPRINT", 0},
                                       {L"LOGO_LOGOGENERATETO", 3},
                                       {L"LOGO_DOCTOPLOGO", 3},
                                       {L"LOGO_PAGETOPLOGO", 2},
                                       {L"LOGO_PAGEBOTTOMLOGO", 1},
                                       {L"LOGO_DOCBOTTOMLOGO", 0xFFFFFFFF},
                                       {L"LOGO_FILETYPE", 1}});
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsChecked(page, kLogoGenerateButton));
    EXPECT_FALSE(IsChecked(page, kLogoPrintButton));
    EXPECT_EQ(ListSelection(page, kLogoGenerateToList), 3);
    EXPECT_EQ(ListSelection(page, kLogoDocTopList), 0);
    EXPECT_EQ(ListSelection(page, kLogoPageTopList), 2);
    EXPECT_EQ(ListSelection(page, kLogoPageBottomList), 1);
    EXPECT_EQ(ListSelection(page, kLogoDocBottomList), 0);
    EXPECT_EQ(ListSelection(page, kLogoFileTypeList), 1);
    EXPECT_EQ(Value(L"LOGO_DOCTOPLOGO"), 0u);
    EXPECT_EQ(Value(L"LOGO_DOCBOTTOMLOGO"), 0u);
    for (int id : kGenerateModeControls) EXPECT_TRUE(IsEnabled(page, id)) << id;
    for (int id : kPrintModeControls) EXPECT_FALSE(IsEnabled(page, id)) << id;
}

TEST_F(LogoPageTest, ModeButtonsAndDefaultsSwitchTheControls) {
    HWND page = OpenLogo(kPlainModel);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kLogoGenerateButton));
    EXPECT_FALSE(IsChecked(page, kLogoPrintButton));
    for (int id : kGenerateModeControls) EXPECT_TRUE(IsEnabled(page, id)) << id;
    for (int id : kPrintModeControls) EXPECT_FALSE(IsEnabled(page, id)) << id;
    ASSERT_TRUE(PickListItem(page, kLogoGenerateToList, 2));
    ASSERT_TRUE(Click(page, kLogoPrintButton));
    for (int id : kGenerateModeControls) EXPECT_FALSE(IsEnabled(page, id)) << id;
    for (int id : kPrintModeControls) EXPECT_TRUE(IsEnabled(page, id)) << id;
    ASSERT_TRUE(Click(page, kLogoGenerateButton));

    // The defaults bring back Print mode (what they select and store: the model matrix).
    ASSERT_TRUE(Click(page, kLogoDefaultsButton));
    for (int id : kGenerateModeControls) EXPECT_FALSE(IsEnabled(page, id)) << id;
    for (int id : kPrintModeControls) EXPECT_TRUE(IsEnabled(page, id)) << id;
    session.Press(SheetButton::kCancel);
}

// --- Apply --------------------------------------------------------------------------------
TEST_F(LogoPageTest, ApplyInPrintModeStoresEachPositionsChoice) {
    HWND page = OpenLogo(kPlainModel);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(PickListItem(page, kLogoDocTopList, 2));
    ASSERT_TRUE(PickListItem(page, kLogoPageTopList, 1));
    ASSERT_TRUE(PickListItem(page, kLogoPageBottomList, 0));
    ASSERT_TRUE(PickListItem(page, kLogoDocBottomList, 2));
    ASSERT_TRUE(PickListItem(page, kLogoFileTypeList, 1));
    const PressOutcome outcome = session.Press(SheetButton::kOk);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_FALSE(outcome.sheetOpen);
    ExpectStored(session.values(), {{L"ORIGINAL_DOCTOPLOGO", 2},
                                    {L"ORIGINAL_PAGETOPLOGO", 1},
                                    {L"ORIGINAL_PAGEBOTTOMLOGO", 0},
                                    {L"ORIGINAL_DOCBOTTOMLOGO", 2},
                                    {L"LOGO_FILETYPE", 1},
                                    {L"ORIGINAL_LOGOFILETYPE", 1},
                                    {L"LOGO_LOGOMODEGENERATE", 0},
                                    {L"LOGO_LOGOMODEPRINT", 1},
                                    {L"GLOBAL_OPERATINGMODE", 0}});
}

TEST_F(LogoPageTest, ApplyInGenerateModeMarksTheGeneratedPosition) {
    HWND page = OpenLogo(kPlainModel, {{L"LOGO_DOCTOPLOGO", 1}, {L"LOGO_PAGEBOTTOMLOGO", 1}});
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kLogoGenerateButton));
    ASSERT_TRUE(PickListItem(page, kLogoGenerateToList, 2));
    session.Press(SheetButton::kApply);
    const std::vector<RecordedWrite> writes = TakeRecordedWrites();
    ASSERT_GE(writes.size(), 4u);
    EXPECT_EQ(Narrow(writes.back().name), "ORIGINAL_DOCBOTTOMLOGO") << "the position values come last";
    // The lists keep their own choices.
    ExpectStored(session.values(), {{L"ORIGINAL_DOCTOPLOGO", 0},
                                    {L"ORIGINAL_PAGETOPLOGO", 0},
                                    {L"ORIGINAL_PAGEBOTTOMLOGO", 2},
                                    {L"ORIGINAL_DOCBOTTOMLOGO", 0},
                                    {L"GLOBAL_OPERATINGMODE", 2},
                                    {L"LOGO_LOGOMODEGENERATE", 1},
                                    {L"LOGO_LOGOMODEPRINT", 0},
                                    {L"LOGO_LOGOGENERATETO", 2},
                                    {L"LOGO_DOCTOPLOGO", 1},
                                    {L"LOGO_PAGEBOTTOMLOGO", 1}});
    session.Press(SheetButton::kCancel);
}

class ZoomDataFile : public LogoPageTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(ZoomDataFile, DisablesGenerateAndAppliesZoomMode) {
    HWND page = OpenLogo(GetParam(), {{L"LOGO_LOGOMODEGENERATE", 1}, {L"LOGO_LOGOMODEPRINT", 0}});
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsChecked(page, kLogoGenerateButton));
    EXPECT_FALSE(IsEnabled(page, kLogoGenerateButton));
    EXPECT_FALSE(IsChecked(page, kLogoPrintButton)) << "neither mode button is checked";
    EXPECT_EQ(Value(L"LOGO_LOGOMODEGENERATE"), 0u);
    for (int id : kGenerateModeControls) EXPECT_FALSE(IsEnabled(page, id)) << id;
    for (int id : kPrintModeControls) EXPECT_TRUE(IsEnabled(page, id)) << id;

    session.Press(SheetButton::kApply);
    EXPECT_EQ(Value(L"LOGO_LOGOMODEGENERATE"), 0u);
    EXPECT_EQ(Value(L"LOGO_LOGOMODEPRINT"), 0u);
    EXPECT_EQ(Value(L"GLOBAL_OPERATINGMODE"), 3u);

    ASSERT_TRUE(Click(page, kLogoDefaultsButton));
    EXPECT_FALSE(IsEnabled(page, kLogoGenerateButton)) << "defaults leave Generate disabled";
    EXPECT_TRUE(IsChecked(page, kLogoPrintButton));
    session.Press(SheetButton::kOk);
    EXPECT_EQ(Value(L"LOGO_LOGOMODEPRINT"), 1u);
    EXPECT_EQ(Value(L"GLOBAL_OPERATINGMODE"), 3u);
}

INSTANTIATE_TEST_SUITE_P(LogoPage, ZoomDataFile,
                         ::testing::Values(L"QRVD67_ZOOM.GPD", L"QWNB15_ZOOM.GPD", L"QWNB18_ZOOM.GPD"));

TEST_F(LogoPageTest, OtherZoomPathKeepsGenerateAndAppliesByMode) {
    HWND page = OpenLogo(L"QRVX10_ZOOM.GPD");
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsEnabled(page, kLogoGenerateButton));
    session.Press(SheetButton::kApply);
    EXPECT_EQ(Value(L"GLOBAL_OPERATINGMODE"), 3u);
    ASSERT_TRUE(Click(page, kLogoGenerateButton));
    session.Press(SheetButton::kApply);
    EXPECT_EQ(Value(L"GLOBAL_OPERATINGMODE"), 2u);
    session.Press(SheetButton::kCancel);
}

// --- Print All Logos -------------------------------------------------------------------
struct PositionCase {
    int position;
    const wchar_t* folder;
    bool numbersPending;
};

class PrintAllLogos : public LogoPageTest, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(PrintAllLogos, PrintsThePositionsRunAsOneJob) {
    const PositionCase& c = GetParam();
    ASSERT_TRUE(OpenSheet(kPlainModel));
    const Bytes logo0 = Pattern(100, 1);
    const Bytes logo1;  // a zero-byte logo
    const Bytes pending = Pattern(333, 3);
    PutLogo(c.folder, 0, logo0);
    PutLogo(c.folder, 1, logo1);
    PutLogo(c.folder, -1, pending);
    PutLogo(c.folder, 3, Pattern(10, 4));  // beyond the gap at 2 (or at 3 once the pending logo is 2)
    for (const wchar_t* other : kPositionFolders) {
        if (other != c.folder) PutLogo(other, 0, Pattern(20, 9));
    }
    ASSERT_NE(session.ShowPage(kLogoTab), nullptr);
    TakeRecordedWrites();  // the repairs of load
    PressPrintAllLogos(c.position);

    const Bytes expected = c.numbersPending ? Job({logo0, logo1, pending, Pattern(10, 4)}) : Job({logo0, logo1});
    const Bytes job = NextJob(expected);
    EXPECT_EQ(job, expected) << Hex(job) << "\nexpected " << Hex(expected);
    EXPECT_EQ(LogoBytes(c.folder, -1).has_value(), !c.numbersPending);
    if (c.numbersPending) EXPECT_EQ(LogoBytes(c.folder, 2), pending);
    EXPECT_TRUE(TakeRecordedWrites().empty()) << "printing writes no setting";
    ExpectNoJob();
    session.Press(SheetButton::kCancel);
}

INSTANTIATE_TEST_SUITE_P(LogoPage, PrintAllLogos,
                         ::testing::Values(PositionCase{0, L"StartDoc", true}, PositionCase{1, L"StartPage", false},
                                           PositionCase{2, L"EndPage", false}, PositionCase{3, L"EndDoc", true}));

TEST_F(LogoPageTest, PrintAllLogosLabelsEveryLogoOfALongRun) {
    ASSERT_TRUE(OpenSheet(kPlainModel));
    std::vector<Bytes> logos;
    for (int n = 0; n < 13; ++n) {
        logos.push_back(Pattern(static_cast<std::size_t>(n * 37), n));
        PutLogo(L"EndPage", n, logos.back());
    }
    PressPrintAllLogos(2);
    const Bytes expected = Job(logos);
    const Bytes job = NextJob(expected);
    EXPECT_EQ(job, expected) << Hex(job);
    EXPECT_NE(job.find("[LOGO   12]\n"), Bytes::npos);
    session.Press(SheetButton::kCancel);
}

TEST_F(LogoPageTest, NothingToPrintSendsNoJob) {
    ASSERT_TRUE(OpenSheet(kPlainModel));
    PutLogo(L"StartPage", 1, Pattern(10, 1));   // no logo 0
    PutLogo(L"StartPage", -1, Pattern(10, 2));  // pending, not numbered on a page position
    PressPrintAllLogos(1);
    ExpectNoJob();

    // A missing position folder: no job either.
    RemoveDirectoryW(LogoFolder(L"EndPage").c_str());
    PressPrintAllLogos(2);
    ExpectNoJob();
    session.Press(SheetButton::kCancel);
}

TEST_F(LogoPageTest, ALogoThatCannotBeOpenedEndsTheRunAndIsNeverReplaced) {
    ASSERT_TRUE(OpenSheet(kPlainModel));
    const Bytes logo0 = Pattern(50, 1);
    PutLogo(L"StartDoc", 0, logo0);
    PutLogo(L"StartDoc", 1, Pattern(60, 2));
    PutLogo(L"StartDoc", 2, Pattern(70, 3));
    PutLogo(L"StartDoc", -1, Pattern(80, 4));
    // Held open without sharing: the plug-in cannot open logo 1.
    HANDLE held = CreateFileW(LogoPath(L"StartDoc", 1).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PressPrintAllLogos(0);
    CloseHandle(held);
    const Bytes expected = Job({logo0});
    EXPECT_EQ(NextJob(expected), expected);
    EXPECT_EQ(LogoBytes(L"StartDoc", 1), Pattern(60, 2)) << "the rename never replaces a logo";
    EXPECT_EQ(LogoBytes(L"StartDoc", -1), Pattern(80, 4)) << "the pending logo stays pending";
    session.Press(SheetButton::kCancel);
}

// The plug-in's spooler calls answered as a spooler refusing them would
// (job_hooks.h): one message per press, a refused job aborted and never
// ended, and nothing at the port. Wine's AbortPrinter keeps the job open
// until the printer handle closes, so the port is looked at while the sheet
// is open.
struct RefusedLogoJobCase {
    const char* name;
    JobAnswers answers;
    const char* calls;  // the plug-in's calls for the 230-byte stream
    bool sent;
};

class RefusedLogoJob : public LogoPageTest, public ::testing::WithParamInterface<RefusedLogoJobCase> {
protected:
    void TearDown() override {
        AnswerPluginJobs({});
        LogoPageTest::TearDown();
    }
};

TEST_P(RefusedLogoJob, IsAbortedAndToldOnce) {
    const RefusedLogoJobCase& c = GetParam();
    ASSERT_TRUE(OpenSheet(kPlainModel));
    PutLogo(L"StartPage", 0, Pattern(100, 1));
    PutLogo(L"StartPage", 1, "");
    const Bytes expected = Job({Pattern(100, 1), ""});
    ASSERT_EQ(expected.size(), 230u);
    HWND page = session.ShowPage(kLogoTab);
    ASSERT_TRUE(Click(page, kLogoGenerateButton));
    ASSERT_TRUE(PickListItem(page, kLogoGenerateToList, 1));
    ASSERT_TRUE(WatchPluginJobs(session.plugin().module()));
    AnswerPluginJobs(c.answers);
    TakeJobCalls();
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(kLogoPrintAllButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kLogoPrintAllButton)));

    const std::optional<MessageBoxSeen> seen = DismissMessageBox(session.sheet(), c.sent ? 0 : 5000);
    if (c.sent) EXPECT_EQ(NextJob(expected), expected);
    ExpectNoJob();
    EXPECT_FALSE(DismissMessageBox(session.sheet(), 300).has_value()) << "told once";
    EXPECT_EQ(JoinedCalls(TakeJobCalls()), c.calls);
    ASSERT_EQ(seen.has_value(), !c.sent);
    if (!c.sent) {
        EXPECT_EQ(seen->caption, kDriverCaption);
        EXPECT_EQ(Narrow(seen->text), "The data could not be sent to the printer.");
        EXPECT_EQ(seen->icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    session.Press(SheetButton::kCancel);
}

INSTANTIATE_TEST_SUITE_P(
    LogoPage, RefusedLogoJob,
    ::testing::Values(
        RefusedLogoJobCase{"EveryCallTaken", {}, "StartDoc, StartPage, Write 230, EndPage, EndDoc", true},
        RefusedLogoJobCase{"ShortWritesContinued", WritesTaking(100),
                           "StartDoc, StartPage, Write 230, Write 130, Write 30, EndPage, EndDoc", true},
        RefusedLogoJobCase{"DocumentRefused", RefusingCall("StartDoc"), "StartDoc", false},
        RefusedLogoJobCase{"WriteRefused", RefusingCall("Write"), "StartDoc, StartPage, Write 230, Abort", false},
        RefusedLogoJobCase{"WriteRefusedAfterAShortOne", [] {
                               JobAnswers answers = RefusingCall("Write", 2);
                               answers.mostWritten = 100;
                               return answers;
                           }(),
                           "StartDoc, StartPage, Write 230, Write 130, Abort", false},
        RefusedLogoJobCase{"MoreWrittenThanOffered", WritesTaking(0, 1), "StartDoc, StartPage, Write 230, Abort",
                           false}),
    [](const ::testing::TestParamInfo<RefusedLogoJobCase>& info) { return std::string(info.param.name); });

// --- The Copy Options page ------------------------------------------------------------------
class CopyCoupling : public LogoPageTest, public ::testing::WithParamInterface<const wchar_t*> {
protected:
    // From "Simple Copy" checked on the shown Logo page's sibling: Generate
    // mode turns the Copy Options page off, Print mode gives back "Simple
    // Copy"; with it clear, Generate turns all off and the Logo page's
    // defaults give all back.
    void ExpectTheLogoModeSwitches(HWND page, HWND copyPage) {
        const bool presenter = std::wstring(GetParam()) == kPresenterModel;
        ASSERT_TRUE(IsChecked(copyPage, kCopySimpleCopy));
        ASSERT_TRUE(Click(page, kLogoGenerateButton));
        ExpectCopyControls(copyPage, presenter, false, false);
        ASSERT_TRUE(Click(page, kLogoPrintButton));
        ExpectCopyControls(copyPage, presenter, true, false);
        session.ShowPage(kCopyTab);
        ASSERT_TRUE(Click(copyPage, kCopySimpleCopy));
        session.ShowPage(kLogoTab);
        ASSERT_TRUE(Click(page, kLogoGenerateButton));
        ExpectCopyControls(copyPage, presenter, false, false);
        ASSERT_TRUE(Click(page, kLogoDefaultsButton));
        ExpectCopyControls(copyPage, presenter, true, true);
        session.Press(SheetButton::kCancel);
    }
};

TEST_P(CopyCoupling, GenerateModeTurnsAStandInCopyPageOff) {
    const bool presenter = std::wstring(GetParam()) == kPresenterModel;
    ASSERT_TRUE(OpenSheet(GetParam(), {}, true));
    // Before the Copy Options page exists the mode buttons touch nothing else.
    HWND page = session.ShowPage(kLogoTab);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Click(page, kLogoGenerateButton));
    ASSERT_TRUE(Click(page, kLogoPrintButton));

    HWND copyPage = session.ShowPage(kCopyTab);
    ExpectCopyControls(copyPage, presenter, true, true);
    EXPECT_EQ(GetDlgItem(copyPage, IDC_COPY_RETRACT_TIMEOUT_UNIT) != nullptr, presenter);
    ASSERT_TRUE(Click(copyPage, kCopySimpleCopy));  // the stand-in's starts clear
    session.ShowPage(kLogoTab);
    ExpectTheLogoModeSwitches(page, copyPage);
}

// The real Copy Options page, made before the Logo page.
TEST_P(CopyCoupling, GenerateModeTurnsTheRealCopyPageOff) {
    ASSERT_TRUE(OpenSheet(GetParam()));
    HWND copyPage = session.ShowPage(kCopyTab);
    ASSERT_NE(copyPage, nullptr);
    HWND page = session.ShowPage(kLogoTab);
    ASSERT_NE(page, nullptr);
    ExpectTheLogoModeSwitches(page, copyPage);
}

INSTANTIATE_TEST_SUITE_P(LogoPage, CopyCoupling, ::testing::Values(kPlainModel, kPresenterModel));

// --- Japanese --------------------------------------------------------------------------------
TEST_F(LogoPageTest, JapaneseTextsAndEnglishListItems) {
    HWND page = OpenLogo(kPlainModel);
    ASSERT_NE(page, nullptr);
    const std::pair<int, const char*> texts[] = {
        {kLogoModeGroup, "モード"},           {kLogoGenerateButton, "生成モード"},
        {kLogoPrintButton, "印刷モード"},     {kLogoGenerateGroup, "ロゴ生成の設定"},
        {kLogoGenerateToLabel, "ロゴ生成先"}, {kLogoPrintAllButton, "登録済の全てのロゴを印刷"},
        {kLogoPrintGroup, "ロゴ印刷の設定"},  {kLogoDocTopLabel, "文書の先頭"},
        {kLogoPageTopLabel, "ページの先頭"},  {kLogoPageBottomLabel, "ページの末尾"},
        {kLogoDocBottomLabel, "文書の末尾"},  {kLogoFileTypeLabel, "ロゴファイル形式"},
        {kLogoDefaultsButton, "規定値に戻す"},
    };
    for (const auto& [id, text] : texts) EXPECT_EQ(Narrow(SeenCaption(page, id)), text) << id;
    const std::vector<std::wstring> positions = ListTexts(page, kLogoGenerateToList);
    ASSERT_EQ(positions.size(), 4u);
    EXPECT_EQ(Narrow(positions[3]), "Document Bottom");
    EXPECT_EQ(Narrow(ListTexts(page, kLogoDocTopList).at(1)), "Sequential");
    EXPECT_EQ(Narrow(ListTexts(page, kLogoFileTypeList).at(1)), "BMP");
    session.Press(SheetButton::kCancel);
}

}  // namespace
