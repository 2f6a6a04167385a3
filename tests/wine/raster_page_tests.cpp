// The Raster Print Options page in the real sheet under Wine, driven as a
// user would, with what the real spooler stored read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "page_driver.h"
#include "settings/setting_table.h"

using namespace zelt::test;

namespace {

enum : int {
    kPrintQuality = 1012,
    kPaperType = 1013,
    kCutAction = 1014,
    kDrawer1 = 1017,
    kDrawerPulse = 1018,
    kDrawer2 = 1019,
    kRetractEnabled = 1124,
    kRetractDisabled = 1125,
    kRetractTime = 1020,
    kBuzzer = 1106,
    kBuzzerPulse = 1108,
    kVerticalMount = 1127,
    kDefaults = 1128,
};

std::wstring PluginString(HMODULE module, UINT id) {
    wchar_t text[200] = {};
    const int length = LoadStringW(module, id, text, 200);
    return std::wstring(text, static_cast<size_t>(length));
}

// Makes a page's numeric field reachable, as a user must before typing.
bool EnableNumberField(HWND page, int field) {
    switch (field) {
        case kDrawerPulse:
            return PickListItem(page, kDrawer1, 1);
        case kRetractTime:
            return Click(page, kRetractEnabled);
        case kBuzzerPulse:
            return PickListItem(page, kBuzzer, 1);
    }
    return false;
}

class RasterPageTest : public ::testing::Test {
protected:
    // A fresh printer of the model, `seed` stored before the sheet opens, and
    // the Raster page (the first tab) shown.
    HWND OpenRaster(const wchar_t* dataFile, std::initializer_list<std::pair<const wchar_t*, DWORD>> seed = {}) {
        std::wstring error;
        if (!session.Prepare(dataFile, error)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        for (const auto& [name, value] : seed) session.values().Write(name, value);
        if (!session.OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        TakeRecordedWrites();
        return session.ShowPage(0);
    }

    std::optional<DWORD> Value(const wchar_t* name) { return session.values().Number(name); }

    PageSession session;
};

// The driver's cut-action change on the presenter model, from the list to
// the three values the renderer reads.
TEST_F(RasterPageTest, CutActionRowTenToElevenOnTheZoomPresenterModel) {
    HWND page = OpenRaster(L"QWNB18_ZOOM.GPD", {{L"RPO_PAGEDOCCUTACTION", 10}});
    ASSERT_NE(page, nullptr);
    const std::vector<std::wstring> rows = ListTexts(page, kCutAction);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Narrow(rows[1]), "Full Cut / Full Cut");
    EXPECT_EQ(ListSelection(page, kCutAction), 1);

    ASSERT_TRUE(PickListItem(page, kCutAction, 2));
    EXPECT_EQ(Narrow(rows[2]), "Full Cut Top Search / Full Cut Top Search");
    const PressOutcome outcome = session.Press(SheetButton::kOk);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_FALSE(outcome.sheetOpen);
    EXPECT_EQ(Value(L"RPO_PAGEDOCCUTACTION"), 11u);
    EXPECT_EQ(Value(L"ORIGINAL_PAGECUTACTION"), 3u);
    EXPECT_EQ(Value(L"ORIGINAL_DOCCUTACTION"), 3u);
    EXPECT_EQ(Value(L"ORIGINAL_DOCTOPSEARCH"), 1u);
}

TEST_F(RasterPageTest, AFreshStandardPrinterShowsTheRepairedDefaults) {
    HWND page = OpenRaster(L"QRVX10.GPD");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Value(L"RPO_PRINTQUALITY"), 2u);
    EXPECT_EQ(Value(L"RPO_PAPERTYPE"), 0u);
    EXPECT_EQ(Value(L"RPO_PAGEDOCCUTACTION"), 11u);
    EXPECT_EQ(Value(L"RPO_DRAWER1"), 0u);
    EXPECT_EQ(Value(L"RPO_DRAWER1PULSEWIDTH"), 20u);
    EXPECT_EQ(Value(L"RPO_DRAWER2"), 0u);
    EXPECT_EQ(Value(L"RPO_WALLMOUNT"), 0u);
    for (const zelt::SettingSpec& spec : zelt::kSettings) {
        if (spec.kind == zelt::ValueKind::kDriver) EXPECT_FALSE(Value(spec.name).has_value()) << Narrow(spec.name);
    }
    EXPECT_EQ(ListSelection(page, kPrintQuality), 2);
    EXPECT_EQ(ListCount(page, kPaperType), 3);
    EXPECT_EQ(ListCount(page, kCutAction), 12);
    EXPECT_EQ(ListSelection(page, kCutAction), 11);
    EXPECT_EQ(Narrow(ListTexts(page, kDrawer1)[0]), "No Use");
    EXPECT_FALSE(IsEnabled(page, kDrawerPulse));
    EXPECT_EQ(Narrow(ControlText(page, kDrawerPulse)), "20");
    EXPECT_FALSE(IsChecked(page, kVerticalMount));

