#include "sheet_session.h"

#include <commctrl.h>

#include "host_error.h"

namespace zelt::host {
namespace {

// A message to the sheet waits this long for the sheet's thread to take it.
constexpr UINT kMessageTimeoutMs = 10000;
constexpr DWORD kPollIntervalMs = 20;

// A property sheet is a top-level dialog with a tab control that answers
// PSM_GETTABCONTROL.
BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    DWORD_PTR tab = 0;
    if (SendMessageTimeoutW(window, PSM_GETTABCONTROL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &tab) && tab) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

SheetSession::SheetSession(IPrintOemUI* plugin, OEMUIPSPARAM* params) : plugin_(plugin), params_(params) {}

SheetSession::~SheetSession() {
    if (!thread_) return;
    if (window_) PostMessageW(window_, WM_COMMAND, IDCANCEL, 0);
    std::wstring ignored;
    WaitClosed(ignored, 10000);
}

DWORD WINAPI SheetSession::SheetThread(void* self) {
    auto* session = static_cast<SheetSession*>(self);
    RunPropertySheet(session->plugin_, session->params_, session->run_, session->runError_);
    return 0;
}

bool SheetSession::Open(std::wstring& error, DWORD timeoutMs) {
    if (thread_) {
        error = L"the sheet is already open";
        return false;
    }
    thread_ = CreateThread(nullptr, 0, &SheetThread, this, 0, &threadId_);
    if (!thread_) {
        error = Win32Failure(L"starting the sheet's thread");
        return false;
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (WaitForSingleObject(thread_, kPollIntervalMs) == WAIT_OBJECT_0) {
            CloseHandle(thread_);
            thread_ = nullptr;
            error = L"the sheet ended without showing" + (runError_.empty() ? L"" : L": " + runError_);
            return false;
        }
        HWND found = nullptr;
        EnumThreadWindows(threadId_, &FindSheet, reinterpret_cast<LPARAM>(&found));
        if (found) {
            window_ = found;
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
    if (!thread_) return true;
    if (WaitForSingleObject(thread_, timeoutMs) != WAIT_OBJECT_0) {
        error = L"the sheet did not close within " + std::to_wstring(timeoutMs / 1000) + L" s";
        return false;
    }
    CloseHandle(thread_);
    thread_ = nullptr;
    window_ = nullptr;
    if (!runError_.empty()) {
        error = runError_;
        return false;
    }
    return true;
}

}  // namespace zelt::host
