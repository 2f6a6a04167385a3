// Help from the pages in the real sheet: the sheet's Help button opens the
// page's topic, F1 on a control opens the control's topic from the page's
// table, in the help file of the system's language. WinHelpW is watched
// through the plug-in's import table and answered without opening anything.
// With the .chm beside the .hlp the pages use HtmlHelpW, which the module
// finds with GetProcAddress in the hhctrl.ocx it loads: the tests watch that
// load and answer the GetProcAddress call (through the same import table)
// with a recording stand-in.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "iat_hook.h"
#include "page_driver.h"
#include "resources/resource.h"

using namespace zelt::test;

namespace {

struct HelpCall {
    std::wstring file;
    UINT command;
    std::vector<DWORD> pairs;  // HELP_WM_HELP / HH_TP_HELP_WM_HELP: the table up to its (0, 0)
    ULONG_PTR data;
    HWND caller = nullptr;
};

std::vector<HelpCall> g_calls;      // WinHelpW
std::vector<HelpCall> g_htmlCalls;  // HtmlHelpW

constexpr UINT kHhDisplayTopic = 0x0000;   // HH_DISPLAY_TOPIC
constexpr UINT kHhTpHelpWmHelp = 0x0011;   // HH_TP_HELP_WM_HELP

// How the stand-in for hhctrl.ocx's HtmlHelpW behaves.
enum class HtmlHelpMode { kRecords, kNotFound, kFails };
HtmlHelpMode g_htmlHelpMode = HtmlHelpMode::kRecords;
int g_htmlHelpAsked = 0;  // GetProcAddress(..., "HtmlHelpW") calls
HMODULE g_htmlHelpAskedOf = nullptr;  // the module it was asked of

// The plug-in's loads of hhctrl.ocx, by the name it gave; refused (as for a
// missing or unreadable file) while g_refuseHelpLibrary is set.
std::vector<std::wstring> g_helpLibraryLoads;
bool g_refuseHelpLibrary = false;

bool NamesHelpLibrary(LPCWSTR name) {
    if (name == nullptr) return false;
    std::wstring lower(name);
    CharLowerW(lower.data());
    return lower.find(L"hhctrl") != std::wstring::npos;
}

// A refused load reports "module not found"; null when the load goes ahead.
bool RecordHelpLibraryLoad(LPCWSTR name) {
    if (!NamesHelpLibrary(name)) return false;
    g_helpLibraryLoads.emplace_back(name);
    if (!g_refuseHelpLibrary) return false;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return true;
}

HMODULE WINAPI RecordingLoadLibraryW(LPCWSTR name) {
    return RecordHelpLibraryLoad(name) ? nullptr : LoadLibraryW(name);
}

HMODULE WINAPI RecordingLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
    return RecordHelpLibraryLoad(name) ? nullptr : LoadLibraryExW(name, file, flags);
}

std::vector<DWORD> TableOf(ULONG_PTR data) {
    std::vector<DWORD> pairs;
    if (data == 0) return pairs;
    for (const DWORD* pair = reinterpret_cast<const DWORD*>(data); pair[0] != 0 || pair[1] != 0; pair += 2) {
        pairs.push_back(pair[0]);
        pairs.push_back(pair[1]);
    }
    return pairs;
}

HWND WINAPI RecordingHtmlHelpW(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
    HelpCall call{file != nullptr ? file : L"", command, {}, data, caller};
    if (command == kHhTpHelpWmHelp) call.pairs = TableOf(data);
    g_htmlCalls.push_back(call);
    return g_htmlHelpMode == HtmlHelpMode::kFails ? nullptr : GetDesktopWindow();
}

FARPROC WINAPI RecordingGetProcAddress(HMODULE module, LPCSTR name) {
    if (!IS_INTRESOURCE(name) && lstrcmpA(name, "HtmlHelpW") == 0) {
        ++g_htmlHelpAsked;
        g_htmlHelpAskedOf = module;
        return g_htmlHelpMode == HtmlHelpMode::kNotFound ? nullptr
                                                         : reinterpret_cast<FARPROC>(&RecordingHtmlHelpW);
    }
    return GetProcAddress(module, name);
}