    // Cancel writes nothing: the repairs above are all that is stored.
    const PressOutcome outcome = session.Press(SheetButton::kCancel);
    EXPECT_FALSE(outcome.sheetOpen);
    EXPECT_TRUE(TakeRecordedWrites().empty());
    EXPECT_FALSE(Value(L"ORIGINAL_PRINTQUALITY").has_value());
}

TEST_F(RasterPageTest, DrawerOneEnablesThePulseWidthAndApplyWritesEveryValue) {
    HWND page = OpenRaster(L"QRVC31.GPD", {{L"RPO_PAPERTYPE", 3}});
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ListCount(page, kPaperType), 4) << "the C31 model's fourth paper type";
    EXPECT_EQ(ListSelection(page, kPaperType), 3);

    ASSERT_TRUE(PickListItem(page, kDrawer1, 3));
    EXPECT_TRUE(IsEnabled(page, kDrawerPulse));
    ASSERT_TRUE(TypeText(page, kDrawerPulse, L"127"));
    ASSERT_TRUE(PickListItem(page, kDrawer2, 2));
    ASSERT_TRUE(PickListItem(page, kPrintQuality, 1));
    ASSERT_TRUE(PickListItem(page, kCutAction, 7));
    ASSERT_TRUE(Click(page, kVerticalMount));
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
    EXPECT_EQ(Value(L"ORIGINAL_DOCDRAWER1PULSEWIDTH"), 126u);

    ASSERT_TRUE(PickListItem(page, kDrawer1, 0));
    EXPECT_FALSE(IsEnabled(page, kDrawerPulse));
    session.Press(SheetButton::kCancel);
}

TEST_F(RasterPageTest, DefaultsButtonThenApply) {
    HWND page = OpenRaster(L"QRVX10.GPD", {{L"RPO_DRAWER1", 1}, {L"RPO_WALLMOUNT", 1}});
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsEnabled(page, kDrawerPulse));
    ASSERT_TRUE(Click(page, kDefaults));
    EXPECT_FALSE(IsEnabled(page, kDrawerPulse));
    EXPECT_TRUE(TakeRecordedWrites().empty()) << "the defaults button writes nothing";
    session.Press(SheetButton::kOk);
    const struct {
        const wchar_t* name;
        DWORD value;
    } expected[] = {{L"RPO_PRINTQUALITY", 0},          {L"ORIGINAL_PRINTQUALITY", 0},
                    {L"RPO_PAPERTYPE", 0},             {L"GLOBAL_PAPERTYPE", 0},
                    {L"RPO_PAGEDOCCUTACTION", 2},      {L"ORIGINAL_PAGECUTACTION", 0},
                    {L"ORIGINAL_DOCCUTACTION", 5},     {L"ORIGINAL_DOCTOPSEARCH", 0},
                    {L"RPO_DRAWER1", 0},               {L"RPO_DRAWER1PULSEWIDTH", 20},
                    {L"ORIGINAL_DOCDRAWER1PULSEWIDTH", 19}, {L"RPO_DRAWER2", 0},
                    {L"RPO_WALLMOUNT", 0}};
    for (const auto& e : expected) EXPECT_EQ(Value(e.name), e.value) << Narrow(e.name);
}

