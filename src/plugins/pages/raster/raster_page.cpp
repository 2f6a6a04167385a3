// The Raster Print Options page: one dialog procedure per model variant, all
// sharing the handling below and differing by their variant's settings.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "frame/page_procedures.h"
#include "pages/common/dialog_controls.h"
#include "pages/common/message_box.h"
#include "pages/common/page_access.h"
#include "pages/common/page_frame.h"
#include "pages/raster/raster_model.h"
#include "resources/resource.h"
#include "settings/setting_table.h"
#include "spool/printer_queries.h"

namespace zelt {
namespace {

// A drawer's "Action / Timing" list, in list order.
constexpr std::array<std::uint16_t, 4> kDrawerActionItems = {IDS_DRAWER_NO_USE, IDS_DRAWER_DOC_TOP, IDS_DRAWER_DOC_BOTTOM,
                                                             IDS_DRAWER_PAGE_TOP};

constexpr PageTraits kStandardTraits{kRasterHelpContext, HelpTableId::kRaster};
constexpr PageTraits kBuzzerTraits{kRasterHelpContext, HelpTableId::kRasterWithPeripheral};

// Page data kept in GWLP_USERDATA (DWL_USER holds the printer parameters).
constexpr LONG_PTR kPaperTypeUnread = 1;

void EnableNumberGroup(HWND page, const RasterVariant& variant, bool enabled) {
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            EnableControls(page, {IDC_RASTER_DRAWER_PULSE_LABEL, IDC_RASTER_DRAWER_PULSE_EDIT,
                                  IDC_RASTER_DRAWER_PULSE_UPDOWN, IDC_RASTER_DRAWER_PULSE_UNIT}, enabled);
            break;
        case RasterExtras::kPresenter:
            EnableControls(page, {IDC_RASTER_RETRACT_TIMEOUT_LABEL, IDC_RASTER_RETRACT_TIMEOUT_EDIT,
                                  IDC_RASTER_RETRACT_TIMEOUT_UPDOWN, IDC_RASTER_RETRACT_TIMEOUT_UNIT}, enabled);
            break;
        case RasterExtras::kBuzzer:
            EnableControls(page, {IDC_RASTER_BUZZER_PULSE_LABEL, IDC_RASTER_BUZZER_PULSE_EDIT,
                                  IDC_RASTER_BUZZER_PULSE_UPDOWN, IDC_RASTER_BUZZER_PULSE_UNIT}, enabled);
            break;
        case RasterExtras::kNone:
            break;
    }
}

bool NumberGroupEnabled(const RasterVariant& variant, const RasterControls& shown) {
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            return shown.drawer1 != 0;
        case RasterExtras::kPresenter:
            return shown.retractEnabled;
        case RasterExtras::kBuzzer:
            return shown.buzzer != 0;
        case RasterExtras::kNone:
            break;
    }
    return false;
}

void FillLists(HWND page, const RasterVariant& variant, int paperTypes) {
    FillList(page, kRasterPrintQualityList, {IDS_QUALITY_STANDARD, IDS_QUALITY_HIGH, IDS_QUALITY_BEST});
    FillList(page, kRasterPaperTypeList, {IDS_PAPER_RECEIPT, IDS_PAPER_TICKET, IDS_PAPER_BLACK_MARK});
    if (paperTypes == 4) FillList(page, kRasterPaperTypeList, {IDS_PAPER_BLACK_MARK_POWER_ON_SEARCH});
    ListFiller cutList(page, kRasterCutActionList);
    for (int position = 0; position < variant.rowCount; ++position) {
        cutList.AddString(kCutActions[variant.rows[position]].stringId);
    }
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            FillList(page, kRasterDrawer1List, kDrawerActionItems);
            FillList(page, kRasterDrawer2List, kDrawerActionItems);
            break;
        case RasterExtras::kBuzzer:
            FillList(page, kRasterBuzzerList, {IDS_BUZZER_NO_USE, IDS_BUZZER_DOC_TOP, IDS_BUZZER_DOC_BOTTOM});
            break;
        case RasterExtras::kPresenter:
        case RasterExtras::kNone:
            break;
    }
    if (const NumericField* field = RasterNumericField(variant)) {
        SetUpNumericField(page, field->editId, field->upDownId, static_cast<int>(field->low),
                          static_cast<int>(field->high));
    }
}

void ShowControls(HWND page, const RasterVariant& variant, const RasterControls& shown) {
    SelectListItem(page, kRasterPrintQualityList, shown.printQuality);
    SelectListItem(page, kRasterPaperTypeList, shown.paperType);
    SelectListItem(page, kRasterCutActionList, shown.cutPosition);
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            SelectListItem(page, kRasterDrawer1List, shown.drawer1);
            SelectListItem(page, kRasterDrawer2List, shown.drawer2);
            break;
        case RasterExtras::kPresenter:
            SetChecked(page, kRasterRetractEnabled, shown.retractEnabled);
            SetChecked(page, kRasterRetractDisabled, !shown.retractEnabled);
            break;
        case RasterExtras::kBuzzer:
            SelectListItem(page, kRasterBuzzerList, shown.buzzer);
            break;
        case RasterExtras::kNone:
            break;
    }
    if (const NumericField* field = RasterNumericField(variant)) SetNumericField(page, field->upDownId, shown.number);
    EnableNumberGroup(page, variant, NumberGroupEnabled(variant, shown));
    SetChecked(page, kRasterVerticalMount, shown.wallMount);
}

