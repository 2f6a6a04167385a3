#include "raster_model.h"

#include "settings/setting_table.h"

namespace zelt {
namespace {

constexpr NumericField kDrawerPulse{kRasterDrawerPulseEdit, kRasterDrawerPulseUpDown, 1, 127, 20,
                                    IDS_DRAWER_PULSE_RANGE, false};
constexpr NumericField kRetractTimeout{kRasterRetractTimeoutEdit, kRasterRetractTimeoutUpDown, 1, 255, 30,
                                       IDS_RETRACT_TIMEOUT_RANGE, true};
constexpr NumericField kBuzzerPulse{kRasterBuzzerPulseEdit, kRasterBuzzerPulseUpDown, 1, 255, 10,
                                    IDS_BUZZER_PULSE_RANGE, false};

constexpr RasterVariant kVariants[] = {
    {kRasterStandard, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 12, 2, RasterExtras::kDrawers, false},
    {kRasterA57, {0, 1}, 2, 1, RasterExtras::kDrawers, false},
    {kRasterA59, {0, 2, 5, 6}, 4, 2, RasterExtras::kDrawers, false},
    {kRasterB15, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 12, 2, RasterExtras::kNone, false},
    {kRasterB18, {9, 10, 11}, 3, 10, RasterExtras::kPresenter, false},
    {kRasterC252, {0, 3, 4, 9, 10, 11}, 6, 3, RasterExtras::kBuzzer, true},
};

// Drawer and buzzer lists write their position as the driver code; both
// drawer lists have four items, the buzzer list three.
constexpr int kDrawerItems = 4;
constexpr int kBuzzerItems = 3;
constexpr int kPrintQualityItems = 3;

int AsPosition(std::uint32_t value) { return static_cast<int>(value); }

// A list's position as stored: no selection is written as all bits set.
std::uint32_t Stored(int position) { return static_cast<std::uint32_t>(position); }

bool WithinList(int position, int items) { return position >= 0 && position < items; }

// Writes a list's remembered value, and its driver value when the position
// is one of the list's items.
void WriteList(PrinterData& printer, Setting remembered, Setting driver, int position, int items) {
    WriteSetting(printer, remembered, Stored(position));
    if (WithinList(position, items)) WriteSetting(printer, driver, Stored(position));
}

}  // namespace

const RasterVariant& RasterVariantFor(TemplateId templateId) {
    for (const RasterVariant& variant : kVariants) {
        if (variant.templateId == templateId) return variant;
    }
    return kVariants[0];
}

const NumericField* RasterNumericField(const RasterVariant& variant) {
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            return &kDrawerPulse;
        case RasterExtras::kPresenter:
            return &kRetractTimeout;
        case RasterExtras::kBuzzer:
            return &kBuzzerPulse;
        case RasterExtras::kNone:
            break;
    }
    return nullptr;
}

int CutPositionForRow(const RasterVariant& variant, std::uint32_t row) {
    for (int position = 0; position < variant.rowCount; ++position) {
        if (variant.rows[position] == row) return position;
    }
    return 1;
}

std::optional<std::uint32_t> CutRowAtPosition(const RasterVariant& variant, int position) {
    if (!WithinList(position, variant.rowCount)) return std::nullopt;
    return variant.rows[position];
}

void WriteCutAction(PrinterData& printer, const RasterVariant& variant, int position,
                    const CutActionSettings& settings) {
    const std::optional<std::uint32_t> row = CutRowAtPosition(variant, position);
    WriteSetting(printer, settings.row, row ? *row : Stored(position));
    if (!row) return;
    const CutAction& action = kCutActions[*row];
    WriteSetting(printer, settings.pageCode, action.pageCode);
    WriteSetting(printer, settings.documentCode, action.documentCode);
    WriteSetting(printer, settings.topSearch, action.topSearch);
}

RasterLoad LoadRasterPage(PrinterData& printer, const RasterVariant& variant,
                          std::optional<std::wstring_view> dataFile) {
    const std::uint16_t page = variant.templateId;
    RasterLoad load{};
    RasterControls& shown = load.controls;

    bool fourthPaperType = variant.fourPaperTypesAlways;
    load.paperTypeLoaded = true;
    if (variant.templateId == kRasterStandard) {
        if (dataFile) {
            fourthPaperType = HasFourthPaperType(page, ProfileForDataFile(*dataFile).hasC31);
        } else {
            load.paperTypeLoaded = false;  // without the model, a stored 3 can be neither shown nor judged
        }
    }
    load.paperTypeCount = fourthPaperType ? 4 : 3;

    shown.printQuality = AsPosition(LoadSetting(printer, Setting::RPO_PRINTQUALITY, page));
    if (load.paperTypeLoaded) {
        shown.paperType = AsPosition(LoadSetting(printer, Setting::RPO_PAPERTYPE, page,
                                                 fourthPaperType ? PaperTypes::kFour : PaperTypes::kThree));
    }
    shown.cutPosition = CutPositionForRow(variant, LoadSetting(printer, Setting::RPO_PAGEDOCCUTACTION, page));

    switch (variant.extras) {
        case RasterExtras::kDrawers:
            shown.drawer1 = AsPosition(LoadSetting(printer, Setting::RPO_DRAWER1, page));
            shown.number = LoadSetting(printer, Setting::RPO_DRAWER1PULSEWIDTH, page);
            shown.drawer2 = AsPosition(LoadSetting(printer, Setting::RPO_DRAWER2, page));
            break;
        case RasterExtras::kPresenter:
            shown.retractEnabled = LoadSetting(printer, Setting::PO_PRESENTERRETRACT, page) != 0;
            shown.number = LoadSetting(printer, Setting::PO_PRESENTERRETRACTTIME, page);
            break;
        case RasterExtras::kBuzzer:
            shown.buzzer = AsPosition(LoadSetting(printer, Setting::RPO_PERIPHERAL1, page));
            shown.number = LoadSetting(printer, Setting::RPO_PERIPHERAL1PULSEWIDTH, page);
            break;
        case RasterExtras::kNone:
            break;
    }
    shown.wallMount = LoadSetting(printer, Setting::RPO_WALLMOUNT, page) != 0;
    return load;
}

