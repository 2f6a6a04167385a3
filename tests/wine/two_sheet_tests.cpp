// Two printers' Properties sheets open at once in one process, on one thread
// and on two, driven as a user would: each sheet's Copy Options page loads
// from, and follows, its own sheet's Logo page or its own printer, and a
// closed sheet leaves the other one working. Also pages that have no sheet.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "journal/copy_model.h"
#include "page_checks.h"

using namespace zelt::test;
using namespace zelt;

namespace {

// Printer A prints logos, printer B generates them; neither uses simple copy,
// so a Copy Options page in Print mode is enabled whole.
const wchar_t* const kModelA = kPlainModel;
const wchar_t* const kModelB = kPresenterModel;

bool PrepareWithLogoMode(PageSession& session, const wchar_t* model, bool generate, std::wstring& error) {
    return session.Prepare(model, error,
                           {{L"LOGO_LOGOMODEGENERATE", generate ? 1 : 0},
                            {L"LOGO_LOGOMODEPRINT", generate ? 0 : 1},
                            {L"COPY_SIMPLECOPY", 0}});
}

// A Copy Options page as the Logo mode leaves it while "Simple Copy" is clear:
// all off in Generate mode, all on in Print mode.
void ExpectCopyPageFor(HWND copyPage, bool generateMode, const char* which) {
    ExpectCopyControls(copyPage, false, !generateMode, !generateMode, which);
}

enum class Arrangement { kOneThread, kTwoThreads };

class TwoSheets : public ::testing::TestWithParam<Arrangement> {
protected:
    void SetUp() override {
        std::wstring error;
        ASSERT_TRUE(PrepareWithLogoMode(a, kModelA, false, error)) << Narrow(error);
        ASSERT_TRUE(PrepareWithLogoMode(b, kModelB, true, error)) << Narrow(error);
        ASSERT_TRUE(a.OpenSheet(error)) << Narrow(error);
        ASSERT_TRUE(OpenSheetB(error)) << Narrow(error);
        if (GetParam() == Arrangement::kOneThread) {
            ASSERT_EQ(GetWindowThreadProcessId(a.sheet().window(), nullptr),
                      GetWindowThreadProcessId(b.sheet().window(), nullptr));
        } else {
            ASSERT_NE(GetWindowThreadProcessId(a.sheet().window(), nullptr),
                      GetWindowThreadProcessId(b.sheet().window(), nullptr));
        }
    }

    // On one thread, sheet B runs inside sheet A's message loop.
    bool OpenSheetB(std::wstring& error) {
        return b.OpenSheet(error, GetParam() == Arrangement::kOneThread ? &a : nullptr);
    }

    // Each sheet with its Logo and Copy Options pages shown; B's Copy Options
    // page first, while only A's Logo page lives.
    void ShowAllPages() {
        logoA = a.ShowPage(kLogoTab);
        copyB = b.ShowPage(kCopyTab);
        copyA = a.ShowPage(kCopyTab);
        logoB = b.ShowPage(kLogoTab);
        ASSERT_TRUE(logoA && copyA && logoB && copyB);
    }

    // Shows the tab, as a user must before clicking on its page.
    static bool ClickOn(PageSession& session, int tab, int controlId) {
        HWND page = session.ShowPage(tab);
        return page != nullptr && Click(page, controlId);
    }

    std::optional<DWORD> Value(PageSession& session, const wchar_t* name) { return session.values().Number(name); }

