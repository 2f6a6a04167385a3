#include "setting_table.h"

namespace zelt {
namespace {

constexpr std::uint32_t kDrawerPages = TemplateBit(IDD_RASTER_A57) | TemplateBit(IDD_RASTER_STANDARD) |
                                       TemplateBit(IDD_RASTER_A59);
constexpr std::uint32_t kLogoPage = TemplateBit(IDD_LOGO);
constexpr std::uint32_t kZoomPage = TemplateBit(IDD_ZOOM);
constexpr std::uint32_t kEtbPage = TemplateBit(IDD_ETB);
constexpr std::uint32_t kRasterB18 = TemplateBit(IDD_RASTER_B18);
constexpr std::uint32_t kRasterC252 = TemplateBit(IDD_RASTER_C252);
constexpr std::uint32_t kCopyB18 = TemplateBit(IDD_COPY_B18);

constexpr ValueKind R = ValueKind::kRemembered;
constexpr ValueKind D = ValueKind::kDriver;

// The spooler's name of a value is its enumerator's own name.
#define ROW(setting, ...) {Setting::setting, L"" #setting, __VA_ARGS__}

}  // namespace

// setting (and name), kind, pages, low, high, extended high, default, defaults by template, meaning
constexpr SettingSpec kSettings[kSettingCount] = {
    // Remembered values.
    ROW(RPO_PRINTQUALITY, R, kRasterPages, 0, 2, 0, 0, {{IDD_RASTER_STANDARD, 2}},
        "print quality list position: 0 Standard, 1 High, 2 Best"),
    ROW(RPO_PAPERTYPE, R, kRasterPages, 0, 2, 3, 0, {},
        "paper type list position: 0 Receipt, 1 Ticket, 2 Black Mark, 3 Black Mark with Power on Search"),
    ROW(RPO_PAGEDOCCUTACTION, R, kRasterPages, 0, 11, 0, 2,
        {{IDD_RASTER_STANDARD, 11}, {IDD_RASTER_A57, 1}, {IDD_RASTER_B18, 10}},
        "row of the cut-action table"),
    ROW(RPO_DRAWER1, R, kDrawerPages, 0, 3, 0, 0, {},
        "drawer 1 list position: 0 No Use, 1 Document Top, 2 Document Bottom, 3 Page Top"),
    ROW(RPO_DRAWER1PULSEWIDTH, R, kDrawerPages, 1, 127, 0, 20, {}, "drawer 1 pulse width as typed, x 10 ms"),
    ROW(RPO_DRAWER2, R, kDrawerPages, 0, 3, 0, 0, {}, "drawer 2 list position, same list as drawer 1"),
    ROW(RPO_WALLMOUNT, R, kRasterPages, 0, 1, 0, 0, {},
        "1 = vertical mount mode (printing rotated by 180 degrees); read by the rendering side itself"),
    ROW(RPO_PERIPHERAL1, R, kRasterC252, 0, 2, 0, 0, {},
        "buzzer list position: 0 No Use, 1 Document Top, 2 Document Bottom"),
    ROW(RPO_PERIPHERAL1PULSEWIDTH, R, kRasterC252, 1, 255, 0, 10, {}, "buzzer pulse width as typed, x 20 ms"),
    ROW(PO_PRESENTERRETRACT, R, kRasterB18, 0, 1, 0, 0, {}, "1 = presenter paper retract enabled"),
    ROW(PO_PRESENTERRETRACTTIME, R, kRasterB18, 1, 255, 0, 30, {}, "paper retract timeout as typed, x 0.5 s"),
    ROW(COPY_SIMPLECOPY, R, kCopyPages, 0, 1, 0, 1, {}, "Simple Copy check state"),
    ROW(COPY_ADDSCV, R, kCopyPages, 0, 1, 0, 1, {}, "Add SCV Image check state"),
    ROW(COPY_LOGOPRINT, R, kCopyPages, 0, 1, 0, 0, {}, "Logo Print check state"),
    ROW(COPY_PRINTQUALITY, R, kCopyPages, 0, 2, 0, 0, {}, "print quality of the copy, list position"),
    ROW(COPY_PAGEDOCCUTACTION, R, kCopyPages, 0, 11, 0, 2, {{IDD_COPY_A57, 1}, {IDD_COPY_B18, 10}},
        "row of the cut-action table for the copy"),
    ROW(COPY_OUTPUT, R, kCopyPages, 0, 3, 0, 2, {},
        "output method: 1 Append To Journal, 2 Print After Original, 3 Print & Append, 0 none chosen"),
    ROW(COPY_PRESENTERRETRACT, R, kCopyB18, 0, 1, 0, 0, {}, "1 = presenter paper retract enabled for the copy"),
    ROW(COPY_PRESENTERRETRACTTIME, R, kCopyB18, 1, 255, 0, 30, {}, "the copy's retract timeout as typed, x 0.5 s"),
    ROW(LOGO_LOGOMODEGENERATE, R, kLogoPage, 0, 1, 0, 0, {},
        "1 = Generate mode; read by the Copy Options page too"),
    ROW(LOGO_LOGOMODEPRINT, R, kLogoPage, 0, 1, 0, 1, {}, "1 = Print mode"),
    ROW(LOGO_LOGOGENERATETO, R, kLogoPage, 0, 3, 0, 0, {},
        "logo position generated to: 0 Document Top, 1 Page Top, 2 Page Bottom, 3 Document Bottom"),
    ROW(LOGO_DOCTOPLOGO, R, kLogoPage, 0, 2, 0, 0, {}, "Document Top list position: 0 No Print, 1 Sequential, 2 All"),
    ROW(LOGO_PAGETOPLOGO, R, kLogoPage, 0, 2, 0, 0, {}, "Page Top list position, same list"),
    ROW(LOGO_PAGEBOTTOMLOGO, R, kLogoPage, 0, 2, 0, 0, {}, "Page Bottom list position, same list"),
    ROW(LOGO_DOCBOTTOMLOGO, R, kLogoPage, 0, 2, 0, 0, {}, "Document Bottom list position, same list"),
    ROW(LOGO_FILETYPE, R, kLogoPage, 0, 1, 0, 0, {}, "logo file type list position: 0 ZRL, 1 BMP"),
    ROW(ZOOM_FOCUSAREA, R, kZoomPage, 0, 3, 0, 0, {}, "focus area list position: 0 All, 1 Right, 2 Center, 3 Left"),
    ROW(ZOOM_ZOOMFACTOR, R, kZoomPage, 0, 19, 0, 0, {}, "zoom factor list position n: an enlargement of 5n percent"),
    ROW(ETB_STATUS, R, kEtbPage, 0, 1, 0, 0, {}, "1 = send the ETB command"),

    // Driver values.
    ROW(ORIGINAL_PRINTQUALITY, D, kRasterPages, 0, 0, 0, 0, {}, "0 standard, 1 high, 2 best"),
    ROW(GLOBAL_PAPERTYPE, D, kRasterPages, 0, 0, 0, 0, {},
        "0 receipt, 1 ticket, 2 black mark, 3 black mark with power-on search"),
    ROW(ORIGINAL_PAGECUTACTION, D, kRasterPages, 0, 0, 0, 0, {},
        "end of each page: 0 form feed, 1 tear bar, 2 full cut no feed, 3 full cut, 4 partial cut no feed, "
        "5 partial cut"),
    ROW(ORIGINAL_DOCCUTACTION, D, kRasterPages, 0, 0, 0, 0, {}, "end of the document, same codes"),
    ROW(ORIGINAL_DOCTOPSEARCH, D, kRasterPages, 0, 0, 0, 0, {}, "1 = search the top of the next form"),
    ROW(ORIGINAL_DOCDRAWER1, D, kDrawerPages, 0, 0, 0, 0, {},
        "drawer 1 timing: 0 none, 1 document top, 2 document bottom, 3 page top"),
    ROW(ORIGINAL_DOCDRAWER1PULSEWIDTH, D, kDrawerPages, 0, 0, 0, 0, {}, "drawer 1 pulse width minus 1, x 10 ms"),
    ROW(ORIGINAL_DOCDRAWER2, D, kDrawerPages, 0, 0, 0, 0, {}, "drawer 2 timing, same codes"),
    ROW(ORIGINAL_PERIPHERAL1, D, kRasterC252, 0, 0, 0, 0, {},
        "buzzer timing: 0 none, 1 document top, 2 document bottom"),
    ROW(ORIGINAL_PERIPHERAL1PULSEWIDTH, D, kRasterC252, 0, 0, 0, 0, {}, "buzzer pulse width minus 1, x 20 ms"),
    ROW(ORIGINAL_PRESENTERRETRACT, D, kRasterB18, 0, 0, 0, 0, {}, "1 = retract paper not taken"),
    ROW(ORIGINAL_PRESENTERRETRACTTIME, D, kRasterB18, 0, 0, 0, 0, {}, "retract timeout 1..255, x 0.5 s"),
    ROW(ORIGINAL_DOCTOPLOGO, D, kLogoPage, 0, 0, 0, 0, {},
        "Print mode: list position; Generate mode: 2 at the position generated to, else 0"),
    ROW(ORIGINAL_PAGETOPLOGO, D, kLogoPage, 0, 0, 0, 0, {}, "as ORIGINAL_DOCTOPLOGO, for Page Top"),
    ROW(ORIGINAL_PAGEBOTTOMLOGO, D, kLogoPage, 0, 0, 0, 0, {}, "as ORIGINAL_DOCTOPLOGO, for Page Bottom"),
    ROW(ORIGINAL_DOCBOTTOMLOGO, D, kLogoPage, 0, 0, 0, 0, {}, "as ORIGINAL_DOCTOPLOGO, for Document Bottom"),
    ROW(ORIGINAL_LOGOFILETYPE, D, kLogoPage, 0, 0, 0, 0, {}, "0 ZRL, 1 BMP"),
    ROW(GLOBAL_OPERATINGMODE, D, kLogoPage | kZoomPage, 0, 0, 0, 0, {},
        "0 normal, 2 logo generation, 3 zoom data file"),
    ROW(GLOBAL_ZOOM, D, kZoomPage, 0, 0, 0, 0, {}, "zoom list position 0..19; 0 when the focus area is All"),
    ROW(GLOBAL_FOCUSAREA, D, kZoomPage, 0, 0, 0, 0, {}, "0 right, 1 center, 2 left; All is written as 1"),
    ROW(GLOBAL_ETBSTATUS, D, kEtbPage, 0, 0, 0, 0, {}, "same as ETB_STATUS"),
    ROW(ADDITIONAL_SCV, D, kCopyPages, 0, 0, 0, 0, {}, "1 = print the SCV image on the copy"),
    ROW(ADDITIONAL_PRINTLOGOS, D, kCopyPages, 0, 0, 0, 0, {}, "1 = print logos on the copy"),
    ROW(ADDITIONAL_PRINTQUALITY, D, kCopyPages, 0, 0, 0, 0, {}, "the copy's print quality"),
    ROW(ADDITIONAL_PAGECUTACTION, D, kCopyPages, 0, 0, 0, 0, {}, "the copy's end-of-page action"),
    ROW(ADDITIONAL_DOCCUTACTION, D, kCopyPages, 0, 0, 0, 0, {}, "the copy's end-of-document action"),
    ROW(ADDITIONAL_DOCTOPSEARCH, D, kCopyPages, 0, 0, 0, 0, {}, "the copy's top search"),
    ROW(ADDITIONAL_OUTPUT, D, kCopyPages, 0, 0, 0, 0, {},
        "0 no copy, 1 append to journal, 2 print after original, 3 print and append"),
    ROW(ADDITIONAL_PRESENTERRETRACT, D, kCopyB18, 0, 0, 0, 0, {}, "1 = retract the copy's paper"),
    ROW(ADDITIONAL_PRESENTERRETRACTTIME, D, kCopyB18, 0, 0, 0, 0, {}, "the copy's retract timeout, x 0.5 s"),
};

#undef ROW

namespace {

constexpr bool RowsFollowTheirSettings() {
    for (int index = 0; index < kSettingCount; ++index) {
        if (static_cast<int>(kSettings[index].setting) != index) return false;
    }
    return true;
}
static_assert(RowsFollowTheirSettings(), "each row of the value table sits at its setting's index");

}  // namespace

const CutAction kCutActions[kCutActionCount] = {
    {IDS_CUT_FEED_FEED, L"Form Feed / Form Feed", 0, 0, 0},
    {IDS_CUT_FEED_TEAR_BAR, L"Form Feed / Tear Bar", 0, 1, 0},
    {IDS_CUT_FEED_PARTIAL, L"Form Feed / Partial Cut", 0, 5, 0},
    {IDS_CUT_FEED_FULL, L"Form Feed / Full Cut", 0, 3, 0},
    {IDS_CUT_FEED_FULL_TOP_SEARCH, L"Form Feed / Full Cut Top Search", 0, 3, 1},
    {IDS_CUT_PARTIAL_NO_FEED_PARTIAL_NO_FEED, L"Partial Cut No Feed / Partial Cut No Feed", 4, 4, 0},
    {IDS_CUT_PARTIAL_PARTIAL, L"Partial Cut / Partial Cut", 5, 5, 0},
    {IDS_CUT_PARTIAL_NO_FEED_FULL_NO_FEED, L"Partial Cut No Feed / Full Cut No Feed", 4, 2, 0},
    {IDS_CUT_PARTIAL_FULL, L"Partial Cut / Full Cut", 5, 3, 0},
    {IDS_CUT_FULL_NO_FEED_FULL_NO_FEED, L"Full Cut No Feed / Full Cut No Feed", 2, 2, 0},
    {IDS_CUT_FULL_FULL, L"Full Cut / Full Cut", 3, 3, 0},
    {IDS_CUT_FULL_TOP_SEARCH_FULL_TOP_SEARCH, L"Full Cut Top Search / Full Cut Top Search", 3, 3, 1},
};

const SettingSpec& RowOf(Setting setting) { return kSettings[static_cast<std::size_t>(setting)]; }

std::uint32_t RepairDefault(Setting setting, std::uint16_t templateId) {
    const SettingSpec& spec = RowOf(setting);
    for (const TemplateDefault& entry : spec.templateDefaults) {
        if (entry.templateId == 0) break;
        if (entry.templateId == templateId) return entry.value;
    }
    return spec.repairDefault;
}

AcceptedRange AcceptedRangeOn(Setting setting, PaperTypes paperTypes) {
    const SettingSpec& spec = RowOf(setting);
    if (paperTypes == PaperTypes::kFour && spec.extendedHigh != 0) return {spec.low, spec.extendedHigh};
    return {spec.low, spec.high};
}

bool HasFourthPaperType(std::uint16_t rasterTemplate, bool hasC31) {
    return (rasterTemplate == IDD_RASTER_STANDARD && hasC31) || rasterTemplate == IDD_RASTER_C252;
}

}  // namespace zelt