void Load(HWND page, const RasterVariant& variant) {
    // Only the standard page reads the model from the data file.
    std::optional<DriverDataFile> driver;
    std::optional<std::wstring_view> dataFile;
    if (variant.templateId == kRasterStandard) {
        driver.emplace(PagePrinter(page));
        if (driver->path() != nullptr) dataFile = std::wstring_view(driver->path());
    }
    RasterLoad load{};
    const bool readOnly =
        LoadPageValues(page, [&](PrinterData& store) { load = LoadRasterPage(store, variant, dataFile); });

    FillLists(page, variant, load.paperTypeCount);
    ShowControls(page, variant, load.controls);
    SetWindowLongPtrW(page, GWLP_USERDATA, load.paperTypeLoaded ? 0 : kPaperTypeUnread);
    if (readOnly) EnableControls(page, kRasterSettingControls, false);
}

LONG_PTR Apply(HWND page, const RasterVariant& variant) {
    RasterEntries entries{};
    RasterControls& c = entries.controls;
    c.printQuality = ListSelection(page, kRasterPrintQualityList);
    c.paperType = ListSelection(page, kRasterPaperTypeList);
    c.cutPosition = ListSelection(page, kRasterCutActionList);
    c.drawer1 = ListSelection(page, kRasterDrawer1List);
    c.drawer2 = ListSelection(page, kRasterDrawer2List);
    c.buzzer = ListSelection(page, kRasterBuzzerList);
    c.retractEnabled = IsChecked(page, kRasterRetractEnabled);
    c.wallMount = IsChecked(page, kRasterVerticalMount);
    const NumericField* field = RasterNumericField(variant);
    if (field != nullptr) entries.number = ReadNumericField(page, field->editId, field->low, field->high);
    entries.paperTypeCount = static_cast<int>(SendDlgItemMessageW(page, kRasterPaperTypeList, CB_GETCOUNT, 0, 0));
    entries.paperTypeLoaded = (GetWindowLongPtrW(page, GWLP_USERDATA) & kPaperTypeUnread) == 0;

    const NumericField* rejected = nullptr;
    const ApplyVerdict verdict = ApplyPageValues(page, [&](PrinterData& store) {
        rejected = ApplyRasterPage(store, variant, entries);
        return rejected != nullptr;
    });
    if (verdict.showRejected) {
        ShowMessage(page, rejected->messageId, rejected->presenterCaption ? kPresenterPageCaption : kDriverCaption,
                    MB_ICONEXCLAMATION | MB_OK);
        SetNumericField(page, rejected->upDownId, rejected->resetValue);
    }
    return ApplyResult(verdict);
}

bool OnCommand(HWND page, const RasterVariant& variant, int id, int code) {
    const NumericField* field = RasterNumericField(variant);
    if (code == CBN_SELCHANGE) {
        if (id == kRasterDrawer1List && variant.extras == RasterExtras::kDrawers) {
            EnableNumberGroup(page, variant, ListSelection(page, kRasterDrawer1List) != 0);
        } else if (id == kRasterBuzzerList && variant.extras == RasterExtras::kBuzzer) {
            EnableNumberGroup(page, variant, ListSelection(page, kRasterBuzzerList) != 0);
        } else if (id != kRasterPrintQualityList && id != kRasterPaperTypeList && id != kRasterCutActionList &&
                   !(id == kRasterDrawer2List && variant.extras == RasterExtras::kDrawers)) {
            return false;
        }
    } else if (code == EN_CHANGE) {
        if (field == nullptr || id != field->editId) return false;
    } else if (code == BN_CLICKED) {
        if (id == kRasterDefaultsButton) {
            ShowControls(page, variant, RasterDefaults(variant));
        } else if ((id == kRasterRetractEnabled || id == kRasterRetractDisabled) &&
                   variant.extras == RasterExtras::kPresenter) {
            EnableNumberGroup(page, variant, id == kRasterRetractEnabled);
        } else if (id != kRasterVerticalMount) {
            return false;
        }
    } else {
        return false;
    }
    NotifyPageChanged(page);
    return true;
}

INT_PTR RasterPageMessage(const RasterVariant& variant, HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    const PageTraits& traits = variant.extras == RasterExtras::kBuzzer ? kBuzzerTraits : kStandardTraits;
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
    return HandleSharedPageMessage(traits, page, message, wParam, lParam);
}

template <TemplateId Variant>
INT_PTR CALLBACK RasterVariantProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RasterPageMessage(RasterVariantFor(Variant), page, message, wParam, lParam);
}

}  // namespace

DLGPROC RasterPageProcedure(TemplateId templateId) {
    switch (templateId) {
        case kRasterA57:
            return RasterVariantProc<kRasterA57>;
        case kRasterA59:
            return RasterVariantProc<kRasterA59>;
        case kRasterB15:
            return RasterVariantProc<kRasterB15>;
        case kRasterB18:
            return RasterVariantProc<kRasterB18>;
        case kRasterC252:
            return RasterVariantProc<kRasterC252>;
        default:
            return RasterVariantProc<kRasterStandard>;
    }
}

}  // namespace zelt
