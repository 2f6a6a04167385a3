// The Raster Print Options page in the real sheet under Wine, driven as a
// user would, with what the real spooler stored read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "page_checks.h"
#include "pages/raster/raster_model.h"
#include "resources/resource.h"

using namespace zelt::test;
using namespace zelt;

namespace {

// Makes a page's numeric field reachable, as a user must before typing.
bool EnableNumberField(HWND page, int field) {
    switch (field) {
        case kRasterDrawerPulseEdit:
            return PickListItem(page, kRasterDrawer1List, 1);
        case kRasterRetractTimeoutEdit:
            return Click(page, kRasterRetractEnabled);
        case kRasterBuzzerPulseEdit:
            return PickListItem(page, kRasterBuzzerList, 1);
    }
    return false;
}

class RasterPageTest : public ::testing::Test {
protected:
    // A fresh printer of the model, `seed` stored before the sheet opens, and
    // the Raster page (the first tab) shown.
    HWND OpenRaster(const wchar_t* dataFile, const NamedNumbers& seed = {}) {
        std::wstring error;
        if (!session.Open(dataFile, error, seed)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        TakeRecordedWrites();
        return session.ShowPage(kRasterTab);
    }

    PageSession session;
};

// The driver's cut-action change on the presenter model, from the list to
// the three values the renderer reads.
TEST_F(RasterPageTest, CutActionRowTenToElevenOnTheZoomPresenterModel) {
    HWND page = OpenRaster(kZoomModel, {{L"RPO_PAGEDOCCUTACTION", 10}});
    ASSERT_NE(page, nullptr);
    const std::vector<std::wstring> rows = ListTexts(page, kRasterCutActionList);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Narrow(rows[1]), "Full Cut / Full Cut");
    EXPECT_EQ(ListSelection(page, kRasterCutActionList), 1);

    ASSERT_TRUE(PickListItem(page, kRasterCutActionList, 2));
    EXPECT_EQ(Narrow(rows[2]), "Full Cut Top Search / Full Cut Top Search");
    const PressOutcome outcome = session.Press(SheetButton::kOk);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_FALSE(outcome.sheetOpen);
    ExpectStored(session.values(), {{L"RPO_PAGEDOCCUTACTION", 11},
                                    {L"ORIGINAL_PAGECUTACTION", 3},
                                    {L"ORIGINAL_DOCCUTACTION", 3},
                                    {L"ORIGINAL_DOCTOPSEARCH", 1}});
}

TEST_F(RasterPageTest, AFreshStandardPrinterShowsTheRepairedDefaults) {
    HWND page = OpenRaster(kPlainModel);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ListSelection(page, kRasterPrintQualityList), 2);
    EXPECT_EQ(ListCount(page, kRasterPaperTypeList), 3);
    EXPECT_EQ(ListCount(page, kRasterCutActionList), 12);
    EXPECT_EQ(ListSelection(page, kRasterCutActionList), 11);
    EXPECT_EQ(Narrow(ListTexts(page, kRasterDrawer1List)[0]), "No Use");
    EXPECT_FALSE(IsEnabled(page, kRasterDrawerPulseEdit));
    EXPECT_EQ(Narrow(ControlText(page, kRasterDrawerPulseEdit)), "20");
    EXPECT_FALSE(IsChecked(page, kRasterVerticalMount));

    // Cancel writes nothing: the repairs of load are all that is stored.
    const PressOutcome outcome = session.Press(SheetButton::kCancel);
    EXPECT_FALSE(outcome.sheetOpen);
    EXPECT_TRUE(TakeRecordedWrites().empty());
    EXPECT_FALSE(session.values().Number(L"ORIGINAL_PRINTQUALITY").has_value());
}

