// The pages and the Save As dialog from the keyboard, in the language the
// program runs in (registered once in English and once in Japanese): Alt plus
// a control's access key reaches it and clicks an option or check box, the key
// of a disabled control does nothing, Tab goes through a page in the order its
// controls stand, stopping once in each group of option buttons, and every
// caption shows whole. One page of each kind, on the model that has them all
// (and the Logo page also on a model that can generate logos).
//
// Keys go through the sheet's own dialog-message handling on its thread
// (PSM_ISDIALOGMESSAGE, which its message loop calls for every message), and
// through the Save As dialog's loop by posting them to the focused control.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "page_driver.h"
#include "resources/resource.h"
#include "settings/printer_access.h"

using namespace zelt::test;

namespace {

constexpr UINT kSendTimeoutMs = 10000;
constexpr DWORD kWaitMs = 3000;

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::string Name(HWND window) {
    if (window == nullptr) return "nothing";
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return std::to_string(GetDlgCtrlID(window)) + " (" + Narrow(className) + ")";
}

bool IsButtonOfType(HWND control, std::initializer_list<LONG> types) {
    wchar_t className[16] = {};
    if (GetClassNameW(control, className, 16) == 0 || lstrcmpiW(className, L"Button") != 0) return false;
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    for (LONG t : types) {
        if (type == t) return true;
    }
    return false;
}
bool IsCheckBox(HWND control) { return IsButtonOfType(control, {BS_CHECKBOX, BS_AUTOCHECKBOX}); }
bool IsOption(HWND control) { return IsButtonOfType(control, {BS_RADIOBUTTON, BS_AUTORADIOBUTTON}); }

bool Checked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

// A key the user presses: Alt plus a letter, or a key alone (Tab, arrows).
struct Key {
    char letter;  // 0: `virtualKey` alone
    UINT virtualKey;
};
constexpr Key Alt(char letter) { return {letter, 0}; }
constexpr Key kTab{0, VK_TAB};
constexpr Key kDown{0, VK_DOWN};

MSG MessageFor(HWND focus, Key key) {
    MSG msg{};
    msg.hwnd = focus;
    if (key.letter != 0) {
        msg.message = WM_SYSCHAR;  // what Alt+letter becomes once translated
        msg.wParam = static_cast<WPARAM>(key.letter - 'A' + 'a');
        msg.lParam = 0x20000001;   // Alt held, once
    } else {
        msg.message = WM_KEYDOWN;
        msg.wParam = key.virtualKey;
        msg.lParam = 1;
    }
    msg.time = GetTickCount();
    return msg;
}

// Presses a key in the sheet as its message loop handles it: the sheet's
// dialog handling first, and what that leaves goes to the focused control.
void PressInSheet(HWND sheet, Key key) {
    MSG msg = MessageFor(FocusOf(sheet), key);
    DWORD_PTR handled = FALSE;
    SendMessageTimeoutW(sheet, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        &handled);
    if (!handled) {
        SendMessageTimeoutW(msg.hwnd, msg.message, msg.wParam, msg.lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &handled);
    }
}

// Gives the focus to a control as the dialog manager does.
void FocusControl(HWND dialog, HWND control) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE, SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &ignored);
}

// The controls Tab stops at, from the page's first one until the focus
// leaves the page for the sheet's own controls.
std::vector<int> TabStops(HWND sheet, HWND page) {
    std::vector<int> stops;
    HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
    if (first == nullptr) return stops;
    FocusControl(sheet, first);
    for (HWND focus = FocusOf(sheet); IsChild(page, focus) && stops.size() < 40; focus = FocusOf(sheet)) {
        stops.push_back(GetDlgCtrlID(focus));
        PressInSheet(sheet, kTab);
        if (FocusOf(sheet) == first) break;
    }
    return stops;
}

// --- Captions shown whole ----------------------------------------------------------
// The width a caption needs as drawn (the key's underline and the Japanese
// "(X)" included) against the width its control gives it.
struct CaptionRoom {
    std::wstring text;
    int needed;
    int room;
};

