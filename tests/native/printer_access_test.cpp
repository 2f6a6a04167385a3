#include "settings/printer_access.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_printer_data.h"
#include "journal/copy_model.h"
#include "logo/logo_settings.h"
#include "pages/common/apply_verdict.h"
#include "pages/etb/etb_model.h"
#include "pages/raster/raster_model.h"
#include "pages/zoom/zoom_model.h"
#include "settings/setting_table.h"

namespace zelt {
namespace {

constexpr std::uint32_t kRpcUnavailable = 1722;

TEST(MayChangePrinter, OnlyTheNoPermissionBitCounts) {
    const struct {
        std::uint32_t flags;
        bool mayChange;
    } cases[] = {{0, true}, {kNoPermissionFlag, false}, {0x0002, true}, {0xFFFFFFFEu, true}, {0xFFFFFFFFu, false}};
    for (const auto& c : cases) EXPECT_EQ(MayChangePrinter(c.flags), c.mayChange) << std::hex << c.flags;
}

// --- Loading every page through a read-only store -----------------------------------------
// What a page's load shows, as numbers in a fixed order.
using Shown = std::vector<long long>;

struct PageLoad {
    const char* page;
    std::function<Shown(PrinterData&)> load;
};

Shown ShownOf(const RasterControls& c) {
    return {c.printQuality, c.paperType, c.cutPosition, c.drawer1,  c.drawer2,
            c.buzzer,       c.retractEnabled, c.wallMount, c.number};
}

std::vector<PageLoad> EveryPageLoad() {
    std::vector<PageLoad> loads;
    for (TemplateId raster : {kRasterStandard, kRasterA57, kRasterA59, kRasterB15, kRasterB18, kRasterC252}) {
        loads.push_back({"raster", [raster](PrinterData& printer) {
                             const RasterLoad load = LoadRasterPage(printer, RasterVariantFor(raster),
                                                                    std::wstring_view(L"C:\\drivers\\QRVC31.GPD"));
                             Shown shown = ShownOf(load.controls);
                             shown.push_back(load.paperTypeCount);
                             return shown;
                         }});
    }
    // A zoom data file makes the Logo page write its Generate mode off at load.
    for (const wchar_t* dataFile : {L"C:\\drivers\\QRVX10.GPD", L"C:\\drivers\\QWNB18_ZOOM.GPD"}) {
        loads.push_back({"logo", [dataFile](PrinterData& printer) {
                             const LogoControls c = LoadLogoPage(printer, std::wstring_view(dataFile));
                             Shown shown = {c.generateChecked, c.printChecked, c.generateAvailable, c.generateTo,
                                            c.fileType};
                             shown.insert(shown.end(), c.positionChoices.begin(), c.positionChoices.end());
                             return shown;
                         }});
    }
    for (TemplateId copy : {kCopyStandard, kCopyA57, kCopyA59, kCopyB18, kCopyC252}) {
        loads.push_back({"copy", [copy](PrinterData& printer) {
                             const CopyControls c = LoadCopyPage(printer, CopyVariantFor(copy));
                             return Shown{c.simpleCopy,     c.addScv,         c.logoPrint,
                                          c.printQuality,   c.cutPosition,    c.output,
                                          c.retractEnabled, c.retractTimeout, StoredLogoGenerateMode(printer)};
                         }});
    }
    loads.push_back({"zoom", [](PrinterData& printer) {
                         const ZoomControls c = LoadZoomPage(printer);
                         return Shown{c.focusArea, c.zoomFactor};
                     }});
    loads.push_back({"etb", [](PrinterData& printer) { return Shown{LoadEtbPage(printer)}; }});
    return loads;
}

// Printers as a read-only page may find them: nothing stored, every value
// stored and accepted (1 is in every range), every value out of range.
std::vector<FakePrinterData> PrinterStates() {
    FakePrinterData empty;
    FakePrinterData accepted;
    FakePrinterData outOfRange;
    for (const SettingSpec& setting : kSettings) {
        accepted.PutDword(setting.name, 1);
        outOfRange.PutDword(setting.name, 0xFFFFFFFFu);
    }
    return {empty, accepted, outOfRange};
}

TEST(ReadOnlyLoad, EveryPageShowsWhatItWouldAndWritesNothing) {
    for (const PageLoad& page : EveryPageLoad()) {
        int state = 0;
        for (const FakePrinterData& before : PrinterStates()) {
            SCOPED_TRACE(std::string(page.page) + ", printer state " + std::to_string(state++));
            FakePrinterData repaired = before;
            const Shown expected = page.load(repaired);

            FakePrinterData spooler = before;
            PageStore store(spooler, MayChangePrinter(kNoPermissionFlag));
            EXPECT_EQ(page.load(store), expected);
            EXPECT_EQ(spooler.writes, 0);
            EXPECT_EQ(spooler.values.size(), before.values.size());
            EXPECT_TRUE(store.readOnly());
            EXPECT_FALSE(store.writeRefused());
        }
    }
}

// A null or closed handle: every read fails as invalid. The page shows its
// defaults, as it would on an empty printer, and becomes read-only before its
// first repair would be written.
TEST(ReadOnlyLoad, AnUnreadablePrinterShowsTheDefaultsAndGetsNoWrite) {
    for (const PageLoad& page : EveryPageLoad()) {
        SCOPED_TRACE(page.page);
        FakePrinterData empty;
        const Shown defaults = page.load(empty);

        FakePrinterData unreadable;
        unreadable.readError = kInvalidHandleError;
        PageStore store(unreadable, true);
        EXPECT_FALSE(store.readOnly()) << "nothing is known before the first read";
        EXPECT_EQ(page.load(store), defaults);
        EXPECT_EQ(unreadable.writes, 0);
        EXPECT_TRUE(store.readOnly());
    }
}

TEST(ReadOnlyLoad, OtherReadFailuresAreRepairedAsBefore) {
    FakePrinterData failing;
    failing.readError = kRpcUnavailable;
    PageStore store(failing, true);
    EXPECT_EQ(LoadEtbPage(store), 0u);
    EXPECT_EQ(failing.writes, 1);
    EXPECT_FALSE(store.readOnly());
}

// --- Writing through a page's store --------------------------------------------------------
RasterEntries SomeRasterEntries() {
    RasterEntries entries{};
    entries.controls = {1, 2, 4, 3, 1, -1, false, true, 0};
    entries.number = 127;
    entries.paperTypeCount = 3;
    entries.paperTypeLoaded = true;
    return entries;
}

TEST(PageStore, PassesEveryWriteInTheSameOrderWhenNoneIsRefused) {
    const RasterVariant& page = RasterVariantFor(kRasterStandard);
    RecordingPrinter direct;
    ApplyRasterPage(direct, page, SomeRasterEntries());

    RecordingPrinter spooler;
    PageStore store(spooler, true);
    ApplyRasterPage(store, page, SomeRasterEntries());
    EXPECT_EQ(spooler.writes, direct.writes);
    EXPECT_EQ(spooler.malformedWrites, 0);
    EXPECT_FALSE(store.writeRefused());
    EXPECT_FALSE(store.readOnly());
}

// Any error counts, and the page's later writes are still made.
TEST(PageStore, RemembersARefusedWriteWhateverTheError) {
    for (std::uint32_t error : {5u, kInvalidHandleError, kRpcUnavailable, 0xFFFFFFFFu}) {
        SCOPED_TRACE(error);
        FakePrinterData spooler;
        spooler.writeError = error;
        spooler.refusedName = L"ETB_STATUS";
        PageStore store(spooler, true);
        ApplyEtbPage(store, false);
        EXPECT_TRUE(store.writeRefused());
        EXPECT_EQ(spooler.writes, 2);
        EXPECT_EQ(spooler.values.count(L"GLOBAL_ETBSTATUS"), 1u);
        EXPECT_FALSE(store.readOnly()) << "a refused write is reported, not turned into a read-only page";
    }
}

TEST(PageStore, ARefusedRepairLeavesTheDefaultShown) {
    FakePrinterData spooler;
    spooler.writeError = 5;
    PageStore store(spooler, true);
    EXPECT_EQ(LoadZoomPage(store).zoomFactor, 0);
    EXPECT_TRUE(store.writeRefused());
}

TEST(PageStore, AReadOnlyPageSendsNoWriteAndReportsNoRefusal) {
    FakePrinterData spooler;
    PageStore store(spooler, false);
    const unsigned char bytes[4] = {1, 0, 0, 0};
    EXPECT_EQ(store.Set(L"ETB_STATUS", kRegDword, bytes, 4), kAccessDeniedError);
    EXPECT_EQ(spooler.writes, 0);
    EXPECT_FALSE(store.writeRefused());
}

// --- The answer to PSN_APPLY ----------------------------------------------------------------
TEST(DecideApply, OneMessageAtMostAndTheSheetKeptOpenOnAnyFailure) {
    const struct {
        bool refused;
        bool rejected;
        bool alreadyShown;
        bool showNotSaved;
        bool showRejected;
        ApplyAnswer answer;
    } cases[] = {
        {false, false, false, false, false, ApplyAnswer::kAccepted},
        {false, false, true, false, false, ApplyAnswer::kAccepted},
        {false, true, false, false, true, ApplyAnswer::kInvalid},
        {false, true, true, false, true, ApplyAnswer::kInvalid},
        {true, false, false, true, false, ApplyAnswer::kInvalidStayOnPage},
        {true, false, true, false, false, ApplyAnswer::kInvalidStayOnPage},
        {true, true, false, true, false, ApplyAnswer::kInvalidStayOnPage},
        {true, true, true, false, false, ApplyAnswer::kInvalidStayOnPage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.refused << c.rejected << c.alreadyShown);
        const ApplyVerdict verdict = DecideApply(c.refused, c.rejected, c.alreadyShown);
        EXPECT_EQ(verdict.showNotSaved, c.showNotSaved);
        EXPECT_EQ(verdict.showRejected, c.showRejected);
        EXPECT_EQ(verdict.answer, c.answer);
    }
}

}  // namespace
}  // namespace zelt
