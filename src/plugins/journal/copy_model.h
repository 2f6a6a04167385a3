// The Copy Options page in each of its model variants, as settings: what load
// shows, what the defaults button selects, and what apply writes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "frame/page_plan.h"
#include "logo/logo_settings.h"
#include "pages/raster/raster_model.h"
#include "resources/resource.h"
#include "settings/setting_store.h"

namespace zelt {

// "Simple Copy" and the lists of dependent and presenter controls are
// kCopySimpleCopy, kCopyDependentControls and kCopyPresenterControls, which
// the Logo page switches too.
enum CopyControlId : int {
    kCopyAdditionalGroup = IDC_COPY_ADDITIONAL_GROUP,
    kCopyOutputGroup = IDC_COPY_OUTPUT_GROUP,
    kCopyJournalGroup = IDC_COPY_JOURNAL_GROUP,
    kCopyCutLabel = IDC_COPY_CUT_LABEL,
    kCopyQualityLabel = IDC_COPY_QUALITY_LABEL,
    kCopyPageDocLabel = IDC_COPY_PAGE_DOC_LABEL,
    kCopySelectJournalLabel = IDC_COPY_SELECT_JOURNAL_LABEL,
    kCopyAddScv = IDC_COPY_ADD_SCV,
    kCopyQualityList = IDC_COPY_QUALITY_LIST,
    kCopyCutList = IDC_COPY_CUT_LIST,
    kCopyLogoPrint = IDC_COPY_LOGO_PRINT,
    kCopyPrintAfter = IDC_COPY_PRINT_AFTER,
    kCopyAppend = IDC_COPY_APPEND,
    kCopyJournalList = IDC_COPY_JOURNAL_LIST,
    kCopyPrintJournal = IDC_COPY_PRINT_JOURNAL,
    kCopySaveAs = IDC_COPY_SAVE_AS,
    kCopyPrintAndAppend = IDC_COPY_PRINT_AND_APPEND,
    kCopyPresenterGroup = IDC_COPY_PRESENTER_GROUP,
    kCopyRetractEnabled = IDC_COPY_RETRACT_ENABLED,
    kCopyRetractDisabled = IDC_COPY_RETRACT_DISABLED,
    kCopyTimeoutLabel = IDC_COPY_RETRACT_TIMEOUT_LABEL,
    kCopyTimeoutUpDown = IDC_COPY_RETRACT_TIMEOUT_UPDOWN,
    kCopyTimeoutEdit = IDC_COPY_RETRACT_TIMEOUT_EDIT,
    kCopyTimeoutUnit = IDC_COPY_RETRACT_TIMEOUT_UNIT,
    kCopyDefaultsButton = IDC_COPY_DEFAULTS,
};

// Every control that changes a setting, of all variants, and the defaults
// button: what a read-only page disables.
constexpr std::array<int, 13> kCopySettingControls = {
    kCopySimpleCopy,     kCopyAddScv,        kCopyLogoPrint,     kCopyQualityList,     kCopyCutList,
    kCopyPrintAfter,     kCopyAppend,        kCopyPrintAndAppend, kCopyRetractEnabled, kCopyRetractDisabled,
    kCopyTimeoutEdit,    kCopyTimeoutUpDown, kCopyDefaultsButton};

// The journal actions with the list that chooses their journal and their
// labels: they need no right to change the printer, so a read-only page,
// whose "Simple Copy" cannot be cleared, keeps them usable.
constexpr std::array<int, 4> kCopyJournalControls = {kCopyJournalGroup, kCopySelectJournalLabel, kCopyJournalList,
                                                     kCopyPrintJournal};

// The copy is cut by the same printer as the original, so each variant offers
// the cut-action rows, and selects on defaults the row, of its model's Raster
// Print Options page.
struct CopyVariant {
    TemplateId templateId;
    TemplateId cutRowsOf;  // the Raster variant of the same model
    bool presenter;        // presenter paper retract for the copy ("B18")
};

const CopyVariant& CopyVariantFor(TemplateId templateId);
const RasterVariant& CopyCutRows(const CopyVariant& variant);

// The paper retract timeout of the "B18" variant.
extern const NumericField kCopyRetractTimeout;

// Output method codes, the same in COPY_OUTPUT and ADDITIONAL_OUTPUT.
enum CopyOutput : std::uint32_t { kNoCopyOutput = 0, kAppendToJournal = 1, kPrintAfterOriginal = 2, kPrintAndAppend = 3 };

// The code of the checked radio button, looked at in the order "Print After
// Original", "Append To Journal", "Print && Append"; 0 when none is checked.
std::uint32_t OutputFromButtons(bool printAfter, bool append, bool printAndAppend);

// What the controls show. A list position of -1 is no selection.
struct CopyControls {
    bool simpleCopy = true;
    bool addScv = true;
    bool logoPrint = false;
    int printQuality = 0;
    int cutPosition = 0;
    std::uint32_t output = kPrintAfterOriginal;
    bool retractEnabled = false;       // "B18" only
    std::uint32_t retractTimeout = 30;  // "B18" only
};

// Loads and repairs the remembered values in the page's order.
CopyControls LoadCopyPage(PrinterData& printer, const CopyVariant& variant);

CopyControls CopyDefaults(const CopyVariant& variant);

// Whether the stored Logo page mode is Generate: LOGO_LOGOMODEGENERATE read
// as 1. Read only; the Logo page alone repairs and writes it.
bool StoredLogoGenerateMode(PrinterData& printer);

// The controls at apply; `retractTimeout` is the typed entry already parsed,
// nothing when it is empty, not a number or out of 1..255.
struct CopyEntries {
    CopyControls controls;
    std::optional<std::uint32_t> retractTimeout;
};

// Writes the remembered and driver values in the page's order. False when the
// "B18" timeout entry is rejected: the page shows message 45, resets the field
// and answers PSNRET_INVALID; everything else has been written. A rejected
// entry writes neither timeout value, so both keep what they held.
bool ApplyCopyPage(PrinterData& printer, const CopyVariant& variant, const CopyEntries& entries);

}  // namespace zelt