CaptionRoom RoomOf(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    RECT client{};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    DWORD_PTR font = 0;
    SendMessageTimeoutW(control, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &font);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(font));
    RECT drawn{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &drawn, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);

    int room = client.right;
    if (lstrcmpiW(className, L"Button") == 0) {
        if (IsCheckBox(control) || IsOption(control)) {
            room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and the gap after it
        } else if (IsButtonOfType(control, {BS_GROUPBOX})) {
            room -= 16;  // the frame's corners around the title
        } else {
            room -= 8;   // the button's edges and focus frame
        }
    }
    return {text, drawn.right, room};
}

BOOL CALLBACK CollectCaptioned(HWND control, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const bool captioned = lstrcmpiW(className, L"Button") == 0 || lstrcmpiW(className, L"Static") == 0;
    if (captioned && IsWindowVisible(control) && GetWindowTextLengthW(control) > 0) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(control);
    }
    return TRUE;
}

void ExpectCaptionsWhole(HWND dialog) {
    std::vector<HWND> controls;
    EnumChildWindows(dialog, &CollectCaptioned, reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls) {
        const CaptionRoom room = RoomOf(control);
        EXPECT_LE(room.needed, room.room) << Name(control) << " \"" << Narrow(room.text) << "\" is cut";
    }
}

// --- Pages ---------------------------------------------------------------------------
// A key pressed on a page and where the focus is then: on `control` (an
// option or check box also clicked), or, for 0, where it was (the key's
// control is disabled).
struct Step {
    Key key;
    int control;
};

struct PageCase {
    const char* name;
    const wchar_t* model;
    int tab;
    std::vector<Step> steps;       // from a printer with no stored values
    std::vector<int> tabStops;     // then, from the page's first control
    std::vector<Step> afterwards;
    NamedNumbers seed = {};
    bool readOnly = false;  // opened for a user without the right to change the printer
};

