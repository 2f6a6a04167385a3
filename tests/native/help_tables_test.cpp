#include "pages/common/help_tables.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace zelt {
namespace {

// The first help id listed for a control, as WinHelp's lookup finds it.
std::uint32_t Lookup(HelpTableId table, std::uint32_t control) {
    for (const std::uint32_t* pair = HelpTable(table); pair[0] != 0; pair += 2) {
        if (pair[0] == control) return pair[1];
    }
    return 0;
}

TEST(HelpTables, PairCountsAndClosingPair) {
    const struct {
        HelpTableId table;
        int pairs;
    } cases[] = {{HelpTableId::kRaster, 31}, {HelpTableId::kRasterWithPeripheral, 38}, {HelpTableId::kLogo, 23},
                 {HelpTableId::kCopy, 30},   {HelpTableId::kZoom, 5},                   {HelpTableId::kEtb, 3},
                 {HelpTableId::kSaveAs, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(HelpTablePairCount(c.table), c.pairs);
        const std::uint32_t* pairs = HelpTable(c.table);
        EXPECT_EQ(pairs[2 * c.pairs], 0u);
        EXPECT_EQ(pairs[2 * c.pairs + 1], 0u);
        for (int i = 0; i < c.pairs; ++i) {
            const std::uint32_t control = pairs[2 * i];
            const std::uint32_t helpId = pairs[2 * i + 1];
            EXPECT_EQ(helpId & 0xFFFFu, control) << "the help id ends in its control id";
            const std::uint32_t topic = (helpId - 0x80000000u) >> 16;
            EXPECT_GE(topic, 105u);
            EXPECT_LE(topic, 119u);
        }
    }
}

TEST(HelpTables, TopicsAsListed) {
    const struct {
        HelpTableId table;
        std::uint32_t control;
        std::uint32_t helpId;
    } cases[] = {
        {HelpTableId::kRaster, IDC_RASTER_DRAWER_GROUP, 0x806B03E9},     // first row
        {HelpTableId::kRaster, IDC_RASTER_RETRACT_ENABLED, 0x80730464},  // presenter row before the ETB defaults row
        {HelpTableId::kRaster, IDC_RASTER_RETRACT_DISABLED, 0x80730465},
        {HelpTableId::kRaster, IDC_RASTER_PRESENTER_GROUP, 0x80730466},
        {HelpTableId::kRaster, IDC_RASTER_DEFAULTS, 0x806B0468},  // common tail
        {HelpTableId::kRaster, IDC_COPY_DEFAULTS, 0x806D0463},
        {HelpTableId::kRaster, IDC_RASTER_VERTICAL_MOUNT, 0x806B0467},  // last row
        {HelpTableId::kRaster, IDC_RASTER_BUZZER_LIST, 0},              // buzzer only on the peripheral table
        {HelpTableId::kRasterWithPeripheral, IDC_RASTER_BUZZER_LIST, 0x80770452},
        {HelpTableId::kRasterWithPeripheral, IDC_RASTER_BUZZER_PULSE_UNIT, 0x8077045D},
        {HelpTableId::kRasterWithPeripheral, IDC_RASTER_RETRACT_ENABLED, 0x80730464},
        {HelpTableId::kLogo, IDC_LOGO_DOC_BOTTOM_LIST, 0x806C0408},
        {HelpTableId::kLogo, IDC_LOGO_DEFAULTS, 0x806C0465},
        {HelpTableId::kLogo, IDC_RASTER_DEFAULTS, 0x806B0468},
        {HelpTableId::kCopy, IDC_COPY_PRESENTER_GROUP, 0x8074044A},
        {HelpTableId::kCopy, IDC_COPY_SIMPLE_COPY, 0x806D0417},
        {HelpTableId::kCopy, IDC_ZOOM_DEFAULTS, 0x806E0466},
        {HelpTableId::kZoom, IDC_ZOOM_FOCUS_AREA_LIST, 0x806E0423},
        {HelpTableId::kZoom, IDC_RASTER_DEFAULTS, 0},  // no common tail on the Zoom page
        {HelpTableId::kEtb, IDC_ETB_DISABLE, 0x80720447},
        {HelpTableId::kEtb, IDC_ETB_DEFAULTS, 0x80720464},
        {HelpTableId::kSaveAs, IDC_SAVE_AS_NAME, 0x80710442},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lookup(c.table, c.control), c.helpId) << "control " << c.control;
    }
}

TEST(HelpTables, HelpFileFollowsTheSystemLanguage) {
    const std::wstring japanese = L"\\3\\qrv_ras_help_J_HJW.hlp";
    const std::wstring other = L"\\3\\qrv_ras_help_HJW.hlp";
    EXPECT_EQ(HelpFileSuffix(0x0411), japanese);
    EXPECT_EQ(HelpFileSuffix(0x0811), japanese) << "any sublanguage of Japanese";
    EXPECT_EQ(HelpFileSuffix(0x00010411), japanese) << "sort order bits are ignored";
    EXPECT_EQ(HelpFileSuffix(0x0409), other);
    EXPECT_EQ(HelpFileSuffix(0x0804), other);
    EXPECT_EQ(HelpFileSuffix(0x0011 | 0x0400), japanese);
    EXPECT_EQ(HelpFileSuffix(0x0012), other) << "Korean";
}

TEST(HtmlHelp, FileLiesBesideTheWinHelpFile) {
    EXPECT_EQ(HtmlHelpFileSuffix(0x0411), std::wstring(L"\\3\\qrv_ras_help_J_HJW.chm"));
    EXPECT_EQ(HtmlHelpFileSuffix(0x0409), std::wstring(L"\\3\\qrv_ras_help_HJW.chm"));
    for (std::uint32_t lcid : {0x0409u, 0x0411u, 0x0804u}) {
        const std::wstring hlp(HelpFileSuffix(lcid));
        const std::wstring chm(HtmlHelpFileSuffix(lcid));
        EXPECT_EQ(hlp.substr(0, hlp.size() - 4), chm.substr(0, chm.size() - 4)) << "same folder and base name";
    }
    EXPECT_EQ(std::wstring(kChmFileSeparator) + std::wstring(kHtmlHelpPopupFile), L"::/popups.txt");
}

// The Help button's topic is the page family's base template's; every
// template has a topic of its own, and no id that is not a page's has one.
TEST(HtmlHelp, EachPageContextOpensItsBaseTemplatesTopic) {
    const struct {
        std::uint32_t context;
        const wchar_t* topic;
    } pages[] = {{kRasterHelpContext, L"raster.htm"}, {kLogoHelpContext, L"logo.htm"}, {kCopyHelpContext, L"copy.htm"},
                 {kZoomHelpContext, L"zoom.htm"},     {kEtbHelpContext, L"etb.htm"}};
    for (const auto& page : pages) EXPECT_EQ(PageTopic(page.context), page.topic) << page.context;
    EXPECT_TRUE(PageTopic(0).empty());
    EXPECT_TRUE(PageTopic(6).empty());
    std::set<std::wstring_view> topics;
    for (std::uint16_t id = 105; id <= 119; ++id) {
        const std::wstring_view topic = TemplateTopic(id);
        EXPECT_GT(topic.size(), 4u) << id;
        EXPECT_EQ(topic.substr(topic.size() - 4), L".htm") << id;
        EXPECT_EQ(topic.find_first_of(L"/\\:"), std::wstring_view::npos) << id << ": a name in the .chm's root";
        topics.insert(topic);
    }
    EXPECT_EQ(topics.size(), 15u) << "one topic per template";
    EXPECT_TRUE(TemplateTopic(104).empty());
    EXPECT_TRUE(TemplateTopic(120).empty());
}

TEST(HtmlHelp, CallFollowsTheFilesAndTheLibrary) {
    // HH_DISPLAY_TOPIC 0 and HH_TP_HELP_WM_HELP 0x11 with the .chm and HtmlHelpW,
    // else HELP_CONTEXT 1 and HELP_WM_HELP 12 exactly as before.
    const struct {
        HelpRequest request;
        bool chmPresent, htmlHelpAvailable;
        HelpViewer viewer;
        std::uint32_t command;
    } cases[] = {
        {HelpRequest::kPageTopic, true, true, HelpViewer::kHtmlHelp, 0x00},
        {HelpRequest::kControlPopup, true, true, HelpViewer::kHtmlHelp, 0x11},
        {HelpRequest::kPageTopic, false, true, HelpViewer::kWinHelp, 1},
        {HelpRequest::kControlPopup, false, true, HelpViewer::kWinHelp, 12},
        {HelpRequest::kPageTopic, true, false, HelpViewer::kWinHelp, 1},
        {HelpRequest::kControlPopup, true, false, HelpViewer::kWinHelp, 12},
    };
    for (const auto& c : cases) {
        const HelpCall call = ChooseHelpCall(c.request, c.chmPresent, c.htmlHelpAvailable);
        EXPECT_EQ(call.viewer, c.viewer) << c.chmPresent << c.htmlHelpAvailable;
        EXPECT_EQ(call.command, c.command) << c.chmPresent << c.htmlHelpAvailable;
    }
}

TEST(HtmlHelp, PathsAreComposedOrRefused) {
    wchar_t out[64];
    const wchar_t directory[] = L"C:\\drv";
    ASSERT_TRUE(ComposeHelpPath(directory, 7, L"\\3\\a.chm", L"::/popups.txt", out, 64));
    EXPECT_EQ(std::wstring(out), L"C:\\drv\\3\\a.chm::/popups.txt");
    // Exactly fitting: 6 + 8 characters and the terminator.
    ASSERT_TRUE(ComposeHelpPath(directory, 7, L"\\3\\a.chm", {}, out, 15));
    EXPECT_EQ(std::wstring(out), L"C:\\drv\\3\\a.chm");
    // One short: refused, and nothing half-written is left as a path.
    EXPECT_FALSE(ComposeHelpPath(directory, 7, L"\\3\\a.chm", {}, out, 14));
    EXPECT_EQ(out[0], L'\0');
    EXPECT_FALSE(ComposeHelpPath(directory, 7, L"\\3\\a.chm", L"::/popups.txt", out, 20));
    // A directory without a terminator within its buffer.
    const wchar_t unterminated[] = {L'C', L':', L'\\', L'd'};
    EXPECT_FALSE(ComposeHelpPath(unterminated, 4, L"\\3\\a.chm", {}, out, 64));
    // Huge suffixes do not wrap the arithmetic around.
    const std::wstring huge(100, L'x');
    EXPECT_FALSE(ComposeHelpPath(directory, 7, huge, huge, out, 64));
    // A page topic inside the .chm, and the help library in the system folder.
    const wchar_t chm[] = L"C:\\drv\\3\\a.chm";
    ASSERT_TRUE(ComposeHelpPath(chm, 15, kChmFileSeparator, PageTopic(kEtbHelpContext), out, 64));
    EXPECT_EQ(std::wstring(out), L"C:\\drv\\3\\a.chm::/etb.htm");
    const wchar_t system[] = L"C:\\windows\\system32";
    ASSERT_TRUE(ComposeHelpPath(system, 20, kHtmlHelpLibrary, {}, out, 64));
    EXPECT_EQ(std::wstring(out), L"C:\\windows\\system32\\hhctrl.ocx");
}

}  // namespace
}  // namespace zelt
