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
constexpr Rows<5> kCommonTail = {{{1128, 107}, {1123, 109}, {1124, 114}, {1125, 108}, {1126, 110}}};
constexpr Rows<1> kVerticalMount = {{{1127, 107}}};

// Rows 19, 20 and 23 (1125, 1124, 1126 of the presenter page) come before the
// same ids in the common tail, so the presenter topics win the lookup.
constexpr Rows<25> kRasterHead = {{
    {1001, 107}, {1000, 107}, {1017, 107}, {1018, 107}, {1097, 107}, {1008, 107}, {1009, 107},
    {1006, 107}, {1007, 107}, {1019, 107}, {1010, 107}, {1011, 107}, {1014, 107}, {1004, 107},
    {1013, 107}, {1003, 107}, {1020, 115}, {1099, 115}, {1125, 115}, {1124, 115}, {1015, 115},
    {1016, 115}, {1126, 115}, {1012, 107}, {1002, 107},
}};
constexpr Rows<7> kPeripheralRows = {{{1112, 119}, {1106, 119}, {1108, 119}, {1110, 119},
                                      {1115, 119}, {1116, 119}, {1117, 119}}};
constexpr Rows<18> kLogoHead = {{
    {1032, 108}, {1027, 108}, {1030, 108}, {1024, 108}, {1037, 108}, {1028, 108},
    {1036, 108}, {1035, 108}, {1023, 108}, {1021, 108}, {1033, 108}, {1034, 108},
    {1020, 108}, {1022, 108}, {1031, 108}, {1026, 108}, {1029, 108}, {1025, 108},
}};
constexpr Rows<25> kCopyHead = {{
    {1046, 109}, {1053, 109}, {1038, 109}, {1041, 109}, {1054, 109}, {1045, 109}, {1050, 109},
    {1039, 109}, {1049, 109}, {1043, 109}, {1104, 116}, {1103, 116}, {1101, 116}, {1100, 116},
    {1102, 116}, {1105, 116}, {1098, 116}, {1052, 109}, {1057, 109}, {1055, 109}, {1040, 109},
    {1048, 109}, {1042, 109}, {1056, 109}, {1047, 109},
}};
constexpr Rows<5> kZoomRows = {{{1059, 110}, {1057, 110}, {1060, 110}, {1058, 110}, {1126, 110}}};
constexpr Rows<3> kEtbRows = {{{1095, 114}, {1096, 114}, {1124, 114}}};
constexpr Rows<3> kSaveAsRows = {{{1093, 113}, {1090, 113}, {1094, 113}}};

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