// The model with a page of every kind (Raster 115, Logo 108, Copy 116, Zoom
// 110, ETB 114), and a plain one for the Logo page in Generate mode, which
// zoom models lack.
const PageCase kPages[] = {
    {"Raster115",
     kZoomModel,
     kRasterTab,
     {{Alt('R'), 0},  // the retract timeout is off while "Disabled" is chosen
      {Alt('Q'), IDC_RASTER_PRINT_QUALITY_LIST},
      {Alt('P'), IDC_RASTER_PAPER_TYPE_LIST},
      {Alt('E'), IDC_RASTER_CUT_ACTION_LIST},
      {Alt('B'), IDC_RASTER_RETRACT_ENABLED},
      {Alt('R'), IDC_RASTER_RETRACT_TIMEOUT_EDIT},
      {Alt('I'), IDC_RASTER_RETRACT_DISABLED},
      {Alt('R'), 0},
      {Alt('V'), IDC_RASTER_VERTICAL_MOUNT}},
     {IDC_RASTER_PRINT_QUALITY_LIST, IDC_RASTER_PAPER_TYPE_LIST, IDC_RASTER_CUT_ACTION_LIST,
      IDC_RASTER_RETRACT_DISABLED, IDC_RASTER_VERTICAL_MOUNT, IDC_RASTER_DEFAULTS},
     {{Alt('D'), IDC_RASTER_DEFAULTS}}},
    {"Logo108",
     kPlainModel,
     kLogoTab,
     {{Alt('T'), 0},
      {Alt('L'), 0},  // Generate's controls are off in Print mode
      {Alt('C'), IDC_LOGO_DOC_TOP_LIST},
      {Alt('O'), IDC_LOGO_PAGE_TOP_LIST},
      {Alt('B'), IDC_LOGO_PAGE_BOTTOM_LIST},
      {Alt('M'), IDC_LOGO_DOC_BOTTOM_LIST},
      {Alt('F'), IDC_LOGO_FILE_TYPE_LIST},
      {Alt('G'), IDC_LOGO_GENERATE},
      {Alt('C'), 0},
      {Alt('T'), IDC_LOGO_GENERATE_TO_LIST},
      {Alt('P'), IDC_LOGO_PRINT}},
     {IDC_LOGO_PRINT, IDC_LOGO_DOC_TOP_LIST, IDC_LOGO_PAGE_TOP_LIST, IDC_LOGO_PAGE_BOTTOM_LIST,
      IDC_LOGO_DOC_BOTTOM_LIST, IDC_LOGO_FILE_TYPE_LIST, IDC_LOGO_DEFAULTS},
     {{Alt('D'), IDC_LOGO_DEFAULTS}}},
    {"Logo108OnAZoomModel",
     kZoomModel,
     kLogoTab,
     {{Alt('G'), 0}, {Alt('T'), 0}},  // no Generate mode
     {IDC_LOGO_PRINT, IDC_LOGO_DOC_TOP_LIST, IDC_LOGO_PAGE_TOP_LIST, IDC_LOGO_PAGE_BOTTOM_LIST,
      IDC_LOGO_DOC_BOTTOM_LIST, IDC_LOGO_FILE_TYPE_LIST, IDC_LOGO_DEFAULTS},
     {}},
    {"Copy116",
     kZoomModel,
     kCopyTab,
     {{Alt('Q'), 0},  // everything but "Simple Copy" is off while it is checked
      {Alt('S'), IDC_COPY_SIMPLE_COPY},
      {Alt('C'), IDC_COPY_ADD_SCV},
      {Alt('L'), IDC_COPY_LOGO_PRINT},
      {Alt('Q'), IDC_COPY_QUALITY_LIST},
      {Alt('E'), IDC_COPY_CUT_LIST},
      {Alt('R'), 0},
      {Alt('B'), IDC_COPY_RETRACT_ENABLED},
      {Alt('R'), IDC_COPY_RETRACT_TIMEOUT_EDIT},
      {Alt('I'), IDC_COPY_RETRACT_DISABLED},
      {Alt('J'), IDC_COPY_APPEND},
      {Alt('N'), IDC_COPY_PRINT_AND_APPEND},
      {Alt('O'), IDC_COPY_PRINT_AFTER},
      {Alt('T'), IDC_COPY_JOURNAL_LIST}},
     {IDC_COPY_SIMPLE_COPY, IDC_COPY_DEFAULTS, IDC_COPY_ADD_SCV, IDC_COPY_LOGO_PRINT, IDC_COPY_QUALITY_LIST,
      IDC_COPY_CUT_LIST, IDC_COPY_RETRACT_DISABLED, IDC_COPY_PRINT_AFTER, IDC_COPY_JOURNAL_LIST, IDC_COPY_PRINT_JOURNAL,
      IDC_COPY_SAVE_AS},
     {{Alt('D'), IDC_COPY_DEFAULTS}, {Alt('T'), 0}}},
    // Read-only, the labels' keys go nowhere with their lists (from Print, and
    // from the sheet's OK where the Tab walk ends); the journal's list, Print
    // and Save As stay.
    {"Copy116ReadOnly",
     kZoomModel,
     kCopyTab,
     {{kTab, IDC_COPY_PRINT_JOURNAL}, {Alt('Q'), 0}, {Alt('E'), 0}, {Alt('R'), 0}, {Alt('S'), 0}, {Alt('D'), 0}},
     {IDC_COPY_JOURNAL_LIST, IDC_COPY_PRINT_JOURNAL, IDC_COPY_SAVE_AS},
     {{Alt('Q'), 0}, {Alt('T'), IDC_COPY_JOURNAL_LIST}},
     {{L"COPY_SIMPLECOPY", 0}, {L"COPY_PRESENTERRETRACT", 1}},
     true},
    {"Zoom110",
     kZoomModel,
     kZoomTab,
     {{Alt('Z'), 0},  // the zoom factor is off while the focus area is "All"
      {Alt('F'), IDC_ZOOM_FOCUS_AREA_LIST},
      {kDown, IDC_ZOOM_FOCUS_AREA_LIST},
      {Alt('Z'), IDC_ZOOM_FACTOR_LIST}},
     {IDC_ZOOM_FOCUS_AREA_LIST, IDC_ZOOM_FACTOR_LIST, IDC_ZOOM_DEFAULTS},
     {{Alt('D'), IDC_ZOOM_DEFAULTS}, {Alt('Z'), 0}}},
    {"Etb114",
     kZoomModel,
     kEtbTab,
     {{Alt('E'), IDC_ETB_ENABLE}, {Alt('I'), IDC_ETB_DISABLE}},
     {IDC_ETB_DISABLE, IDC_ETB_DEFAULTS},
     {{Alt('D'), IDC_ETB_DEFAULTS}}},
};

