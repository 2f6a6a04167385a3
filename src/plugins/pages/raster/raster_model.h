// The Raster Print Options page in each of its model variants, as settings:
// what load shows, what the defaults button selects, and what apply writes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "frame/page_plan.h"
#include "resources/resource.h"
#include "settings/setting_store.h"

namespace zelt {

// Controls of the Raster templates; each template has the ones of its variant.
enum RasterControlId : int {
    kRasterPrintQualityList = IDC_RASTER_PRINT_QUALITY_LIST,
    kRasterPaperTypeList = IDC_RASTER_PAPER_TYPE_LIST,
    kRasterCutActionList = IDC_RASTER_CUT_ACTION_LIST,
    kRasterDrawer1List = IDC_RASTER_DRAWER1_LIST,
    kRasterDrawerPulseEdit = IDC_RASTER_DRAWER_PULSE_EDIT,
    kRasterDrawer2List = IDC_RASTER_DRAWER2_LIST,
    kRasterRetractTimeoutEdit = IDC_RASTER_RETRACT_TIMEOUT_EDIT,
    kRasterDrawerPulseUpDown = IDC_RASTER_DRAWER_PULSE_UPDOWN,
    kRasterRetractTimeoutUpDown = IDC_RASTER_RETRACT_TIMEOUT_UPDOWN,
    kRasterBuzzerList = IDC_RASTER_BUZZER_LIST,
    kRasterBuzzerPulseEdit = IDC_RASTER_BUZZER_PULSE_EDIT,
    kRasterBuzzerPulseUpDown = IDC_RASTER_BUZZER_PULSE_UPDOWN,
    kRasterRetractEnabled = IDC_RASTER_RETRACT_ENABLED,
    kRasterRetractDisabled = IDC_RASTER_RETRACT_DISABLED,
    kRasterVerticalMount = IDC_RASTER_VERTICAL_MOUNT,
    kRasterDefaultsButton = IDC_RASTER_DEFAULTS,
};

// Every control that changes a setting, of all variants, and the defaults
// button: what a read-only page disables.
constexpr std::array<int, 16> kRasterSettingControls = {
    kRasterPrintQualityList,   kRasterPaperTypeList,        kRasterCutActionList,     kRasterDrawer1List,
    kRasterDrawerPulseEdit,    kRasterDrawerPulseUpDown,    kRasterDrawer2List,       kRasterRetractEnabled,
    kRasterRetractDisabled,    kRasterRetractTimeoutEdit,   kRasterRetractTimeoutUpDown, kRasterBuzzerList,
    kRasterBuzzerPulseEdit,    kRasterBuzzerPulseUpDown,    kRasterVerticalMount,     kRasterDefaultsButton};

// A number typed into an edit field with an up-down control.
struct NumericField {
    int editId;
    int upDownId;
    std::uint32_t low;
    std::uint32_t high;
    std::uint32_t resetValue;    // shown again after a rejected entry
    std::uint16_t messageId;     // string shown for a rejected entry
    bool presenterCaption;       // the message box's caption is the presenter pages' one
};

enum class RasterExtras {
    kDrawers,    // cash drawers 1 and 2, drawer 1's pulse width
    kNone,
    kPresenter,  // presenter paper retract and its timeout
    kBuzzer,     // the peripheral unit (buzzer) and its pulse width
};

struct RasterVariant {
    TemplateId templateId;
    std::array<std::uint8_t, 12> rows;  // cut-action rows offered, in list order
    int rowCount;
    std::uint32_t defaultsRow;          // the row the defaults button selects
    RasterExtras extras;
    bool fourPaperTypesAlways;          // else only a "C31" standard page has four
};

const RasterVariant& RasterVariantFor(TemplateId templateId);

// The numeric field of a variant (drawer pulse, retract timeout or buzzer
// pulse); null for a variant without one.
const NumericField* RasterNumericField(const RasterVariant& variant);

// The list position that shows a remembered row: its own position when the
// list offers it, else position 1.
int CutPositionForRow(const RasterVariant& variant, std::uint32_t row);
// The row at a list position, or nothing for no selection.
std::optional<std::uint32_t> CutRowAtPosition(const RasterVariant& variant, int position);

// Where a page keeps its cut choice: the row it remembers, and the row's
// three codes that the rendering side acts on.
struct CutActionSettings {
    Setting row;
    Setting pageCode;
    Setting documentCode;
    Setting topSearch;
};

// Stores the choice at `position` of the variant's cut list: its row and the
// row's codes, or, when the position names no row (no selection), the
// position itself and no code.
void WriteCutAction(PrinterData& printer, const RasterVariant& variant, int position,
                    const CutActionSettings& settings);

// What the controls show. A list position of -1 is no selection.
struct RasterControls {
    int printQuality = -1;
    int paperType = -1;
    int cutPosition = -1;
    int drawer1 = -1;
    int drawer2 = -1;
    int buzzer = -1;
    bool retractEnabled = false;
    bool wallMount = false;
    std::uint32_t number = 0;  // the variant's numeric field
};

struct RasterLoad {
    RasterControls controls;
    int paperTypeCount;      // 3 or 4 items in the paper-type list
    bool paperTypeLoaded;    // false when the driver information could not be read
};

// Driver information for the standard page's "C31" test: the data-file path,
// or nothing when the spooler could not report it.
RasterLoad LoadRasterPage(PrinterData& printer, const RasterVariant& variant,
                          std::optional<std::wstring_view> dataFile);

RasterControls RasterDefaults(const RasterVariant& variant);

// The controls at apply; `number` is the typed entry already parsed, nothing
// when it is empty, not a number or out of the field's range.
struct RasterEntries {
    RasterControls controls;
    std::optional<std::uint32_t> number;
    int paperTypeCount;
    bool paperTypeLoaded;
};

// The number field rejected at apply, if any: the page shows its message,
// resets the field and answers PSNRET_INVALID.
const NumericField* ApplyRasterPage(PrinterData& printer, const RasterVariant& variant, const RasterEntries& entries);

}  // namespace zelt
