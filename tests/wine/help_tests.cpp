// Help from the pages in the real sheet: the sheet's Help button opens the
// page's topic, F1 on a control opens the control's topic from the page's
// table, in the help file of the system's language. WinHelpW is watched
// through the plug-in's import table and answered without opening anything.
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
    std::vector<DWORD> pairs;  // HELP_WM_HELP: the table up to its (0, 0)
    ULONG_PTR data;
};

std::vector<HelpCall> g_calls;

BOOL WINAPI RecordingWinHelpW(HWND, LPCWSTR file, UINT command, ULONG_PTR data) {
    HelpCall call{file != nullptr ? file : L"", command, {}, data};
    if (command == HELP_WM_HELP && data != 0) {
        for (const DWORD* pair = reinterpret_cast<const DWORD*>(data); pair[0] != 0 || pair[1] != 0; pair += 2) {
            call.pairs.push_back(pair[0]);
            call.pairs.push_back(pair[1]);
        }
    }
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

std::wstring ExpectedHelpFile() {
    wchar_t directory[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed);
    const bool japanese = (GetSystemDefaultLCID() & 0x3FF) == 0x11;
    return std::wstring(directory) + (japanese ? L"\\3\\qrv_ras_help_J_HJW.hlp" : L"\\3\\qrv_ras_help_HJW.hlp");
}

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
        if (!session->OpenSheet(error)) {
            ADD_FAILURE() << Narrow(error);
            return nullptr;
        }
        g_calls.clear();
        return session->ShowPage(tab);
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

    void TearDown() override { Close(); }

    std::unique_ptr<PageSession> session;
};

TEST_F(HelpTest, EachPageOpensItsTopicAndItsControlsTopics) {
    const struct {
        const wchar_t* dataFile;
        int tab;
        DWORD context;
        DWORD control;
        DWORD helpId;
        size_t pairs;
    } cases[] = {
        {L"QRVX10.GPD", 0, 1, 1001, 0x806B03E9, 31},
        {L"QWNB18_ZOOM.GPD", 0, 1, 1124, 0x80730464, 31},  // the presenter row, not the ETB defaults row
        {L"QRVC252.GPD", 0, 1, 1106, 0x80770452, 38},
        {L"QWNB18_ZOOM.GPD", 4, 5, 1095, 0x80720447, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.dataFile) + " tab " + std::to_string(c.tab));
        HWND page = Open(c.dataFile, c.tab);
        ASSERT_NE(page, nullptr);
        PressHelp();
        AskHelpOn(page, static_cast<int>(c.control));
        ASSERT_EQ(g_calls.size(), 2u);
        EXPECT_EQ(g_calls[0].command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(g_calls[0].data, c.context);
        EXPECT_EQ(Narrow(g_calls[0].file), Narrow(ExpectedHelpFile()));
        EXPECT_EQ(g_calls[1].command, static_cast<UINT>(HELP_WM_HELP));
        EXPECT_EQ(g_calls[1].pairs.size(), 2 * c.pairs);
        EXPECT_EQ(HelpIdFor(g_calls[1], c.control), c.helpId);
        EXPECT_EQ(Narrow(g_calls[1].file), Narrow(ExpectedHelpFile()));
    }
}

// Run with the Japanese locale: the Japanese help file.
TEST_F(HelpTest, JapaneseSystemOpensTheJapaneseFile) {
    HWND page = Open(L"QRVX10.GPD", 0);
    ASSERT_NE(page, nullptr);
    PressHelp();
    ASSERT_EQ(g_calls.size(), 1u);
    const std::wstring& file = g_calls[0].file;
    EXPECT_EQ(Narrow(file), Narrow(ExpectedHelpFile()));
    ASSERT_GE(file.size(), 25u);
    EXPECT_EQ(Narrow(file.substr(file.size() - 25)), "\\3\\qrv_ras_help_J_HJW.hlp");
}

}  // namespace
