// Test support: drives one page of the printer's real Properties sheet as a
// user would, from the test's thread while the sheet runs modal on its own
// thread (SheetSession). Every wait is bounded.
//
// Typical use:
//
//   PageSession session;
//   ASSERT_TRUE(session.Prepare(kZoomModel, error, {{L"ETB_STATUS", 1}}));  // fresh printer, only the seed
//   ASSERT_TRUE(session.OpenSheet(error));
//   HWND page = session.ShowPage(kEtbTab);
//   ASSERT_TRUE(Click(page, IDC_ETB_DISABLE));
//   PressOutcome outcome = session.Press(SheetButton::kOk);      // message boxes dismissed
//   EXPECT_EQ(session.values().Number(L"GLOBAL_ETBSTATUS"), 0u);
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plugin_session.h"
#include "sheet_session.h"
#include "value_table.h"

namespace zelt::test {

using host::SheetButton;

// The tabs of a sheet in the order its pages come; on a model without the
// Zoom page the ETB page is the fourth.
constexpr int kRasterTab = 0;
constexpr int kLogoTab = 1;
constexpr int kCopyTab = 2;
constexpr int kZoomTab = 3;
constexpr int kEtbTab = 4;

// The models most tests use: the standard pages, the presenter pages, and
// every page.
inline constexpr wchar_t kPlainModel[] = L"QRVX10.GPD";
inline constexpr wchar_t kPresenterModel[] = L"QRVB18.GPD";
inline constexpr wchar_t kZoomModel[] = L"QWNB18_ZOOM.GPD";

// The captions of the plug-in's message boxes: the driver's, and the one the
// presenter's timeout messages have.
inline constexpr wchar_t kDriverCaption[] = L"Zelt Raster Printer Driver";
inline constexpr wchar_t kPresenterCaption[] = L"ZeltRas Printer Driver";

// Values by name, as a test stores or expects them.
using NamedNumbers = std::vector<std::pair<const wchar_t*, DWORD>>;

// --- Controls of a page ----------------------------------------------------------
// `page` is a page window (SheetSession::PageWindow). Actions refuse a control
// that is missing, disabled or hidden, as a user cannot reach it.

// Selects `position` in a drop-down list, then sends the page
// WM_COMMAND(CBN_SELCHANGE) as a click on the list does (CB_SETCURSEL alone
// notifies nobody). False also for a position the list does not have.
bool PickListItem(HWND page, int listId, int position);
// The selected position; -1 when nothing is selected or there is no list.
int ListSelection(HWND page, int listId);
// The number of items; -1 when there is no list.
int ListCount(HWND page, int listId);
std::vector<std::wstring> ListTexts(HWND page, int listId);
// The selected item's text; empty when nothing is selected.
std::wstring SelectedText(HWND page, int listId);

// Clicks a push button, radio button or check box with BM_CLICK; the button
// itself checks an automatic radio button or check box and sends BN_CLICKED.
bool Click(HWND page, int controlId);
bool IsChecked(HWND page, int buttonId);
bool IsEnabled(HWND page, int controlId);
// The control's text (WM_GETTEXT); empty for a missing control.
std::wstring ControlText(HWND page, int controlId);
// The control's caption as the user reads it: without the access key's mark,
// and in Japanese without the "(&X)" after it.
std::wstring SeenCaption(HWND page, int controlId);

// The controls of a page a user could change or press now: enabled, shown
// buttons (group boxes aside), drop-down lists, edit fields and spin controls.
std::vector<int> EnabledInputs(HWND page);

// Replaces an edit field's text as typing does. Only WM_SETTEXT is sent: the
// edit control itself then sends its parent EN_CHANGE (page_driver_tests
// proves it), so a second EN_CHANGE would be a change the user never made.
bool TypeText(HWND page, int editId, const std::wstring& text);

// --- Sheet buttons and message boxes --------------------------------------------------
struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;  // the message box's static control 0xFFFF
    UINT icon = 0;      // MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK or 0
};