// Rejected numbers: the message, its caption, the reset, the sheet kept open,
// and the rejected field's values left as they were.
TEST_F(RasterPageTest, RejectedNumbersKeepTheSheetOpen) {
    const struct {
        const wchar_t* dataFile;
        int field;
        const wchar_t* entry;
        UINT message;
        const char* caption;
        const char* reset;
        const wchar_t* remembered;
    } cases[] = {
        {L"QRVX10.GPD", kDrawerPulse, L"0", 40, "Zelt Raster Printer Driver", "20", L"RPO_DRAWER1PULSEWIDTH"},
        {L"QRVX10.GPD", kDrawerPulse, L"", 40, "Zelt Raster Printer Driver", "20", L"RPO_DRAWER1PULSEWIDTH"},
        {L"QRVA57.GPD", kDrawerPulse, L"128", 40, "Zelt Raster Printer Driver", "20", L"RPO_DRAWER1PULSEWIDTH"},
        {L"QRVA59.GPD", kDrawerPulse, L"999", 40, "Zelt Raster Printer Driver", "20", L"RPO_DRAWER1PULSEWIDTH"},
        {L"QRVB18.GPD", kRetractTime, L"256", 45, "ZeltRas Printer Driver", "30", L"PO_PRESENTERRETRACTTIME"},
        {L"QRVB18.GPD", kRetractTime, L"0", 45, "ZeltRas Printer Driver", "30", L"PO_PRESENTERRETRACTTIME"},
        {L"QRVC252.GPD", kBuzzerPulse, L"256", 49, "Zelt Raster Printer Driver", "10", L"RPO_PERIPHERAL1PULSEWIDTH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.dataFile) + " '" + Narrow(c.entry) + "'");
        PageSession fresh;
        std::wstring error;
        ASSERT_TRUE(fresh.Open(c.dataFile, error)) << Narrow(error);
        HWND page = fresh.ShowPage(0);
        ASSERT_NE(page, nullptr);
        TakeRecordedWrites();
        ASSERT_TRUE(Click(page, kVerticalMount));
        ASSERT_TRUE(EnableNumberField(page, c.field));
        ASSERT_TRUE(TypeText(page, c.field, c.entry));

        const PressOutcome outcome = fresh.Press(SheetButton::kOk);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(Narrow(outcome.messages[0].caption), c.caption);
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
    HWND page = OpenRaster(L"QRVB18.GPD");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Value(L"PO_PRESENTERRETRACT"), 0u);
    EXPECT_EQ(Value(L"PO_PRESENTERRETRACTTIME"), 30u);
    EXPECT_TRUE(IsChecked(page, kRetractDisabled));
    EXPECT_FALSE(IsEnabled(page, kRetractTime));
    EXPECT_EQ(Narrow(ListTexts(page, kCutAction)[ListSelection(page, kCutAction)]), "Full Cut / Full Cut");

    ASSERT_TRUE(Click(page, kRetractEnabled));
    EXPECT_TRUE(IsEnabled(page, kRetractTime));
    EXPECT_FALSE(IsChecked(page, kRetractDisabled));
    ASSERT_TRUE(TypeText(page, kRetractTime, L"255"));
    session.Press(SheetButton::kOk);
    EXPECT_EQ(Value(L"PO_PRESENTERRETRACT"), 1u);
    EXPECT_EQ(Value(L"ORIGINAL_PRESENTERRETRACT"), 1u);
    EXPECT_EQ(Value(L"PO_PRESENTERRETRACTTIME"), 255u);
    EXPECT_EQ(Value(L"ORIGINAL_PRESENTERRETRACTTIME"), 255u);
}

TEST_F(RasterPageTest, BuzzerModelRepairsRowTwoAndAppliesRowThree) {
    HWND page = OpenRaster(L"QRVC252.GPD");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Value(L"RPO_PAGEDOCCUTACTION"), 2u);
    EXPECT_EQ(Narrow(ListTexts(page, kCutAction)[ListSelection(page, kCutAction)]), "Form Feed / Full Cut");
    EXPECT_FALSE(IsEnabled(page, kBuzzerPulse));
    ASSERT_TRUE(PickListItem(page, kBuzzer, 2));
    EXPECT_TRUE(IsEnabled(page, kBuzzerPulse));
    ASSERT_TRUE(TypeText(page, kBuzzerPulse, L"1"));
    session.Press(SheetButton::kOk);
    EXPECT_EQ(Value(L"RPO_PAGEDOCCUTACTION"), 3u);
    EXPECT_EQ(Value(L"RPO_PERIPHERAL1"), 2u);
    EXPECT_EQ(Value(L"ORIGINAL_PERIPHERAL1"), 2u);
    EXPECT_EQ(Value(L"RPO_PERIPHERAL1PULSEWIDTH"), 1u);
    EXPECT_EQ(Value(L"ORIGINAL_PERIPHERAL1PULSEWIDTH"), 0u);
}

