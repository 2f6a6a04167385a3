#include "help_tables.h"

#include <array>
#include <cstddef>

#include "frame/page_plan.h"

namespace zelt {
namespace {

struct HelpRow {
    std::uint16_t control;
    std::uint16_t topicTemplate;
};

template <std::size_t N>
using Rows = std::array<HelpRow, N>;

// The defaults buttons of all pages, closing the Raster, Logo and Copy tables.
constexpr Rows<5> kCommonTail = {{
    {IDC_RASTER_DEFAULTS, IDD_RASTER_STANDARD},
    {IDC_COPY_DEFAULTS, IDD_COPY_STANDARD},
    {IDC_ETB_DEFAULTS, IDD_ETB},
    {IDC_LOGO_DEFAULTS, IDD_LOGO},
    {IDC_ZOOM_DEFAULTS, IDD_ZOOM},
}};
constexpr Rows<1> kVerticalMount = {{
    {IDC_RASTER_VERTICAL_MOUNT, IDD_RASTER_STANDARD},
}};

// Rows 19, 20 and 23 (presenter controls numbered as the Logo, ETB and Zoom
// defaults buttons) come before those in the common tail, so the presenter
// topics win the lookup.
constexpr Rows<25> kRasterHead = {{
    {IDC_RASTER_DRAWER_GROUP, IDD_RASTER_STANDARD},
    {IDC_RASTER_CUT_GROUP, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER1_LIST, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER_PULSE_EDIT, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER_PULSE_UPDOWN, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER_PULSE_LABEL, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER_PULSE_UNIT, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER1_LABEL, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER1_ACTION_LABEL, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER2_LIST, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER2_LABEL, IDD_RASTER_STANDARD},
    {IDC_RASTER_DRAWER2_ACTION_LABEL, IDD_RASTER_STANDARD},
    {IDC_RASTER_CUT_ACTION_LIST, IDD_RASTER_STANDARD},
    {IDC_RASTER_CUT_ACTION_LABEL, IDD_RASTER_STANDARD},
    {IDC_RASTER_PAPER_TYPE_LIST, IDD_RASTER_STANDARD},
    {IDC_RASTER_PAPER_TYPE_LABEL, IDD_RASTER_STANDARD},
    {IDC_RASTER_RETRACT_TIMEOUT_EDIT, IDD_RASTER_B18},
    {IDC_RASTER_RETRACT_TIMEOUT_UPDOWN, IDD_RASTER_B18},
    {IDC_RASTER_RETRACT_DISABLED, IDD_RASTER_B18},
    {IDC_RASTER_RETRACT_ENABLED, IDD_RASTER_B18},
    {IDC_RASTER_RETRACT_TIMEOUT_LABEL, IDD_RASTER_B18},
    {IDC_RASTER_RETRACT_TIMEOUT_UNIT, IDD_RASTER_B18},
    {IDC_RASTER_PRESENTER_GROUP, IDD_RASTER_B18},
    {IDC_RASTER_PRINT_QUALITY_LIST, IDD_RASTER_STANDARD},
    {IDC_RASTER_PRINT_QUALITY_LABEL, IDD_RASTER_STANDARD},
}};
constexpr Rows<7> kPeripheralRows = {{
    {IDC_RASTER_BUZZER_GROUP, IDD_RASTER_C252},
    {IDC_RASTER_BUZZER_LIST, IDD_RASTER_C252},
    {IDC_RASTER_BUZZER_PULSE_EDIT, IDD_RASTER_C252},
    {IDC_RASTER_BUZZER_PULSE_UPDOWN, IDD_RASTER_C252},
    {IDC_RASTER_BUZZER_ACTION_LABEL, IDD_RASTER_C252},
    {IDC_RASTER_BUZZER_PULSE_LABEL, IDD_RASTER_C252},
    {IDC_RASTER_BUZZER_PULSE_UNIT, IDD_RASTER_C252},
}};
constexpr Rows<18> kLogoHead = {{
    {IDC_LOGO_DOC_BOTTOM_LIST, IDD_LOGO},
    {IDC_LOGO_DOC_BOTTOM_LABEL, IDD_LOGO},
    {IDC_LOGO_DOC_TOP_LIST, IDD_LOGO},
    {IDC_LOGO_DOC_TOP_LABEL, IDD_LOGO},
    {IDC_LOGO_FILE_TYPE_LIST, IDD_LOGO},
    {IDC_LOGO_FILE_TYPE_LABEL, IDD_LOGO},
    {IDC_LOGO_PRINT_ALL, IDD_LOGO},
    {IDC_LOGO_GENERATE_TO_LIST, IDD_LOGO},
    {IDC_LOGO_GENERATE_TO_LABEL, IDD_LOGO},
    {IDC_LOGO_GENERATE_GROUP, IDD_LOGO},
    {IDC_LOGO_GENERATE, IDD_LOGO},
    {IDC_LOGO_PRINT, IDD_LOGO},
    {IDC_LOGO_MODE_GROUP, IDD_LOGO},
    {IDC_LOGO_PRINT_GROUP, IDD_LOGO},
    {IDC_LOGO_PAGE_BOTTOM_LIST, IDD_LOGO},
    {IDC_LOGO_PAGE_BOTTOM_LABEL, IDD_LOGO},
    {IDC_LOGO_PAGE_TOP_LIST, IDD_LOGO},
    {IDC_LOGO_PAGE_TOP_LABEL, IDD_LOGO},
}};
constexpr Rows<25> kCopyHead = {{
    {IDC_COPY_ADD_SCV, IDD_COPY_STANDARD},
    {IDC_COPY_APPEND, IDD_COPY_STANDARD},
    {IDC_COPY_ADDITIONAL_GROUP, IDD_COPY_STANDARD},
    {IDC_COPY_CUT_LABEL, IDD_COPY_STANDARD},
    {IDC_COPY_JOURNAL_LIST, IDD_COPY_STANDARD},
    {IDC_COPY_SELECT_JOURNAL_LABEL, IDD_COPY_STANDARD},
    {IDC_COPY_LOGO_PRINT, IDD_COPY_STANDARD},
    {IDC_COPY_OUTPUT_GROUP, IDD_COPY_STANDARD},
    {IDC_COPY_CUT_LIST, IDD_COPY_STANDARD},
    {IDC_COPY_PAGE_DOC_LABEL, IDD_COPY_STANDARD},
    {IDC_COPY_RETRACT_TIMEOUT_EDIT, IDD_COPY_B18},
    {IDC_COPY_RETRACT_TIMEOUT_UPDOWN, IDD_COPY_B18},
    {IDC_COPY_RETRACT_DISABLED, IDD_COPY_B18},
    {IDC_COPY_RETRACT_ENABLED, IDD_COPY_B18},
    {IDC_COPY_RETRACT_TIMEOUT_LABEL, IDD_COPY_B18},
    {IDC_COPY_RETRACT_TIMEOUT_UNIT, IDD_COPY_B18},
    {IDC_COPY_PRESENTER_GROUP, IDD_COPY_B18},
    {IDC_COPY_PRINT_AFTER, IDD_COPY_STANDARD},
    {IDC_COPY_PRINT_AND_APPEND, IDD_COPY_STANDARD},
    {IDC_COPY_PRINT_JOURNAL, IDD_COPY_STANDARD},
    {IDC_COPY_JOURNAL_GROUP, IDD_COPY_STANDARD},
    {IDC_COPY_QUALITY_LIST, IDD_COPY_STANDARD},
    {IDC_COPY_QUALITY_LABEL, IDD_COPY_STANDARD},
    {IDC_COPY_SAVE_AS, IDD_COPY_STANDARD},
    {IDC_COPY_SIMPLE_COPY, IDD_COPY_STANDARD},
}};
constexpr Rows<5> kZoomRows = {{
    {IDC_ZOOM_FOCUS_AREA_LIST, IDD_ZOOM},
    {IDC_ZOOM_FOCUS_AREA_LABEL, IDD_ZOOM},
    {IDC_ZOOM_FACTOR_LIST, IDD_ZOOM},
    {IDC_ZOOM_FACTOR_LABEL, IDD_ZOOM},
    {IDC_ZOOM_DEFAULTS, IDD_ZOOM},
}};
constexpr Rows<3> kEtbRows = {{
    {IDC_ETB_DISABLE, IDD_ETB},
    {IDC_ETB_ENABLE, IDD_ETB},
    {IDC_ETB_DEFAULTS, IDD_ETB},
}};
constexpr Rows<3> kSaveAsRows = {{
    {IDC_SAVE_AS_CANCEL, IDD_SAVE_AS},
    {IDC_SAVE_AS_NAME, IDD_SAVE_AS},
    {IDC_SAVE_AS_OK, IDD_SAVE_AS},
}};

// The rows of the parts, in order, as (control, help id) pairs ending in (0, 0).
template <std::size_t... N>
constexpr std::array<std::uint32_t, 2 * (N + ...) + 2> Pairs(const Rows<N>&... parts) {
    std::array<std::uint32_t, 2 * (N + ...) + 2> pairs{};
    std::size_t at = 0;
    auto append = [&pairs, &at](const auto& rows) {
        for (const HelpRow& row : rows) {
            pairs[at++] = row.control;
            pairs[at++] = HelpId(row.topicTemplate, row.control);
        }
    };
    (append(parts), ...);
    return pairs;
}

constexpr auto kRasterTable = Pairs(kRasterHead, kCommonTail, kVerticalMount);
constexpr auto kRasterPeripheralTable = Pairs(kRasterHead, kPeripheralRows, kCommonTail, kVerticalMount);
constexpr auto kLogoTable = Pairs(kLogoHead, kCommonTail);
constexpr auto kCopyTable = Pairs(kCopyHead, kCommonTail);
constexpr auto kZoomTable = Pairs(kZoomRows);
constexpr auto kEtbTable = Pairs(kEtbRows);
constexpr auto kSaveAsTable = Pairs(kSaveAsRows);

struct TableView {
    const std::uint32_t* pairs;
    std::size_t size;
};

template <std::size_t N>
constexpr TableView View(const std::array<std::uint32_t, N>& table) {
    return {table.data(), N};
}

TableView TableFor(HelpTableId table) {
    switch (table) {
        case HelpTableId::kRaster:
            return View(kRasterTable);
        case HelpTableId::kRasterWithPeripheral:
            return View(kRasterPeripheralTable);
        case HelpTableId::kLogo:
            return View(kLogoTable);
        case HelpTableId::kCopy:
            return View(kCopyTable);
        case HelpTableId::kZoom:
            return View(kZoomTable);
        case HelpTableId::kEtb:
            return View(kEtbTable);
        case HelpTableId::kSaveAs:
            break;
    }
    return View(kSaveAsTable);
}

}  // namespace

const std::uint32_t* HelpTable(HelpTableId table) { return TableFor(table).pairs; }

int HelpTablePairCount(HelpTableId table) { return static_cast<int>(TableFor(table).size / 2) - 1; }

std::wstring_view HelpFileSuffix(std::uint32_t systemDefaultLcid) {
    constexpr std::uint32_t kPrimaryLanguageMask = 0x3FF;
    constexpr std::uint32_t kJapanese = 0x11;
    return (systemDefaultLcid & kPrimaryLanguageMask) == kJapanese ? L"\\3\\qrv_ras_help_J_HJW.hlp"
                                                                     : L"\\3\\qrv_ras_help_HJW.hlp";
}

std::wstring_view HtmlHelpFileSuffix(std::uint32_t systemDefaultLcid) {
    return HelpFileSuffix(systemDefaultLcid) == L"\\3\\qrv_ras_help_J_HJW.hlp" ? L"\\3\\qrv_ras_help_J_HJW.chm"
                                                                             : L"\\3\\qrv_ras_help_HJW.chm";
}

std::wstring_view TemplateTopic(std::uint16_t templateId) {
    switch (templateId) {
        case kCopyA57: return L"copy_a57.htm";
        case kRasterA57: return L"raster_a57.htm";
        case kRasterStandard: return L"raster.htm";
        case kLogo: return L"logo.htm";
        case kCopyStandard: return L"copy.htm";
        case kZoom: return L"zoom.htm";
        case kCopyA59: return L"copy_a59.htm";
        case kRasterA59: return L"raster_a59.htm";
        case kSaveAs: return L"saveas.htm";
        case kEtb: return L"etb.htm";
        case kRasterB18: return L"raster_b18.htm";
        case kCopyB18: return L"copy_b18.htm";
        case kRasterB15: return L"raster_b15.htm";
        case kCopyC252: return L"copy_c252.htm";
        case kRasterC252: return L"raster_c252.htm";
        default: return {};
    }
}

std::wstring_view PageTopic(std::uint32_t contextId) {
    switch (contextId) {
        case kRasterHelpContext: return TemplateTopic(kRasterStandard);
        case kLogoHelpContext: return TemplateTopic(kLogo);
        case kCopyHelpContext: return TemplateTopic(kCopyStandard);
        case kZoomHelpContext: return TemplateTopic(kZoom);
        case kEtbHelpContext: return TemplateTopic(kEtb);
        default: return {};
    }
}

HelpCall ChooseHelpCall(HelpRequest request, bool htmlHelpFilePresent, bool htmlHelpAvailable) {
    const bool topic = request == HelpRequest::kPageTopic;
    if (htmlHelpFilePresent && htmlHelpAvailable) {
        return {HelpViewer::kHtmlHelp, topic ? kHtmlHelpDisplayTopic : kHtmlHelpTpWmHelp};
    }
    return {HelpViewer::kWinHelp, topic ? kWinHelpContext : kWinHelpWmHelp};
}

bool ComposeHelpPath(const wchar_t* head, std::size_t headCapacity, std::wstring_view suffix,
                     std::wstring_view tail, wchar_t* out, std::size_t outCapacity) {
    if (out == nullptr || outCapacity == 0) return false;
    out[0] = L'\0';
    if (head == nullptr) return false;
    std::size_t length = 0;
    while (length < headCapacity && head[length] != L'\0') ++length;
    if (length == headCapacity) return false;  // no terminated head
    const std::size_t room = outCapacity - 1;  // characters before the terminator
    if (length > room || suffix.size() > room - length || tail.size() > room - length - suffix.size()) {
        return false;
    }
    std::size_t at = 0;
    for (std::size_t i = 0; i < length; ++i) out[at++] = head[i];
    for (wchar_t ch : suffix) out[at++] = ch;
    for (wchar_t ch : tail) out[at++] = ch;
    out[at] = L'\0';
    return true;
}

}  // namespace zelt
