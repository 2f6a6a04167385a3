#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fake_printer_data.h"
#include "frame/page_plan.h"
#include "pages/etb/etb_model.h"
#include "pages/zoom/zoom_model.h"
#include "setting_named.h"
#include "settings/setting_table.h"

namespace zelt {
namespace {

constexpr std::uint32_t kAllBits = 0xFFFFFFFFu;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// --- Load with repair, for each remembered value of the two pages ----------------------
struct PageValue {
    const wchar_t* name;
    std::uint16_t page;
    // Loads the page and returns what it shows for this value.
    std::function<std::uint32_t(PrinterData&)> shown;
};

const PageValue kPageValues[] = {
    {L"ZOOM_FOCUSAREA", kZoom,
     [](PrinterData& printer) { return static_cast<std::uint32_t>(LoadZoomPage(printer).focusArea); }},
    {L"ZOOM_ZOOMFACTOR", kZoom,
     [](PrinterData& printer) { return static_cast<std::uint32_t>(LoadZoomPage(printer).zoomFactor); }},
    {L"ETB_STATUS", kEtb, [](PrinterData& printer) { return LoadEtbPage(printer); }},
};

std::vector<unsigned char> BytesOf(std::uint32_t value, std::size_t length) {
    unsigned char four[8] = {};
    std::memcpy(four, &value, 4);
    return std::vector<unsigned char>(four, four + length);
}

struct StoredForm {
    std::string what;
    bool present;
    std::uint32_t type;
    std::vector<unsigned char> bytes;
    bool accepted;
    std::uint32_t shown;  // when accepted
};

// Every way a value may be stored: missing, another type, each length from 0
// to 8 bytes, all bits set, and each end of the accepted range and one past it.
std::vector<StoredForm> StoredForms(const SettingSpec& spec) {
    const AcceptedRange range = AcceptedRangeOn(spec.setting, PaperTypes::kThree);
    std::vector<StoredForm> forms = {
        {"missing", false, kRegDword, {}, false, 0},
        {"REG_BINARY", true, 3, BytesOf(range.high, 4), false, 0},
        {"REG_SZ", true, 1, BytesOf(range.high, 4), false, 0},
        {"all bits set", true, kRegDword, BytesOf(kAllBits, 4), false, 0},
        {"lowest", true, kRegDword, BytesOf(range.low, 4), true, range.low},
        {"highest", true, kRegDword, BytesOf(range.high, 4), true, range.high},
        {"one past the highest", true, kRegDword, BytesOf(range.high + 1, 4), false, 0},
        {"one below the lowest", true, kRegDword, BytesOf(range.low - 1, 4), false, 0},
    };
    for (std::size_t length = 0; length <= 8; ++length) {
        if (length == 4) continue;
        forms.push_back({std::to_string(length) + " bytes", true, kRegDword, BytesOf(range.high, length), false, 0});
    }
    return forms;
}

TEST(ZoomEtbLoad, AcceptsOnlyAFourByteNumberInRangeAndRepairsEverythingElse) {
    for (const PageValue& value : kPageValues) {
        const SettingSpec& spec = *SettingNamed(value.name);
        const std::uint32_t repairDefault = RepairDefault(spec.setting, value.page);
        for (const StoredForm& form : StoredForms(spec)) {
            SCOPED_TRACE(Narrow(value.name) + ": " + form.what);
            RecordingPrinter printer;
            if (form.present) printer.store.values[value.name] = FakePrinterData::Stored{form.type, form.bytes};
            const std::uint32_t shown = value.shown(printer);
            const std::optional<std::uint32_t> stored = ReadSetting(printer, spec.setting);
            if (form.accepted) {
                EXPECT_EQ(shown, form.shown);
                EXPECT_EQ(stored, form.shown);
                for (const auto& write : printer.writes) EXPECT_NE(write.first, value.name) << "an accepted value";
            } else {
                EXPECT_EQ(shown, repairDefault);
                EXPECT_EQ(stored, repairDefault) << "written back as a 4-byte REG_DWORD";
                EXPECT_EQ(std::count(printer.writes.begin(), printer.writes.end(),
                                     std::make_pair(std::wstring(value.name), repairDefault)),
                          1);
            }
        }
    }
}

TEST(ZoomEtbLoad, AFreshPrinterGetsTheRepairsInOrderAndNoDriverValue) {
    RecordingPrinter zoomPrinter;
    const ZoomControls zoom = LoadZoomPage(zoomPrinter);
    EXPECT_EQ(zoom.focusArea, 0);
    EXPECT_EQ(zoom.zoomFactor, 0);
    EXPECT_EQ(zoomPrinter.writes, (Writes{{L"ZOOM_FOCUSAREA", 0}, {L"ZOOM_ZOOMFACTOR", 0}}));

    RecordingPrinter etbPrinter;
    EXPECT_EQ(LoadEtbPage(etbPrinter), 0u);
    EXPECT_EQ(etbPrinter.writes, (Writes{{L"ETB_STATUS", 0}}));
}

// --- Zoom page ------------------------------------------------------------------------
TEST(ZoomLists, HoldOneItemPerAcceptedPositionWithTheFixedFactorTexts) {
    EXPECT_EQ(kFocusAreaStrings.size(), AcceptedRangeOn(Setting::ZOOM_FOCUSAREA, PaperTypes::kThree).high + 1);
    EXPECT_EQ(kZoomFactorTexts.size(), AcceptedRangeOn(Setting::ZOOM_ZOOMFACTOR, PaperTypes::kThree).high + 1);
    for (std::size_t n = 0; n < kZoomFactorTexts.size(); ++n) {
        char expected[8];
        std::snprintf(expected, sizeof expected, "+%02u%%", static_cast<unsigned>(5 * n));
        EXPECT_EQ(Narrow(kZoomFactorTexts[n]), expected) << "position " << n;
    }
}

TEST(ZoomPage, TheZoomFactorIsUsableUnlessTheFocusAreaIsAll) {
    const struct {
        int focusArea;
        bool enabled;
    } cases[] = {{0, false}, {1, true}, {2, true}, {3, true}, {-1, true}};
    for (const auto& c : cases) EXPECT_EQ(ZoomFactorEnabled(c.focusArea), c.enabled) << c.focusArea;
}

TEST(ZoomPage, DefaultsSelectAllWithNoZoom) {
    const ZoomControls defaults = ZoomDefaults();
    EXPECT_EQ(defaults.focusArea, 0);
    EXPECT_EQ(defaults.zoomFactor, 0);
    EXPECT_FALSE(ZoomFactorEnabled(defaults.focusArea));
}

struct ZoomApplyCase {
    int focusArea;
    int zoomFactor;
    Writes writes;
};

const ZoomApplyCase kZoomApplies[] = {
    {0, 10,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 10}, {L"GLOBAL_ZOOM", 10}, {L"ZOOM_FOCUSAREA", 0},
      {L"GLOBAL_FOCUSAREA", 1}, {L"GLOBAL_ZOOM", 0}}},
    {1, 5,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 5}, {L"GLOBAL_ZOOM", 5}, {L"ZOOM_FOCUSAREA", 1},
      {L"GLOBAL_FOCUSAREA", 0}}},
    {2, 0,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 0}, {L"GLOBAL_ZOOM", 0}, {L"ZOOM_FOCUSAREA", 2},
      {L"GLOBAL_FOCUSAREA", 1}}},
    {3, 19,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 19}, {L"GLOBAL_ZOOM", 19}, {L"ZOOM_FOCUSAREA", 3},
      {L"GLOBAL_FOCUSAREA", 2}}},
    // No focus area selected: its remembered value holds all bits (repaired
    // at the next load) and the renderer's focus area is left alone.
    {-1, 7,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", 7}, {L"GLOBAL_ZOOM", 7}, {L"ZOOM_FOCUSAREA", kAllBits}}},
    // No zoom factor selected: the renderer never gets all bits as its zoom.
    {1, -1,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", kAllBits}, {L"ZOOM_FOCUSAREA", 1}, {L"GLOBAL_FOCUSAREA", 0}}},
    {0, -1,
     {{L"GLOBAL_OPERATINGMODE", 3}, {L"ZOOM_ZOOMFACTOR", kAllBits}, {L"ZOOM_FOCUSAREA", 0}, {L"GLOBAL_FOCUSAREA", 1},
      {L"GLOBAL_ZOOM", 0}}},
};

TEST(ZoomApply, WritesEachValueInOrderForEveryFocusArea) {
    for (const ZoomApplyCase& c : kZoomApplies) {
        SCOPED_TRACE("focus " + std::to_string(c.focusArea) + ", zoom " + std::to_string(c.zoomFactor));
        RecordingPrinter printer;
        ApplyZoomPage(printer, ZoomControls{c.focusArea, c.zoomFactor});
        EXPECT_EQ(printer.writes, c.writes);
        EXPECT_EQ(printer.malformedWrites, 0);
    }
}

TEST(ZoomApply, AppliedValuesLoadBackAsTheyWereShown) {
    for (int focus = 0; focus < static_cast<int>(kFocusAreaStrings.size()); ++focus) {
        for (int zoom = 0; zoom < static_cast<int>(kZoomFactorTexts.size()); ++zoom) {
            RecordingPrinter printer;
            ApplyZoomPage(printer, ZoomControls{focus, zoom});
            printer.writes.clear();
            const ZoomControls shown = LoadZoomPage(printer);
            EXPECT_EQ(shown.focusArea, focus);
            EXPECT_EQ(shown.zoomFactor, zoom);
            EXPECT_TRUE(printer.writes.empty());
        }
    }
}

// --- ETB page ---------------------------------------------------------------------------
TEST(EtbPage, DefaultsToNotSendingTheCommand) { EXPECT_EQ(EtbDefault(), 0u); }

TEST(EtbApply, TakesTheValueFromTheDisableButtonAloneAndWritesBothValues) {
    const struct {
        const char* what;
        bool disableChecked;
        std::uint32_t value;
    } cases[] = {
        {"Disable checked", true, 0},
        {"Disable clear: Enable checked, or neither button", false, 1},
    };
    for (const auto& c : cases) {
        RecordingPrinter printer;
        ApplyEtbPage(printer, c.disableChecked);
        EXPECT_EQ(printer.writes, (Writes{{L"ETB_STATUS", c.value}, {L"GLOBAL_ETBSTATUS", c.value}})) << c.what;
        EXPECT_EQ(printer.malformedWrites, 0);
    }
}

}  // namespace
}  // namespace zelt