void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

class KeyboardPage : public ::testing::TestWithParam<PageCase> {
protected:
    void RunSteps(HWND sheet, HWND page, const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            const std::string what = step.key.letter ? std::string("Alt+") + step.key.letter : "an arrow key";
            HWND before = FocusOf(sheet);
            HWND target = step.control ? GetDlgItem(page, step.control) : nullptr;
            const bool wasChecked = target && Checked(target);
            PressInSheet(sheet, step.key);
            HWND after = FocusOf(sheet);
            if (step.control == 0) {
                EXPECT_EQ(after, before) << what << " moved the focus to " << Name(after);
                continue;
            }
            EXPECT_EQ(after, target) << what << " put the focus on " << Name(after);
            if (step.key.letter && IsOption(target)) EXPECT_TRUE(Checked(target)) << what << " did not choose it";
            if (step.key.letter && IsCheckBox(target)) EXPECT_NE(Checked(target), wasChecked) << what;
        }
    }
};

TEST_P(KeyboardPage, KeysReachTheControlsAndTabReadsThePage) {
    const PageCase& c = GetParam();
    PageSession session;
    std::wstring error;
    ASSERT_TRUE(session.Prepare(c.model, error, c.seed)) << Narrow(error);
    if (c.readOnly) session.plugin().sheetParams()->dwFlags = zelt::kNoPermissionFlag;
    ASSERT_TRUE(session.OpenSheet(error)) << Narrow(error);
    HWND page = session.ShowPage(c.tab);
    ASSERT_NE(page, nullptr);
    HWND sheet = session.sheet().window();
    ExpectCaptionsWhole(page);

    FocusControl(sheet, GetNextDlgTabItem(page, nullptr, FALSE));
    RunSteps(sheet, page, c.steps);
    EXPECT_EQ(TabStops(sheet, page), c.tabStops);
    RunSteps(sheet, page, c.afterwards);
    session.Press(SheetButton::kCancel);
}

