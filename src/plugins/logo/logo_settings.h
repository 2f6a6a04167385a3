// The Logo page as settings: its controls, what it loads and repairs, what
// the defaults button shows, what apply writes, which controls each mode
// enables, and how it switches the Copy Options page.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "logo_store.h"
#include "resources/resource.h"
#include "settings/setting_store.h"

namespace zelt {

enum LogoControlId : int {
    kLogoModeGroup = IDC_LOGO_MODE_GROUP,
    kLogoGenerateGroup = IDC_LOGO_GENERATE_GROUP,
    kLogoPrintGroup = IDC_LOGO_PRINT_GROUP,
    kLogoGenerateToLabel = IDC_LOGO_GENERATE_TO_LABEL,
    kLogoDocTopLabel = IDC_LOGO_DOC_TOP_LABEL,
    kLogoPageTopLabel = IDC_LOGO_PAGE_TOP_LABEL,
    kLogoPageBottomLabel = IDC_LOGO_PAGE_BOTTOM_LABEL,
    kLogoDocBottomLabel = IDC_LOGO_DOC_BOTTOM_LABEL,
    kLogoFileTypeLabel = IDC_LOGO_FILE_TYPE_LABEL,
    kLogoPageTopList = IDC_LOGO_PAGE_TOP_LIST,
    kLogoDocTopList = IDC_LOGO_DOC_TOP_LIST,
    kLogoPageBottomList = IDC_LOGO_PAGE_BOTTOM_LIST,
    kLogoDocBottomList = IDC_LOGO_DOC_BOTTOM_LIST,
    kLogoGenerateButton = IDC_LOGO_GENERATE,
    kLogoPrintButton = IDC_LOGO_PRINT,
    kLogoGenerateToList = IDC_LOGO_GENERATE_TO_LIST,
    kLogoPrintAllButton = IDC_LOGO_PRINT_ALL,
    kLogoFileTypeList = IDC_LOGO_FILE_TYPE_LIST,
    kLogoDefaultsButton = IDC_LOGO_DEFAULTS,
};

// One position's "Print" list, in LogoPosition order.
struct LogoPositionList {
    int listId;
    Setting remembered;
    Setting driver;
};
extern const std::array<LogoPositionList, kLogoPositionCount> kLogoPositionLists;

// String ids of the list items, in the order they are added.
constexpr std::array<std::uint16_t, 4> kGenerateToItems = {IDS_GENERATE_TO_DOC_TOP, IDS_GENERATE_TO_PAGE_TOP,
                                                         IDS_GENERATE_TO_PAGE_BOTTOM, IDS_GENERATE_TO_DOC_BOTTOM};
constexpr std::array<std::uint16_t, 3> kPositionChoiceItems = {IDS_LOGO_NO_PRINT, IDS_LOGO_SEQUENTIAL, IDS_LOGO_ALL};
constexpr std::array<std::uint16_t, 2> kFileTypeItems = {IDS_FILE_TYPE_ZRL, IDS_FILE_TYPE_BMP};

// Enabled in Generate mode and disabled in Print mode, and the other way round.
constexpr std::array<int, 4> kGenerateModeControls = {kLogoGenerateGroup, kLogoGenerateToLabel, kLogoGenerateToList,
                                                     kLogoPrintAllButton};
constexpr std::array<int, 11> kPrintModeControls = {kLogoPrintGroup,     kLogoDocTopLabel,    kLogoDocTopList,
                                                   kLogoPageTopLabel,   kLogoPageTopList,    kLogoPageBottomLabel,
                                                   kLogoPageBottomList, kLogoDocBottomLabel, kLogoDocBottomList,
                                                   kLogoFileTypeLabel,  kLogoFileTypeList};

// Every control that changes a setting, and the defaults button: what a
// read-only page disables. The Generate To list and "Print All Logos" are not
// among them: they only choose and print, and a read-only page keeps them
// usable in either mode.
constexpr std::array<int, 8> kLogoSettingControls = {kLogoGenerateButton, kLogoPrintButton, kLogoDocTopList,
                                                    kLogoPageTopList,    kLogoPageBottomList, kLogoDocBottomList,
                                                    kLogoFileTypeList,   kLogoDefaultsButton};

// The Copy Options page's controls the Logo page switches, in the order set.
constexpr int kCopySimpleCopy = IDC_COPY_SIMPLE_COPY;
constexpr std::array<int, 17> kCopyDependentControls = {
    IDC_COPY_ADDITIONAL_GROUP, IDC_COPY_ADD_SCV,         IDC_COPY_LOGO_PRINT,       IDC_COPY_QUALITY_LABEL,
    IDC_COPY_QUALITY_LIST,     IDC_COPY_CUT_LABEL,       IDC_COPY_PAGE_DOC_LABEL,   IDC_COPY_CUT_LIST,
    IDC_COPY_OUTPUT_GROUP,     IDC_COPY_PRINT_AFTER,     IDC_COPY_APPEND,           IDC_COPY_PRINT_AND_APPEND,
    IDC_COPY_JOURNAL_GROUP,    IDC_COPY_SELECT_JOURNAL_LABEL, IDC_COPY_JOURNAL_LIST, IDC_COPY_PRINT_JOURNAL,
    IDC_COPY_SAVE_AS};
constexpr std::array<int, 6> kCopyPresenterControls = {
    IDC_COPY_RETRACT_DISABLED,     IDC_COPY_RETRACT_ENABLED,       IDC_COPY_RETRACT_TIMEOUT_LABEL,
    IDC_COPY_RETRACT_TIMEOUT_EDIT, IDC_COPY_RETRACT_TIMEOUT_UPDOWN, IDC_COPY_RETRACT_TIMEOUT_UNIT};

struct CopyCoupling {
    bool simpleCopyEnabled;
    bool othersEnabled;  // the dependent and presenter controls
};
// Generate mode turns the whole Copy Options page off; in Print mode
// "Simple Copy" is on and, while it is checked, the rest stays off.
CopyCoupling CopyCouplingFor(bool generateMode, bool simpleCopyChecked);

// What the controls show. A list position of -1 is no selection.
struct LogoControls {
    bool generateChecked = false;
    bool printChecked = true;
    bool generateAvailable = true;  // the Generate button enabled
    int generateTo = 0;
    std::array<int, kLogoPositionCount> positionChoices = {0, 0, 0, 0};
    int fileType = 0;
};

// The three zoom data files, found in the file name after the last backslash.
bool IsZoomDataFile(std::wstring_view dataFilePath);

// Loads and repairs the page's values in the page's order. `dataFilePath` is
// the driver's pDataFile, or nothing when the spooler could not report it (the
// page then offers Generate mode as for any other data file).
LogoControls LoadLogoPage(PrinterData& printer, std::optional<std::wstring_view> dataFilePath);

// What the defaults button shows; `generateAvailable` stays as it was.
LogoControls LogoDefaults(bool generateAvailable);

// Writes the remembered values and the driver values in the page's order.
// Without a data-file path Print mode leaves GLOBAL_OPERATINGMODE as it is:
// whether 0 or 3 belongs there cannot be told.
void ApplyLogoPage(PrinterData& printer, const LogoControls& controls, std::optional<std::wstring_view> dataFilePath);

}  // namespace zelt