TEST_F(RasterPageTest, BadStoredValuesAreRepairedAtLoad) {
    std::wstring error;
    ASSERT_TRUE(session.Prepare(L"QRVX10.GPD", error)) << Narrow(error);
    const BYTE eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
    const BYTE two[2] = {5, 0};
    session.values().WriteRaw(L"RPO_PRINTQUALITY", REG_BINARY, eight, 8);
    session.values().WriteRaw(L"RPO_DRAWER1PULSEWIDTH", REG_DWORD, two, 2);
    session.values().Write(L"RPO_DRAWER2", 0xFFFFFFFF);
    session.values().Write(L"RPO_PAPERTYPE", 3);  // not a C31 model
    session.values().Write(L"RPO_DRAWER1", 1);
    ASSERT_TRUE(session.OpenSheet(error)) << Narrow(error);
    HWND page = session.ShowPage(0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Value(L"RPO_PRINTQUALITY"), 2u);
    EXPECT_EQ(Value(L"RPO_DRAWER1PULSEWIDTH"), 20u);
    EXPECT_EQ(Value(L"RPO_DRAWER2"), 0u);
    EXPECT_EQ(Value(L"RPO_PAPERTYPE"), 0u);
    EXPECT_EQ(Value(L"RPO_DRAWER1"), 1u) << "an accepted value stays";
    EXPECT_EQ(ListSelection(page, kPrintQuality), 2);
    session.Press(SheetButton::kCancel);
}

// Run with the Japanese locale: the page's own texts and the message.
TEST_F(RasterPageTest, JapaneseTextsAndMessage) {
    HWND page = OpenRaster(L"QRVX10.GPD");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ControlText(page, 1001), L"キャッシュドロワ");
    EXPECT_EQ(ControlText(page, kDefaults), L"規定値に戻す");
    EXPECT_EQ(Narrow(ListTexts(page, kPrintQuality)[2]), "Best") << "list texts stay English";
    ASSERT_TRUE(EnableNumberField(page, kDrawerPulse));
    ASSERT_TRUE(TypeText(page, kDrawerPulse, L"0"));
    const PressOutcome outcome = session.Press(SheetButton::kOk);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, L"パルス幅の指定が間違っています。1～127の値を設定して下さい。");
    EXPECT_EQ(Narrow(outcome.messages[0].caption), "Zelt Raster Printer Driver");
    session.Press(SheetButton::kCancel);
}

}  // namespace