    PageSession a;
    PageSession b;  // destroyed first: on one thread its sheet must close first
    HWND logoA = nullptr, copyA = nullptr, logoB = nullptr, copyB = nullptr;
};

TEST_P(TwoSheets, EachCopyPageLoadsFromItsOwnLogoPageOrPrinter) {
    ShowAllPages();
    // B's Logo page was not shown when B's Copy Options page loaded: B's
    // stored Generate mode counts, not A's live Logo page.
    ExpectCopyPageFor(copyB, true, "B");
    ExpectCopyPageFor(copyA, false, "A");
    b.Press(SheetButton::kCancel);
    a.Press(SheetButton::kCancel);
}

TEST_P(TwoSheets, EachLogoPageSwitchesOnlyItsOwnCopyPage) {
    ShowAllPages();
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoGenerateButton));
    ExpectCopyPageFor(copyA, true, "A after A's Generate");
    ExpectCopyPageFor(copyB, true, "B after A's Generate");
    ASSERT_TRUE(ClickOn(b, kLogoTab, kLogoPrintButton));
    ExpectCopyPageFor(copyB, false, "B after B's Print");
    ExpectCopyPageFor(copyA, true, "A after B's Print");
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoDefaultsButton));
    ExpectCopyPageFor(copyA, false, "A after A's defaults");
    ASSERT_TRUE(ClickOn(b, kLogoTab, kLogoGenerateButton));
    ExpectCopyPageFor(copyB, true, "B after B's Generate");
    ExpectCopyPageFor(copyA, false, "A after B's Generate");

    // The Copy Options defaults ask their own sheet's Logo page.
    ASSERT_TRUE(ClickOn(a, kCopyTab, kCopyDefaultsButton));
    ASSERT_TRUE(ClickOn(b, kCopyTab, kCopyDefaultsButton));
    EXPECT_TRUE(IsEnabled(copyA, kCopySimpleCopy));
    EXPECT_FALSE(IsEnabled(copyB, kCopySimpleCopy));
    EXPECT_TRUE(IsChecked(copyA, kCopySimpleCopy) && IsChecked(copyB, kCopySimpleCopy));
    b.Press(SheetButton::kCancel);
    a.Press(SheetButton::kCancel);
}

TEST_P(TwoSheets, ClosingOneSheetLeavesTheOtherWorking) {
    ShowAllPages();
    // B, opened last, goes first: its pages must not linger for A's.
    ASSERT_FALSE(b.Press(SheetButton::kCancel).sheetOpen);
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoGenerateButton));
    ExpectCopyPageFor(copyA, true, "A after B closed");
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoPrintButton));
    ExpectCopyPageFor(copyA, false, "A after B closed");

    // B opened again: a new sheet of pages beside A's.
    std::wstring error;
    ASSERT_TRUE(OpenSheetB(error)) << Narrow(error);
    copyB = b.ShowPage(kCopyTab);
    ExpectCopyPageFor(copyB, true, "B reopened");
    ASSERT_TRUE(ClickOn(b, kLogoTab, kLogoPrintButton));
    ExpectCopyPageFor(copyB, false, "B reopened, Print");
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoGenerateButton));
    ExpectCopyPageFor(copyA, true, "A beside the reopened B");
    ExpectCopyPageFor(copyB, false, "B after A's Generate");
    ASSERT_FALSE(b.Press(SheetButton::kCancel).sheetOpen);

    // A's Apply writes A's printer only; its Cancel writes nothing.
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoPrintButton));
    ASSERT_TRUE(ClickOn(a, kCopyTab, kCopySimpleCopy));
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoGenerateButton));
    ASSERT_TRUE(a.Press(SheetButton::kApply).taken);
    EXPECT_EQ(Value(a, L"LOGO_LOGOMODEGENERATE"), 1u);
    EXPECT_EQ(Value(a, L"COPY_SIMPLECOPY"), 1u);
    EXPECT_EQ(Value(b, L"COPY_SIMPLECOPY"), 0u);
    ASSERT_TRUE(ClickOn(a, kLogoTab, kLogoPrintButton));
    EXPECT_TRUE(IsEnabled(copyA, kCopySimpleCopy)) << "A's coupling after its Apply";
    ASSERT_FALSE(a.Press(SheetButton::kCancel).sheetOpen);
    EXPECT_EQ(Value(a, L"LOGO_LOGOMODEGENERATE"), 1u);

    // Each sheet's reasons reached its own printer's plug-in object, the
    // nested sheet's included.
    for (PageSession* session : {&a, &b}) {
        const std::vector<DWORD>& reasons = session->sheet().run().reasons;
        EXPECT_EQ(std::count(reasons.begin(), reasons.end(), static_cast<DWORD>(PROPSHEETUI_REASON_INIT)), 1);
        ASSERT_FALSE(reasons.empty());
        EXPECT_EQ(reasons.back(), static_cast<DWORD>(PROPSHEETUI_REASON_DESTROY));
    }
}

INSTANTIATE_TEST_SUITE_P(Arrangements, TwoSheets, ::testing::Values(Arrangement::kOneThread, Arrangement::kTwoThreads),
                         [](const ::testing::TestParamInfo<Arrangement>& info) {
                             return info.param == Arrangement::kOneThread ? "OneThread" : "TwoThreads";
                         });

