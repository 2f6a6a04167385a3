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

// A list's position as stored: no selection is written as all bits set.
std::uint32_t Stored(int position) { return static_cast<std::uint32_t>(position); }

void WriteCheck(PrinterData& printer, Setting remembered, Setting driver, bool checked) {
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
    shown.simpleCopy = LoadSetting(printer, Setting::COPY_SIMPLECOPY, page) != 0;
    shown.logoPrint = LoadSetting(printer, Setting::COPY_LOGOPRINT, page) != 0;
    shown.addScv = LoadSetting(printer, Setting::COPY_ADDSCV, page) != 0;
    shown.printQuality = static_cast<int>(LoadSetting(printer, Setting::COPY_PRINTQUALITY, page));
    shown.cutPosition =
        CutPositionForRow(CopyCutRows(variant), LoadSetting(printer, Setting::COPY_PAGEDOCCUTACTION, page));
    if (variant.presenter) {
        shown.retractEnabled = LoadSetting(printer, Setting::COPY_PRESENTERRETRACT, page) != 0;
        shown.retractTimeout = LoadSetting(printer, Setting::COPY_PRESENTERRETRACTTIME, page);
    }
    shown.output = LoadSetting(printer, Setting::COPY_OUTPUT, page);
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
    const std::optional<std::uint32_t> generate = ReadSetting(printer, Setting::LOGO_LOGOMODEGENERATE);
    return generate && *generate == 1;
}

bool ApplyCopyPage(PrinterData& printer, const CopyVariant& variant, const CopyEntries& entries) {
    const CopyControls& c = entries.controls;
    WriteCheck(printer, Setting::COPY_ADDSCV, Setting::ADDITIONAL_SCV, c.addScv);
    WriteCheck(printer, Setting::COPY_LOGOPRINT, Setting::ADDITIONAL_PRINTLOGOS, c.logoPrint);

    WriteSetting(printer, Setting::COPY_PRINTQUALITY, Stored(c.printQuality));
    if (c.printQuality >= 0 && c.printQuality < kPrintQualityItems) {
        WriteSetting(printer, Setting::ADDITIONAL_PRINTQUALITY, Stored(c.printQuality));
    }

    WriteCutAction(printer, CopyCutRows(variant), c.cutPosition,
                   {Setting::COPY_PAGEDOCCUTACTION, Setting::ADDITIONAL_PAGECUTACTION, Setting::ADDITIONAL_DOCCUTACTION,
                    Setting::ADDITIONAL_DOCTOPSEARCH});

    bool timeoutAccepted = true;
    if (variant.presenter) {
        WriteCheck(printer, Setting::COPY_PRESENTERRETRACT, Setting::ADDITIONAL_PRESENTERRETRACT, c.retractEnabled);
        const std::optional<std::uint32_t> timeout = entries.retractTimeout;
        timeoutAccepted = timeout && *timeout >= kCopyRetractTimeout.low && *timeout <= kCopyRetractTimeout.high;
        if (timeoutAccepted) {
            WriteSetting(printer, Setting::COPY_PRESENTERRETRACTTIME, *timeout);
            WriteSetting(printer, Setting::ADDITIONAL_PRESENTERRETRACTTIME, *timeout);
        }
    }

    std::uint32_t output = c.output;
    if (output != kNoCopyOutput) WriteSetting(printer, Setting::COPY_OUTPUT, output);
    WriteSetting(printer, Setting::COPY_SIMPLECOPY, c.simpleCopy ? 1 : 0);
    if (c.simpleCopy) output = kNoCopyOutput;
    WriteSetting(printer, Setting::ADDITIONAL_OUTPUT, output);
    return timeoutAccepted;
}

}  // namespace zelt