BOOL WINAPI RecordingWinHelpW(HWND caller, LPCWSTR file, UINT command, ULONG_PTR data) {
    HelpCall call{file != nullptr ? file : L"", command, {}, data, caller};
    if (command == HELP_WM_HELP) call.pairs = TableOf(data);
    g_calls.push_back(call);
    return TRUE;
}

// The help id WinHelp's lookup finds first for a control.
DWORD HelpIdFor(const HelpCall& call, DWORD control) {
    for (size_t i = 0; i + 1 < call.pairs.size(); i += 2) {
        if (call.pairs[i] == control) return call.pairs[i + 1];
    }
    return 0;
}

std::wstring DriverDirectory() {
    wchar_t directory[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed);
    return directory;
}

bool JapaneseSystem() { return (GetSystemDefaultLCID() & 0x3FF) == 0x11; }

// The help file of the system's language in the driver folder's "3".
std::wstring ExpectedHelpFile(const wchar_t* extension = L".hlp") {
    return DriverDirectory() + (JapaneseSystem() ? L"\\3\\qrv_ras_help_J_HJW" : L"\\3\\qrv_ras_help_HJW") + extension;
}

const wchar_t* const kHelpFiles[] = {L"qrv_ras_help_HJW.hlp", L"qrv_ras_help_J_HJW.hlp", L"qrv_ras_help_HJW.chm",
                                     L"qrv_ras_help_J_HJW.chm"};

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