RasterControls RasterDefaults(const RasterVariant& variant) {
    RasterControls defaults;
    defaults.printQuality = 0;
    defaults.paperType = 0;
    defaults.cutPosition = CutPositionForRow(variant, variant.defaultsRow);
    defaults.wallMount = false;
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            defaults.drawer1 = 0;
            defaults.drawer2 = 0;
            break;
        case RasterExtras::kPresenter:
            defaults.retractEnabled = false;
            break;
        case RasterExtras::kBuzzer:
            defaults.buzzer = 0;
            break;
        case RasterExtras::kNone:
            break;
    }
    if (const NumericField* field = RasterNumericField(variant)) defaults.number = field->resetValue;
    return defaults;
}

namespace {

// Writes a typed number and its driver value; a rejected entry writes
// neither, so both keep what they held before the sheet was applied.
const NumericField* WriteNumber(PrinterData& printer, const NumericField& field, std::optional<std::uint32_t> entry,
                                Setting remembered, Setting driver, std::uint32_t driverOffset) {
    if (!entry || *entry < field.low || *entry > field.high) return &field;
    WriteSetting(printer, remembered, *entry);
    WriteSetting(printer, driver, *entry - driverOffset);
    return nullptr;
}

}  // namespace

const NumericField* ApplyRasterPage(PrinterData& printer, const RasterVariant& variant,
                                    const RasterEntries& entries) {
    const RasterControls& c = entries.controls;
    WriteList(printer, Setting::RPO_PRINTQUALITY, Setting::ORIGINAL_PRINTQUALITY, c.printQuality, kPrintQualityItems);
    // Without the model at load the paper type was never shown: leave both
    // of its values as they are rather than overwrite the user's choice.
    if (entries.paperTypeLoaded) {
        WriteList(printer, Setting::RPO_PAPERTYPE, Setting::GLOBAL_PAPERTYPE, c.paperType, entries.paperTypeCount);
    }

    WriteCutAction(printer, variant, c.cutPosition,
                   {Setting::RPO_PAGEDOCCUTACTION, Setting::ORIGINAL_PAGECUTACTION, Setting::ORIGINAL_DOCCUTACTION,
                    Setting::ORIGINAL_DOCTOPSEARCH});

    const NumericField* rejected = nullptr;
    switch (variant.extras) {
        case RasterExtras::kDrawers:
            WriteList(printer, Setting::RPO_DRAWER1, Setting::ORIGINAL_DOCDRAWER1, c.drawer1, kDrawerItems);
            rejected = WriteNumber(printer, kDrawerPulse, entries.number, Setting::RPO_DRAWER1PULSEWIDTH,
                                   Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH, 1);
            WriteList(printer, Setting::RPO_DRAWER2, Setting::ORIGINAL_DOCDRAWER2, c.drawer2, kDrawerItems);
            break;
        case RasterExtras::kPresenter: {
            const std::uint32_t retract = c.retractEnabled ? 1 : 0;
            WriteSetting(printer, Setting::PO_PRESENTERRETRACT, retract);
            WriteSetting(printer, Setting::ORIGINAL_PRESENTERRETRACT, retract);
            rejected = WriteNumber(printer, kRetractTimeout, entries.number, Setting::PO_PRESENTERRETRACTTIME,
                                   Setting::ORIGINAL_PRESENTERRETRACTTIME, 0);
            break;
        }
        case RasterExtras::kBuzzer:
            WriteList(printer, Setting::RPO_PERIPHERAL1, Setting::ORIGINAL_PERIPHERAL1, c.buzzer, kBuzzerItems);
            rejected = WriteNumber(printer, kBuzzerPulse, entries.number, Setting::RPO_PERIPHERAL1PULSEWIDTH,
                                   Setting::ORIGINAL_PERIPHERAL1PULSEWIDTH, 1);
            break;
        case RasterExtras::kNone:
            break;
    }
    WriteSetting(printer, Setting::RPO_WALLMOUNT, c.wallMount ? 1 : 0);
    return rejected;
}

}  // namespace zelt
