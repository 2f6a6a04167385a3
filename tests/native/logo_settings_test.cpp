#include "logo/logo_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_printer_data.h"

namespace zelt {
namespace {

const wchar_t kPlainFile[] = L"C:\\windows\\system32\\spool\\drivers\\w32x86\\3\\QRVX10.GPD";
const wchar_t kZoomFile[] = L"C:\\windows\\system32\\spool\\drivers\\w32x86\\3\\QWNB18_ZOOM.GPD";

TEST(IsZoomDataFile, LooksOnlyAtTheFileNameCaseSensitively) {
    EXPECT_TRUE(IsZoomDataFile(L"QRVD67_ZOOM.GPD"));
    EXPECT_TRUE(IsZoomDataFile(L"C:\\x\\QWNB15_ZOOM.GPD"));
    EXPECT_TRUE(IsZoomDataFile(kZoomFile));
    EXPECT_TRUE(IsZoomDataFile(L"C:\\x\\NEWQWNB18_ZOOM.GPD.OLD")) << "a substring of the name";
    EXPECT_FALSE(IsZoomDataFile(L"C:\\QWNB18_ZOOM.GPD\\PLAIN.GPD")) << "a folder of that name does not count";
    EXPECT_FALSE(IsZoomDataFile(L"C:\\x\\qwnb18_zoom.gpd"));
    EXPECT_FALSE(IsZoomDataFile(L"C:\\x\\QRVB15_FIXZOOM.GPD"));
    EXPECT_FALSE(IsZoomDataFile(L"C:\\x\\QWNB19_ZOOM.GPD"));
    EXPECT_FALSE(IsZoomDataFile(L""));
}

TEST(LoadLogoPage, FreshPrinterWritesEveryDefaultInOrder) {
    RecordingPrinter printer;
    const LogoControls shown = LoadLogoPage(printer, std::wstring_view(kPlainFile));
    EXPECT_EQ(printer.writes, (Writes{{L"LOGO_LOGOMODEGENERATE", 0},
                                      {L"LOGO_LOGOMODEPRINT", 1},
                                      {L"LOGO_LOGOGENERATETO", 0},
                                      {L"LOGO_DOCTOPLOGO", 0},
                                      {L"LOGO_PAGETOPLOGO", 0},
                                      {L"LOGO_PAGEBOTTOMLOGO", 0},
                                      {L"LOGO_DOCBOTTOMLOGO", 0},
                                      {L"LOGO_FILETYPE", 0}}));
    EXPECT_FALSE(shown.generateChecked);
    EXPECT_TRUE(shown.printChecked);
    EXPECT_TRUE(shown.generateAvailable);
    EXPECT_EQ(shown.generateTo, 0);
    EXPECT_EQ(shown.positionChoices, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(shown.fileType, 0);
}

TEST(LoadLogoPage, KeepsGoodValuesAndRepairsBadOnes) {
    RecordingPrinter printer;
    printer.store.PutDword(L"LOGO_LOGOMODEGENERATE", 1);
    printer.store.PutDword(L"LOGO_LOGOMODEPRINT", 0);
    printer.store.PutDword(L"LOGO_LOGOGENERATETO", 3);
    printer.store.PutDword(L"LOGO_DOCTOPLOGO", 3);  // out of range
    printer.store.PutDword(L"LOGO_PAGETOPLOGO", 2);
    printer.store.PutDword(L"LOGO_PAGEBOTTOMLOGO", 0xFFFFFFFF);
    printer.store.PutDword(L"LOGO_DOCBOTTOMLOGO", 1);
    printer.store.PutDword(L"LOGO_FILETYPE", 1);
    const LogoControls shown = LoadLogoPage(printer, std::wstring_view(kPlainFile));
    EXPECT_EQ(printer.writes, (Writes{{L"LOGO_DOCTOPLOGO", 0}, {L"LOGO_PAGEBOTTOMLOGO", 0}}));
    EXPECT_TRUE(shown.generateChecked);
    EXPECT_FALSE(shown.printChecked);
    EXPECT_EQ(shown.generateTo, 3);
    EXPECT_EQ(shown.positionChoices, (std::array<int, 4>{0, 2, 0, 1}));
    EXPECT_EQ(shown.fileType, 1);
}

TEST(LoadLogoPage, ZoomDataFileTurnsGenerateOff) {
    RecordingPrinter printer;
    printer.store.PutDword(L"LOGO_LOGOMODEGENERATE", 1);
    printer.store.PutDword(L"LOGO_LOGOMODEPRINT", 0);
    const LogoControls shown = LoadLogoPage(printer, std::wstring_view(kZoomFile));
    ASSERT_GE(printer.writes.size(), 1u);
    EXPECT_EQ(printer.writes[0], (std::pair<std::wstring, std::uint32_t>{L"LOGO_LOGOMODEGENERATE", 0}));
    EXPECT_FALSE(shown.generateChecked);
    EXPECT_FALSE(shown.printChecked) << "neither button is checked";
    EXPECT_FALSE(shown.generateAvailable);
}

TEST(LoadLogoPage, UnknownDataFileLeavesGenerateAvailable) {
    RecordingPrinter printer;
    printer.store.PutDword(L"LOGO_LOGOMODEGENERATE", 1);
    const LogoControls shown = LoadLogoPage(printer, std::nullopt);
    EXPECT_TRUE(shown.generateChecked);
    EXPECT_TRUE(shown.generateAvailable);
}

TEST(LogoDefaults, PrintModeFirstItemsAndGenerateAvailabilityKept) {
    for (bool available : {true, false}) {
        const LogoControls defaults = LogoDefaults(available);
        EXPECT_FALSE(defaults.generateChecked);
        EXPECT_TRUE(defaults.printChecked);
        EXPECT_EQ(defaults.generateAvailable, available);
        EXPECT_EQ(defaults.generateTo, 0);
        EXPECT_EQ(defaults.positionChoices, (std::array<int, 4>{0, 0, 0, 0}));
        EXPECT_EQ(defaults.fileType, 0);
    }
}

// --- Apply ----------------------------------------------------------------------
LogoControls PrintMode(std::array<int, 4> choices, int fileType = 0) {
    LogoControls controls;
    controls.positionChoices = choices;
    controls.fileType = fileType;
    return controls;
}

TEST(ApplyLogoPage, PrintModeWritesChoicesThenModeInOrder) {
    RecordingPrinter printer;
    ApplyLogoPage(printer, PrintMode({2, 1, 0, 2}, 1), std::wstring_view(kPlainFile));
    EXPECT_EQ(printer.writes, (Writes{{L"LOGO_DOCTOPLOGO", 2},
                                      {L"ORIGINAL_DOCTOPLOGO", 2},
                                      {L"LOGO_PAGETOPLOGO", 1},
                                      {L"ORIGINAL_PAGETOPLOGO", 1},
                                      {L"LOGO_PAGEBOTTOMLOGO", 0},
                                      {L"ORIGINAL_PAGEBOTTOMLOGO", 0},
                                      {L"LOGO_DOCBOTTOMLOGO", 2},
                                      {L"ORIGINAL_DOCBOTTOMLOGO", 2},
                                      {L"LOGO_FILETYPE", 1},
                                      {L"ORIGINAL_LOGOFILETYPE", 1},
                                      {L"LOGO_LOGOMODEGENERATE", 0},
                                      {L"GLOBAL_OPERATINGMODE", 0},
                                      {L"LOGO_LOGOMODEPRINT", 1},
                                      {L"LOGO_LOGOGENERATETO", 0}}));
}

TEST(ApplyLogoPage, OperatingModeByModeAndDataFile) {
    const struct {
        const char* what;
        bool generate;
        std::optional<std::wstring_view> dataFile;
        std::optional<std::uint32_t> mode;
    } cases[] = {
        {"print, plain", false, std::wstring_view(kPlainFile), 0u},
        {"print, zoom file", false, std::wstring_view(kZoomFile), 3u},
        {"print, _ZOOM in a folder", false, std::wstring_view(L"C:\\A_ZOOM\\PLAIN.GPD"), 3u},
        {"print, lower-case _zoom", false, std::wstring_view(L"C:\\x\\QRV_zoom.GPD"), 0u},
        {"print, unknown data file", false, std::nullopt, std::nullopt},
        {"generate, plain", true, std::wstring_view(kPlainFile), 2u},
        {"generate, other _ZOOM file", true, std::wstring_view(L"C:\\x\\QRVX_ZOOM.GPD"), 2u},
        {"generate, unknown data file", true, std::nullopt, 2u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePrinterData printer;
        LogoControls controls;
        controls.generateChecked = c.generate;
        controls.printChecked = !c.generate;
        ApplyLogoPage(printer, controls, c.dataFile);
        EXPECT_EQ(ReadSetting(printer, Setting::GLOBAL_OPERATINGMODE), c.mode);
    }
}

TEST(ApplyLogoPage, GenerateModeMarksOnlyTheGeneratedPosition) {
    RecordingPrinter printer;
    LogoControls controls = PrintMode({1, 2, 1, 2});
    controls.generateChecked = true;
    controls.printChecked = false;
    controls.generateTo = kPageBottom;
    ApplyLogoPage(printer, controls, std::wstring_view(kPlainFile));
    const Writes tail(printer.writes.end() - 7, printer.writes.end());
    EXPECT_EQ(tail, (Writes{{L"GLOBAL_OPERATINGMODE", 2},
                            {L"LOGO_LOGOMODEPRINT", 0},
                            {L"LOGO_LOGOGENERATETO", 2},
                            {L"ORIGINAL_DOCTOPLOGO", 0},
                            {L"ORIGINAL_PAGETOPLOGO", 0},
                            {L"ORIGINAL_PAGEBOTTOMLOGO", 2},
                            {L"ORIGINAL_DOCBOTTOMLOGO", 0}}));
    EXPECT_EQ(ReadSetting(printer.store, Setting::LOGO_DOCTOPLOGO), 1u) << "the lists keep their own indexes";
    EXPECT_EQ(ReadSetting(printer.store, Setting::LOGO_PAGETOPLOGO), 2u);
    EXPECT_EQ(ReadSetting(printer.store, Setting::LOGO_PAGEBOTTOMLOGO), 1u);
    EXPECT_EQ(ReadSetting(printer.store, Setting::LOGO_DOCBOTTOMLOGO), 2u);
}

TEST(ApplyLogoPage, NoSelectionStoresAllOnesAndNoDriverValue) {
    RecordingPrinter printer;
    LogoControls controls = PrintMode({-1, 1, -1, 0}, -1);
    controls.generateChecked = true;
    controls.generateTo = -1;
    ApplyLogoPage(printer, controls, std::wstring_view(kPlainFile));
    EXPECT_EQ(ReadSetting(printer.store, Setting::LOGO_DOCTOPLOGO), 0xFFFFFFFFu);
    EXPECT_EQ(ReadSetting(printer.store, Setting::ORIGINAL_DOCTOPLOGO), std::nullopt);
    EXPECT_EQ(ReadSetting(printer.store, Setting::ORIGINAL_PAGETOPLOGO), 1u);
    EXPECT_EQ(ReadSetting(printer.store, Setting::LOGO_FILETYPE), 0xFFFFFFFFu);
    EXPECT_EQ(ReadSetting(printer.store, Setting::ORIGINAL_LOGOFILETYPE), std::nullopt);
    EXPECT_EQ(ReadSetting(printer.store, Setting::LOGO_LOGOGENERATETO), 0xFFFFFFFFu);
    EXPECT_EQ(ReadSetting(printer.store, Setting::ORIGINAL_PAGEBOTTOMLOGO), std::nullopt)
        << "no position to mark without a Generate To selection";
}

TEST(ApplyLogoPage, ZoomFileAfterLoadStoresNeitherMode) {
    FakePrinterData printer;
    printer.PutDword(L"LOGO_LOGOMODEGENERATE", 1);
    printer.PutDword(L"LOGO_LOGOMODEPRINT", 0);
    const LogoControls shown = LoadLogoPage(printer, std::wstring_view(kZoomFile));
    ApplyLogoPage(printer, shown, std::wstring_view(kZoomFile));
    EXPECT_EQ(ReadSetting(printer, Setting::LOGO_LOGOMODEGENERATE), 0u);
    EXPECT_EQ(ReadSetting(printer, Setting::LOGO_LOGOMODEPRINT), 0u);
    EXPECT_EQ(ReadSetting(printer, Setting::GLOBAL_OPERATINGMODE), 3u);
}

TEST(CopyCouplingFor, GenerateTurnsEverythingOffPrintFollowsSimpleCopy) {
    EXPECT_EQ(CopyCouplingFor(true, true).simpleCopyEnabled, false);
    EXPECT_EQ(CopyCouplingFor(true, false).othersEnabled, false);
    EXPECT_EQ(CopyCouplingFor(true, false).simpleCopyEnabled, false);
    EXPECT_EQ(CopyCouplingFor(false, true).simpleCopyEnabled, true);
    EXPECT_EQ(CopyCouplingFor(false, true).othersEnabled, false);
    EXPECT_EQ(CopyCouplingFor(false, false).othersEnabled, true);
}

}  // namespace
}  // namespace zelt
