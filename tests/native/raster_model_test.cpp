#include "pages/raster/raster_model.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_printer_data.h"
#include "setting_named.h"
#include "settings/setting_table.h"

namespace zelt {
namespace {

const wchar_t kStandardFile[] = L"C:\\drivers\\3\\QRVX10.GPD";
const wchar_t kC31File[] = L"C:\\drivers\\3\\QRVC31.GPD";

const TemplateId kAllVariants[] = {kRasterStandard, kRasterA57, kRasterA59, kRasterB15, kRasterB18, kRasterC252};

RasterLoad LoadFresh(RecordingPrinter& printer, TemplateId page, const wchar_t* dataFile = kStandardFile) {
    return LoadRasterPage(printer, RasterVariantFor(page), std::wstring_view(dataFile));
}

struct FreshLoad {
    TemplateId page;
    Writes writes;  // the repairs, in load order
    int printQuality, paperTypes, cutPosition;
};

const FreshLoad kFreshLoads[] = {
    {kRasterStandard,
     {{L"RPO_PRINTQUALITY", 2}, {L"RPO_PAPERTYPE", 0}, {L"RPO_PAGEDOCCUTACTION", 11}, {L"RPO_DRAWER1", 0},
      {L"RPO_DRAWER1PULSEWIDTH", 20}, {L"RPO_DRAWER2", 0}, {L"RPO_WALLMOUNT", 0}},
     2, 3, 11},
    {kRasterA57,
     {{L"RPO_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"RPO_PAGEDOCCUTACTION", 1}, {L"RPO_DRAWER1", 0},
      {L"RPO_DRAWER1PULSEWIDTH", 20}, {L"RPO_DRAWER2", 0}, {L"RPO_WALLMOUNT", 0}},
     0, 3, 1},
    {kRasterA59,
     {{L"RPO_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"RPO_PAGEDOCCUTACTION", 2}, {L"RPO_DRAWER1", 0},
      {L"RPO_DRAWER1PULSEWIDTH", 20}, {L"RPO_DRAWER2", 0}, {L"RPO_WALLMOUNT", 0}},
     0, 3, 1},
    {kRasterB15,
     {{L"RPO_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"RPO_PAGEDOCCUTACTION", 2}, {L"RPO_WALLMOUNT", 0}},
     0, 3, 2},
    {kRasterB18,
     {{L"RPO_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"RPO_PAGEDOCCUTACTION", 10}, {L"PO_PRESENTERRETRACT", 0},
      {L"PO_PRESENTERRETRACTTIME", 30}, {L"RPO_WALLMOUNT", 0}},
     0, 3, 1},
    {kRasterC252,
     {{L"RPO_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"RPO_PAGEDOCCUTACTION", 2}, {L"RPO_PERIPHERAL1", 0},
      {L"RPO_PERIPHERAL1PULSEWIDTH", 10}, {L"RPO_WALLMOUNT", 0}},
     0, 4, 1},
};

TEST(RasterLoad, AFreshPrinterGetsEveryRepairInOrderAndNoDriverValue) {
    for (const FreshLoad& c : kFreshLoads) {
        SCOPED_TRACE(c.page);
        RecordingPrinter printer;
        const RasterLoad load = LoadFresh(printer, c.page);
        EXPECT_EQ(printer.writes, c.writes);
        EXPECT_EQ(load.controls.printQuality, c.printQuality);
        EXPECT_EQ(load.controls.paperType, 0);
        EXPECT_EQ(load.paperTypeCount, c.paperTypes);
        EXPECT_EQ(load.controls.cutPosition, c.cutPosition);
        EXPECT_FALSE(load.controls.wallMount);

        RecordingPrinter again;
        again.store = printer.store;
        LoadFresh(again, c.page);
        EXPECT_TRUE(again.writes.empty()) << "accepted values are not written";
    }
}

// Every remembered value a variant loads, at and past the ends of its range.
TEST(RasterLoad, RepairsOnlyValuesOutsideTheirRange) {
    for (TemplateId page : kAllVariants) {
        RecordingPrinter fresh;
        LoadFresh(fresh, page);
        for (const auto& [name, repaired] : fresh.writes) {
            const AcceptedRange range = AcceptedRangeOn(SettingNamed(name)->setting,
                                                       page == kRasterC252 ? PaperTypes::kFour : PaperTypes::kThree);
            const struct {
                std::uint32_t stored;
                bool accepted;
            } cases[] = {{range.low, true}, {range.high, true}, {range.high + 1, false}, {0xFFFFFFFFu, false},
                         {range.low == 1 ? 0u : range.high + 7, false}};
            for (const auto& stored : cases) {
                SCOPED_TRACE(std::to_string(page) + " " + std::string(name.begin(), name.end()) + " = " +
                             std::to_string(stored.stored));
                RecordingPrinter printer;
                printer.store = fresh.store;
                printer.store.PutDword(name.c_str(), stored.stored);
                LoadFresh(printer, page);
                if (stored.accepted) {
                    EXPECT_TRUE(printer.writes.empty());
                } else {
                    EXPECT_EQ(printer.writes, (Writes{{name, repaired}}));
                }
            }
        }
    }
}

TEST(RasterLoad, FourthPaperTypeOnC31StandardAndC252Only) {
    const struct {
        TemplateId page;
        const wchar_t* dataFile;
        int shown;
        int items;
    } cases[] = {
        {kRasterStandard, kStandardFile, 0, 3},
        {kRasterStandard, kC31File, 3, 4},
        {kRasterStandard, L"C:\\C31\\3\\PLAIN.GPD", 3, 4},
        {kRasterStandard, L"C:\\drivers\\3\\QRVc31.GPD", 0, 3},
        {kRasterA57, kC31File, 0, 3},
        {kRasterB18, kC31File, 0, 3},
        {kRasterC252, kStandardFile, 3, 4},
    };
    for (const auto& c : cases) {
        RecordingPrinter printer;
        printer.store.PutDword(L"RPO_PAPERTYPE", 3);
        const RasterLoad load = LoadFresh(printer, c.page, c.dataFile);
        EXPECT_EQ(load.controls.paperType, c.shown) << c.page;
        EXPECT_EQ(load.paperTypeCount, c.items) << c.page;
    }
}

TEST(RasterLoad, RemembersRowsTheListDoesNotOfferAsPositionOne) {
    const struct {
        TemplateId page;
        std::uint32_t row;
        int position;
    } cases[] = {
        {kRasterA57, 0, 0},  {kRasterA57, 1, 1},   {kRasterA57, 11, 1},  {kRasterA59, 3, 1},
        {kRasterA59, 6, 3},  {kRasterB18, 9, 0},   {kRasterB18, 2, 1},   {kRasterC252, 4, 2},
        {kRasterC252, 11, 5}, {kRasterStandard, 7, 7}, {kRasterB15, 11, 11},
    };
    for (const auto& c : cases) {
        RecordingPrinter printer;
        printer.store.PutDword(L"RPO_PAGEDOCCUTACTION", c.row);
        EXPECT_EQ(LoadFresh(printer, c.page).controls.cutPosition, c.position) << c.page << " row " << c.row;
    }
}

TEST(RasterLoad, WithoutDriverInformationThePaperTypeIsLeftAlone) {
    RecordingPrinter printer;
    printer.store.PutDword(L"RPO_PAPERTYPE", 3);
    const RasterLoad load = LoadRasterPage(printer, RasterVariantFor(kRasterStandard), std::nullopt);
    EXPECT_FALSE(load.paperTypeLoaded);
    EXPECT_EQ(load.controls.paperType, -1);
    EXPECT_EQ(load.paperTypeCount, 3);
    for (const auto& write : printer.writes) EXPECT_NE(write.first, L"RPO_PAPERTYPE");

    RasterEntries entries{load.controls, 20u, load.paperTypeCount, load.paperTypeLoaded};
    printer.writes.clear();
    ApplyRasterPage(printer, RasterVariantFor(kRasterStandard), entries);
    for (const auto& write : printer.writes) {
        EXPECT_NE(write.first, L"RPO_PAPERTYPE") << "a paper type never shown is not overwritten";
        EXPECT_NE(write.first, L"GLOBAL_PAPERTYPE");
    }
    EXPECT_EQ(ReadSetting(printer, Setting::RPO_PAPERTYPE), 3u);
}

RasterEntries EntriesFrom(const RasterControls& controls, std::optional<std::uint32_t> number, int paperTypes = 3) {
    return RasterEntries{controls, number, paperTypes, true};
}

TEST(RasterApply, DefaultsOfEachVariantInWriteOrder) {
    const struct {
        TemplateId page;
        Writes writes;
    } cases[] = {
        {kRasterStandard,
         {{L"RPO_PRINTQUALITY", 0}, {L"ORIGINAL_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"GLOBAL_PAPERTYPE", 0},
          {L"RPO_PAGEDOCCUTACTION", 2}, {L"ORIGINAL_PAGECUTACTION", 0}, {L"ORIGINAL_DOCCUTACTION", 5},
          {L"ORIGINAL_DOCTOPSEARCH", 0}, {L"RPO_DRAWER1", 0}, {L"ORIGINAL_DOCDRAWER1", 0},
          {L"RPO_DRAWER1PULSEWIDTH", 20}, {L"ORIGINAL_DOCDRAWER1PULSEWIDTH", 19}, {L"RPO_DRAWER2", 0},
          {L"ORIGINAL_DOCDRAWER2", 0}, {L"RPO_WALLMOUNT", 0}}},
        {kRasterA57,
         {{L"RPO_PRINTQUALITY", 0}, {L"ORIGINAL_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"GLOBAL_PAPERTYPE", 0},
          {L"RPO_PAGEDOCCUTACTION", 1}, {L"ORIGINAL_PAGECUTACTION", 0}, {L"ORIGINAL_DOCCUTACTION", 1},
          {L"ORIGINAL_DOCTOPSEARCH", 0}, {L"RPO_DRAWER1", 0}, {L"ORIGINAL_DOCDRAWER1", 0},
          {L"RPO_DRAWER1PULSEWIDTH", 20}, {L"ORIGINAL_DOCDRAWER1PULSEWIDTH", 19}, {L"RPO_DRAWER2", 0},
          {L"ORIGINAL_DOCDRAWER2", 0}, {L"RPO_WALLMOUNT", 0}}},
        {kRasterB15,
         {{L"RPO_PRINTQUALITY", 0}, {L"ORIGINAL_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"GLOBAL_PAPERTYPE", 0},
          {L"RPO_PAGEDOCCUTACTION", 2}, {L"ORIGINAL_PAGECUTACTION", 0}, {L"ORIGINAL_DOCCUTACTION", 5},
          {L"ORIGINAL_DOCTOPSEARCH", 0}, {L"RPO_WALLMOUNT", 0}}},
        {kRasterB18,
         {{L"RPO_PRINTQUALITY", 0}, {L"ORIGINAL_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"GLOBAL_PAPERTYPE", 0},
          {L"RPO_PAGEDOCCUTACTION", 10}, {L"ORIGINAL_PAGECUTACTION", 3}, {L"ORIGINAL_DOCCUTACTION", 3},
          {L"ORIGINAL_DOCTOPSEARCH", 0}, {L"PO_PRESENTERRETRACT", 0}, {L"ORIGINAL_PRESENTERRETRACT", 0},
          {L"PO_PRESENTERRETRACTTIME", 30}, {L"ORIGINAL_PRESENTERRETRACTTIME", 30}, {L"RPO_WALLMOUNT", 0}}},
        {kRasterC252,
         {{L"RPO_PRINTQUALITY", 0}, {L"ORIGINAL_PRINTQUALITY", 0}, {L"RPO_PAPERTYPE", 0}, {L"GLOBAL_PAPERTYPE", 0},
          {L"RPO_PAGEDOCCUTACTION", 3}, {L"ORIGINAL_PAGECUTACTION", 0}, {L"ORIGINAL_DOCCUTACTION", 3},
          {L"ORIGINAL_DOCTOPSEARCH", 0}, {L"RPO_PERIPHERAL1", 0}, {L"ORIGINAL_PERIPHERAL1", 0},
          {L"RPO_PERIPHERAL1PULSEWIDTH", 10}, {L"ORIGINAL_PERIPHERAL1PULSEWIDTH", 9}, {L"RPO_WALLMOUNT", 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        const RasterVariant& variant = RasterVariantFor(c.page);
        const RasterControls defaults = RasterDefaults(variant);
        RecordingPrinter printer;
        EXPECT_EQ(ApplyRasterPage(printer, variant, EntriesFrom(defaults, defaults.number)), nullptr);
        EXPECT_EQ(printer.writes, c.writes);
    }
    EXPECT_EQ(RasterDefaults(RasterVariantFor(kRasterA59)).cutPosition, 1) << "row 2";
    EXPECT_EQ(RasterDefaults(RasterVariantFor(kRasterB15)).cutPosition, 2) << "row 2";
}

// Each position of each variant's list applies its row's three codes.
TEST(RasterApply, CutActionPositionsWriteTheirRowsCodes) {
    for (TemplateId page : kAllVariants) {
        const RasterVariant& variant = RasterVariantFor(page);
        for (int position = 0; position < variant.rowCount; ++position) {
            SCOPED_TRACE(std::to_string(page) + " position " + std::to_string(position));
            RasterControls controls = RasterDefaults(variant);
            controls.cutPosition = position;
            RecordingPrinter printer;
            ApplyRasterPage(printer, variant, EntriesFrom(controls, controls.number, page == kRasterC252 ? 4 : 3));
            const std::uint32_t row = variant.rows[position];
            EXPECT_EQ(ReadSetting(printer, Setting::RPO_PAGEDOCCUTACTION), row);
            EXPECT_EQ(ReadSetting(printer, Setting::ORIGINAL_PAGECUTACTION), kCutActions[row].pageCode);
            EXPECT_EQ(ReadSetting(printer, Setting::ORIGINAL_DOCCUTACTION), kCutActions[row].documentCode);
            EXPECT_EQ(ReadSetting(printer, Setting::ORIGINAL_DOCTOPSEARCH), kCutActions[row].topSearch);
        }
    }
    // The codes of a few rows, written out.
    const struct {
        std::uint32_t row, page, document, search;
    } rows[] = {{1, 0, 1, 0}, {4, 0, 3, 1}, {7, 4, 2, 0}, {11, 3, 3, 1}};
    for (const auto& r : rows) {
        RasterControls controls = RasterDefaults(RasterVariantFor(kRasterStandard));
        controls.cutPosition = static_cast<int>(r.row);
        RecordingPrinter printer;
        ApplyRasterPage(printer, RasterVariantFor(kRasterStandard), EntriesFrom(controls, 20u));
        EXPECT_EQ(ReadSetting(printer, Setting::ORIGINAL_PAGECUTACTION), r.page);
        EXPECT_EQ(ReadSetting(printer, Setting::ORIGINAL_DOCCUTACTION), r.document);
        EXPECT_EQ(ReadSetting(printer, Setting::ORIGINAL_DOCTOPSEARCH), r.search);
    }
}

TEST(RasterApply, ListsWithoutSelectionStoreAllBitsAndNoDriverValue) {
    for (TemplateId page : kAllVariants) {
        const RasterVariant& variant = RasterVariantFor(page);
        RasterControls none;  // every list without a selection
        RecordingPrinter printer;
        const std::optional<std::uint32_t> number =
            RasterNumericField(variant) ? std::optional<std::uint32_t>(RasterNumericField(variant)->resetValue)
                                        : std::nullopt;
        ApplyRasterPage(printer, variant, EntriesFrom(none, number));
        for (const auto& [name, value] : printer.writes) {
            const SettingSpec& spec = *SettingNamed(name);
            const bool list = name != L"RPO_WALLMOUNT" && name != L"PO_PRESENTERRETRACT" &&
                              name.find(L"PULSEWIDTH") == std::wstring::npos &&
                              name.find(L"RETRACTTIME") == std::wstring::npos &&
                              name != L"ORIGINAL_PRESENTERRETRACT";
            if (list) {
                EXPECT_EQ(spec.kind, ValueKind::kRemembered) << "no driver value for a list without selection";
                EXPECT_EQ(value, 0xFFFFFFFFu);
            }
        }
    }
}

TEST(RasterApply, RejectedNumbersAreNotStoredAndTheRestIs) {
    const struct {
        TemplateId page;
        std::optional<std::uint32_t> entry;
        bool rejected;
        Setting remembered;
        Setting driver;
        std::uint32_t driverValue;
    } cases[] = {
        {kRasterStandard, 1u, false, Setting::RPO_DRAWER1PULSEWIDTH, Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH, 0},
        {kRasterStandard, 127u, false, Setting::RPO_DRAWER1PULSEWIDTH, Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH, 126},
        {kRasterStandard, std::nullopt, true, Setting::RPO_DRAWER1PULSEWIDTH, Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH,
         0},
        {kRasterStandard, 0u, true, Setting::RPO_DRAWER1PULSEWIDTH, Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH, 0},
        {kRasterStandard, 128u, true, Setting::RPO_DRAWER1PULSEWIDTH, Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH, 0},
        {kRasterA59, 999u, true, Setting::RPO_DRAWER1PULSEWIDTH, Setting::ORIGINAL_DOCDRAWER1PULSEWIDTH, 0},
        {kRasterB18, 255u, false, Setting::PO_PRESENTERRETRACTTIME, Setting::ORIGINAL_PRESENTERRETRACTTIME, 255},
        {kRasterB18, 1u, false, Setting::PO_PRESENTERRETRACTTIME, Setting::ORIGINAL_PRESENTERRETRACTTIME, 1},
        {kRasterB18, 256u, true, Setting::PO_PRESENTERRETRACTTIME, Setting::ORIGINAL_PRESENTERRETRACTTIME, 0},
        {kRasterB18, 0u, true, Setting::PO_PRESENTERRETRACTTIME, Setting::ORIGINAL_PRESENTERRETRACTTIME, 0},
        {kRasterC252, 1u, false, Setting::RPO_PERIPHERAL1PULSEWIDTH, Setting::ORIGINAL_PERIPHERAL1PULSEWIDTH, 0},
        {kRasterC252, 256u, true, Setting::RPO_PERIPHERAL1PULSEWIDTH, Setting::ORIGINAL_PERIPHERAL1PULSEWIDTH, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + " entry " + (c.entry ? std::to_string(*c.entry) : "none"));
        const RasterVariant& variant = RasterVariantFor(c.page);
        RecordingPrinter printer;
        printer.store.PutDword(RowOf(c.remembered).name, 77);
        printer.store.PutDword(RowOf(c.driver).name, 76);
        const NumericField* rejected =
            ApplyRasterPage(printer, variant, EntriesFrom(RasterDefaults(variant), c.entry, 4));
        if (c.rejected) {
            ASSERT_EQ(rejected, RasterNumericField(variant));
            EXPECT_EQ(ReadSetting(printer, c.remembered), 77u) << "keeps what it held";
            EXPECT_EQ(ReadSetting(printer, c.driver), 76u);
        } else {
            EXPECT_EQ(rejected, nullptr);
            EXPECT_EQ(ReadSetting(printer, c.remembered), *c.entry);
            EXPECT_EQ(ReadSetting(printer, c.driver), c.driverValue);
        }
        EXPECT_EQ(ReadSetting(printer, Setting::RPO_WALLMOUNT), 0u) << "values after the field are still written";
    }
}

TEST(RasterApply, RejectionMessagesCaptionsAndResets) {
    const struct {
        TemplateId page;
        std::uint16_t message;
        bool presenterCaption;
        std::uint32_t reset;
    } cases[] = {{kRasterStandard, 40, false, 20}, {kRasterA57, 40, false, 20}, {kRasterA59, 40, false, 20},
                 {kRasterB18, 45, true, 30},       {kRasterC252, 49, false, 10}};
    for (const auto& c : cases) {
        const NumericField* field = RasterNumericField(RasterVariantFor(c.page));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->messageId, c.message);
        EXPECT_EQ(field->presenterCaption, c.presenterCaption);
        EXPECT_EQ(field->resetValue, c.reset);
    }
    EXPECT_EQ(RasterNumericField(RasterVariantFor(kRasterB15)), nullptr) << "B15 never rejects";
}

TEST(RasterApply, PresenterAndBuzzerChoices) {
    RasterControls b18 = RasterDefaults(RasterVariantFor(kRasterB18));
    b18.retractEnabled = true;
    RecordingPrinter presenter;
    ApplyRasterPage(presenter, RasterVariantFor(kRasterB18), EntriesFrom(b18, 255u));
    EXPECT_EQ(ReadSetting(presenter, Setting::PO_PRESENTERRETRACT), 1u);
    EXPECT_EQ(ReadSetting(presenter, Setting::ORIGINAL_PRESENTERRETRACT), 1u);

    RasterControls c252 = RasterDefaults(RasterVariantFor(kRasterC252));
    c252.buzzer = 2;
    c252.paperType = 3;
    RecordingPrinter buzzer;
    ApplyRasterPage(buzzer, RasterVariantFor(kRasterC252), EntriesFrom(c252, 1u, 4));
    EXPECT_EQ(ReadSetting(buzzer, Setting::RPO_PERIPHERAL1), 2u);
    EXPECT_EQ(ReadSetting(buzzer, Setting::ORIGINAL_PERIPHERAL1), 2u);
    EXPECT_EQ(ReadSetting(buzzer, Setting::RPO_PERIPHERAL1PULSEWIDTH), 1u);
    EXPECT_EQ(ReadSetting(buzzer, Setting::ORIGINAL_PERIPHERAL1PULSEWIDTH), 0u);
    EXPECT_EQ(ReadSetting(buzzer, Setting::GLOBAL_PAPERTYPE), 3u);
}

}  // namespace
}  // namespace zelt