// --- Pages without a sheet -------------------------------------------------------------
// A page template of the plug-in, as a popup when `popup` (a child page needs
// a parent window).
std::vector<BYTE> PageTemplate(HMODULE plugin, WORD id, bool popup) {
    HRSRC found = FindResourceW(plugin, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = found ? LoadResource(plugin, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};
    std::vector<BYTE> copy(static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + SizeofResource(plugin, found));
    constexpr std::size_t kExtendedStyleAt = 12;  // after dlgVer, signature, helpID, exStyle
    DWORD style = 0;
    std::memcpy(&style, copy.data() + kExtendedStyleAt, sizeof style);
    if (popup) style = (style & ~static_cast<DWORD>(WS_CHILD)) | WS_POPUP;
    std::memcpy(copy.data() + kExtendedStyleAt, &style, sizeof style);
    return copy;
}

class LonePage {
public:
    LonePage(HMODULE plugin, WORD templateId, DLGPROC procedure, OEMUIPSPARAM* params, HWND parent) {
        const std::vector<BYTE> dialog = PageTemplate(plugin, templateId, parent == nullptr);
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof page;
        page.lParam = reinterpret_cast<LPARAM>(params);
        if (!dialog.empty()) {
            window_ = CreateDialogIndirectParamW(plugin, reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), parent,
                                                 procedure, reinterpret_cast<LPARAM>(&page));
        }
        if (window_) ShowWindow(window_, SW_SHOWNA);
    }
    ~LonePage() {
        if (window_) DestroyWindow(window_);
    }
    HWND window() const { return window_; }

private:
    HWND window_ = nullptr;
};

TEST(PagesWithoutASheet, FallBackToTheStoredModeAndSwitchNothing) {
    PageSession a, b;
    std::wstring error;
    ASSERT_TRUE(PrepareWithLogoMode(a, kModelA, false, error)) << Narrow(error);
    ASSERT_TRUE(PrepareWithLogoMode(b, kModelB, true, error)) << Narrow(error);
    // The procedures of the plug-in's Logo and standard Copy Options pages, as
    // the real sheet runs them.
    ASSERT_TRUE(a.OpenSheet(error)) << Narrow(error);
    const auto logoProcedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(a.ShowPage(kLogoTab), DWLP_DLGPROC));
    const auto copyProcedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(a.ShowPage(kCopyTab), DWLP_DLGPROC));
    a.Press(SheetButton::kCancel);
    ASSERT_TRUE(logoProcedure && copyProcedure);
    const HMODULE plugin = a.plugin().module();

    // No parent: the stored mode of each page's own printer.
    LonePage copyA(plugin, 109, copyProcedure, a.plugin().sheetParams(), nullptr);
    LonePage copyB(plugin, 109, copyProcedure, b.plugin().sheetParams(), nullptr);
    ASSERT_TRUE(copyA.window() && copyB.window());
    ExpectCopyPageFor(copyA.window(), false, "A without a parent");
    ExpectCopyPageFor(copyB.window(), true, "B without a parent");
    // Defaults leave "Simple Copy" as it was when no Logo page is found.
    ASSERT_TRUE(Click(copyA.window(), kCopyDefaultsButton));
    ASSERT_TRUE(Click(copyB.window(), kCopyDefaultsButton));
    EXPECT_TRUE(IsEnabled(copyA.window(), kCopySimpleCopy));
    EXPECT_FALSE(IsEnabled(copyB.window(), kCopySimpleCopy));

    // A parent that is no property sheet: a Logo and a Copy Options page side
    // by side in it are no siblings.
    HWND parent = CreateWindowExW(0, L"STATIC", L"not a sheet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 500,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    {
        LonePage logo(plugin, 108, logoProcedure, a.plugin().sheetParams(), parent);
        LonePage copy(plugin, 109, copyProcedure, b.plugin().sheetParams(), parent);
        ASSERT_TRUE(logo.window() && copy.window());
        ExpectCopyPageFor(copy.window(), true, "B in a plain window");
        ASSERT_TRUE(Click(logo.window(), kLogoPrintButton));
        ASSERT_TRUE(Click(logo.window(), kLogoDefaultsButton));
        ExpectCopyPageFor(copy.window(), true, "B beside a Logo page in Print mode");
    }
    DestroyWindow(parent);
}

}  // namespace