// Waits up to `timeoutMs` for a message box on a thread (a visible #32770
// window other than `except` that is no property sheet), records it and
// dismisses it with OK.
std::optional<MessageBoxSeen> DismissMessageBox(DWORD threadId, HWND except, DWORD timeoutMs);
// The same on the sheet's thread, the sheet itself excepted.
std::optional<MessageBoxSeen> DismissMessageBox(const host::SheetSession& sheet, DWORD timeoutMs);

// Whether the sheet's Apply button is enabled, as after a page told it of a change.
bool ApplyButtonEnabled(const host::SheetSession& sheet);

struct PressOutcome {
    bool taken = false;                   // the sheet took the press
    std::vector<MessageBoxSeen> messages; // every message box shown meanwhile, in order
    bool sheetOpen = true;                // after OK or Cancel: the sheet did not close
};

// Presses a sheet button from a helper thread, so that a page may show
// message boxes meanwhile: each is recorded and dismissed with OK. After OK
// and Cancel waits (bounded) for the sheet to close; a page that answers
// PSNRET_INVALID keeps it open. After Apply the sheet stays open.
PressOutcome PressButton(host::SheetSession& sheet, SheetButton button);

// --- The printer's stored values -------------------------------------------------------
class PrinterValues {
public:
    PrinterValues() = default;
    PrinterValues(const PrinterValues&) = delete;
    PrinterValues& operator=(const PrinterValues&) = delete;
    ~PrinterValues();

    // Opens the printer with administrator access (for writes).
    bool Open(const std::wstring& printerName, std::wstring& error);

    host::StoredValue Read(const wchar_t* name) const;
    // The number when the value is a REG_DWORD of exactly 4 bytes.
    std::optional<DWORD> Number(const wchar_t* name) const;
    bool Write(const wchar_t* name, DWORD value);
    bool Write(const NamedNumbers& values);
    // Any type and length, for values a page must repair (size 0: no bytes).
    bool WriteRaw(const wchar_t* name, DWORD type, const void* bytes, DWORD size);
    // Every value of the plug-in's table as stored, one line each: compared
    // before and after, it shows any value written in between.
    std::wstring Table() const;
    // Removes every value of the plug-in's table. Wine's DeletePrinterDataW
    // aborts the process, so this goes through the spooler's registry key.
    bool DeleteAll(std::wstring& error);

private:
    HANDLE printer_ = nullptr;
    std::wstring name_;
};

// --- Writes as the plug-in makes them -------------------------------------------------
struct RecordedWrite {
    std::wstring name;
    DWORD type;
    DWORD size;
    DWORD number;  // the first 4 bytes when there are 4 or more
};

// Watches the plug-in module's SetPrinterDataW calls (through its import
// table); the real call still happens. Safe to call again for a module kept
// loaded. False when the module does not import SetPrinterDataW.
bool RecordPluginWrites(HMODULE plugin);
// The writes recorded since the last call, in order, and forgets them.
std::vector<RecordedWrite> TakeRecordedWrites();
// From now on the plug-in's SetPrinterDataW calls -- all, or those of `name`
// only -- fail with `error` and store nothing, as a spooler refusing them
// does; they are still recorded. An error of 0 lets them through again.
void RefusePluginWrites(DWORD error, const std::wstring& name = L"");

// --- A fresh printer with its sheet open ---------------------------------------------
// The printer "Zelt Page Test <model>" of a model data file, emptied of the
// plug-in's values, the plug-in loaded on it (its writes recorded), and the
// Properties sheet open.
class PageSession {
public:
    PageSession() = default;
    PageSession(const PageSession&) = delete;
    PageSession& operator=(const PageSession&) = delete;

