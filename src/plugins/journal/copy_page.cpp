// The Copy Options page: one dialog procedure per model variant, all sharing
// the handling below and differing by their variant's cut-action rows and,
// on "B18", the presenter controls.
#include <windows.h>
#include <commctrl.h>

#include "copy_model.h"
#include "frame/page_procedures.h"
#include "journal_actions.h"
#include "journal_store.h"
#include "logo/logo_settings.h"
#include "logo/logo_store.h"
#include "pages/common/dialog_controls.h"
#include "pages/common/message_box.h"
#include "pages/common/page_access.h"
#include "pages/common/page_frame.h"
#include "resources/resource.h"
#include "settings/setting_table.h"
#include "spool/printer_queries.h"

namespace zelt {
namespace {

constexpr PageTraits kTraits{kCopyHelpContext, HelpTableId::kCopy};

constexpr int kTimeoutGroup[] = {kCopyTimeoutLabel, kCopyTimeoutEdit, kCopyTimeoutUpDown, kCopyTimeoutUnit};

// Page data kept in GWLP_USERDATA (DWL_USER holds the printer parameters):
// set once load has filled the controls, so that the timeout field's own
// EN_CHANGE while it is being filled marks nothing changed.
constexpr LONG_PTR kLoaded = 1;

void EnableTimeoutGroup(HWND page, bool enabled) { EnableControls(page, kTimeoutGroup, enabled); }

// The seventeen dependent controls and, on "B18", the six presenter controls.
void EnableDependents(HWND page, const CopyVariant& variant, bool enabled) {
    EnableControls(page, kCopyDependentControls, enabled);
    if (variant.presenter) EnableControls(page, kCopyPresenterControls, enabled);
}

// The Logo page's Generate mode: its button once this sheet's Logo page has
// been shown (and so initialised), else the stored mode.
bool LogoGenerateMode(HWND page, PrinterData& store) {
    HWND logo = SiblingPageWindow(page, kLogoSlot);
    return logo != nullptr ? IsChecked(logo, kLogoGenerateButton) : StoredLogoGenerateMode(store);
}

void SetOutput(HWND page, std::uint32_t output) {
    if (output == kNoCopyOutput) return;  // the radio buttons stay as they are
    SetChecked(page, kCopyPrintAfter, output == kPrintAfterOriginal);
    SetChecked(page, kCopyAppend, output == kAppendToJournal);
    SetChecked(page, kCopyPrintAndAppend, output == kPrintAndAppend);
}

void ShowControls(HWND page, const CopyVariant& variant, const CopyControls& shown) {
    SetChecked(page, kCopySimpleCopy, shown.simpleCopy);
    SetChecked(page, kCopyLogoPrint, shown.logoPrint);
    SetChecked(page, kCopyAddScv, shown.addScv);
    SelectListItem(page, kCopyQualityList, shown.printQuality);
    SelectListItem(page, kCopyCutList, shown.cutPosition);
    if (variant.presenter) {
        SetChecked(page, kCopyRetractDisabled, !shown.retractEnabled);
        SetChecked(page, kCopyRetractEnabled, shown.retractEnabled);
        SetNumericField(page, kCopyTimeoutUpDown, shown.retractTimeout);
    }
    SetOutput(page, shown.output);
    SelectListItem(page, kCopyJournalList, kCurrentJournalItem);
}

void FillLists(HWND page, const CopyVariant& variant) {
    FillList(page, kCopyQualityList, {IDS_QUALITY_STANDARD, IDS_QUALITY_HIGH, IDS_QUALITY_BEST});
    const RasterVariant& rows = CopyCutRows(variant);
    ListFiller cutList(page, kCopyCutList);
    for (int position = 0; position < rows.rowCount; ++position) {
        cutList.AddString(kCutActions[rows.rows[position]].stringId);
    }
    if (variant.presenter) {
        SetUpNumericField(page, kCopyTimeoutEdit, kCopyTimeoutUpDown, static_cast<int>(kCopyRetractTimeout.low),
                          static_cast<int>(kCopyRetractTimeout.high));
    }
}

void Load(HWND page, const CopyVariant& variant) {
    const HANDLE printer = PagePrinter(page);
    wchar_t printerName[kPrinterNameCapacity];
    GetPrinterName(printer, printerName, kPrinterNameCapacity);
    FillLists(page, variant);
    FillJournalList(page, printerName);

    CopyControls shown;
    bool generateMode = false;
    const bool readOnly = LoadPageValues(page, [&](PrinterData& store) {
        shown = LoadCopyPage(store, variant);
        generateMode = LogoGenerateMode(page, store);
    });
    ShowControls(page, variant, shown);
    if (variant.presenter && !shown.retractEnabled) EnableTimeoutGroup(page, false);
    if (generateMode) {
        EnableControl(page, kCopySimpleCopy, false);
        EnableDependents(page, variant, false);
    }
    if (shown.simpleCopy) EnableDependents(page, variant, false);
    if (readOnly) {
        EnableControls(page, kCopySettingControls, false);
        EnableControls(page, kCopyJournalControls, true);
        EnableControl(page, kCopySaveAs, ListSelection(page, kCopyJournalList) == kCurrentJournalItem);
    }
    SetWindowLongPtrW(page, GWLP_USERDATA, kLoaded);
}

void ResetToDefaults(HWND page, const CopyVariant& variant) {
    ShowControls(page, variant, CopyDefaults(variant));
    EnableDependents(page, variant, false);
    // Without this sheet's Logo page, "Simple Copy" keeps its enabled state.
    if (HWND logo = SiblingPageWindow(page, kLogoSlot)) {
        EnableControl(page, kCopySimpleCopy, !IsChecked(logo, kLogoGenerateButton));
    }
    NotifyPageChanged(page);
}

void SimpleCopyClicked(HWND page, const CopyVariant& variant) {
    if (IsChecked(page, kCopySimpleCopy)) {
        EnableDependents(page, variant, false);
    } else {
        // "Save As" too, whatever the journal list shows.
        for (int id : kCopyDependentControls) EnableControl(page, id, true);
        if (variant.presenter) {
            EnableControl(page, kCopyRetractDisabled, true);
            EnableControl(page, kCopyRetractEnabled, true);
            if (IsChecked(page, kCopyRetractEnabled)) EnableTimeoutGroup(page, true);
        }
    }
    NotifyPageChanged(page);
}

LONG_PTR Apply(HWND page, const CopyVariant& variant) {
    CopyEntries entries{};
    CopyControls& c = entries.controls;
    c.simpleCopy = IsChecked(page, kCopySimpleCopy);
    c.addScv = IsChecked(page, kCopyAddScv);
    c.logoPrint = IsChecked(page, kCopyLogoPrint);
    c.printQuality = ListSelection(page, kCopyQualityList);
    c.cutPosition = ListSelection(page, kCopyCutList);
    c.output = OutputFromButtons(IsChecked(page, kCopyPrintAfter), IsChecked(page, kCopyAppend),
                                 IsChecked(page, kCopyPrintAndAppend));
    if (variant.presenter) {
        c.retractEnabled = IsChecked(page, kCopyRetractEnabled);
        entries.retractTimeout =
            ReadNumericField(page, kCopyTimeoutEdit, kCopyRetractTimeout.low, kCopyRetractTimeout.high);
    }
    const ApplyVerdict verdict =
        ApplyPageValues(page, [&](PrinterData& store) { return !ApplyCopyPage(store, variant, entries); });
    if (verdict.showRejected) {
        ShowMessage(page, kCopyRetractTimeout.messageId, kPresenterPageCaption, MB_ICONEXCLAMATION | MB_OK);
        SetNumericField(page, kCopyRetractTimeout.upDownId, kCopyRetractTimeout.resetValue);
    }
    return ApplyResult(verdict);
}

bool OnCommand(HWND page, const CopyVariant& variant, int id, int code) {
    if (code == CBN_SELCHANGE) {
        if (id == kCopyJournalList) {
            EnableControl(page, kCopySaveAs, ListSelection(page, kCopyJournalList) == kCurrentJournalItem);
            return true;
        }
        if (id != kCopyQualityList && id != kCopyCutList) return false;
    } else if (code == EN_CHANGE) {
        if (!variant.presenter || id != kCopyTimeoutEdit) return false;
        if (GetWindowLongPtrW(page, GWLP_USERDATA) != kLoaded) return true;
    } else if (code == BN_CLICKED) {
        switch (id) {
            case kCopySimpleCopy:
                SimpleCopyClicked(page, variant);
                return true;
            case kCopyPrintJournal:
                PrintJournal(page, PagePrinter(page));
                return true;
            case kCopySaveAs:
                ArchiveCurrentJournal(page, PagePrinter(page));
                return true;
            case kCopyDefaultsButton:
                ResetToDefaults(page, variant);
                return true;
            case kCopyAddScv:
            case kCopyLogoPrint:
            case kCopyPrintAfter:
            case kCopyAppend:
            case kCopyPrintAndAppend:
                break;
            case kCopyRetractEnabled:
            case kCopyRetractDisabled:
                if (!variant.presenter) return false;
                EnableTimeoutGroup(page, id == kCopyRetractEnabled);
                break;
            default:
                return false;
        }
    } else {
        return false;
    }
    NotifyPageChanged(page);
    return true;
}

INT_PTR CopyPageMessage(const CopyVariant& variant, HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            BeginPage(page, lParam);
            Load(page, variant);
            return TRUE;
        case WM_COMMAND:
            return OnCommand(page, variant, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_NOTIFY:
            if (NotifyCode(lParam) == PSN_APPLY) return AnswerNotify(page, Apply(page, variant));
            break;
    }
    return HandleSharedPageMessage(kTraits, page, message, wParam, lParam);
}

template <TemplateId Variant>
INT_PTR CALLBACK CopyVariantProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return CopyPageMessage(CopyVariantFor(Variant), page, message, wParam, lParam);
}

}  // namespace

DLGPROC CopyPageProcedure(TemplateId templateId) {
    switch (templateId) {
        case kCopyA57:
            return CopyVariantProc<kCopyA57>;
        case kCopyA59:
            return CopyVariantProc<kCopyA59>;
        case kCopyB18:
            return CopyVariantProc<kCopyB18>;
        case kCopyC252:
            return CopyVariantProc<kCopyC252>;
        default:
            return CopyVariantProc<kCopyStandard>;
    }
}

}  // namespace zelt