TEST_F(RasterPageTest, DrawerOneEnablesThePulseWidthAndApplyWritesEveryValue) {
    HWND page = OpenRaster(L"QRVC31.GPD", {{L"RPO_PAPERTYPE", 3}});
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ListCount(page, kRasterPaperTypeList), 4) << "the C31 model's fourth paper type";
    EXPECT_EQ(ListSelection(page, kRasterPaperTypeList), 3);

    ASSERT_TRUE(PickListItem(page, kRasterDrawer1List, 3));
    EXPECT_TRUE(IsEnabled(page, kRasterDrawerPulseEdit));
    ASSERT_TRUE(TypeText(page, kRasterDrawerPulseEdit, L"127"));
    ASSERT_TRUE(PickListItem(page, kRasterDrawer2List, 2));
    ASSERT_TRUE(PickListItem(page, kRasterPrintQualityList, 1));
    ASSERT_TRUE(PickListItem(page, kRasterCutActionList, 7));
    ASSERT_TRUE(Click(page, kRasterVerticalMount));
    const PressOutcome outcome = session.Press(SheetButton::kApply);
    EXPECT_TRUE(outcome.messages.empty());

    const std::vector<RecordedWrite> writes = TakeRecordedWrites();
    std::vector<std::pair<std::string, DWORD>> seen;
    for (const RecordedWrite& w : writes) seen.emplace_back(Narrow(w.name), w.number);
    const std::vector<std::pair<std::string, DWORD>> expected = {
        {"RPO_PRINTQUALITY", 1},       {"ORIGINAL_PRINTQUALITY", 1},   {"RPO_PAPERTYPE", 3},
        {"GLOBAL_PAPERTYPE", 3},       {"RPO_PAGEDOCCUTACTION", 7},    {"ORIGINAL_PAGECUTACTION", 4},
        {"ORIGINAL_DOCCUTACTION", 2},  {"ORIGINAL_DOCTOPSEARCH", 0},   {"RPO_DRAWER1", 3},
        {"ORIGINAL_DOCDRAWER1", 3},    {"RPO_DRAWER1PULSEWIDTH", 127}, {"ORIGINAL_DOCDRAWER1PULSEWIDTH", 126},
        {"RPO_DRAWER2", 2},            {"ORIGINAL_DOCDRAWER2", 2},     {"RPO_WALLMOUNT", 1},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(session.values().Number(L"ORIGINAL_DOCDRAWER1PULSEWIDTH"), 126u);

    ASSERT_TRUE(PickListItem(page, kRasterDrawer1List, 0));
    EXPECT_FALSE(IsEnabled(page, kRasterDrawerPulseEdit));
    session.Press(SheetButton::kCancel);
}

