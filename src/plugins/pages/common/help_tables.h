// Context help: the help file by system language, each page's context id and
// topic, and its table of (control id, help id) pairs ended by (0, 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "resources/resource.h"

namespace zelt {

// Every help id in the module: the template whose topic is meant, and the control.
constexpr std::uint32_t HelpId(std::uint16_t templateId, std::uint16_t controlId) {
    return 0x80000000u + templateId * 65536u + controlId;
}

enum class HelpTableId { kRaster, kRasterWithPeripheral, kLogo, kCopy, kZoom, kEtb, kSaveAs };

// Every help table, for the tools and tests that go through all of them.
constexpr HelpTableId kAllHelpTables[] = {HelpTableId::kRaster, HelpTableId::kRasterWithPeripheral,
                                          HelpTableId::kLogo,   HelpTableId::kCopy,
                                          HelpTableId::kZoom,   HelpTableId::kEtb,
                                          HelpTableId::kSaveAs};

// The pages' help context ids (the sheet's Help button). The Save As dialog has none.
constexpr std::uint32_t kRasterHelpContext = IDH_RASTER;
constexpr std::uint32_t kLogoHelpContext = IDH_LOGO;
constexpr std::uint32_t kCopyHelpContext = IDH_COPY;
constexpr std::uint32_t kZoomHelpContext = IDH_ZOOM;
constexpr std::uint32_t kEtbHelpContext = IDH_ETB;

// The pairs (control id, help id, ..., 0, 0) as WinHelp's HELP_WM_HELP takes them.
const std::uint32_t* HelpTable(HelpTableId table);
// Pairs before the closing (0, 0).
int HelpTablePairCount(HelpTableId table);

// The file name part appended to the printer-driver directory.
std::wstring_view HelpFileSuffix(std::uint32_t systemDefaultLcid);

// The HTML Help file beside it: same folder, same language, same base name, ".chm".
std::wstring_view HtmlHelpFileSuffix(std::uint32_t systemDefaultLcid);

// HTML Help names a file inside a .chm after the .chm's path and this.
constexpr std::wstring_view kChmFileSeparator = L"::/";
// The .chm's text-popup file, for "What's This?" help.
constexpr std::wstring_view kHtmlHelpPopupFile = L"popups.txt";

// HTML Help's library, appended to the system folder: it is loaded from
// there only, never found by a search.
constexpr std::wstring_view kHtmlHelpLibrary = L"\\hhctrl.ocx";

// The topic of each dialog template, as the help build names its file in the
// .chm; empty for an id that is no template.
std::wstring_view TemplateTopic(std::uint16_t templateId);
// The topic the sheet's Help button opens for a page's context id: the topic
// of the page family's base template. Empty for an id that is no page's.
std::wstring_view PageTopic(std::uint32_t contextId);

// Which help system a request goes to, with which command.
enum class HelpViewer { kWinHelp, kHtmlHelp };
enum class HelpRequest { kPageTopic, kControlPopup };

struct HelpCall {
    HelpViewer viewer;
    std::uint32_t command;  // HELP_CONTEXT / HELP_WM_HELP, or HH_DISPLAY_TOPIC / HH_TP_HELP_WM_HELP
};

constexpr std::uint32_t kWinHelpContext = 0x0001;       // HELP_CONTEXT
constexpr std::uint32_t kWinHelpWmHelp = 0x000C;        // HELP_WM_HELP
constexpr std::uint32_t kHtmlHelpDisplayTopic = 0x0000; // HH_DISPLAY_TOPIC
constexpr std::uint32_t kHtmlHelpTpWmHelp = 0x0011;     // HH_TP_HELP_WM_HELP

// HTML Help when its file is there and HtmlHelpW could be had, else WinHelp
// as it always was. HTML Help is given a page topic by its path in the .chm
// (".chm::/topic.htm"), the form every version reads, and a control's help
// through the .chm's text-popup file.
HelpCall ChooseHelpCall(HelpRequest request, bool htmlHelpFilePresent, bool htmlHelpAvailable);

// Writes `head` (a terminated string within its first `headCapacity`
// characters: a folder, or a .chm's path), then `suffix`, then `tail`,
// terminated, into `out` of `outCapacity` characters. False, with `out`
// holding an empty string where it has room, when the head is not terminated
// or the path would not fit: then no help is opened rather than a wrong one.
bool ComposeHelpPath(const wchar_t* head, std::size_t headCapacity, std::wstring_view suffix,
                     std::wstring_view tail, wchar_t* out, std::size_t outCapacity);

}  // namespace zelt
