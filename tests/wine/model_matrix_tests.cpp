// Every model end to end in the printer's real Properties sheet: a printer
// with no stored values, every page shown (load repairs), every page's
// defaults button pressed and the sheet applied (remembered and driver
// values), then the sheet opened again (what the pages show).
//
// One table drives it: the expected values and controls of each page variant,
// written out by hand rather than taken from the product's own tables, and
// per model the variants it gets. A failure names the model, the page and
// the value or control.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "page_driver.h"
#include "resources/resource.h"
#include "settings/printer_access.h"
#include "settings/setting_table.h"

using namespace zelt::test;

namespace {

// --- What a page variant stores and shows ----------------------------------------------
struct ValueExpectation {
    const wchar_t* name;
    // What the first load writes on a printer with no values; nothing for a
    // driver value, which no page writes before apply.
    std::optional<DWORD> repaired;
    DWORD afterDefaults;  // stored after the defaults button and apply
};

enum class Shown {
    kSelection,  // a drop-down list's selected position
    kItemCount,  // a drop-down list's number of items
    kCheckBox,   // 1 checked, 0 clear
    kRadio,      // 1 checked, 0 clear
    kNumber,     // an edit field's text as a number
    kEnabled,    // 1 enabled, 0 disabled
};

struct ControlExpectation {
    int id;
    Shown kind;
    int value;  // as the defaults button leaves it, and as the next opening shows it
};

struct PageExpectation {
    const char* name;
    int defaultsButton;
    std::vector<ValueExpectation> values;
    // In the order a user can change them: a control that another one
    // enables comes after it.
    std::vector<ControlExpectation> controls;
};

// Raster Print Options: drawers of the standard, "A57" and "A59" pages.
const std::vector<ValueExpectation> kDrawerValues = {
    {L"RPO_DRAWER1", 0, 0},
    {L"RPO_DRAWER1PULSEWIDTH", 20, 20},
    {L"RPO_DRAWER2", 0, 0},
    {L"ORIGINAL_DOCDRAWER1", {}, 0},
    {L"ORIGINAL_DOCDRAWER1PULSEWIDTH", {}, 19},
    {L"ORIGINAL_DOCDRAWER2", {}, 0},
};
// Drawer 1 on "No Use" disables its pulse width.
const std::vector<ControlExpectation> kDrawerControls = {{IDC_RASTER_DRAWER1_LIST, Shown::kSelection, 0},
                                                         {IDC_RASTER_DRAWER_PULSE_EDIT, Shown::kNumber, 20},
                                                         {IDC_RASTER_DRAWER_PULSE_EDIT, Shown::kEnabled, 0},
                                                         {IDC_RASTER_DRAWER2_LIST, Shown::kSelection, 0}};

std::vector<ValueExpectation> Joined(std::vector<ValueExpectation> first, const std::vector<ValueExpectation>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}
std::vector<ControlExpectation> Joined(std::vector<ControlExpectation> first,
                                       const std::vector<ControlExpectation>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

// The Raster page's common settings: print quality (repair, defaults),
// paper type, cut-action row (repair, defaults) with the defaults row's
// codes, and vertical mount.
std::vector<ValueExpectation> RasterValues(DWORD qualityRepair, DWORD cutRepair, DWORD cutDefaults, DWORD pageCode,
                                           DWORD documentCode, DWORD topSearch) {
    return {
        {L"RPO_PRINTQUALITY", qualityRepair, 0},
        {L"RPO_PAPERTYPE", 0, 0},
        {L"RPO_PAGEDOCCUTACTION", cutRepair, cutDefaults},
        {L"RPO_WALLMOUNT", 0, 0},
        {L"ORIGINAL_PRINTQUALITY", {}, 0},
        {L"GLOBAL_PAPERTYPE", {}, 0},
        {L"ORIGINAL_PAGECUTACTION", {}, pageCode},
        {L"ORIGINAL_DOCCUTACTION", {}, documentCode},
        {L"ORIGINAL_DOCTOPSEARCH", {}, topSearch},
    };
}
std::vector<ControlExpectation> RasterControls(int paperTypes, int cutPosition) {
    return {{IDC_RASTER_PRINT_QUALITY_LIST, Shown::kSelection, 0},
            {IDC_RASTER_PAPER_TYPE_LIST, Shown::kSelection, 0},
            {IDC_RASTER_PAPER_TYPE_LIST, Shown::kItemCount, paperTypes},
            {IDC_RASTER_CUT_ACTION_LIST, Shown::kSelection, cutPosition},
            {IDC_RASTER_VERTICAL_MOUNT, Shown::kCheckBox, 0}};
}

// Row 2 "Form Feed / Partial Cut": codes 0, 5, 0.
const PageExpectation kRasterStandard = {"Raster Print Options 107", IDC_RASTER_DEFAULTS,
                                         Joined(RasterValues(2, 11, 2, 0, 5, 0), kDrawerValues),
                                         Joined(RasterControls(3, 2), kDrawerControls)};
const PageExpectation kRasterStandardC31 = {"Raster Print Options 107 with a fourth paper type", IDC_RASTER_DEFAULTS,
                                            Joined(RasterValues(2, 11, 2, 0, 5, 0), kDrawerValues),
                                            Joined(RasterControls(4, 2), kDrawerControls)};
// Row 1 "Form Feed / Tear Bar" at list position 1: codes 0, 1, 0.
const PageExpectation kRasterA57 = {"Raster Print Options 106 (A57)", IDC_RASTER_DEFAULTS,
                                    Joined(RasterValues(0, 1, 1, 0, 1, 0), kDrawerValues),
                                    Joined(RasterControls(3, 1), kDrawerControls)};
// Row 2 at list position 1.
const PageExpectation kRasterA59 = {"Raster Print Options 112 (A59)", IDC_RASTER_DEFAULTS,
                                    Joined(RasterValues(0, 2, 2, 0, 5, 0), kDrawerValues),
                                    Joined(RasterControls(3, 1), kDrawerControls)};
// All twelve rows; row 2 at position 2.
const PageExpectation kRasterB15 = {"Raster Print Options 117 (B15)", IDC_RASTER_DEFAULTS,
                                    RasterValues(0, 2, 2, 0, 5, 0), RasterControls(3, 2)};
// Row 10 "Full Cut / Full Cut" at position 1: codes 3, 3, 0.
const PageExpectation kRasterB18 = {
    "Raster Print Options 115 (B18)", IDC_RASTER_DEFAULTS,
    Joined(RasterValues(0, 10, 10, 3, 3, 0), {{L"PO_PRESENTERRETRACT", 0, 0},
                                              {L"PO_PRESENTERRETRACTTIME", 30, 30},
                                              {L"ORIGINAL_PRESENTERRETRACT", {}, 0},
                                              {L"ORIGINAL_PRESENTERRETRACTTIME", {}, 30}}),
    Joined(RasterControls(3, 1), {{IDC_RASTER_RETRACT_ENABLED, Shown::kRadio, 0},
                                  {IDC_RASTER_RETRACT_DISABLED, Shown::kRadio, 1},
                                  {IDC_RASTER_RETRACT_TIMEOUT_EDIT, Shown::kNumber, 30},
                                  {IDC_RASTER_RETRACT_TIMEOUT_EDIT, Shown::kEnabled, 0}})};
// Repaired to row 2, which the list does not offer; the defaults button
// selects position 1, row 3 "Form Feed / Full Cut": codes 0, 3, 0.
const PageExpectation kRasterC252 = {
    "Raster Print Options 119 (C252)", IDC_RASTER_DEFAULTS,
    Joined(RasterValues(0, 2, 3, 0, 3, 0), {{L"RPO_PERIPHERAL1", 0, 0},
                                            {L"RPO_PERIPHERAL1PULSEWIDTH", 10, 10},
                                            {L"ORIGINAL_PERIPHERAL1", {}, 0},
                                            {L"ORIGINAL_PERIPHERAL1PULSEWIDTH", {}, 9}}),
    Joined(RasterControls(4, 1), {{IDC_RASTER_BUZZER_LIST, Shown::kSelection, 0},
                                  {IDC_RASTER_BUZZER_PULSE_EDIT, Shown::kNumber, 10},
                                  {IDC_RASTER_BUZZER_PULSE_EDIT, Shown::kEnabled, 0}})};

// Print mode, every list on its first item. The Logo page's operating mode
// is 0 here; on a zoom model the Zoom page, applied after it, leaves 3.
const PageExpectation kLogo = {"Logo 108",
                               IDC_LOGO_DEFAULTS,
                               {
                                   {L"LOGO_LOGOMODEGENERATE", 0, 0},
                                   {L"LOGO_LOGOMODEPRINT", 1, 1},
                                   {L"LOGO_LOGOGENERATETO", 0, 0},
                                   {L"LOGO_DOCTOPLOGO", 0, 0},
                                   {L"LOGO_PAGETOPLOGO", 0, 0},
                                   {L"LOGO_PAGEBOTTOMLOGO", 0, 0},
                                   {L"LOGO_DOCBOTTOMLOGO", 0, 0},
                                   {L"LOGO_FILETYPE", 0, 0},
                                   {L"ORIGINAL_DOCTOPLOGO", {}, 0},
                                   {L"ORIGINAL_PAGETOPLOGO", {}, 0},
                                   {L"ORIGINAL_PAGEBOTTOMLOGO", {}, 0},
                                   {L"ORIGINAL_DOCBOTTOMLOGO", {}, 0},
                                   {L"ORIGINAL_LOGOFILETYPE", {}, 0},
                                   {L"GLOBAL_OPERATINGMODE", {}, 0},
                               },
                               // The position lists first: Generate mode disables them.
                               {{IDC_LOGO_DOC_TOP_LIST, Shown::kSelection, 0},
                                {IDC_LOGO_PAGE_TOP_LIST, Shown::kSelection, 0},
                                {IDC_LOGO_PAGE_BOTTOM_LIST, Shown::kSelection, 0},
                                {IDC_LOGO_DOC_BOTTOM_LIST, Shown::kSelection, 0},
                                {IDC_LOGO_FILE_TYPE_LIST, Shown::kSelection, 0},
                                {IDC_LOGO_PRINT, Shown::kRadio, 1},
                                {IDC_LOGO_GENERATE, Shown::kRadio, 0},
                                {IDC_LOGO_GENERATE_TO_LIST, Shown::kSelection, 0},
                                {IDC_LOGO_GENERATE_TO_LIST, Shown::kEnabled, 0},
                                {IDC_LOGO_DOC_TOP_LIST, Shown::kEnabled, 1}}};

// Simple copy on, so no additional copy goes out whatever the method.
std::vector<ValueExpectation> CopyValues(DWORD cutRepair, DWORD cutDefaults, DWORD pageCode, DWORD documentCode,
                                         DWORD topSearch) {
    return {
        {L"COPY_SIMPLECOPY", 1, 1},
        {L"COPY_LOGOPRINT", 0, 0},
        {L"COPY_ADDSCV", 1, 1},
        {L"COPY_PRINTQUALITY", 0, 0},
        {L"COPY_PAGEDOCCUTACTION", cutRepair, cutDefaults},
        {L"COPY_OUTPUT", 2, 2},
        {L"ADDITIONAL_SCV", {}, 1},
        {L"ADDITIONAL_PRINTLOGOS", {}, 0},
        {L"ADDITIONAL_PRINTQUALITY", {}, 0},
        {L"ADDITIONAL_PAGECUTACTION", {}, pageCode},
        {L"ADDITIONAL_DOCCUTACTION", {}, documentCode},
        {L"ADDITIONAL_DOCTOPSEARCH", {}, topSearch},
        {L"ADDITIONAL_OUTPUT", {}, 0},
    };
}
// "Simple Copy" first: it enables the rest.
std::vector<ControlExpectation> CopyControls(int cutPosition) {
    return {{IDC_COPY_SIMPLE_COPY, Shown::kCheckBox, 1},
            {IDC_COPY_ADD_SCV, Shown::kCheckBox, 1},
            {IDC_COPY_LOGO_PRINT, Shown::kCheckBox, 0},
            {IDC_COPY_QUALITY_LIST, Shown::kSelection, 0},
            {IDC_COPY_CUT_LIST, Shown::kSelection, cutPosition},
            {IDC_COPY_PRINT_AFTER, Shown::kRadio, 1},
            {IDC_COPY_APPEND, Shown::kRadio, 0},
            {IDC_COPY_PRINT_AND_APPEND, Shown::kRadio, 0},
            {IDC_COPY_JOURNAL_LIST, Shown::kSelection, 0},
            {IDC_COPY_SIMPLE_COPY, Shown::kEnabled, 1},
            {IDC_COPY_QUALITY_LIST, Shown::kEnabled, 0}};
}

const PageExpectation kCopyStandard = {"Copy Options 109", IDC_COPY_DEFAULTS, CopyValues(2, 2, 0, 5, 0),
                                       CopyControls(2)};
const PageExpectation kCopyA57 = {"Copy Options 105 (A57)", IDC_COPY_DEFAULTS, CopyValues(1, 1, 0, 1, 0),
                                  CopyControls(1)};
const PageExpectation kCopyA59 = {"Copy Options 111 (A59)", IDC_COPY_DEFAULTS, CopyValues(2, 2, 0, 5, 0),
                                  CopyControls(1)};
const PageExpectation kCopyB18 = {"Copy Options 116 (B18)", IDC_COPY_DEFAULTS,
                                  Joined(CopyValues(10, 10, 3, 3, 0), {{L"COPY_PRESENTERRETRACT", 0, 0},
                                                                       {L"COPY_PRESENTERRETRACTTIME", 30, 30},
                                                                       {L"ADDITIONAL_PRESENTERRETRACT", {}, 0},
                                                                       {L"ADDITIONAL_PRESENTERRETRACTTIME", {}, 30}}),
                                  Joined(CopyControls(1), {{IDC_COPY_RETRACT_ENABLED, Shown::kRadio, 0},
                                                           {IDC_COPY_RETRACT_DISABLED, Shown::kRadio, 1},
                                                           {IDC_COPY_RETRACT_TIMEOUT_EDIT, Shown::kNumber, 30},
                                                           {IDC_COPY_RETRACT_TIMEOUT_EDIT, Shown::kEnabled, 0}})};
// Repaired to row 2 (not offered); the defaults button selects row 3.
const PageExpectation kCopyC252 = {"Copy Options 118 (C252)", IDC_COPY_DEFAULTS, CopyValues(2, 3, 0, 3, 0),
                                   CopyControls(1)};

// Focus "All" is written as the center focus and no zoom.
const PageExpectation kZoom = {"Zoom 110",
                               IDC_ZOOM_DEFAULTS,
                               {
                                   {L"ZOOM_FOCUSAREA", 0, 0},
                                   {L"ZOOM_ZOOMFACTOR", 0, 0},
                                   {L"GLOBAL_OPERATINGMODE", {}, 3},
                                   {L"GLOBAL_ZOOM", {}, 0},
                                   {L"GLOBAL_FOCUSAREA", {}, 1},
                               },
                               {{IDC_ZOOM_FOCUS_AREA_LIST, Shown::kSelection, 0},
                                {IDC_ZOOM_FACTOR_LIST, Shown::kSelection, 0},
                                {IDC_ZOOM_FACTOR_LIST, Shown::kEnabled, 0}}};

const PageExpectation kEtb = {"ETB 114",
                              IDC_ETB_DEFAULTS,
                              {{L"ETB_STATUS", 0, 0}, {L"GLOBAL_ETBSTATUS", {}, 0}},
                              {{IDC_ETB_DISABLE, Shown::kRadio, 1}, {IDC_ETB_ENABLE, Shown::kRadio, 0}}};

// --- The models ----------------------------------------------------------------------
struct ModelCase {
    const wchar_t* dataFile;
    std::vector<const PageExpectation*> pages;  // in tab order
    // One of the zoom data files, which cannot generate logos: the Logo
    // page disables "Generate" and writes it off at every load.
    bool logoCannotGenerate = false;
};

const ModelCase kModels[] = {
    {L"QRVX10.GPD", {&kRasterStandard, &kLogo, &kCopyStandard, &kEtb}},
    {L"QRVC31.GPD", {&kRasterStandardC31, &kLogo, &kCopyStandard, &kEtb}},
    {L"QRVA57.GPD", {&kRasterA57, &kLogo, &kCopyA57, &kEtb}},
    {L"QRVA59.GPD", {&kRasterA59, &kLogo, &kCopyA59, &kEtb}},
    {L"QRVB15.GPD", {&kRasterB15, &kLogo, &kCopyStandard, &kEtb}},
    {L"QRVB15_FIXZOOM.GPD", {&kRasterB15, &kLogo, &kCopyStandard, &kEtb}},
    {L"QRVB18.GPD", {&kRasterB18, &kLogo, &kCopyB18, &kEtb}},
    {L"QWNB18_ZOOM.GPD", {&kRasterB18, &kLogo, &kCopyB18, &kZoom, &kEtb}, true},
    {L"QRVC252.GPD", {&kRasterC252, &kLogo, &kCopyC252, &kEtb}},
    {L"QRVD67_ZOOM.GPD", {&kRasterStandard, &kLogo, &kCopyStandard, &kZoom, &kEtb}, true},
    {L"QWNB15_ZOOM.GPD", {&kRasterB15, &kLogo, &kCopyStandard, &kZoom, &kEtb}, true},
    {L"B18\\PLAIN.GPD", {&kRasterB18, &kLogo, &kCopyB18, &kEtb}},
    {L"QRVA57C252.GPD", {&kRasterA57, &kLogo, &kCopyA57, &kEtb}},
};

// A model's values: each page's own, the page applied later (a later tab)
// winning where two pages write one value.
struct ComposedValue {
    std::optional<DWORD> repaired;
    DWORD afterDefaults;
    std::string page;
};

std::map<std::wstring, ComposedValue> ComposeValues(const ModelCase& model) {
    std::map<std::wstring, ComposedValue> values;
    for (const PageExpectation* page : model.pages) {
        for (const ValueExpectation& value : page->values) {
            values[value.name] = {value.repaired, value.afterDefaults, page->name};
        }
    }
    return values;
}

std::set<std::wstring> WrittenNames(const std::string& when) {
    std::set<std::wstring> names;
    for (const RecordedWrite& write : TakeRecordedWrites()) {
        EXPECT_EQ(write.type, static_cast<DWORD>(REG_DWORD)) << when << ": " << Narrow(write.name);
        EXPECT_EQ(write.size, 4u) << when << ": " << Narrow(write.name);
        names.insert(write.name);
    }
    return names;
}

std::string Listed(const std::set<std::wstring>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + Narrow(name);
    return text.empty() ? "none" : text;
}

// Moves a control away from what the defaults button will set, as far as
// the page lets a user; a control the page keeps disabled stays as it is.
void Disturb(HWND page, const ControlExpectation& control) {
    switch (control.kind) {
        case Shown::kSelection: {
            const int count = ListCount(page, control.id);
            if (count > 1) PickListItem(page, control.id, (control.value + 1) % count);
            break;
        }
        case Shown::kCheckBox:
            Click(page, control.id);
            break;
        case Shown::kRadio:
            if (control.value == 0) Click(page, control.id);
            break;
        case Shown::kNumber:
            TypeText(page, control.id, std::to_wstring(control.value == 7 ? 8 : 7));
            break;
        case Shown::kItemCount:
        case Shown::kEnabled:
            break;
    }
}

int ShownValue(HWND page, const ControlExpectation& control) {
    switch (control.kind) {
        case Shown::kSelection:
            return ListSelection(page, control.id);
        case Shown::kItemCount:
            return ListCount(page, control.id);
        case Shown::kCheckBox:
        case Shown::kRadio:
            return IsChecked(page, control.id) ? 1 : 0;
        case Shown::kNumber: {
            const std::wstring text = ControlText(page, control.id);
            return text.empty() ? -1 : _wtoi(text.c_str());
        }
        case Shown::kEnabled:
            return IsEnabled(page, control.id) ? 1 : 0;
    }
    return -1;
}

const char* KindName(Shown kind) {
    switch (kind) {
        case Shown::kSelection:
            return "selection";
        case Shown::kItemCount:
            return "item count";
        case Shown::kCheckBox:
            return "check box";
        case Shown::kRadio:
            return "radio button";
        case Shown::kNumber:
            return "number";
        case Shown::kEnabled:
            return "enabled";
    }
    return "";
}

// `readOnly`: the values only; which controls are enabled is checked apart.
void ExpectShown(HWND window, const ModelCase& model, const PageExpectation& page, const char* when,
                 bool readOnly = false) {
    const std::string modelName = Narrow(model.dataFile);
    if (&page == &kLogo && !readOnly) {
        EXPECT_EQ(IsEnabled(window, IDC_LOGO_GENERATE), !model.logoCannotGenerate)
            << modelName << ", " << page.name << ", control 1033 (enabled) " << when;
    }
    for (const ControlExpectation& control : page.controls) {
        if (readOnly && control.kind == Shown::kEnabled) continue;
        EXPECT_EQ(ShownValue(window, control), control.value)
            << modelName << ", " << page.name << ", control " << control.id << " (" << KindName(control.kind) << ") "
            << when;
    }
}

void PrintTo(const ModelCase& model, std::ostream* out) { *out << Narrow(model.dataFile); }

class ModelMatrix : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ModelMatrix, RepairsDefaultsApplyAndReopen) {
    const ModelCase& model = GetParam();
    const std::string modelName = Narrow(model.dataFile);
    const auto expected = ComposeValues(model);
    const int pageCount = static_cast<int>(model.pages.size());

