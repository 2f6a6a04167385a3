// The Raster Print Options page in each of its model variants, as settings:
// what load shows, what the defaults button selects, and what apply writes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "frame/page_plan.h"
#include "settings/setting_store.h"

namespace zelt {

// Controls of the Raster templates; each template has the ones of its variant.
enum RasterControlId : int {
    kRasterPrintQualityList = 1012,
    kRasterPaperTypeList = 1013,
    kRasterCutActionList = 1014,
    kRasterDrawer1List = 1017,
    kRasterDrawerPulseEdit = 1018,
    kRasterDrawer2List = 1019,
    kRasterRetractTimeoutEdit = 1020,
    kRasterDrawerPulseUpDown = 1097,
    kRasterRetractTimeoutUpDown = 1099,
    kRasterBuzzerList = 1106,
    kRasterBuzzerPulseEdit = 1108,
    kRasterBuzzerPulseUpDown = 1110,
    kRasterRetractEnabled = 1124,
    kRasterRetractDisabled = 1125,
    kRasterVerticalMount = 1127,
    kRasterDefaultsButton = 1128,
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
