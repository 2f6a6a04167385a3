#include "journal/copy_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fake_printer_data.h"
#include "settings/setting_table.h"

namespace zelt {
namespace {

const TemplateId kAllVariants[] = {kCopyStandard, kCopyA57, kCopyA59, kCopyB18, kCopyC252};

// The cut-action rows each variant offers, in item order, and the item the
// defaults button selects.
struct OfferedRows {
    TemplateId page;
    std::vector<int> rows;
    int defaultsItem;
    std::uint32_t repairedRow;
};
const OfferedRows kOffered[] = {
    {kCopyStandard, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 2, 2},
    {kCopyA57, {0, 1}, 1, 1},
    {kCopyA59, {0, 2, 5, 6}, 1, 2},
    {kCopyB18, {9, 10, 11}, 1, 10},
    {kCopyC252, {0, 3, 4, 9, 10, 11}, 1, 2},
};

TEST(CopyVariants, OfferTheirModelsRowsAndDefaults) {
    for (const OfferedRows& c : kOffered) {
        SCOPED_TRACE(c.page);
        const RasterVariant& rows = CopyCutRows(CopyVariantFor(c.page));
        EXPECT_EQ(std::vector<int>(rows.rows.begin(), rows.rows.begin() + rows.rowCount), c.rows);
        EXPECT_EQ(CopyDefaults(CopyVariantFor(c.page)).cutPosition, c.defaultsItem);
        EXPECT_EQ(CopyVariantFor(c.page).presenter, c.page == kCopyB18);
    }
}

TEST(CopyLoad, AFreshPrinterGetsEveryRepairInOrderAndNoDriverValue) {
    for (const OfferedRows& c : kOffered) {
        SCOPED_TRACE(c.page);
        RecordingPrinter printer;
        const CopyControls shown = LoadCopyPage(printer, CopyVariantFor(c.page));
        Writes expected = {{L"COPY_SIMPLECOPY", 1}, {L"COPY_LOGOPRINT", 0}, {L"COPY_ADDSCV", 1},
                           {L"COPY_PRINTQUALITY", 0}, {L"COPY_PAGEDOCCUTACTION", c.repairedRow}};
        if (c.page == kCopyB18) {
            expected.push_back({L"COPY_PRESENTERRETRACT", 0});
            expected.push_back({L"COPY_PRESENTERRETRACTTIME", 30});
        }
        expected.push_back({L"COPY_OUTPUT", 2});
        EXPECT_EQ(printer.writes, expected);
        EXPECT_TRUE(shown.simpleCopy);
        EXPECT_TRUE(shown.addScv);
        EXPECT_FALSE(shown.logoPrint);
        EXPECT_EQ(shown.printQuality, 0);
        EXPECT_EQ(shown.output, 2u);
        // The repaired row where offered, else item 1 ("C252" shows row 3 for 2).
        EXPECT_EQ(shown.cutPosition, c.page == kCopyStandard ? 2 : 1);
    }
}

TEST(CopyLoad, AcceptedValuesAreShownAndNotWritten) {
    RecordingPrinter printer;
    printer.store.PutDword(L"COPY_SIMPLECOPY", 0);
    printer.store.PutDword(L"COPY_LOGOPRINT", 1);
    printer.store.PutDword(L"COPY_ADDSCV", 0);
    printer.store.PutDword(L"COPY_PRINTQUALITY", 2);
    printer.store.PutDword(L"COPY_PAGEDOCCUTACTION", 11);
    printer.store.PutDword(L"COPY_PRESENTERRETRACT", 1);
    printer.store.PutDword(L"COPY_PRESENTERRETRACTTIME", 255);
    printer.store.PutDword(L"COPY_OUTPUT", 0);
    const CopyControls shown = LoadCopyPage(printer, CopyVariantFor(kCopyB18));
    EXPECT_TRUE(printer.writes.empty());
    EXPECT_FALSE(shown.simpleCopy);
    EXPECT_TRUE(shown.logoPrint);
    EXPECT_FALSE(shown.addScv);
    EXPECT_EQ(shown.printQuality, 2);
    EXPECT_EQ(shown.cutPosition, 2);
    EXPECT_TRUE(shown.retractEnabled);
    EXPECT_EQ(shown.retractTimeout, 255u);
    EXPECT_EQ(shown.output, 0u);
}

TEST(CopyLoad, OutOfRangeAndMalformedValuesAreRepaired) {
    const struct {
        Setting setting;
        std::uint32_t stored;
        std::uint32_t repaired;
    } cases[] = {
        {Setting::COPY_SIMPLECOPY, 2, 1},           {Setting::COPY_OUTPUT, 4, 2},
        {Setting::COPY_PRINTQUALITY, 0xFFFFFFFF, 0}, {Setting::COPY_PAGEDOCCUTACTION, 12, 10},
        {Setting::COPY_PRESENTERRETRACTTIME, 0, 30}, {Setting::COPY_PRESENTERRETRACTTIME, 256, 30},
        {Setting::COPY_PRESENTERRETRACT, 2, 0},
    };
    for (const auto& c : cases) {
        RecordingPrinter printer;
        printer.store.PutDword(RowOf(c.setting).name, c.stored);
        LoadCopyPage(printer, CopyVariantFor(kCopyB18));
        EXPECT_EQ(ReadSetting(printer, c.setting), c.repaired) << RowOf(c.setting).name;
    }
    RecordingPrinter eightBytes;
    const unsigned char wide[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    eightBytes.store.Set(L"COPY_OUTPUT", kRegDword, wide, 8);
    LoadCopyPage(eightBytes, CopyVariantFor(kCopyStandard));
    EXPECT_EQ(eightBytes.store.values[L"COPY_OUTPUT"].bytes.size(), 4u);
    EXPECT_EQ(ReadSetting(eightBytes, Setting::COPY_OUTPUT), 2u);
}

TEST(CopyLoad, RowsInRangeButNotOfferedShowItemOne) {
    const struct {
        TemplateId page;
        std::uint32_t row;
        int position;
    } cases[] = {{kCopyA57, 5, 1}, {kCopyA57, 0, 0}, {kCopyA59, 6, 3}, {kCopyA59, 11, 1},
                 {kCopyB18, 0, 1}, {kCopyC252, 4, 2}, {kCopyC252, 2, 1}, {kCopyStandard, 7, 7}};
    for (const auto& c : cases) {
        RecordingPrinter printer;
        printer.store.PutDword(L"COPY_PAGEDOCCUTACTION", c.row);
        EXPECT_EQ(LoadCopyPage(printer, CopyVariantFor(c.page)).cutPosition, c.position) << c.page << " " << c.row;
        EXPECT_EQ(ReadSetting(printer, Setting::COPY_PAGEDOCCUTACTION), c.row) << "accepted, not rewritten";
    }
}

TEST(CopyOutput, RadioButtonsInTheirOrder) {
    EXPECT_EQ(OutputFromButtons(false, false, false), 0u);
    EXPECT_EQ(OutputFromButtons(true, false, false), 2u);
    EXPECT_EQ(OutputFromButtons(false, true, false), 1u);
    EXPECT_EQ(OutputFromButtons(false, false, true), 3u);
    EXPECT_EQ(OutputFromButtons(false, true, true), 1u);
    EXPECT_EQ(OutputFromButtons(true, true, true), 2u);
}

Writes Apply(TemplateId page, const CopyControls& controls, std::optional<std::uint32_t> timeout = 30,
             bool* accepted = nullptr) {
    RecordingPrinter printer;
    const bool ok = ApplyCopyPage(printer, CopyVariantFor(page), CopyEntries{controls, timeout});
    if (accepted != nullptr) *accepted = ok;
    return printer.writes;
}

CopyControls Controls(int cutPosition, std::uint32_t output, bool simpleCopy) {
    CopyControls c;
    c.simpleCopy = simpleCopy;
    c.addScv = false;
    c.logoPrint = true;
    c.printQuality = 1;
    c.cutPosition = cutPosition;
    c.output = output;
    return c;
}

TEST(CopyApply, WritesEveryValueInOrder) {
    const Writes expected = {{L"COPY_ADDSCV", 0},
                             {L"ADDITIONAL_SCV", 0},
                             {L"COPY_LOGOPRINT", 1},
                             {L"ADDITIONAL_PRINTLOGOS", 1},
                             {L"COPY_PRINTQUALITY", 1},
                             {L"ADDITIONAL_PRINTQUALITY", 1},
                             {L"COPY_PAGEDOCCUTACTION", 7},
                             {L"ADDITIONAL_PAGECUTACTION", 4},
                             {L"ADDITIONAL_DOCCUTACTION", 2},
                             {L"ADDITIONAL_DOCTOPSEARCH", 0},
                             {L"COPY_OUTPUT", 1},
                             {L"COPY_SIMPLECOPY", 0},
                             {L"ADDITIONAL_OUTPUT", 1}};
    EXPECT_EQ(Apply(kCopyStandard, Controls(7, 1, false)), expected);
}

// Every offered item of every variant writes its own row and that row's codes.
TEST(CopyApply, EachOfferedItemWritesItsRowsCodes) {
    for (const OfferedRows& c : kOffered) {
        for (std::size_t item = 0; item < c.rows.size(); ++item) {
            const Writes writes = Apply(c.page, Controls(static_cast<int>(item), 2, false));
            const CutAction& action = kCutActions[c.rows[item]];
            ASSERT_GE(writes.size(), 10u);
            EXPECT_EQ(writes[6], (std::pair<std::wstring, std::uint32_t>{L"COPY_PAGEDOCCUTACTION", c.rows[item]}));
            EXPECT_EQ(writes[7].second, action.pageCode);
            EXPECT_EQ(writes[8].second, action.documentCode);
            EXPECT_EQ(writes[9].second, action.topSearch);
        }
    }
    // Spot checks against the table: "C252" item 2 is row 4, "A57" item 1 row 1.
    const Writes c252 = Apply(kCopyC252, Controls(2, 2, false));
    EXPECT_EQ(Writes(c252.begin() + 6, c252.begin() + 10),
              (Writes{{L"COPY_PAGEDOCCUTACTION", 4}, {L"ADDITIONAL_PAGECUTACTION", 0},
                      {L"ADDITIONAL_DOCCUTACTION", 3}, {L"ADDITIONAL_DOCTOPSEARCH", 1}}));
    const Writes a57 = Apply(kCopyA57, Controls(1, 2, false));
    EXPECT_EQ(Writes(a57.begin() + 6, a57.begin() + 10),
              (Writes{{L"COPY_PAGEDOCCUTACTION", 1}, {L"ADDITIONAL_PAGECUTACTION", 0},
                      {L"ADDITIONAL_DOCCUTACTION", 1}, {L"ADDITIONAL_DOCTOPSEARCH", 0}}));
}

TEST(CopyApply, NoSelectionStoresAllBitsAndNoDriverValue) {
    for (TemplateId page : kAllVariants) {
        CopyControls c = Controls(-1, 2, false);
        c.printQuality = -1;
        const Writes writes = Apply(page, c);
        EXPECT_EQ(writes[4], (std::pair<std::wstring, std::uint32_t>{L"COPY_PRINTQUALITY", 0xFFFFFFFF}));
        EXPECT_EQ(writes[5], (std::pair<std::wstring, std::uint32_t>{L"COPY_PAGEDOCCUTACTION", 0xFFFFFFFF}));
        EXPECT_NE(writes[6].first, L"ADDITIONAL_PAGECUTACTION");
    }
}

std::vector<std::pair<std::wstring, std::uint32_t>> OutputWrites(const Writes& writes) {
    Writes tail;
    for (const auto& w : writes) {
        if (w.first == L"COPY_OUTPUT" || w.first == L"COPY_SIMPLECOPY" || w.first == L"ADDITIONAL_OUTPUT") {
            tail.push_back(w);
        }
    }
    return tail;
}

TEST(CopyApply, SimpleCopyForcesNoOutputAndNoneChosenWritesNoRememberedMethod) {
    for (TemplateId page : kAllVariants) {
        SCOPED_TRACE(page);
        EXPECT_EQ(OutputWrites(Apply(page, Controls(0, 3, true))),
                  (Writes{{L"COPY_OUTPUT", 3}, {L"COPY_SIMPLECOPY", 1}, {L"ADDITIONAL_OUTPUT", 0}}));
        EXPECT_EQ(OutputWrites(Apply(page, Controls(0, 1, false))),
                  (Writes{{L"COPY_OUTPUT", 1}, {L"COPY_SIMPLECOPY", 0}, {L"ADDITIONAL_OUTPUT", 1}}));
        EXPECT_EQ(OutputWrites(Apply(page, Controls(0, 0, false))),
                  (Writes{{L"COPY_SIMPLECOPY", 0}, {L"ADDITIONAL_OUTPUT", 0}}));
        EXPECT_EQ(OutputWrites(Apply(page, Controls(0, 0, true))),
                  (Writes{{L"COPY_SIMPLECOPY", 1}, {L"ADDITIONAL_OUTPUT", 0}}));
    }
}

TEST(CopyApply, PresenterValuesOnlyOnB18BetweenCutAndOutput) {
    for (TemplateId page : kAllVariants) {
        const Writes writes = Apply(page, Controls(0, 2, false));
        bool presenter = false;
        for (const auto& w : writes) presenter = presenter || w.first.find(L"PRESENTER") != std::wstring::npos;
        EXPECT_EQ(presenter, page == kCopyB18) << page;
    }
    CopyControls c = Controls(0, 2, false);
    c.retractEnabled = true;
    const Writes writes = Apply(kCopyB18, c, 255);
    EXPECT_EQ(Writes(writes.begin() + 10, writes.begin() + 14),
              (Writes{{L"COPY_PRESENTERRETRACT", 1}, {L"ADDITIONAL_PRESENTERRETRACT", 1},
                      {L"COPY_PRESENTERRETRACTTIME", 255}, {L"ADDITIONAL_PRESENTERRETRACTTIME", 255}}));
    EXPECT_EQ(writes[14].first, L"COPY_OUTPUT");
}

TEST(CopyApply, PresenterTimeoutValidation) {
    const struct {
        std::optional<std::uint32_t> entry;
        bool accepted;
    } cases[] = {{1, true}, {255, true}, {30, true}, {0, false}, {256, false}, {999, false}, {std::nullopt, false}};
    for (const auto& c : cases) {
        bool accepted = false;
        const Writes writes = Apply(kCopyB18, Controls(1, 2, false), c.entry, &accepted);
        EXPECT_EQ(accepted, c.accepted) << c.entry.value_or(0);
        bool timeWritten = false;
        for (const auto& w : writes) {
            if (w.first.find(L"PRESENTERRETRACTTIME") != std::wstring::npos) {
                timeWritten = true;
                EXPECT_EQ(w.second, *c.entry);
            }
        }
        EXPECT_EQ(timeWritten, c.accepted);
        // A rejected timeout stops nothing after it.
        EXPECT_EQ(writes.back().first, L"ADDITIONAL_OUTPUT");
    }
}

TEST(CopyLogoMode, StoredGenerateModeIsReadOnlyAndOnlyOneCounts) {
    const struct {
        std::optional<std::uint32_t> stored;
        bool generate;
    } cases[] = {{std::nullopt, false}, {0, false}, {1, true}, {2, false}, {0xFFFFFFFF, false}};
    for (const auto& c : cases) {
        RecordingPrinter printer;
        if (c.stored) printer.store.PutDword(L"LOGO_LOGOMODEGENERATE", *c.stored);
        EXPECT_EQ(StoredLogoGenerateMode(printer), c.generate);
        EXPECT_TRUE(printer.writes.empty());
    }
}

}  // namespace
}  // namespace zelt
