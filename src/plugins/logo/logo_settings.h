// The Logo page as settings: its controls, what it loads and repairs, what
// the defaults button shows, what apply writes, which controls each mode
// enables, and how it switches the Copy Options page.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "logo_store.h"
#include "settings/setting_store.h"

namespace zelt {

enum LogoControlId : int {
    kLogoModeGroup = 1020,
    kLogoGenerateGroup = 1021,
    kLogoPrintGroup = 1022,
    kLogoGenerateToLabel = 1023,
    kLogoDocTopLabel = 1024,
    kLogoPageTopLabel = 1025,
    kLogoPageBottomLabel = 1026,
    kLogoDocBottomLabel = 1027,
    kLogoFileTypeLabel = 1028,
    kLogoPageTopList = 1029,
    kLogoDocTopList = 1030,
    kLogoPageBottomList = 1031,
    kLogoDocBottomList = 1032,
    kLogoGenerateButton = 1033,
    kLogoPrintButton = 1034,
    kLogoGenerateToList = 1035,
    kLogoPrintAllButton = 1036,
    kLogoFileTypeList = 1037,
    kLogoDefaultsButton = 1125,
};

// One position's "Print" list, in LogoPosition order.
struct LogoPositionList {
    int listId;
    const wchar_t* rememberedName;
    const wchar_t* driverName;
};
extern const std::array<LogoPositionList, kLogoPositionCount> kLogoPositionLists;

// String ids of the list items, in the order they are added.
constexpr std::array<std::uint16_t, 4> kGenerateToItems = {19, 21, 22, 20};
constexpr std::array<std::uint16_t, 3> kPositionChoiceItems = {7, 8, 9};
constexpr std::array<std::uint16_t, 2> kFileTypeItems = {24, 25};

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
constexpr int kCopySimpleCopy = 1047;
constexpr std::array<int, 17> kCopyDependentControls = {1038, 1046, 1050, 1042, 1048, 1041, 1043, 1049, 1039,
                                                        1052, 1053, 1057, 1040, 1045, 1054, 1055, 1056};
constexpr std::array<int, 6> kCopyPresenterControls = {1101, 1100, 1102, 1104, 1103, 1105};

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
    bool generateAvailable = true;  // 1033 enabled
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
