#include "copy_model.h"

#include "settings/setting_table.h"

namespace zelt {
namespace {

constexpr CopyVariant kVariants[] = {
    {kCopyStandard, kRasterStandard, false},
    {kCopyA57, kRasterA57, false},
    {kCopyA59, kRasterA59, false},
    {kCopyB18, kRasterB18, true},
    {kCopyC252, kRasterC252, false},
};

constexpr int kPrintQualityItems = 3;

std::uint32_t Load(PrinterData& printer, const wchar_t* name, std::uint16_t templateId) {
    const SettingSpec& spec = *FindSetting(name);
    const AcceptedRange range = AcceptedRangeOn(spec, false);
    return LoadSetting(printer, spec.name, range.high, range.low, RepairDefault(spec, templateId));
}

// A list's position as stored: no selection is written as all bits set.
std::uint32_t Stored(int position) { return static_cast<std::uint32_t>(position); }

void WriteCheck(PrinterData& printer, const wchar_t* remembered, const wchar_t* driver, bool checked) {
    WriteSetting(printer, remembered, checked ? 1 : 0);
    WriteSetting(printer, driver, checked ? 1 : 0);
}

}  // namespace

const NumericField kCopyRetractTimeout{kCopyTimeoutEdit, kCopyTimeoutUpDown, 1, 255, 30, IDS_RETRACT_TIMEOUT_RANGE,
                                       true};

const CopyVariant& CopyVariantFor(TemplateId templateId) {
    for (const CopyVariant& variant : kVariants) {
        if (variant.templateId == templateId) return variant;
    }
    return kVariants[0];
}

const RasterVariant& CopyCutRows(const CopyVariant& variant) { return RasterVariantFor(variant.cutRowsOf); }

std::uint32_t OutputFromButtons(bool printAfter, bool append, bool printAndAppend) {
    if (printAfter) return kPrintAfterOriginal;
    if (append) return kAppendToJournal;
    if (printAndAppend) return kPrintAndAppend;
    return kNoCopyOutput;
}

CopyControls LoadCopyPage(PrinterData& printer, const CopyVariant& variant) {
    const std::uint16_t page = variant.templateId;
    CopyControls shown;
    shown.simpleCopy = Load(printer, L"COPY_SIMPLECOPY", page) != 0;
    shown.logoPrint = Load(printer, L"COPY_LOGOPRINT", page) != 0;
    shown.addScv = Load(printer, L"COPY_ADDSCV", page) != 0;
    shown.printQuality = static_cast<int>(Load(printer, L"COPY_PRINTQUALITY", page));
    shown.cutPosition = CutPositionForRow(CopyCutRows(variant), Load(printer, L"COPY_PAGEDOCCUTACTION", page));
    if (variant.presenter) {
        shown.retractEnabled = Load(printer, L"COPY_PRESENTERRETRACT", page) != 0;
        shown.retractTimeout = Load(printer, L"COPY_PRESENTERRETRACTTIME", page);
    }
    shown.output = Load(printer, L"COPY_OUTPUT", page);
    return shown;
}

CopyControls CopyDefaults(const CopyVariant& variant) {
    CopyControls defaults;
    const RasterVariant& rows = CopyCutRows(variant);
    defaults.cutPosition = CutPositionForRow(rows, rows.defaultsRow);
    defaults.retractTimeout = kCopyRetractTimeout.resetValue;
    return defaults;
}

bool StoredLogoGenerateMode(PrinterData& printer) {
    const std::optional<std::uint32_t> generate = ReadSetting(printer, L"LOGO_LOGOMODEGENERATE");
    return generate && *generate == 1;
}

bool ApplyCopyPage(PrinterData& printer, const CopyVariant& variant, const CopyEntries& entries) {
    const CopyControls& c = entries.controls;
    WriteCheck(printer, L"COPY_ADDSCV", L"ADDITIONAL_SCV", c.addScv);
    WriteCheck(printer, L"COPY_LOGOPRINT", L"ADDITIONAL_PRINTLOGOS", c.logoPrint);

    WriteSetting(printer, L"COPY_PRINTQUALITY", Stored(c.printQuality));
    if (c.printQuality >= 0 && c.printQuality < kPrintQualityItems) {
        WriteSetting(printer, L"ADDITIONAL_PRINTQUALITY", Stored(c.printQuality));
    }

    const std::optional<std::uint32_t> row = CutRowAtPosition(CopyCutRows(variant), c.cutPosition);
    WriteSetting(printer, L"COPY_PAGEDOCCUTACTION", row ? *row : Stored(c.cutPosition));
    if (row) {
        const CutAction& action = kCutActions[*row];
        WriteSetting(printer, L"ADDITIONAL_PAGECUTACTION", action.pageCode);
        WriteSetting(printer, L"ADDITIONAL_DOCCUTACTION", action.documentCode);
        WriteSetting(printer, L"ADDITIONAL_DOCTOPSEARCH", action.topSearch);
    }

    bool timeoutAccepted = true;
    if (variant.presenter) {
        WriteCheck(printer, L"COPY_PRESENTERRETRACT", L"ADDITIONAL_PRESENTERRETRACT", c.retractEnabled);
        const std::optional<std::uint32_t> timeout = entries.retractTimeout;
        timeoutAccepted = timeout && *timeout >= kCopyRetractTimeout.low && *timeout <= kCopyRetractTimeout.high;
        if (timeoutAccepted) {
            WriteSetting(printer, L"COPY_PRESENTERRETRACTTIME", *timeout);
            WriteSetting(printer, L"ADDITIONAL_PRESENTERRETRACTTIME", *timeout);
        }
    }

    std::uint32_t output = c.output;
    if (output != kNoCopyOutput) WriteSetting(printer, L"COPY_OUTPUT", output);
    WriteSetting(printer, L"COPY_SIMPLECOPY", c.simpleCopy ? 1 : 0);
    if (c.simpleCopy) output = kNoCopyOutput;
    WriteSetting(printer, L"ADDITIONAL_OUTPUT", output);
    return timeoutAccepted;
}

}  // namespace zelt
