// The page driver itself: the assumptions it rests on (what Wine's controls
// send by themselves, how a message box is found) and its work on a real
// sheet and the real spooler.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "page_driver.h"

using namespace zelt::test;

namespace {

// --- An edit control's own notifications ------------------------------------------
constexpr int kEditId = 100;
int g_changeNotifications = 0;

LRESULT CALLBACK CountingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) ++g_changeNotifications;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(PageDriver, TypingSendsOneChangeNotificationAndSkipsADisabledField) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &CountingParent;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZeltPageDriverProbe";
    RegisterClassW(&windowClass);
    HWND parent = CreateWindowW(L"ZeltPageDriverProbe", L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND edit = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 100, 20, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), windowClass.hInstance, nullptr);
    ASSERT_NE(edit, nullptr);

    g_changeNotifications = 0;
    ASSERT_TRUE(TypeText(parent, kEditId, L"128"));
    EXPECT_EQ(g_changeNotifications, 1) << "WM_SETTEXT alone must notify the page once";
    EXPECT_EQ(Narrow(ControlText(parent, kEditId)), "128");

    EnableWindow(edit, FALSE);
    EXPECT_FALSE(TypeText(parent, kEditId, L"7"));
    EXPECT_EQ(g_changeNotifications, 1);
    EXPECT_EQ(Narrow(ControlText(parent, kEditId)), "128");
    DestroyWindow(parent);
}

// --- Message boxes on another thread ------------------------------------------------
struct BoxRequest {
    const wchar_t* text;
    const wchar_t* caption;
    UINT style;
    int answer;
};

DWORD WINAPI ShowBox(void* context) {
    auto* request = static_cast<BoxRequest*>(context);
    request->answer = MessageBoxW(nullptr, request->text, request->caption, request->style);
    return 0;
}

TEST(PageDriver, RecordsAndDismissesAMessageBoxOfAnotherThread) {
    const struct {
        UINT style;
        UINT icon;
    } cases[] = {
        {MB_ICONEXCLAMATION, MB_ICONEXCLAMATION},
        {MB_ICONHAND, MB_ICONHAND},
        {MB_OK, 0},
    };
    for (const auto& c : cases) {
        BoxRequest request{L"The value entered is out of range.  Please enter 1 to 255.", L"Zelt Raster Printer Driver",
                           c.style, 0};
        DWORD threadId = 0;
        HANDLE thread = CreateThread(nullptr, 0, &ShowBox, &request, 0, &threadId);
        ASSERT_NE(thread, nullptr);
        const auto seen = DismissMessageBox(threadId, nullptr, 10000);
        const bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
        CloseHandle(thread);
        ASSERT_TRUE(seen.has_value()) << "style " << c.style;
        ASSERT_TRUE(ended) << "style " << c.style;
        EXPECT_EQ(Narrow(seen->caption), "Zelt Raster Printer Driver");
        EXPECT_EQ(Narrow(seen->text), "The value entered is out of range.  Please enter 1 to 255.");
        EXPECT_EQ(seen->icon, c.icon) << "style " << c.style;
        EXPECT_EQ(request.answer, IDOK);
    }
    EXPECT_FALSE(DismissMessageBox(GetCurrentThreadId(), nullptr, 100).has_value());
}

// --- The spooler's values -------------------------------------------------------------
TEST(PageDriver, WritesReadsAndRemovesStoredValues) {
    PageSession session;
    std::wstring error;
    ASSERT_TRUE(session.Prepare(kZoomModel, error)) << Narrow(error);
    PrinterValues& values = session.values();
    EXPECT_EQ(values.Read(L"ETB_STATUS").status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    const unsigned char eight[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    ASSERT_TRUE(values.WriteRaw(L"ETB_STATUS", REG_BINARY, eight, sizeof eight));
    const auto raw = values.Read(L"ETB_STATUS");
    EXPECT_EQ(raw.status, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(raw.size, 8u);
    EXPECT_FALSE(values.Number(L"ETB_STATUS").has_value());
    ASSERT_TRUE(values.WriteRaw(L"ZOOM_FOCUSAREA", REG_DWORD, nullptr, 0));
    EXPECT_EQ(values.Read(L"ZOOM_FOCUSAREA").size, 0u);

    ASSERT_TRUE(values.Write(L"ETB_STATUS", 7));
    EXPECT_EQ(values.Number(L"ETB_STATUS"), 7u);
    ASSERT_TRUE(values.DeleteAll(error)) << Narrow(error);
    EXPECT_EQ(values.Read(L"ETB_STATUS").status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(values.Read(L"ZOOM_FOCUSAREA").status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// --- A real sheet -----------------------------------------------------------------------
TEST(PageDriver, ShowsPagesPressesButtonsAndOpensTheSheetAgain) {
    PageSession session;
    std::wstring error;
    ASSERT_TRUE(session.Open(kZoomModel, error)) << Narrow(error);
    ASSERT_EQ(session.sheet().PageCount(), 5);
    HWND etb = session.ShowPage(4);
    ASSERT_NE(etb, nullptr);
    EXPECT_TRUE(IsWindowVisible(etb));
    EXPECT_EQ(session.ShowPage(5), nullptr);

    PressOutcome applied = session.Press(SheetButton::kApply);
    EXPECT_TRUE(applied.taken);
    EXPECT_TRUE(applied.messages.empty());
    EXPECT_TRUE(applied.sheetOpen);

    PressOutcome confirmed = session.Press(SheetButton::kOk);
    EXPECT_TRUE(confirmed.taken);
    EXPECT_FALSE(confirmed.sheetOpen);

    ASSERT_TRUE(session.OpenSheet(error)) << Narrow(error);
    ASSERT_NE(session.ShowPage(3), nullptr);
    PressOutcome cancelled = session.Press(SheetButton::kCancel);
    EXPECT_TRUE(cancelled.taken);
    EXPECT_FALSE(cancelled.sheetOpen);
}

}  // namespace
