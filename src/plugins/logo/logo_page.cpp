#include <cstdlib>

#include "crt_file_system.h"
#include "logo_settings.h"
#include "pages/common/dialog_controls.h"
#include "pages/common/page_access.h"
#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"
#include "spool/logo_stream.h"
#include "spool/printer_queries.h"
#include "spool/raw_job.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kLogoHelpContext, HelpTableId::kLogo};

template <std::size_t N>
void FillListFrom(HWND page, int listId, const std::array<std::uint16_t, N>& stringIds) {
    for (std::uint16_t id : stringIds) FillList(page, listId, {id});
}

void FillLists(HWND page) {
    FillListFrom(page, kLogoGenerateToList, kGenerateToItems);
    for (const LogoPositionList& list : kLogoPositionLists) FillListFrom(page, list.listId, kPositionChoiceItems);
    FillListFrom(page, kLogoFileTypeList, kFileTypeItems);
}

void ShowControls(HWND page, const LogoControls& controls) {
    SetChecked(page, kLogoGenerateButton, controls.generateChecked);
    EnableWindow(GetDlgItem(page, kLogoGenerateButton), controls.generateAvailable ? TRUE : FALSE);
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
    for (int id : kGenerateModeControls) EnableWindow(GetDlgItem(page, id), generateMode ? TRUE : FALSE);
    for (int id : kPrintModeControls) EnableWindow(GetDlgItem(page, id), generateMode ? FALSE : TRUE);
}

// Ids the Copy Options template in use lacks are passed over.
template <std::size_t N>
void EnableCopyControls(HWND copyPage, const std::array<int, N>& ids, bool enabled) {
    for (int id : ids) {
        if (HWND control = GetDlgItem(copyPage, id)) EnableWindow(control, enabled ? TRUE : FALSE);
    }
}

void SwitchCopyPage(HWND page, bool generateMode) {
    HWND copyPage = SiblingPageWindow(page, kCopySlot);
    if (copyPage == nullptr) return;
    const CopyCoupling coupling = CopyCouplingFor(generateMode, IsChecked(copyPage, kCopySimpleCopy));
    EnableCopyControls(copyPage, std::array<int, 1>{kCopySimpleCopy}, coupling.simpleCopyEnabled);
    EnableCopyControls(copyPage, kCopyDependentControls, coupling.othersEnabled);
    EnableCopyControls(copyPage, kCopyPresenterControls, coupling.othersEnabled);
}

void PrintAllLogos(HWND page) {
    HANDLE printer = PagePrinter(page);
    wchar_t printerName[kPrinterNameCapacity];
    GetPrinterName(printer, printerName, kPrinterNameCapacity);
    CrtFileSystem files;
    LogoStream stream = PrepareAllLogos(files, printerName, ListSelection(page, kLogoGenerateToList));
    if (stream.bytes == nullptr) return;
    SubmitRawJob(printer, stream.bytes, stream.length);
    std::free(stream.bytes);
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
        EnablePageControls(page, kLogoSettingControls, false);
        EnablePageControls(page, kGenerateModeControls, true);
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
