#include <cstdlib>

#include "crt_file_system.h"
#include "frame/page_procedures.h"
#include "logo_settings.h"
#include "logo_stream.h"
#include "pages/common/dialog_controls.h"
#include "pages/common/message_box.h"
#include "pages/common/page_access.h"
#include "pages/common/page_frame.h"
#include "spool/printer_queries.h"
#include "spool/spooler_job.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kLogoHelpContext, HelpTableId::kLogo};

void FillLists(HWND page) {
    FillList(page, kLogoGenerateToList, kGenerateToItems);
    for (const LogoPositionList& list : kLogoPositionLists) FillList(page, list.listId, kPositionChoiceItems);
    FillList(page, kLogoFileTypeList, kFileTypeItems);
}

void ShowControls(HWND page, const LogoControls& controls) {
    SetChecked(page, kLogoGenerateButton, controls.generateChecked);
    EnableControl(page, kLogoGenerateButton, controls.generateAvailable);
    SetChecked(page, kLogoPrintButton, controls.printChecked);
    SelectListItem(page, kLogoGenerateToList, controls.generateTo);
    for (int position = 0; position < kLogoPositionCount; ++position) {
        SelectListItem(page, kLogoPositionLists[position].listId, controls.positionChoices[position]);
    }
    SelectListItem(page, kLogoFileTypeList, controls.fileType);
}

LogoControls ReadControls(HWND page) {
    LogoControls controls;
    controls.generateChecked = IsChecked(page, kLogoGenerateButton);
    controls.printChecked = IsChecked(page, kLogoPrintButton);
    controls.generateAvailable = IsWindowEnabled(GetDlgItem(page, kLogoGenerateButton)) != FALSE;
    controls.generateTo = ListSelection(page, kLogoGenerateToList);
    for (int position = 0; position < kLogoPositionCount; ++position) {
        controls.positionChoices[position] = ListSelection(page, kLogoPositionLists[position].listId);
    }
    controls.fileType = ListSelection(page, kLogoFileTypeList);
    return controls;
}

bool InGenerateMode(HWND page) { return IsChecked(page, kLogoGenerateButton); }

void EnableForMode(HWND page, bool generateMode) {
    EnableControls(page, kGenerateModeControls, generateMode);
    EnableControls(page, kPrintModeControls, !generateMode);
}

void SwitchCopyPage(HWND page, bool generateMode) {
    HWND copyPage = SiblingPageWindow(page, kCopySlot);
    if (copyPage == nullptr) return;
    const CopyCoupling coupling = CopyCouplingFor(generateMode, IsChecked(copyPage, kCopySimpleCopy));
    // Ids the Copy Options template in use lacks are passed over.
    EnableControl(copyPage, kCopySimpleCopy, coupling.simpleCopyEnabled);
    EnableControls(copyPage, kCopyDependentControls, coupling.othersEnabled);
    EnableControls(copyPage, kCopyPresenterControls, coupling.othersEnabled);
}

void PrintAllLogos(HWND page) {
    HANDLE printer = PagePrinter(page);
    wchar_t printerName[kPrinterNameCapacity];
    GetPrinterName(printer, printerName, kPrinterNameCapacity);
    CrtFileSystem files;
    LogoStream stream = PrepareAllLogos(files, printerName, ListSelection(page, kLogoGenerateToList));
    if (stream.bytes == nullptr) {
        if (stream.unreadable) ShowNotSent(page);
        return;
    }
    SpoolerJob spooler(printer);
    const bool sent = SendRawJob(spooler, stream.bytes, stream.length);
    std::free(stream.bytes);
    if (!sent) ShowNotSent(page);
}

void InitialisePage(HWND page, LPARAM initParam) {
    BeginPage(page, initParam);
    FillLists(page);
    DriverDataFile driver(PagePrinter(page));
    const wchar_t* dataFile = driver.path();
    LogoControls shown;
    const bool readOnly = LoadPageValues(page, [&](PrinterData& store) {
        shown = LoadLogoPage(store, dataFile ? std::optional<std::wstring_view>(dataFile) : std::nullopt);
    });
    ShowControls(page, shown);
    EnableForMode(page, InGenerateMode(page));
    if (readOnly) {
        EnableControls(page, kLogoSettingControls, false);
        EnableControls(page, kGenerateModeControls, true);
    }
}

void ResetToDefaults(HWND page) {
    const bool generateAvailable = IsWindowEnabled(GetDlgItem(page, kLogoGenerateButton)) != FALSE;
    ShowControls(page, LogoDefaults(generateAvailable));
    EnableForMode(page, false);
    SwitchCopyPage(page, false);
    NotifyPageChanged(page);
}

INT_PTR Apply(HWND page) {
    const ApplyVerdict verdict = ApplyPageValues(page, [page](PrinterData& store) {
        DriverDataFile driver(PagePrinter(page));
        const wchar_t* dataFile = driver.path();
        ApplyLogoPage(store, ReadControls(page), dataFile ? std::optional<std::wstring_view>(dataFile) : std::nullopt);
        return false;
    });
    return AnswerNotify(page, ApplyResult(verdict));
}

INT_PTR HandleCommand(HWND page, int id, int code) {
    switch (id) {
        case kLogoGenerateButton:
        case kLogoPrintButton:
            if (code != BN_CLICKED) return FALSE;
            EnableForMode(page, InGenerateMode(page));
            SwitchCopyPage(page, InGenerateMode(page));
            NotifyPageChanged(page);
            return TRUE;
        case kLogoGenerateToList:
        case kLogoDocTopList:
        case kLogoPageTopList:
        case kLogoPageBottomList:
        case kLogoDocBottomList:
        case kLogoFileTypeList:
            if (code != CBN_SELCHANGE) return FALSE;
            NotifyPageChanged(page);
            return TRUE;
        case kLogoPrintAllButton:
            if (code != BN_CLICKED) return FALSE;
            PrintAllLogos(page);
            return TRUE;
        case kLogoDefaultsButton:
            if (code != BN_CLICKED) return FALSE;
            ResetToDefaults(page);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitialisePage(page, lParam);
            return TRUE;
        case WM_COMMAND:
            return HandleCommand(page, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            if (NotifyCode(lParam) == static_cast<UINT>(PSN_APPLY)) return Apply(page);
            break;
        default:
            break;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

}  // namespace zelt
