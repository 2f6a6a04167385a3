// The printer's named data values: the one table of every value the pages
// remember or hand to the driver's rendering side, and the cut-action table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "resources/resource.h"

namespace zelt {

enum class ValueKind {
    kRemembered,  // the user's choice as a page shows it; read back and repaired
    kDriver,      // a code the rendering side acts on; written at apply only
};

// Bit of a dialog template (IDD_COPY_A57..IDD_RASTER_C252) in a template set.
constexpr std::uint32_t TemplateBit(std::uint16_t templateId) {
    return 1u << (templateId - std::uint32_t{IDD_COPY_A57});
}

constexpr std::uint32_t kRasterPages = TemplateBit(IDD_RASTER_A57) | TemplateBit(IDD_RASTER_STANDARD) |
                                       TemplateBit(IDD_RASTER_A59) | TemplateBit(IDD_RASTER_B18) |
                                       TemplateBit(IDD_RASTER_B15) | TemplateBit(IDD_RASTER_C252);
constexpr std::uint32_t kCopyPages =
    TemplateBit(IDD_COPY_A57) | TemplateBit(IDD_COPY_STANDARD) | TemplateBit(IDD_COPY_A59) |
    TemplateBit(IDD_COPY_B18) | TemplateBit(IDD_COPY_C252);

// Each of the 60 values by the name the spooler stores it under; the
// enumerator's number is its row in kSettings.
enum class Setting : std::uint8_t {
    // Remembered values.
    RPO_PRINTQUALITY, RPO_PAPERTYPE, RPO_PAGEDOCCUTACTION, RPO_DRAWER1, RPO_DRAWER1PULSEWIDTH, RPO_DRAWER2,
    RPO_WALLMOUNT, RPO_PERIPHERAL1, RPO_PERIPHERAL1PULSEWIDTH, PO_PRESENTERRETRACT, PO_PRESENTERRETRACTTIME,
    COPY_SIMPLECOPY, COPY_ADDSCV, COPY_LOGOPRINT, COPY_PRINTQUALITY, COPY_PAGEDOCCUTACTION, COPY_OUTPUT,
    COPY_PRESENTERRETRACT, COPY_PRESENTERRETRACTTIME, LOGO_LOGOMODEGENERATE, LOGO_LOGOMODEPRINT,
    LOGO_LOGOGENERATETO, LOGO_DOCTOPLOGO, LOGO_PAGETOPLOGO, LOGO_PAGEBOTTOMLOGO, LOGO_DOCBOTTOMLOGO, LOGO_FILETYPE,
    ZOOM_FOCUSAREA, ZOOM_ZOOMFACTOR, ETB_STATUS,
    // Driver values.
    ORIGINAL_PRINTQUALITY, GLOBAL_PAPERTYPE, ORIGINAL_PAGECUTACTION, ORIGINAL_DOCCUTACTION, ORIGINAL_DOCTOPSEARCH,
    ORIGINAL_DOCDRAWER1, ORIGINAL_DOCDRAWER1PULSEWIDTH, ORIGINAL_DOCDRAWER2, ORIGINAL_PERIPHERAL1,
    ORIGINAL_PERIPHERAL1PULSEWIDTH, ORIGINAL_PRESENTERRETRACT, ORIGINAL_PRESENTERRETRACTTIME, ORIGINAL_DOCTOPLOGO,
    ORIGINAL_PAGETOPLOGO, ORIGINAL_PAGEBOTTOMLOGO, ORIGINAL_DOCBOTTOMLOGO, ORIGINAL_LOGOFILETYPE,
    GLOBAL_OPERATINGMODE, GLOBAL_ZOOM, GLOBAL_FOCUSAREA, GLOBAL_ETBSTATUS, ADDITIONAL_SCV, ADDITIONAL_PRINTLOGOS,
    ADDITIONAL_PRINTQUALITY, ADDITIONAL_PAGECUTACTION, ADDITIONAL_DOCCUTACTION, ADDITIONAL_DOCTOPSEARCH,
    ADDITIONAL_OUTPUT, ADDITIONAL_PRESENTERRETRACT, ADDITIONAL_PRESENTERRETRACTTIME,
    // Not a value: the count, so that a value added above without its row
    // fails the table's order check.
    kCount
};

struct TemplateDefault {
    std::uint16_t templateId;  // 0 ends the list
    std::uint32_t value;
};

struct SettingSpec {
    Setting setting;
    const wchar_t* name;
    ValueKind kind;
    std::uint32_t templates;  // the templates that load (remembered) or write (driver) it
    // Remembered values only: accepted range on load and repair default.
    std::uint32_t low;
    std::uint32_t high;
    std::uint32_t extendedHigh;  // high on pages with a fourth paper type, 0 if none
    std::uint32_t repairDefault;
    TemplateDefault templateDefaults[4];  // defaults that differ by template
    const char* meaning;
};

constexpr int kSettingCount = static_cast<int>(Setting::kCount);
static_assert(kSettingCount == 60, "the printer keeps 60 values");
extern const SettingSpec kSettings[kSettingCount];

// The setting's row of kSettings.
const SettingSpec& RowOf(Setting setting);

// The default a page of `templateId` writes back for a bad stored value.
std::uint32_t RepairDefault(Setting setting, std::uint16_t templateId);

struct AcceptedRange {
    std::uint32_t low;
    std::uint32_t high;
};

// How many paper types the page offers: kFour adds "Black Mark with Power on
// Search". A type of its own, so that it cannot pass for a template id.
enum class PaperTypes : std::uint8_t { kThree, kFour };

AcceptedRange AcceptedRangeOn(Setting setting, PaperTypes paperTypes);

// The standard Raster page of a "C31" model and the "C252" page list four paper types.
bool HasFourthPaperType(std::uint16_t rasterTemplate, bool hasC31);

// One row of the cut-action table: the action at the end of each page, at the
// end of the document, and whether the top of the next form is searched.
struct CutAction {
    std::uint16_t stringId;
    const wchar_t* label;
    std::uint32_t pageCode;
    std::uint32_t documentCode;
    std::uint32_t topSearch;
};

constexpr int kCutActionCount = 12;
extern const CutAction kCutActions[kCutActionCount];

}  // namespace zelt
