// An open Properties sheet that a program drives: the sheet is modal and
// runs its own message loop, so it lives on a worker thread while the caller
// looks at its tabs and pages and presses its buttons. Every wait is bounded.
#pragma once

#include <windows.h>

#include <string>

#include "property_sheet.h"

namespace zelt::host {

enum class SheetButton { kOk, kApply, kCancel };

class SheetSession {
public:
    SheetSession(IPrintOemUI* plugin, OEMUIPSPARAM* params);
    SheetSession(const SheetSession&) = delete;
    SheetSession& operator=(const SheetSession&) = delete;
    // Cancels a sheet still open and waits (bounded) for its thread.
    ~SheetSession();

    // Starts the sheet and waits for its window. False with a message when
    // the sheet ended without showing or did not appear in time.
    bool Open(std::wstring& error, DWORD timeoutMs = 20000);

    HWND window() const { return window_; }
    int PageCount() const;
    std::wstring TabCaption(int index) const;
    // Null for a page not created yet: pages are made when first shown.
    HWND PageWindow(int index) const;
    bool SelectPage(int index);
    // False when the sheet did not take the press in time (a page kept a
    // message box open, for example).
    bool Press(SheetButton button);

    // Waits for the sheet to close and its thread to end.
    bool WaitClosed(std::wstring& error, DWORD timeoutMs = 20000);
    bool closed() const { return !thread_; }
    // Valid after WaitClosed.
    const SheetRun& run() const { return run_; }
    const std::wstring& runError() const { return runError_; }

private:
    static DWORD WINAPI SheetThread(void* self);
    bool SendToSheet(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer = nullptr) const;

    IPrintOemUI* plugin_;
    OEMUIPSPARAM* params_;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    SheetRun run_;
    std::wstring runError_;
};

}  // namespace zelt::host