INSTANTIATE_TEST_SUITE_P(Pages, KeyboardPage, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

// --- The Save As dialog ----------------------------------------------------------------
constexpr int kNameField = IDC_SAVE_AS_NAME;
constexpr int kCancelButton = IDC_SAVE_AS_CANCEL;
constexpr int kOkButton = IDC_SAVE_AS_OK;

struct DialogSearch {
    HWND found;
};

BOOL CALLBACK FindSaveAs(HWND window, LPARAM context) {
    if (!IsWindowVisible(window) || GetDlgItem(window, kNameField) == nullptr) return TRUE;
    reinterpret_cast<DialogSearch*>(context)->found = window;
    return FALSE;
}

HWND WaitForSaveAs(DWORD thread) {
    for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
        DialogSearch search{nullptr};
        EnumThreadWindows(thread, &FindSaveAs, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    }
    return nullptr;
}

// Posts a key to the focused control, for the dialog's own loop to handle,
// and waits until the focus moves away from where it was (or the dialog ends).
HWND PressInDialog(HWND dialog, Key key) {
    HWND before = FocusOf(dialog);
    const MSG msg = MessageFor(before, key);
    PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    for (DWORD waited = 0; waited < kWaitMs && IsWindow(dialog) && FocusOf(dialog) == before; waited += 10) Sleep(10);
    return FocusOf(dialog);
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

TEST(KeyboardSaveAs, KeysTabOrderAndAWholeLayoutInTheMiddleOfThePage) {
    PageSession session;
    std::wstring error;
    ASSERT_TRUE(session.Prepare(kZoomModel, error)) << Narrow(error);
    ASSERT_TRUE(ClearFolder(session.JournalFolder(), L"*", error)) << Narrow(error);
    ASSERT_TRUE(WriteWholeFile(session.JournalFolder() + L"\\CurrentJournal.zrj", "journal"));
    ASSERT_TRUE(session.OpenSheet(error)) << Narrow(error);
    HWND page = session.ShowPage(kCopyTab);
    ASSERT_NE(page, nullptr);
    HWND sheet = session.sheet().window();
    FocusControl(sheet, GetDlgItem(page, IDC_COPY_SIMPLE_COPY));
    PressInSheet(sheet, Alt('S'));  // "Simple Copy" off: Save As on
    ASSERT_TRUE(IsEnabled(page, IDC_COPY_SAVE_AS));
    // Posted, as the sheet's loop takes a key: Save As then runs its dialog.
    const MSG saveAs = MessageFor(FocusOf(sheet), Alt('V'));
    PostMessageW(saveAs.hwnd, saveAs.message, saveAs.wParam, saveAs.lParam);
    HWND dialog = WaitForSaveAs(GetWindowThreadProcessId(sheet, nullptr));
    ASSERT_NE(dialog, nullptr) << "Alt+V did not open Save As";

    EXPECT_EQ(GetDlgCtrlID(FocusOf(dialog)), kNameField) << "the name is typed first";
    std::vector<int> stops{GetDlgCtrlID(FocusOf(dialog))};
    for (int i = 0; i < 3; ++i) stops.push_back(GetDlgCtrlID(PressInDialog(dialog, kTab)));
    EXPECT_EQ(stops, (std::vector<int>{kNameField, kOkButton, kCancelButton, kNameField}));
    PressInDialog(dialog, kTab);
    EXPECT_EQ(GetDlgCtrlID(PressInDialog(dialog, Alt('N'))), kNameField);

    // Laid out whole: the prompt on one line, the whole proposed name in its
    // field, whole button captions, nothing outside the dialog.
    ExpectCaptionsWhole(dialog);
    HWND name = GetDlgItem(dialog, kNameField);
    RECT shown{};
    SendMessageTimeoutW(name, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        nullptr);
    DWORD_PTR font = 0;
    SendMessageTimeoutW(name, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &font);
    HDC dc = GetDC(name);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(font));
    const std::wstring proposed = L"ArchiveJournal__term_n__mm_dd_yyyy__hhmm";
    SIZE extent{};
    GetTextExtentPoint32W(dc, proposed.c_str(), static_cast<int>(proposed.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(name, dc);
    EXPECT_LE(extent.cx, shown.right - shown.left) << "the proposed name does not show whole";
    RECT client{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (int id : {-1, kNameField, kOkButton, kCancelButton}) {
        HWND control = id == -1 ? GetWindow(dialog, GW_CHILD) : GetDlgItem(dialog, id);
        RECT rect = ScreenRect(control);
        RECT inside{};
        EXPECT_TRUE(IntersectRect(&inside, &rect, &client) && EqualRect(&inside, &rect)) << Name(control);
    }
    // In the middle of the Copy Options page that owns it.
    const RECT outer = ScreenRect(dialog);
    const RECT pageRect = ScreenRect(page);
    const int tolerance = GetSystemMetrics(SM_CYCAPTION) / 2;
    EXPECT_NEAR((outer.left + outer.right) / 2, (pageRect.left + pageRect.right) / 2, tolerance);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (pageRect.top + pageRect.bottom) / 2, tolerance);

    PressInDialog(dialog, Alt('C'));
    for (DWORD waited = 0; waited < kWaitMs && IsWindow(dialog); waited += 20) Sleep(20);
    EXPECT_FALSE(IsWindow(dialog)) << "Alt+C did not cancel";
    EXPECT_EQ(ReadWholeFile(session.JournalFolder() + L"\\CurrentJournal.zrj").value_or(""), "journal");
    session.Press(SheetButton::kCancel);
}

}  // namespace