    PageSession session;
    std::wstring error;
    ASSERT_TRUE(session.Open(model.dataFile, error)) << modelName << ": " << Narrow(error);
    ASSERT_EQ(session.sheet().PageCount(), pageCount) << modelName;
    PrinterValues& store = session.values();

    // Every page shown once: each writes exactly its remembered values, repaired.
    for (int tab = 0; tab < pageCount; ++tab) {
        ASSERT_NE(session.ShowPage(tab), nullptr) << modelName << ", " << model.pages[tab]->name;
    }
    std::set<std::wstring> repairs;
    for (const auto& [name, value] : expected) {
        if (value.repaired) repairs.insert(name);
    }
    EXPECT_EQ(Listed(WrittenNames(modelName + " load")), Listed(repairs)) << modelName << ": values written at load";
    for (const auto& [name, value] : expected) {
        const std::string where = modelName + ", " + value.page + ", " + Narrow(name);
        if (value.repaired) {
            EXPECT_EQ(store.Number(name.c_str()), value.repaired) << where << " after load";
        } else {
            EXPECT_EQ(store.Read(name.c_str()).status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
                << where << ": a driver value stored before apply";
        }
    }

    // Each page moved away from its defaults, then its defaults button, then Apply.
    for (int tab = 0; tab < pageCount; ++tab) {
        const PageExpectation& page = *model.pages[tab];
        HWND window = session.ShowPage(tab);
        ASSERT_NE(window, nullptr) << modelName << ", " << page.name;
        for (const ControlExpectation& control : page.controls) Disturb(window, control);
        ASSERT_TRUE(Click(window, page.defaultsButton)) << modelName << ", " << page.name << ": defaults button";
        ExpectShown(window, model, page, "after its defaults button");
    }
    EXPECT_TRUE(WrittenNames(modelName + " defaults").empty()) << modelName << ": the defaults button wrote";
    const PressOutcome applied = session.Press(SheetButton::kApply);
    ASSERT_TRUE(applied.taken) << modelName;
    EXPECT_TRUE(applied.messages.empty()) << modelName << ": " << Narrow(applied.messages.front().text);

    std::set<std::wstring> all;
    for (const auto& entry : expected) all.insert(entry.first);
    EXPECT_EQ(Listed(WrittenNames(modelName + " apply")), Listed(all)) << modelName << ": values written at apply";
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(store.Number(name.c_str()), value.afterDefaults)
            << modelName << ", " << value.page << ", " << Narrow(name) << " after defaults and apply";
    }
    for (const zelt::SettingSpec& setting : zelt::kSettings) {
        if (expected.count(setting.name)) continue;
        EXPECT_EQ(store.Read(setting.name).status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
            << modelName << ": " << Narrow(setting.name) << " stored by a page that does not own it";
    }
    const PressOutcome closed = session.Press(SheetButton::kOk);
    ASSERT_TRUE(closed.taken) << modelName;
    ASSERT_FALSE(closed.sheetOpen) << modelName;
    TakeRecordedWrites();  // OK applied once more

    // Opened again: every page shows what was applied and repairs nothing.
    ASSERT_TRUE(session.OpenSheet(error)) << modelName << ": " << Narrow(error);
    for (int tab = 0; tab < pageCount; ++tab) {
        const PageExpectation& page = *model.pages[tab];
        HWND window = session.ShowPage(tab);
        ASSERT_NE(window, nullptr) << modelName << ", " << page.name;
        ExpectShown(window, model, page, "when opened again");
    }
    const std::set<std::wstring> rewritten =
        model.logoCannotGenerate ? std::set<std::wstring>{L"LOGO_LOGOMODEGENERATE"} : std::set<std::wstring>{};
    EXPECT_EQ(Listed(WrittenNames(modelName + " reopen")), Listed(rewritten))
        << modelName << ": values written when opened again";
    EXPECT_TRUE(session.Press(SheetButton::kCancel).taken) << modelName;
}

// What a user without the right to change the printer can still use: the
// Logo page's Generate To list and "Print All Logos", the Copy Options page's
// journal list, "Print" and "Save As".
const std::set<int> kUsableWhenReadOnly = {IDC_LOGO_GENERATE_TO_LIST, IDC_LOGO_PRINT_ALL, IDC_COPY_JOURNAL_LIST,
                                           IDC_COPY_PRINT_JOURNAL, IDC_COPY_SAVE_AS};

// The same pages with DPS_NOPERMISSION: what the defaults button and apply
// store above is shown, nothing that changes a setting can be used, the sheet
// is never told of a change, and nothing at all is written. Every page finds
// values a page that may write repairs: those whose repair the defaults
// store too are left out, and ETB_STATUS is out of range.
TEST_P(ModelMatrix, ReadOnlyShowsWhatIsStoredAndWritesNothing) {
    const ModelCase& model = GetParam();
    const std::string modelName = Narrow(model.dataFile);
    PageSession session;
    std::wstring error;
    ASSERT_TRUE(session.Prepare(model.dataFile, error)) << modelName << ": " << Narrow(error);
    for (const auto& [name, value] : ComposeValues(model)) {
        if (value.repaired != value.afterDefaults) session.values().Write(name.c_str(), value.afterDefaults);
    }
    session.values().Write(L"ETB_STATUS", 7);
    const std::wstring stored = session.values().Table();
    session.plugin().sheetParams()->dwFlags = zelt::kNoPermissionFlag;
    ASSERT_TRUE(session.OpenSheet(error)) << modelName << ": " << Narrow(error);

    for (int tab = 0; tab < static_cast<int>(model.pages.size()); ++tab) {
        const PageExpectation& page = *model.pages[tab];
        HWND window = session.ShowPage(tab);
        ASSERT_NE(window, nullptr) << modelName << ", " << page.name;
        for (const ControlExpectation& control : page.controls) {
            if (!kUsableWhenReadOnly.count(control.id)) Disturb(window, control);
        }
        ExpectShown(window, model, page, "read-only", true);
        for (int id : EnabledInputs(window)) {
            EXPECT_TRUE(kUsableWhenReadOnly.count(id)) << modelName << ", " << page.name << ": control " << id;
        }
        for (int id : kUsableWhenReadOnly) {
            if (GetDlgItem(window, id) == nullptr) continue;
            EXPECT_TRUE(IsEnabled(window, id)) << modelName << ", " << page.name << ": " << id;
        }
    }
    EXPECT_FALSE(ApplyButtonEnabled(session.sheet())) << modelName << ": the sheet was told of a change";
    const PressOutcome applied = session.Press(SheetButton::kApply);
    const PressOutcome closed = session.Press(SheetButton::kOk);
    EXPECT_TRUE(applied.messages.empty() && closed.messages.empty()) << modelName;
    EXPECT_FALSE(closed.sheetOpen) << modelName;
    EXPECT_EQ(Listed(WrittenNames(modelName + " read-only")), "none");
    EXPECT_EQ(Narrow(session.values().Table()), Narrow(stored)) << modelName;
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ModelMatrix, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                             return TestNameOf(info.param.dataFile);
                         });

}  // namespace