std::wstring ProgramFolder() {
    const std::wstring path = ModulePath(nullptr);
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

bool SameFile(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

// Puts a help file into the driver folder's "3": the built .chm from beside
// this program when there is one (the module only looks whether it can be
// opened), else a stand-in.
void PlaceHelpFile(const wchar_t* name) {
    const std::wstring target = DriverDirectory() + L"\\3\\" + name;
    CreateDirectoryW((DriverDirectory() + L"\\3").c_str(), nullptr);
    if (CopyFileW((ProgramFolder() + L"\\" + name).c_str(), target.c_str(), FALSE)) return;
    ASSERT_TRUE(WriteWholeFile(target, "ITSF")) << Narrow(target);
}

void RemoveHelpFiles() {
    for (const wchar_t* name : kHelpFiles) DeleteFileW((DriverDirectory() + L"\\3\\" + name).c_str());
}

// A page's Help button and F1 on one of its controls: the page's context id
// (WinHelp) or topic (HTML Help), and the help id of the control in the
// page's table of `pairs` pairs.
struct HelpCase {
    const wchar_t* dataFile;
    int tab;
    DWORD context;
    const wchar_t* topic;
    DWORD control;
    DWORD helpId;
    size_t pairs;
};

const HelpCase kHelpCases[] = {
    {kPlainModel, kRasterTab, 1, L"raster.htm", IDC_RASTER_DRAWER_GROUP, 0x806B03E9, 31},
    {kZoomModel, kRasterTab, 1, L"raster.htm", IDC_RASTER_RETRACT_ENABLED, 0x80730464,
     31},  // the presenter row, not the ETB defaults row
    {L"QRVC252.GPD", kRasterTab, 1, L"raster.htm", IDC_RASTER_BUZZER_LIST, 0x80770452, 38},
    {kZoomModel, kLogoTab, 2, L"logo.htm", IDC_LOGO_GENERATE, 0x806C0409, 23},
    {kZoomModel, kCopyTab, 3, L"copy.htm", IDC_COPY_PRESENTER_GROUP, 0x8074044A, 30},
    {kPlainModel, kCopyTab, 3, L"copy.htm", IDC_COPY_SIMPLE_COPY, 0x806D0417, 30},
    {kZoomModel, kZoomTab, 4, L"zoom.htm", IDC_ZOOM_FOCUS_AREA_LIST, 0x806E0423, 5},
    {kZoomModel, kEtbTab, 5, L"etb.htm", IDC_ETB_DISABLE, 0x80720447, 3},
};

class HelpTest : public ::testing::Test {
protected:
    // A fresh printer of the model with its sheet open on the page at `tab`.
    HWND Open(const wchar_t* dataFile, int tab) {
        Close();
        session = std::make_unique<PageSession>();
        std::wstring error;
        if (!session->Prepare(dataFile, error)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        ReplaceImport(session->plugin().module(), "user32.dll", "WinHelpW",
                      reinterpret_cast<void*>(&RecordingWinHelpW));
        // The module needs only one of them; each is watched where imported.
        const bool watchesLoads =
            ReplaceImport(session->plugin().module(), "kernel32.dll", "LoadLibraryW",
                          reinterpret_cast<void*>(&RecordingLoadLibraryW)) != nullptr;
        if (ReplaceImport(session->plugin().module(), "kernel32.dll", "LoadLibraryExW",
                          reinterpret_cast<void*>(&RecordingLoadLibraryExW)) == nullptr &&
            !watchesLoads) {
            ADD_FAILURE() << "the module imports neither LoadLibraryW nor LoadLibraryExW";
        }
        if (!ReplaceImport(session->plugin().module(), "kernel32.dll", "GetProcAddress",
                           reinterpret_cast<void*>(&RecordingGetProcAddress))) {
            ADD_FAILURE() << "the module does not import GetProcAddress";
        }
        if (!session->OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        g_calls.clear();
        g_htmlCalls.clear();
        g_htmlHelpAsked = 0;
        g_htmlHelpAskedOf = nullptr;
        g_helpLibraryLoads.clear();
        return session->ShowPage(tab);
    }

    // The sheet open on the case's page, its Help button pressed and help
    // asked on the case's control.
    HWND OpenAndAskHelp(const HelpCase& c) {
        HWND page = Open(c.dataFile, c.tab);
        if (page == nullptr) return nullptr;
        PressHelp();
        AskHelpOn(page, static_cast<int>(c.control));
        return page;
    }

    void PressHelp() {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(session->sheet().window(), PSM_PRESSBUTTON, PSBTN_HELP, 0, SMTO_NORMAL, 5000, &answer);
    }

    void AskHelpOn(HWND page, int control) {
        HELPINFO info = {};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = control;
        info.hItemHandle = GetDlgItem(page, control);
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(page, WM_HELP, 0, reinterpret_cast<LPARAM>(&info), SMTO_NORMAL, 5000, &answer);
    }

    void Close() {
        if (session) session->Press(SheetButton::kCancel);
        session.reset();
    }

    // Each test says which help files lie in the driver folder.
    void SetUp() override {
        RemoveHelpFiles();
        g_htmlHelpMode = HtmlHelpMode::kRecords;
        g_refuseHelpLibrary = false;
    }

    void TearDown() override {
        Close();
        RemoveHelpFiles();
    }

    std::unique_ptr<PageSession> session;
};

// The two calls of a case, to WinHelpW or HtmlHelpW: the page's topic
// (`topicCommand` with `topicFile` and `topicData`), then the popup command
// with the page's table and `popupFile`.
struct ExpectedCalls {
    UINT topicCommand;
    std::wstring topicFile;
    ULONG_PTR topicData;
    UINT popupCommand;
    std::wstring popupFile;
};

void ExpectHelpCalls(const std::vector<HelpCall>& calls, const HelpCase& c, const ExpectedCalls& expected) {
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].command, expected.topicCommand);
    EXPECT_EQ(calls[0].data, expected.topicData);
    EXPECT_EQ(Narrow(calls[0].file), Narrow(expected.topicFile));
    EXPECT_EQ(calls[1].command, expected.popupCommand);
    EXPECT_EQ(calls[1].pairs.size(), 2 * c.pairs);
    EXPECT_EQ(HelpIdFor(calls[1], c.control), c.helpId);
    EXPECT_EQ(Narrow(calls[1].file), Narrow(expected.popupFile));
}

// WinHelp as it always was: the context id, then the table, both with the .hlp.
ExpectedCalls WinHelpCalls(const HelpCase& c) {
    return {HELP_CONTEXT, ExpectedHelpFile(), c.context, HELP_WM_HELP, ExpectedHelpFile()};
}

// HTML Help: the page's topic by its path in the .chm, then the table with
// the .chm's text-popup file.
ExpectedCalls HtmlHelpCalls(const HelpCase& c) {
    const std::wstring chm = ExpectedHelpFile(L".chm");
    return {kHhDisplayTopic, chm + L"::/" + c.topic, 0, kHhTpHelpWmHelp, chm + L"::/popups.txt"};
}

TEST_F(HelpTest, EachPageOpensItsTopicAndItsControlsTopics) {
    // Only the WinHelp files lie in the driver folder.
    PlaceHelpFile(L"qrv_ras_help_HJW.hlp");
    PlaceHelpFile(L"qrv_ras_help_J_HJW.hlp");
    for (const HelpCase& c : kHelpCases) {
        SCOPED_TRACE(Narrow(c.dataFile) + " tab " + std::to_string(c.tab));
        ASSERT_NE(OpenAndAskHelp(c), nullptr);
        EXPECT_TRUE(g_htmlCalls.empty());
        EXPECT_EQ(g_htmlHelpAsked, 0) << "no .chm: hhctrl.ocx is not even looked for";
        ExpectHelpCalls(g_calls, c, WinHelpCalls(c));
    }
}

// Run with the Japanese locale: the Japanese help file.
TEST_F(HelpTest, JapaneseSystemOpensTheJapaneseFile) {
    HWND page = Open(kPlainModel, kRasterTab);
    ASSERT_NE(page, nullptr);
    PressHelp();
    ASSERT_EQ(g_calls.size(), 1u);
    const std::wstring& file = g_calls[0].file;
    EXPECT_EQ(Narrow(file), Narrow(ExpectedHelpFile()));
    ASSERT_GE(file.size(), 25u);
    EXPECT_EQ(Narrow(file.substr(file.size() - 25)), "\\3\\qrv_ras_help_J_HJW.hlp");
}

// Every page with the .chm beside the .hlp: HtmlHelpW with the page's topic
// in the .chm of the system's language for the Help button, and with the
// .chm's text-popup file and the page's table for a control. Runs on the
// English and on the Japanese system.
TEST_F(HelpTest, WithTheChmEachPageAsksHtmlHelp) {
    PlaceHelpFile(L"qrv_ras_help_HJW.hlp");
    PlaceHelpFile(L"qrv_ras_help_HJW.chm");
    PlaceHelpFile(L"qrv_ras_help_J_HJW.chm");
    for (const HelpCase& c : kHelpCases) {
        SCOPED_TRACE(Narrow(c.dataFile) + " tab " + std::to_string(c.tab));
        HWND page = OpenAndAskHelp(c);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(g_calls.empty()) << "WinHelpW is not called";
        ExpectHelpCalls(g_htmlCalls, c, HtmlHelpCalls(c));
        if (g_htmlCalls.size() == 2) EXPECT_EQ(g_htmlCalls[1].caller, GetDlgItem(page, static_cast<int>(c.control)));
    }
}

// hhctrl.ocx without HtmlHelpW gives today's WinHelp; a HtmlHelpW that fails
// is left at that: no WinHelp with the wrong file after it, and no crash.
TEST_F(HelpTest, AnUnusableHtmlHelpGivesWinHelpOrNothing) {
    const HelpCase etbEnable = {kZoomModel, kEtbTab, 5, L"etb.htm", IDC_ETB_ENABLE, 0x80720448, 3};
    PlaceHelpFile(L"qrv_ras_help_HJW.chm");
    PlaceHelpFile(L"qrv_ras_help_J_HJW.chm");
    for (HtmlHelpMode mode : {HtmlHelpMode::kNotFound, HtmlHelpMode::kFails}) {
        const bool found = mode == HtmlHelpMode::kFails;
        SCOPED_TRACE(found ? "HtmlHelpW fails" : "no HtmlHelpW");
        g_htmlHelpMode = mode;
        HWND page = OpenAndAskHelp(etbEnable);
        ASSERT_NE(page, nullptr);
        EXPECT_GE(g_htmlHelpAsked, 1) << "HtmlHelpW was looked for";
        EXPECT_EQ(g_htmlCalls.size(), found ? 2u : 0u);
        EXPECT_TRUE(IsWindow(page));
        if (found) {
            EXPECT_TRUE(g_calls.empty());
        } else {
            ExpectHelpCalls(g_calls, etbEnable, WinHelpCalls(etbEnable));
        }
    }
}

// hhctrl.ocx copies planted beside the program that opens the sheet and in
// its current directory, two places a search by the bare name looks in (Wine
// loads the one beside the program): the module names the system folder's
// and loads neither copy.
TEST_F(HelpTest, TheHelpLibraryComesFromTheSystemFolderOnly) {
    const HelpCase etb = {kZoomModel, kEtbTab, 5, L"etb.htm", IDC_ETB_DISABLE, 0x80720447, 3};
    PlaceHelpFile(L"qrv_ras_help_HJW.chm");
    PlaceHelpFile(L"qrv_ras_help_J_HJW.chm");
    wchar_t previousDirectory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previousDirectory);
    const std::wstring currentDirectory = L"C:\\zelt-help-planted";
    CreateDirectoryW(currentDirectory.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(currentDirectory.c_str()));
    const std::wstring planted[] = {ProgramFolder() + L"\\hhctrl.ocx", currentDirectory + L"\\hhctrl.ocx"};
    const std::wstring realLibrary = SystemFolder() + L"\\hhctrl.ocx";

    HWND page = Open(etb.dataFile, etb.tab);
    // A real library each, which a load would run.
    for (const std::wstring& path : planted) {
        EXPECT_TRUE(CopyFileW(ModulePath(session->plugin().module()).c_str(), path.c_str(), FALSE)) << Narrow(path);
    }
    if (page != nullptr) {
        PressHelp();
        AskHelpOn(page, static_cast<int>(etb.control));
    }
    for (const std::wstring& path : planted) {
        EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr) << Narrow(path) << " was loaded";
    }
    Close();
    SetCurrentDirectoryW(previousDirectory);
    for (const std::wstring& path : planted) DeleteFileW(path.c_str());
    RemoveDirectoryW(currentDirectory.c_str());

    ASSERT_NE(page, nullptr);
    ASSERT_EQ(g_helpLibraryLoads.size(), 1u) << "one load, kept for the second request";
    EXPECT_EQ(Narrow(g_helpLibraryLoads[0]), Narrow(realLibrary));
    ASSERT_NE(g_htmlHelpAskedOf, nullptr);
    EXPECT_TRUE(SameFile(ModulePath(g_htmlHelpAskedOf), realLibrary)) << Narrow(ModulePath(g_htmlHelpAskedOf));
    ExpectHelpCalls(g_htmlCalls, etb, HtmlHelpCalls(etb));
}

// A system folder's hhctrl.ocx that cannot be loaded (missing or unreadable)
// gives WinHelp as before, and is not looked for again at the next F1 or Help.
TEST_F(HelpTest, AHelpLibraryThatCannotBeLoadedIsNotLookedForAgain) {
    const HelpCase zoom = {kZoomModel, kZoomTab, 4, L"zoom.htm", IDC_ZOOM_FOCUS_AREA_LIST, 0x806E0423, 5};
    PlaceHelpFile(L"qrv_ras_help_HJW.chm");
    PlaceHelpFile(L"qrv_ras_help_J_HJW.chm");
    g_refuseHelpLibrary = true;
    HWND page = Open(zoom.dataFile, zoom.tab);
    ASSERT_NE(page, nullptr);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE("request " + std::to_string(round + 1));
        g_calls.clear();
        PressHelp();
        AskHelpOn(page, static_cast<int>(zoom.control));
        ExpectHelpCalls(g_calls, zoom, WinHelpCalls(zoom));
    }
    EXPECT_EQ(g_helpLibraryLoads.size(), 1u);
    EXPECT_EQ(g_htmlHelpAsked, 0);
    EXPECT_TRUE(g_htmlCalls.empty());
}

}  // namespace