    // Printer with no stored values but `seed` and the plug-in loaded; no
    // sheet yet. Once per session: a new printer state needs a new session.
    bool Prepare(const std::wstring& dataFile, std::wstring& error, const NamedNumbers& seed = {});
    // Opens the sheet (again, after an earlier one closed) on a thread of its
    // own, or on the thread of `beside`'s open sheet (SheetSession::OpenBeside).
    bool OpenSheet(std::wstring& error, PageSession* beside = nullptr);
    // Prepare and OpenSheet.
    bool Open(const std::wstring& dataFile, std::wstring& error, const NamedNumbers& seed = {});

    // Shows the page at `tabIndex` (the sheet creates it when first shown);
    // null when there is no such page.
    HWND ShowPage(int tabIndex);
    PressOutcome Press(SheetButton button) { return PressButton(*sheet_, button); }

    host::SheetSession& sheet() { return *sheet_; }
    host::PluginSession& plugin() { return plugin_; }
    PrinterValues& values() { return values_; }
    const std::wstring& printerName() const { return printerName_; }
    // Where the pages find the printer's journals, and its logos of a
    // position ("StartDoc", "StartPage", "EndPage", "EndDoc").
    std::wstring JournalFolder() const;
    std::wstring LogoFolder(const std::wstring& position) const;

private:
    host::PluginSession plugin_;
    PrinterValues values_;
    std::unique_ptr<host::SheetSession> sheet_;  // destroyed before the plug-in
    std::wstring printerName_;
};

// UTF-8 for test messages.
std::string Narrow(const std::wstring& text);
// A data file's name as a test name: letters and digits kept, the rest '_'.
std::string TestNameOf(const std::wstring& dataFile);
// A string of the plug-in's string table in the system's language.
std::wstring PluginString(HMODULE plugin, UINT id);

// --- Files and the raw jobs a printer received ----------------------------------------
using Bytes = std::string;

bool WriteWholeFile(const std::wstring& path, const Bytes& bytes);
std::optional<Bytes> ReadWholeFile(const std::wstring& path);
// The file once it holds `expected` (a port's command may still be writing
// it, bounded wait); what it holds otherwise, or "(no job)".
Bytes AwaitFile(const std::wstring& path, const Bytes& expected);
// Makes `folder` (and the folders above it) where it is missing and deletes
// its files that match `pattern`; false, with `error`, when it cannot be made.
bool ClearFolder(const std::wstring& folder, const std::wstring& pattern, std::wstring& error);
// `size` bytes of a pattern that differs by `seed`.
Bytes Pattern(std::size_t size, int seed);

// One RAW job of the bytes, through the spooler calls the plug-in makes;
// false when one of them fails.
bool SubmitRawJob(HANDLE printer, const void* bytes, std::size_t length);
bool SubmitRawJob(const std::wstring& printerName, const Bytes& bytes);

// The jobs a test printer's capture port files as job-001.prn, job-002.prn ...
// in C:\zelt\jobs\<model>.
class PortJobs {
public:
    // Starts afresh for the printer of `dataFile`: its folder made and emptied.
    bool Reset(const std::wstring& dataFile, std::wstring& error);
    const std::wstring& folder() const { return folder_; }
    // The next job the port received, once it equals `expected` (the port's
    // command may still be writing it); what arrived otherwise, or "(no job)".
    Bytes Next(const Bytes& expected);
    // The next job, once its file has stopped growing; "(no job)" when none came.
    Bytes Next();
    // Whether no job came since the last one taken: a marker job sent to the
    // printer now is the next to arrive.
    bool NoneSince(const std::wstring& printerName);
    // Waits until the `number`th job since the reset has arrived whole,
    // `length` bytes; false when it has not after `timeoutMs`. Polls every
    // millisecond, for the benchmarks' timing.
    bool Arrived(int number, std::uint64_t length, DWORD timeoutMs) const;

private:
    std::wstring PathOf(int number) const;
    std::wstring NextPath();

    std::wstring folder_;
    int next_ = 1;
};

}  // namespace zelt::test
