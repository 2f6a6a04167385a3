// The Raster Print Options page: one dialog procedure per model variant, all
// sharing the handling below and differing by their variant's settings.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "pages/common/dialog_controls.h"
#include "pages/common/message_box.h"
#include "pages/common/page_frame.h"
#include "pages/common/page_procedures.h"
#include "pages/raster/raster_model.h"
#include "settings/setting_table.h"
#include "settings/spooler_printer_data.h"

namespace zelt {
namespace {

enum : int {
    kPrintQualityList = 1012,
    kPaperTypeList = 1013,
    kCutActionList = 1014,
    kDrawer1List = 1017,
    kDrawer2List = 1019,
    kRetractEnabled = 1124,
    kRetractDisabled = 1125,
    kBuzzerList = 1106,
    kVerticalMount = 1127,
    kDefaultsButton = 1128,
};

constexpr PageTraits kStandardTraits{kRasterHelpContext, HelpTableId::kRaster};
constexpr PageTraits kBuzzerTraits{kRasterHelpContext, HelpTableId::kRasterWithPeripheral};

// Page data kept in GWLP_USERDATA (DWL_USER holds the printer parameters).
constexpr LONG_PTR kPaperTypeUnread = 1;

void EnableNumberGroup(HWND page, const RasterVariant& variant, bool enabled) {
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            EnableControls(page, {1008, 1018, 1097, 1009}, enabled);
            break;
        case RasterExtras::kPresenter:
            EnableControls(page, {1015, 1020, 1099, 1016}, enabled);
            break;
        case RasterExtras::kBuzzer:
            EnableControls(page, {1116, 1108, 1110, 1117}, enabled);
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
    FillList(page, kPrintQualityList, {4, 5, 6});
    FillList(page, kPaperTypeList, {15, 16, 18});
    if (paperTypes == 4) FillList(page, kPaperTypeList, {50});
    for (int position = 0; position < variant.rowCount; ++position) {
        FillList(page, kCutActionList, {kCutActions[variant.rows[position]].stringId});
    }
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            FillList(page, kDrawer1List, {14, 10, 11, 12});
            FillList(page, kDrawer2List, {14, 10, 11, 12});
            break;
        case RasterExtras::kBuzzer:
            FillList(page, kBuzzerList, {47, 48, 46});
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
    SelectListItem(page, kPrintQualityList, shown.printQuality);
    SelectListItem(page, kPaperTypeList, shown.paperType);
    SelectListItem(page, kCutActionList, shown.cutPosition);
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            SelectListItem(page, kDrawer1List, shown.drawer1);
            SelectListItem(page, kDrawer2List, shown.drawer2);
            break;
        case RasterExtras::kPresenter:
            SetChecked(page, kRetractEnabled, shown.retractEnabled);
            SetChecked(page, kRetractDisabled, !shown.retractEnabled);
            break;
        case RasterExtras::kBuzzer:
            SelectListItem(page, kBuzzerList, shown.buzzer);
            break;
        case RasterExtras::kNone:
            break;
    }
    if (const NumericField* field = RasterNumericField(variant)) SetNumericField(page, field->upDownId, shown.number);
    EnableNumberGroup(page, variant, NumberGroupEnabled(variant, shown));
    SetChecked(page, kVerticalMount, shown.wallMount);
}

// The model's data-file path from the driver's level-4 information, read into
// a malloc'd buffer (freed by the caller); null when it cannot be had.
DRIVER_INFO_4W* ReadDriverInfo(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 4, nullptr, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_4W)) return nullptr;
    auto* info = static_cast<DRIVER_INFO_4W*>(std::malloc(needed));
    if (info == nullptr) return nullptr;
    if (!GetPrinterDriverW(printer, nullptr, 4, reinterpret_cast<BYTE*>(info), needed, &needed) ||
        info->pDataFile == nullptr) {
        std::free(info);
        return nullptr;
    }
    return info;
}

void Load(HWND page, const RasterVariant& variant) {
    const HANDLE printer = PagePrinter(page);
    std::optional<std::wstring_view> dataFile;
    DRIVER_INFO_4W* driver = nullptr;
    if (variant.templateId == kRasterStandard) {
        driver = ReadDriverInfo(printer);
        if (driver != nullptr) dataFile = std::wstring_view(driver->pDataFile);
    }
    SpoolerPrinterData store(printer);
    const RasterLoad load = LoadRasterPage(store, variant, dataFile);
    std::free(driver);

    FillLists(page, variant, load.paperTypeCount);
    ShowControls(page, variant, load.controls);
    SetWindowLongPtrW(page, GWLP_USERDATA, load.paperTypeLoaded ? 0 : kPaperTypeUnread);
}

LONG_PTR Apply(HWND page, const RasterVariant& variant) {
    RasterEntries entries{};
    RasterControls& c = entries.controls;
    c.printQuality = ListSelection(page, kPrintQualityList);
    c.paperType = ListSelection(page, kPaperTypeList);
    c.cutPosition = ListSelection(page, kCutActionList);
    c.drawer1 = ListSelection(page, kDrawer1List);
    c.drawer2 = ListSelection(page, kDrawer2List);
    c.buzzer = ListSelection(page, kBuzzerList);
    c.retractEnabled = IsChecked(page, kRetractEnabled);
    c.wallMount = IsChecked(page, kVerticalMount);
    const NumericField* field = RasterNumericField(variant);
    if (field != nullptr) entries.number = ReadNumericField(page, field->editId, field->low, field->high);
    entries.paperTypeCount = static_cast<int>(SendDlgItemMessageW(page, kPaperTypeList, CB_GETCOUNT, 0, 0));
    entries.paperTypeLoaded = (GetWindowLongPtrW(page, GWLP_USERDATA) & kPaperTypeUnread) == 0;

    SpoolerPrinterData store(PagePrinter(page));
    const NumericField* rejected = ApplyRasterPage(store, variant, entries);
    if (rejected == nullptr) return PSNRET_NOERROR;
    ShowMessage(page, rejected->messageId, rejected->presenterCaption ? kPresenterPageCaption : kDriverCaption,
                MB_ICONEXCLAMATION | MB_OK);
    SetNumericField(page, rejected->upDownId, rejected->resetValue);
    return PSNRET_INVALID;
}

bool OnCommand(HWND page, const RasterVariant& variant, int id, int code) {
    const NumericField* field = RasterNumericField(variant);
    if (code == CBN_SELCHANGE) {
        if (id == kDrawer1List && variant.extras == RasterExtras::kDrawers) {
            EnableNumberGroup(page, variant, ListSelection(page, kDrawer1List) != 0);
        } else if (id == kBuzzerList && variant.extras == RasterExtras::kBuzzer) {
            EnableNumberGroup(page, variant, ListSelection(page, kBuzzerList) != 0);
        } else if (id != kPrintQualityList && id != kPaperTypeList && id != kCutActionList &&
                   !(id == kDrawer2List && variant.extras == RasterExtras::kDrawers)) {
            return false;
        }
    } else if (code == EN_CHANGE) {
        if (field == nullptr || id != field->editId) return false;
    } else if (code == BN_CLICKED) {
        if (id == kDefaultsButton) {
            ShowControls(page, variant, RasterDefaults(variant));
        } else if ((id == kRetractEnabled || id == kRetractDisabled) && variant.extras == RasterExtras::kPresenter) {
            EnableNumberGroup(page, variant, id == kRetractEnabled);
        } else if (id != kVerticalMount) {
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
