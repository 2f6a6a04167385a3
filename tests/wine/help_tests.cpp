// Help from the pages in the real sheet: the sheet's Help button opens the
// page's topic, F1 on a control opens the control's topic from the page's
// table, in the help file of the system's language. WinHelpW is watched
// through the plug-in's import table and answered without opening anything.
// With the .chm beside the .hlp the pages use HtmlHelpW, which the module
// finds with GetProcAddress: the tests answer that call (through the same
// import table) with a recording stand-in.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "iat_hook.h"
#include "page_driver.h"

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

constexpr UINT kHhHelpContext = 0x000F;    // HH_HELP_CONTEXT
constexpr UINT kHhTpHelpWmHelp = 0x0011;   // HH_TP_HELP_WM_HELP

// How the stand-in for hhctrl.ocx's HtmlHelpW behaves.
enum class HtmlHelpMode { kRecords, kNotFound, kFails };
HtmlHelpMode g_htmlHelpMode = HtmlHelpMode::kRecords;
int g_htmlHelpAsked = 0;  // GetProcAddress(..., "HtmlHelpW") calls

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

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

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

// A page's Help button and F1 on one of its controls: the page's context id,
// and the help id of the control in the page's table of `pairs` pairs.
struct HelpCase {
    const wchar_t* dataFile;
    int tab;
    DWORD context;
    DWORD control;
    DWORD helpId;
    size_t pairs;
};

const HelpCase kHelpCases[] = {
    {kPlainModel, kRasterTab, 1, 1001, 0x806B03E9, 31},
    {kZoomModel, kRasterTab, 1, 1124, 0x80730464, 31},  // the presenter row, not the ETB defaults row
    {L"QRVC252.GPD", kRasterTab, 1, 1106, 0x80770452, 38},
    {kZoomModel, kLogoTab, 2, 1033, 0x806C0409, 23},
    {kZoomModel, kCopyTab, 3, 1098, 0x8074044A, 30},
    {kZoomModel, kZoomTab, 4, 1059, 0x806E0423, 5},
    {kZoomModel, kEtbTab, 5, 1095, 0x80720447, 3},
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
    }

    void TearDown() override {
        Close();
        RemoveHelpFiles();
    }

    std::unique_ptr<PageSession> session;
};

// The two calls of a case, to WinHelpW or HtmlHelpW: the context command with
// `file`, then the popup command with the page's table and `popupFile`.
void ExpectHelpCalls(const std::vector<HelpCall>& calls, UINT contextCommand, UINT popupCommand, const HelpCase& c,
                     const std::wstring& file, const std::wstring& popupFile) {
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].command, contextCommand);
    EXPECT_EQ(calls[0].data, c.context);
    EXPECT_EQ(Narrow(calls[0].file), Narrow(file));
    EXPECT_EQ(calls[1].command, popupCommand);
    EXPECT_EQ(calls[1].pairs.size(), 2 * c.pairs);
    EXPECT_EQ(HelpIdFor(calls[1], c.control), c.helpId);
    EXPECT_EQ(Narrow(calls[1].file), Narrow(popupFile));
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
        ExpectHelpCalls(g_calls, HELP_CONTEXT, HELP_WM_HELP, c, ExpectedHelpFile(), ExpectedHelpFile());
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

// Every page with the .chm beside the .hlp: HtmlHelpW with the .chm of the
// system's language and the page's context id for the Help button, and with
// the .chm's text-popup file and the page's table for a control. Runs on the
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
        ExpectHelpCalls(g_htmlCalls, kHhHelpContext, kHhTpHelpWmHelp, c, ExpectedHelpFile(L".chm"),
                        ExpectedHelpFile(L".chm") + L"::/popups.txt");
        if (g_htmlCalls.size() == 2) EXPECT_EQ(g_htmlCalls[1].caller, GetDlgItem(page, static_cast<int>(c.control)));
    }
}

// hhctrl.ocx without HtmlHelpW gives today's WinHelp; a HtmlHelpW that fails
// is left at that: no WinHelp with the wrong file after it, and no crash.
TEST_F(HelpTest, AnUnusableHtmlHelpGivesWinHelpOrNothing) {
    const HelpCase etbEnable = {kZoomModel, kEtbTab, 5, 1096, 0x80720448, 3};
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
            ExpectHelpCalls(g_calls, HELP_CONTEXT, HELP_WM_HELP, etbEnable, ExpectedHelpFile(), ExpectedHelpFile());
        }
    }
}

}  // namespace