// Rejected numbers: the message, its caption, the reset, the sheet kept open,
// and the rejected field's values left as they were.
TEST_F(RasterPageTest, RejectedNumbersKeepTheSheetOpen) {
    const struct {
        const wchar_t* dataFile;
        int field;
        const wchar_t* entry;
        UINT message;
        const wchar_t* caption;
        const char* reset;
        const wchar_t* remembered;
    } cases[] = {
        {kPlainModel, kRasterDrawerPulseEdit, L"0", 40, kDriverCaption, "20", L"RPO_DRAWER1PULSEWIDTH"},
        {kPlainModel, kRasterDrawerPulseEdit, L"", 40, kDriverCaption, "20", L"RPO_DRAWER1PULSEWIDTH"},
        {L"QRVA57.GPD", kRasterDrawerPulseEdit, L"128", 40, kDriverCaption, "20", L"RPO_DRAWER1PULSEWIDTH"},
        {L"QRVA59.GPD", kRasterDrawerPulseEdit, L"999", 40, kDriverCaption, "20", L"RPO_DRAWER1PULSEWIDTH"},
        {kPresenterModel, kRasterRetractTimeoutEdit, L"256", 45, kPresenterCaption, "30", L"PO_PRESENTERRETRACTTIME"},
        {kPresenterModel, kRasterRetractTimeoutEdit, L"0", 45, kPresenterCaption, "30", L"PO_PRESENTERRETRACTTIME"},
        {L"QRVC252.GPD", kRasterBuzzerPulseEdit, L"256", 49, kDriverCaption, "10", L"RPO_PERIPHERAL1PULSEWIDTH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.dataFile) + " '" + Narrow(c.entry) + "'");
        PageSession fresh;
        std::wstring error;
        ASSERT_TRUE(fresh.Open(c.dataFile, error)) << Narrow(error);
        HWND page = fresh.ShowPage(kRasterTab);
        ASSERT_NE(page, nullptr);
        TakeRecordedWrites();
        ASSERT_TRUE(Click(page, kRasterVerticalMount));
        ASSERT_TRUE(EnableNumberField(page, c.field));
        ASSERT_TRUE(TypeText(page, c.field, c.entry));

        const PressOutcome outcome = fresh.Press(SheetButton::kOk);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(Narrow(outcome.messages[0].caption), Narrow(c.caption));
        EXPECT_EQ(outcome.messages[0].text, PluginString(fresh.plugin().module(), c.message));
        EXPECT_EQ(outcome.messages[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_TRUE(outcome.sheetOpen) << "PSNRET_INVALID keeps the sheet open";
        EXPECT_EQ(Narrow(ControlText(page, c.field)), c.reset);

        bool rememberedWritten = false;
        bool wallMountWritten = false;
        for (const RecordedWrite& w : TakeRecordedWrites()) {
            if (w.name == c.remembered) rememberedWritten = true;
            if (w.name == L"RPO_WALLMOUNT" && w.number == 1) wallMountWritten = true;
        }
        EXPECT_FALSE(rememberedWritten) << "a rejected entry is never stored";
        EXPECT_TRUE(wallMountWritten) << "the page's other values are written";
        EXPECT_FALSE(fresh.Press(SheetButton::kCancel).sheetOpen);
    }
}

TEST_F(RasterPageTest, PresenterRadioButtonsSwitchTheTimeout) {
    HWND page = OpenRaster(kPresenterModel);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsChecked(page, kRasterRetractDisabled));
    EXPECT_FALSE(IsEnabled(page, kRasterRetractTimeoutEdit));
    EXPECT_EQ(Narrow(SelectedText(page, kRasterCutActionList)), "Full Cut / Full Cut");

    ASSERT_TRUE(Click(page, kRasterRetractEnabled));
    EXPECT_TRUE(IsEnabled(page, kRasterRetractTimeoutEdit));
    EXPECT_FALSE(IsChecked(page, kRasterRetractDisabled));
    ASSERT_TRUE(TypeText(page, kRasterRetractTimeoutEdit, L"255"));
    session.Press(SheetButton::kOk);
    ExpectStored(session.values(), {{L"PO_PRESENTERRETRACT", 1},
                                    {L"ORIGINAL_PRESENTERRETRACT", 1},
                                    {L"PO_PRESENTERRETRACTTIME", 255},
                                    {L"ORIGINAL_PRESENTERRETRACTTIME", 255}});
}

TEST_F(RasterPageTest, BuzzerModelRepairsRowTwoAndAppliesRowThree) {
    HWND page = OpenRaster(L"QRVC252.GPD");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Narrow(SelectedText(page, kRasterCutActionList)), "Form Feed / Full Cut");
    EXPECT_FALSE(IsEnabled(page, kRasterBuzzerPulseEdit));
    ASSERT_TRUE(PickListItem(page, kRasterBuzzerList, 2));
    EXPECT_TRUE(IsEnabled(page, kRasterBuzzerPulseEdit));
    ASSERT_TRUE(TypeText(page, kRasterBuzzerPulseEdit, L"1"));
    session.Press(SheetButton::kOk);
    ExpectStored(session.values(), {{L"RPO_PAGEDOCCUTACTION", 3},
                                    {L"RPO_PERIPHERAL1", 2},
                                    {L"ORIGINAL_PERIPHERAL1", 2},
                                    {L"RPO_PERIPHERAL1PULSEWIDTH", 1},
                                    {L"ORIGINAL_PERIPHERAL1PULSEWIDTH", 0}});
}

TEST_F(RasterPageTest, BadStoredValuesAreRepairedAtLoad) {
    std::wstring error;
    // RPO_PAPERTYPE 3 is not for a C31 model; RPO_DRAWER1 1 is good and stays.
    ASSERT_TRUE(session.Prepare(kPlainModel, error, {{L"RPO_DRAWER2", 0xFFFFFFFF}, {L"RPO_PAPERTYPE", 3},
                                                     {L"RPO_DRAWER1", 1}}))
        << Narrow(error);
    const BYTE eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
    const BYTE two[2] = {5, 0};
    session.values().WriteRaw(L"RPO_PRINTQUALITY", REG_BINARY, eight, 8);
    session.values().WriteRaw(L"RPO_DRAWER1PULSEWIDTH", REG_DWORD, two, 2);
    ASSERT_TRUE(session.OpenSheet(error)) << Narrow(error);
    HWND page = session.ShowPage(kRasterTab);
    ASSERT_NE(page, nullptr);
    ExpectStored(session.values(), {{L"RPO_PRINTQUALITY", 2},
                                    {L"RPO_DRAWER1PULSEWIDTH", 20},
                                    {L"RPO_DRAWER2", 0},
                                    {L"RPO_PAPERTYPE", 0},
                                    {L"RPO_DRAWER1", 1}});
    EXPECT_EQ(ListSelection(page, kRasterPrintQualityList), 2);
    EXPECT_TRUE(IsEnabled(page, kRasterDrawerPulseEdit)) << "drawer 1 stored in use";
    session.Press(SheetButton::kCancel);
}

// Run with the Japanese locale: the page's own texts and the message.
TEST_F(RasterPageTest, JapaneseTextsAndMessage) {
    HWND page = OpenRaster(kPlainModel);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SeenCaption(page, IDC_RASTER_DRAWER_GROUP), L"キャッシュドロワ");
    EXPECT_EQ(SeenCaption(page, kRasterDefaultsButton), L"規定値に戻す");
    EXPECT_EQ(Narrow(ListTexts(page, kRasterPrintQualityList)[2]), "Best") << "list texts stay English";
    ASSERT_TRUE(EnableNumberField(page, kRasterDrawerPulseEdit));
    ASSERT_TRUE(TypeText(page, kRasterDrawerPulseEdit, L"0"));
    const PressOutcome outcome = session.Press(SheetButton::kOk);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, L"パルス幅の指定が間違っています。1～127の値を設定して下さい。");
    EXPECT_EQ(Narrow(outcome.messages[0].caption), Narrow(kDriverCaption));
    session.Press(SheetButton::kCancel);
}

}  // namespace
