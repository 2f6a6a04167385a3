// The sheet on a printer handle the spooler refuses: one opened and closed
// again, and NULL. The page set-up cannot read the driver information, so
// only the Logo and ETB pages come; they show their defaults, every button
// works, and nothing reaches the real printer behind the handle.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "logo/logo_settings.h"
#include "page_driver.h"
#include "settings/setting_table.h"
#include "printer_names.h"
#include "wine_paths.h"

using namespace zelt::test;
using namespace zelt;

namespace {

// A model with all five pages, so that a handle that still reached it would
// show more than the two model-free pages.
const wchar_t kModel[] = L"QWNB18_ZOOM.GPD";

constexpr int kLogoTab = 0;
constexpr int kEtbTab = 1;
enum : int { kEtbDisable = 1095, kEtbEnable = 1096, kEtbDefaults = 1124 };

// Stored on the real printer before the sheet opens; none is a default, so a
// page showing one of them read the real printer.
const std::pair<const wchar_t*, DWORD> kStoredOnThePrinter[] = {
    {L"LOGO_LOGOMODEGENERATE", 1}, {L"LOGO_LOGOMODEPRINT", 0}, {L"LOGO_LOGOGENERATETO", 2},
    {L"LOGO_DOCTOPLOGO", 2},       {L"LOGO_FILETYPE", 1},      {L"ETB_STATUS", 1},
};

bool IsSeeded(std::wstring_view name) {
    for (const auto& seeded : kStoredOnThePrinter) {
        if (name == seeded.first) return true;
    }
    return false;
}

enum class Refusal { kClosedHandle, kNullHandle };

std::string RefusalName(const ::testing::TestParamInfo<Refusal>& info) {
    return info.param == Refusal::kClosedHandle ? "ClosedHandle" : "NullHandle";
}

int CountFiles(const std::wstring& folder, const wchar_t* pattern) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

class RefusedPrinter : public ::testing::TestWithParam<Refusal> {
protected:
    // The real printer prepared and seeded, the sheet opened on the refused
    // handle with no printer opened after it (Wine hands a closed handle's
    // slot to the next OpenPrinterW, which would make it valid again).
    bool OpenSheet() {
        std::wstring error;
        if (!session.Prepare(kModel, error)) {
            ADD_FAILURE() << Narrow(error);
            return false;
        }
        for (const auto& [name, value] : kStoredOnThePrinter) session.values().Write(name, value);
        jobsFolder_ = L"C:\\zelt\\jobs\\" + host::ModelName(kModel);
        jobsBefore_ = CountFiles(jobsFolder_, L"job-*.prn");

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

    // What a user sees on each page: the defaults, whatever the printer holds.
    void ExpectDefaultsShown() {
        HWND logo = session.ShowPage(kLogoTab);
        ASSERT_NE(logo, nullptr);
        EXPECT_TRUE(IsChecked(logo, kLogoPrintButton));
        EXPECT_FALSE(IsChecked(logo, kLogoGenerateButton));
        EXPECT_TRUE(IsEnabled(logo, kLogoGenerateButton)) << "Generate mode is offered without a data file";
        for (int list : {kLogoGenerateToList, kLogoDocTopList, kLogoPageTopList, kLogoPageBottomList,
                         kLogoDocBottomList, kLogoFileTypeList}) {
            EXPECT_EQ(ListSelection(logo, list), 0) << list;
        }
        for (int id : kPrintModeControls) EXPECT_TRUE(IsEnabled(logo, id)) << id;
        for (int id : kGenerateModeControls) EXPECT_FALSE(IsEnabled(logo, id)) << id;

        HWND etb = session.ShowPage(kEtbTab);
        ASSERT_NE(etb, nullptr);
        EXPECT_TRUE(IsChecked(etb, kEtbDisable));
        EXPECT_FALSE(IsChecked(etb, kEtbEnable));
    }

    // The real printer holds what was seeded, and nothing else of the plug-in's.
    void ExpectPrinterUntouched() {
        for (const auto& [name, value] : kStoredOnThePrinter) {
            EXPECT_EQ(session.values().Number(name), value) << Narrow(name);
        }
        for (const SettingSpec& setting : kSettings) {
            if (IsSeeded(setting.name)) continue;
            EXPECT_EQ(session.values().Read(setting.name).status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
                << Narrow(setting.name);
        }
    }

    int NewJobs() { return CountFiles(jobsFolder_, L"job-*.prn") - jobsBefore_; }

    PageSession session;

private:
    std::wstring jobsFolder_;
    int jobsBefore_ = 0;
};

TEST_P(RefusedPrinter, OnlyTheModelFreePagesComeAndShowTheirDefaults) {
    ASSERT_TRUE(OpenSheet());
    ASSERT_EQ(session.sheet().PageCount(), 2);
    EXPECT_EQ(Narrow(session.sheet().TabCaption(kLogoTab)), "Logo");
    EXPECT_EQ(Narrow(session.sheet().TabCaption(kEtbTab)), "ETB Funtion");
    ExpectDefaultsShown();
    const PressOutcome cancel = session.Press(SheetButton::kCancel);
    EXPECT_TRUE(cancel.taken);
    EXPECT_FALSE(cancel.sheetOpen);
    EXPECT_TRUE(cancel.messages.empty());
    ExpectPrinterUntouched();
}

TEST_P(RefusedPrinter, ApplyKeepsTheSheetOpenAndOkClosesItWithoutMessages) {
    ASSERT_TRUE(OpenSheet());
    HWND logo = session.ShowPage(kLogoTab);
    ASSERT_NE(logo, nullptr);
    ASSERT_TRUE(Click(logo, kLogoGenerateButton));
    ASSERT_TRUE(PickListItem(logo, kLogoGenerateToList, 3));
    HWND etb = session.ShowPage(kEtbTab);
    ASSERT_NE(etb, nullptr);
    ASSERT_TRUE(Click(etb, kEtbEnable));

    const PressOutcome apply = session.Press(SheetButton::kApply);
    EXPECT_TRUE(apply.taken);
    EXPECT_TRUE(apply.sheetOpen);
    EXPECT_TRUE(apply.messages.empty());
    // The pages keep what the user chose; the refused writes are silent.
    EXPECT_TRUE(IsChecked(logo, kLogoGenerateButton));
    EXPECT_EQ(ListSelection(logo, kLogoGenerateToList), 3);
    EXPECT_TRUE(IsChecked(etb, kEtbEnable));

    const PressOutcome ok = session.Press(SheetButton::kOk);
    EXPECT_TRUE(ok.taken);
    EXPECT_FALSE(ok.sheetOpen);
    EXPECT_TRUE(ok.messages.empty());
    ExpectPrinterUntouched();
}

TEST_P(RefusedPrinter, DefaultsButtonsResetThePagesAndNothingIsStored) {
    ASSERT_TRUE(OpenSheet());
    HWND logo = session.ShowPage(kLogoTab);
    ASSERT_NE(logo, nullptr);
    ASSERT_TRUE(Click(logo, kLogoGenerateButton));
    ASSERT_TRUE(PickListItem(logo, kLogoGenerateToList, 1));
    ASSERT_TRUE(Click(logo, kLogoDefaultsButton));
    HWND etb = session.ShowPage(kEtbTab);
    ASSERT_NE(etb, nullptr);
    ASSERT_TRUE(Click(etb, kEtbEnable));
    ASSERT_TRUE(Click(etb, kEtbDefaults));
    ExpectDefaultsShown();
    const PressOutcome ok = session.Press(SheetButton::kOk);
    EXPECT_TRUE(ok.taken);
    EXPECT_FALSE(ok.sheetOpen);
    ExpectPrinterUntouched();
}

// "Print All Logos" acts at once: with no printer name and no printer to take
// the job it sends nothing, leaves the real printer's pending logo pending,
// and the sheet goes on.
TEST_P(RefusedPrinter, PrintAllLogosSendsNothingAndTheSheetGoesOn) {
    ASSERT_TRUE(OpenSheet());
    const std::wstring startDoc = L"C:\\Zelt\\" + session.printerName() + L"\\ZeltRasterLogoData\\StartDoc";
    std::wstring error;
    ASSERT_TRUE(host::MakeFolders(startDoc, error)) << Narrow(error);
    const std::wstring pending = startDoc + L"\\-1.zrl";
    HANDLE file = CreateFileW(pending.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    HWND logo = session.ShowPage(kLogoTab);
    ASSERT_NE(logo, nullptr);
    ASSERT_TRUE(Click(logo, kLogoGenerateButton));
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
    // The capture port writes a job some time after its submission.
    Sleep(500);
    EXPECT_EQ(NewJobs(), 0);
    ExpectPrinterUntouched();
}

INSTANTIATE_TEST_SUITE_P(Handles, RefusedPrinter, ::testing::Values(Refusal::kClosedHandle, Refusal::kNullHandle),
                         RefusalName);

}  // namespace
