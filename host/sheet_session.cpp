#include "sheet_session.h"

#include <commctrl.h>

#include "host_error.h"

namespace zelt::host {
namespace {

// A message to the sheet waits this long for the sheet's thread to take it.
constexpr UINT kMessageTimeoutMs = 10000;
// A sheet's opening is timed through the wait for its window, so a coarse
// poll would add up to a whole interval of idle time to it.
constexpr DWORD kPollIntervalMs = 5;

struct SheetSearch {
    HWND other;
    HWND found;
};

BOOL CALLBACK FindSheet(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<SheetSearch*>(context);
    if (window == search->other || !IsWindowVisible(window) || !IsPropertySheet(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// Posted to a sheet thread's starter window: open the SheetSession in lParam.
constexpr UINT kOpenSheetMessage = WM_APP + 1;
const wchar_t kStarterClass[] = L"ZeltSheetStarter";

}  // namespace

bool IsPropertySheet(HWND window) {
    DWORD_PTR tab = 0;
    return SendMessageTimeoutW(window, PSM_GETTABCONTROL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &tab) && tab;
}

SheetSession::SheetSession(IPrintOemUI* plugin, OEMUIPSPARAM* params) : plugin_(plugin), params_(params) {}

SheetSession::~SheetSession() {
    if (open_) {
        if (window_) PostMessageW(window_, WM_COMMAND, IDCANCEL, 0);
        std::wstring ignored;
        WaitClosed(ignored, 10000);
    }
    if (ended_) CloseHandle(ended_);
}

void SheetSession::RunSheet() {
    RunPropertySheet(plugin_, params_, run_, runError_);
    SetEvent(ended_);
}

LRESULT CALLBACK SheetSession::StarterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kOpenSheetMessage) return DefWindowProcW(window, message, wParam, lParam);
    reinterpret_cast<SheetSession*>(lParam)->RunSheet();
    return 0;
}

DWORD WINAPI SheetSession::SheetThread(void* self) {
    auto* session = static_cast<SheetSession*>(self);
    WNDCLASSW starterClass = {};
    starterClass.lpfnWndProc = &StarterProcedure;
    starterClass.hInstance = GetModuleHandleW(nullptr);
    starterClass.lpszClassName = kStarterClass;
    RegisterClassW(&starterClass);  // fails harmlessly once registered
    session->starter_ = CreateWindowExW(0, kStarterClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        starterClass.hInstance, nullptr);
    session->RunSheet();
    if (session->starter_) DestroyWindow(session->starter_);
    return 0;
}

bool SheetSession::ReadyToOpen(std::wstring& error) {
    if (open_) {
        error = L"the sheet is already open";
        return false;
    }
    if (!ended_) ended_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ended_ || !ResetEvent(ended_)) {
        error = Win32Failure(L"making the sheet's end event");
        return false;
    }
    return true;
}

bool SheetSession::Open(std::wstring& error, DWORD timeoutMs) {
    if (!ReadyToOpen(error)) return false;
    thread_ = CreateThread(nullptr, 0, &SheetThread, this, 0, &threadId_);
    if (!thread_) {
        error = Win32Failure(L"starting the sheet's thread");
        return false;
    }
    open_ = true;
    return WaitForWindow(nullptr, error, timeoutMs);
}

bool SheetSession::OpenBeside(SheetSession& first, std::wstring& error, DWORD timeoutMs) {
    if (!first.thread_ || first.closed() || !first.starter_) {
        error = L"there is no sheet open on a thread of its own to open this one beside";
        return false;
    }
    if (!ReadyToOpen(error)) return false;
    if (!PostMessageW(first.starter_, kOpenSheetMessage, 0, reinterpret_cast<LPARAM>(this))) {
        error = Win32Failure(L"asking the first sheet's thread to open the sheet");
        return false;
    }
    threadId_ = first.threadId_;
    open_ = true;
    return WaitForWindow(first.window_, error, timeoutMs);
}

bool SheetSession::WaitForWindow(HWND other, std::wstring& error, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (WaitForSingleObject(ended_, kPollIntervalMs) == WAIT_OBJECT_0) {
            std::wstring ignored;
            WaitClosed(ignored, kMessageTimeoutMs);
            error = L"the sheet ended without showing" + (runError_.empty() ? L"" : L": " + runError_);
            return false;
        }
        SheetSearch search{other, nullptr};
        EnumThreadWindows(threadId_, &FindSheet, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            window_ = search.found;
            return true;
        }
    }
    error = L"the sheet's window did not appear within " + std::to_wstring(timeoutMs / 1000) + L" s";
    return false;
}

bool SheetSession::SendToSheet(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) const {
    if (!window_ || !IsWindow(window_)) return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window_, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) {
        return false;
    }
    if (answer) *answer = static_cast<LRESULT>(result);
    return true;
}

int SheetSession::PageCount() const {
    LRESULT tab = 0;
    if (!SendToSheet(PSM_GETTABCONTROL, 0, 0, &tab) || !tab) return 0;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(reinterpret_cast<HWND>(tab), TCM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &count)) {
        return 0;
    }
    return static_cast<int>(count);
}

std::wstring SheetSession::TabCaption(int index) const {
    LRESULT tab = 0;
    if (!SendToSheet(PSM_GETTABCONTROL, 0, 0, &tab) || !tab) return {};
    wchar_t text[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof text / sizeof text[0]);
    DWORD_PTR ok = 0;
    if (!SendMessageTimeoutW(reinterpret_cast<HWND>(tab), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item),
                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, &ok) ||
        !ok) {
        return {};
    }
    return item.pszText ? item.pszText : L"";
}

HWND SheetSession::PageWindow(int index) const {
    LRESULT page = 0;
    return SendToSheet(PSM_INDEXTOHWND, index, 0, &page) ? reinterpret_cast<HWND>(page) : nullptr;
}

bool SheetSession::SelectPage(int index) {
    LRESULT selected = 0;
    return SendToSheet(PSM_SETCURSEL, index, 0, &selected) && selected;
}

bool SheetSession::Press(SheetButton button) {
    const WPARAM which = button == SheetButton::kOk      ? PSBTN_OK
                         : button == SheetButton::kApply ? PSBTN_APPLYNOW
                                                         : PSBTN_CANCEL;
    if (!SendToSheet(PSM_PRESSBUTTON, which, 0)) return false;
    // Wine's modal sheet loop sees that the sheet has ended only when its
    // next message arrives; without a user there is none, so send one.
    PostThreadMessageW(threadId_, WM_NULL, 0, 0);
    return true;
}

bool SheetSession::WaitClosed(std::wstring& error, DWORD timeoutMs) {
    if (!open_) return true;
    if (WaitForSingleObject(ended_, timeoutMs) != WAIT_OBJECT_0) {
        error = L"the sheet did not close within " + std::to_wstring(timeoutMs / 1000) + L" s";
        return false;
    }
    if (thread_) {
        // Ends right after its sheet; the wait only bounds a stuck clean-up.
        WaitForSingleObject(thread_, timeoutMs);
        CloseHandle(thread_);
        thread_ = nullptr;
        starter_ = nullptr;
    }
    open_ = false;
    window_ = nullptr;
    if (!runError_.empty()) {
        error = runError_;
        return false;
    }
    return true;
}

}  // namespace zelt::host
