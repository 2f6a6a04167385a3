// An open Properties sheet that a program drives: the sheet is modal and
// runs its own message loop, so it lives on a worker thread while the caller
// looks at its tabs and pages and presses its buttons. A second sheet may run
// on a thread of its own or on the first one's thread. Every wait is bounded.
#pragma once

#include <windows.h>

#include <string>

#include "property_sheet.h"

namespace zelt::host {

enum class SheetButton { kOk, kApply, kCancel };

// A property sheet: a dialog with a tab control that answers PSM_GETTABCONTROL.
bool IsPropertySheet(HWND window);

class SheetSession {
public:
    SheetSession(IPrintOemUI* plugin, OEMUIPSPARAM* params);
    SheetSession(const SheetSession&) = delete;
    SheetSession& operator=(const SheetSession&) = delete;
    // Cancels a sheet still open and waits (bounded) for it to end.
    ~SheetSession();

    // Starts the sheet on a thread of its own and waits for its window. False
    // with a message when the sheet ended without showing or did not appear
    // in time.
    bool Open(std::wstring& error, DWORD timeoutMs = 20000);
    // Starts the sheet on the thread of `first`, an open sheet started with
    // Open, inside that sheet's message loop, as a program that keeps two
    // printers' dialogs on one thread does. The modal loops nest: `first`
    // ends only after this sheet has closed.
    bool OpenBeside(SheetSession& first, std::wstring& error, DWORD timeoutMs = 20000);

    HWND window() const { return window_; }
    int PageCount() const;
    std::wstring TabCaption(int index) const;
    // Null for a page not created yet: pages are made when first shown.
    HWND PageWindow(int index) const;
    bool SelectPage(int index);
    // False when the sheet did not take the press in time (a page kept a
    // message box open, for example).
    bool Press(SheetButton button);

    // Waits for the sheet to close (and its own thread to end).
    bool WaitClosed(std::wstring& error, DWORD timeoutMs = 20000);
    bool closed() const { return !open_; }
    // Valid after WaitClosed.
    const SheetRun& run() const { return run_; }
    const std::wstring& runError() const { return runError_; }

private:
    static DWORD WINAPI SheetThread(void* self);
    static LRESULT CALLBACK StarterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // On the sheet's thread: runs the sheet until it closes.
    void RunSheet();
    // Not open yet, with the end event made and cleared.
    bool ReadyToOpen(std::wstring& error);
    // Waits for a sheet window on the thread other than `other`.
    bool WaitForWindow(HWND other, std::wstring& error, DWORD timeoutMs);
    bool SendToSheet(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer = nullptr) const;

    IPrintOemUI* plugin_;
    OEMUIPSPARAM* params_;
    bool open_ = false;
    HANDLE thread_ = nullptr;  // null for a sheet opened beside another
    DWORD threadId_ = 0;
    HANDLE ended_ = nullptr;   // set once the sheet has closed
    HWND starter_ = nullptr;   // on the own thread: opens sheets beside this one
    HWND window_ = nullptr;
    SheetRun run_;
    std::wstring runError_;
};

}  // namespace zelt::host
