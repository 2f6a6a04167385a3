#include "page_driver.h"

#include <commctrl.h>
#include <winspool.h>

#include <cctype>

#include "access_keys.h"
#include "iat_hook.h"
#include "printer_names.h"
#include "printer_setup.h"
#include "settings/setting_table.h"
#include "wine_paths.h"

namespace zelt::test {
namespace {

// A message to a page waits this long for the sheet's thread to take it.
constexpr UINT kSendTimeoutMs = 10000;
constexpr DWORD kPollMs = 20;
// Bounds of a press: its message boxes included, then the sheet's closing.
constexpr DWORD kPressTimeoutMs = 30000;
constexpr DWORD kCloseTimeoutMs = 5000;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer = nullptr) {
    DWORD_PTR result = 0;
    if (!window || !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        return false;
    }
    if (answer) *answer = static_cast<LRESULT>(result);
    return true;
}

// A control the user can reach: present, enabled and shown.
HWND ReachableControl(HWND page, int id) {
    HWND control = GetDlgItem(page, id);
    return control && IsWindowEnabled(control) && IsWindowVisible(control) ? control : nullptr;
}

std::wstring WindowText(HWND window) {
    LRESULT length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return {};
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return text;
}

struct BoxSearch {
    HWND except;
    HWND found;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<BoxSearch*>(context);
    wchar_t className[16] = {};
    if (window == search->except || !IsWindowVisible(window)) return TRUE;
    if (GetClassNameW(window, className, 16) == 0 || lstrcmpW(className, L"#32770") != 0) return TRUE;
    // Another printer's sheet on the same thread is no message box.
    if (host::IsPropertySheet(window)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindIconControl(HWND child, LPARAM found) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    wchar_t className[16] = {};
    if (!IsWindowVisible(child) || (style & SS_TYPEMASK) != SS_ICON) return TRUE;
    if (GetClassNameW(child, className, 16) == 0 || lstrcmpiW(className, L"Static") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The MB_ICON* style whose system icon the box shows, 0 for none.
UINT IconStyleOf(HWND box) {
    HWND iconControl = nullptr;
    EnumChildWindows(box, &FindIconControl, reinterpret_cast<LPARAM>(&iconControl));
    LRESULT icon = 0;
    if (!iconControl || !Send(iconControl, STM_GETICON, 0, 0, &icon) || !icon) return 0;
    const struct {
        const wchar_t* resource;
        UINT style;
    } icons[] = {{IDI_HAND, MB_ICONHAND},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                 {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& candidate : icons) {
        if (reinterpret_cast<HICON>(icon) == LoadIconW(nullptr, candidate.resource)) return candidate.style;
    }
    return 0;
}

}  // namespace

std::optional<MessageBoxSeen> DismissMessageBox(DWORD threadId, HWND except, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        BoxSearch search{except, nullptr};
        EnumThreadWindows(threadId, &FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            MessageBoxSeen seen;
            seen.caption = WindowText(search.found);
            seen.text = WindowText(GetDlgItem(search.found, 0xFFFF));
            seen.icon = IconStyleOf(search.found);
            PostMessageW(search.found, WM_COMMAND, IDOK, 0);
            // Gone before the caller looks again, so no box is seen twice.
            const DWORD dismissed = GetTickCount();
            while (IsWindow(search.found) && GetTickCount() - dismissed < kCloseTimeoutMs) Sleep(kPollMs);
            return seen;
        }
        Sleep(kPollMs);
    } while (GetTickCount() - start < timeoutMs);
    return std::nullopt;
}

namespace {

struct PressJob {
    host::SheetSession* sheet;
    SheetButton button;
    bool taken;
};

DWORD WINAPI PressOnHelperThread(void* context) {
    auto* job = static_cast<PressJob*>(context);
    job->taken = job->sheet->Press(job->button);
    return 0;
}

// --- Write recording ----------------------------------------------------------
using SetPrinterDataFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, LPBYTE, DWORD);

struct WriteLog {
    WriteLog() { InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    std::vector<RecordedWrite> writes;
    SetPrinterDataFunction real = nullptr;
    DWORD refusal = ERROR_SUCCESS;
    std::wstring refusedName;  // empty: every name
};

WriteLog& Log() {
    static WriteLog log;
    return log;
}

DWORD WINAPI RecordingSetPrinterData(HANDLE printer, LPWSTR name, DWORD type, LPBYTE data, DWORD size) {
    WriteLog& log = Log();
    RecordedWrite write{name ? name : L"", type, size, 0};
    if (data && size >= sizeof(DWORD)) memcpy(&write.number, data, sizeof(DWORD));
    EnterCriticalSection(&log.lock);
    log.writes.push_back(write);
    const bool refused = log.refusal != ERROR_SUCCESS && (log.refusedName.empty() || log.refusedName == write.name);
    const DWORD refusal = log.refusal;
    LeaveCriticalSection(&log.lock);
    return refused ? refusal : log.real(printer, name, type, data, size);
}

}  // namespace

// --- Controls --------------------------------------------------------------------
bool PickListItem(HWND page, int listId, int position) {
    HWND list = ReachableControl(page, listId);
    if (!list || position < 0 || position >= ListCount(page, listId)) return false;
    LRESULT selected = CB_ERR;
    if (!Send(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0, &selected) || selected != position) return false;
    return Send(page, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int ListSelection(HWND page, int listId) {
    LRESULT selection = CB_ERR;
    if (!Send(GetDlgItem(page, listId), CB_GETCURSEL, 0, 0, &selection) || selection == CB_ERR) return -1;
    return static_cast<int>(selection);
}

int ListCount(HWND page, int listId) {
    LRESULT count = CB_ERR;
    if (!Send(GetDlgItem(page, listId), CB_GETCOUNT, 0, 0, &count) || count == CB_ERR) return -1;
    return static_cast<int>(count);
}

std::vector<std::wstring> ListTexts(HWND page, int listId) {
    HWND list = GetDlgItem(page, listId);
    std::vector<std::wstring> texts;
    for (int i = 0, count = ListCount(page, listId); i < count; ++i) {
        LRESULT length = CB_ERR;
        if (!Send(list, CB_GETLBTEXTLEN, i, 0, &length) || length == CB_ERR) break;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        if (!Send(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), &length) || length == CB_ERR) break;
        text.resize(static_cast<std::size_t>(length));
        texts.push_back(text);
    }
    return texts;
}

std::wstring SelectedText(HWND page, int listId) {
    const std::vector<std::wstring> texts = ListTexts(page, listId);
    const int selection = ListSelection(page, listId);
    return selection >= 0 && selection < static_cast<int>(texts.size()) ? texts[selection] : std::wstring();
}

bool Click(HWND page, int controlId) {
    HWND button = ReachableControl(page, controlId);
    return button && Send(button, BM_CLICK, 0, 0);
}

bool IsChecked(HWND page, int buttonId) {
    LRESULT state = BST_UNCHECKED;
    return Send(GetDlgItem(page, buttonId), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool IsEnabled(HWND page, int controlId) {
    HWND control = GetDlgItem(page, controlId);
    return control && IsWindowEnabled(control);
}

namespace {

BOOL CALLBACK CollectEnabledInput(HWND control, LPARAM found) {
    wchar_t className[32] = {};
    if (!IsWindowEnabled(control) || !IsWindowVisible(control) || GetClassNameW(control, className, 32) == 0) {
        return TRUE;
    }
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    const bool input = (lstrcmpiW(className, L"Button") == 0 && type != BS_GROUPBOX) ||
                       lstrcmpiW(className, L"ComboBox") == 0 || lstrcmpiW(className, L"Edit") == 0 ||
                       lstrcmpiW(className, UPDOWN_CLASSW) == 0;
    if (input) reinterpret_cast<std::vector<int>*>(found)->push_back(GetDlgCtrlID(control));
    return TRUE;
}

}  // namespace

std::vector<int> EnabledInputs(HWND page) {
    std::vector<int> ids;
    EnumChildWindows(page, &CollectEnabledInput, reinterpret_cast<LPARAM>(&ids));
    return ids;
}

std::wstring ControlText(HWND page, int controlId) { return WindowText(GetDlgItem(page, controlId)); }

std::wstring SeenCaption(HWND page, int controlId) { return SeenText(ControlText(page, controlId)); }

bool TypeText(HWND page, int editId, const std::wstring& text) {
    HWND edit = ReachableControl(page, editId);
    LRESULT set = FALSE;
    return edit && Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &set) && set;
}

// --- Sheet buttons and message boxes ---------------------------------------------
std::optional<MessageBoxSeen> DismissMessageBox(const host::SheetSession& sheet, DWORD timeoutMs) {
    HWND window = sheet.window();
    if (!window) return std::nullopt;
    return DismissMessageBox(GetWindowThreadProcessId(window, nullptr), window, timeoutMs);
}

bool ApplyButtonEnabled(const host::SheetSession& sheet) {
    constexpr int kApplyButton = 0x3021;
    return IsWindowEnabled(GetDlgItem(sheet.window(), kApplyButton)) != FALSE;
}

PressOutcome PressButton(host::SheetSession& sheet, SheetButton button) {
    PressOutcome outcome;
    HWND window = sheet.window();
    if (!window) return outcome;
    const DWORD sheetThread = GetWindowThreadProcessId(window, nullptr);
    PressJob job{&sheet, button, false};
    HANDLE helper = CreateThread(nullptr, 0, &PressOnHelperThread, &job, 0, nullptr);
    if (!helper) return outcome;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(helper, 0) == WAIT_TIMEOUT) {
        if (GetTickCount() - start >= kPressTimeoutMs) break;
        if (auto seen = DismissMessageBox(sheetThread, window, kPollMs)) outcome.messages.push_back(*seen);
    }
    // The helper's own send is bounded, so this wait ends.
    WaitForSingleObject(helper, INFINITE);
    CloseHandle(helper);
    outcome.taken = job.taken;
    if (button == SheetButton::kApply) {
        outcome.sheetOpen = !sheet.closed();
    } else {
        std::wstring ignored;
        sheet.WaitClosed(ignored, kCloseTimeoutMs);
        outcome.sheetOpen = !sheet.closed();
    }
    return outcome;
}

// --- Stored values -----------------------------------------------------------------
PrinterValues::~PrinterValues() {
    if (printer_) ClosePrinter(printer_);
}

bool PrinterValues::Open(const std::wstring& printerName, std::wstring& error) {
    if (printer_) ClosePrinter(printer_);
    printer_ = nullptr;
    name_ = printerName;
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(name_.data(), &printer_, &access)) {
        printer_ = nullptr;
        error = L"cannot open printer " + printerName + L" (error " + std::to_wstring(GetLastError()) + L")";
        return false;
    }
    return true;
}

host::StoredValue PrinterValues::Read(const wchar_t* name) const { return host::ReadStoredValue(printer_, name); }

std::optional<DWORD> PrinterValues::Number(const wchar_t* name) const {
    const host::StoredValue value = Read(name);
    if (value.status != ERROR_SUCCESS || value.type != REG_DWORD || value.size != sizeof(DWORD)) return std::nullopt;
    return value.number;
}

bool PrinterValues::Write(const wchar_t* name, DWORD value) { return WriteRaw(name, REG_DWORD, &value, sizeof value); }

bool PrinterValues::Write(const NamedNumbers& values) {
    bool all = true;
    for (const auto& [name, value] : values) all = Write(name, value) && all;
    return all;
}

bool PrinterValues::WriteRaw(const wchar_t* name, DWORD type, const void* bytes, DWORD size) {
    BYTE empty = 0;
    BYTE* data = size > 0 ? static_cast<BYTE*>(const_cast<void*>(bytes)) : &empty;
    return SetPrinterDataW(printer_, const_cast<wchar_t*>(name), type, data, size) == ERROR_SUCCESS;
}

std::wstring PrinterValues::Table() const {
    std::wstring table;
    for (const SettingSpec& setting : kSettings) {
        table += host::FormatValueLine(setting.name, Read(setting.name)) + L"\n";
    }
    return table;
}

bool PrinterValues::DeleteAll(std::wstring& error) { return host::DeleteStoredValues(name_, error); }

// --- Write recording -------------------------------------------------------------
bool RecordPluginWrites(HMODULE plugin) {
    return HookImport(plugin, "winspool.drv", "SetPrinterDataW", &RecordingSetPrinterData, Log().real);
}

void RefusePluginWrites(DWORD error, const std::wstring& name) {
    WriteLog& log = Log();
    EnterCriticalSection(&log.lock);
    log.refusal = error;
    log.refusedName = name;
    LeaveCriticalSection(&log.lock);
}

std::vector<RecordedWrite> TakeRecordedWrites() {
    WriteLog& log = Log();
    EnterCriticalSection(&log.lock);
    std::vector<RecordedWrite> writes;
    writes.swap(log.writes);
    LeaveCriticalSection(&log.lock);
    return writes;
}

// --- Fresh printer with its sheet ----------------------------------------------------
bool PageSession::Prepare(const std::wstring& dataFile, std::wstring& error, const NamedNumbers& seed) {
    printerName_ = L"Zelt Page Test " + host::ModelName(dataFile);
    host::SimulatedPrinter printer;
    if (!host::EnsurePrinter({dataFile, printerName_, L""}, printer, error)) return false;
    if (!values_.Open(printerName_, error) || !values_.DeleteAll(error)) return false;
    if (!values_.Write(seed)) {
        error = L"cannot store the seed values on " + printerName_;
        return false;
    }
    if (!plugin_.Load(host::DefaultPluginPath(), error) || !plugin_.AttachPrinter(printerName_, error)) return false;
    if (!RecordPluginWrites(plugin_.module())) {
        error = L"the plug-in does not import SetPrinterDataW from winspool.drv";
        return false;
    }
    TakeRecordedWrites();
    return true;
}

bool PageSession::OpenSheet(std::wstring& error, PageSession* beside) {
    sheet_.reset();
    sheet_ = std::make_unique<host::SheetSession>(plugin_.plugin(), plugin_.sheetParams());
    return beside != nullptr ? sheet_->OpenBeside(beside->sheet(), error) : sheet_->Open(error);
}

bool PageSession::Open(const std::wstring& dataFile, std::wstring& error, const NamedNumbers& seed) {
    return Prepare(dataFile, error, seed) && OpenSheet(error);
}

std::wstring PageSession::JournalFolder() const { return L"C:\\Zelt\\" + printerName_ + L"\\ZeltRasterJournalData"; }

std::wstring PageSession::LogoFolder(const std::wstring& position) const {
    return L"C:\\Zelt\\" + printerName_ + L"\\ZeltRasterLogoData\\" + position;
}

HWND PageSession::ShowPage(int tabIndex) {
    if (!sheet_ || !sheet_->SelectPage(tabIndex)) return nullptr;
    return sheet_->PageWindow(tabIndex);
}

// --- Files and jobs ---------------------------------------------------------------------
bool WriteWholeFile(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::optional<Bytes> ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    Bytes content;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    CloseHandle(file);
    return content;
}

bool ClearFolder(const std::wstring& folder, const std::wstring& pattern, std::wstring& error) {
    if (!host::MakeFolders(folder, error)) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    do {
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

Bytes Pattern(std::size_t size, int seed) {
    Bytes bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((seed * 31 + i * 7) & 0xFF);
    return bytes;
}

bool SubmitRawJob(HANDLE printer, const void* bytes, std::size_t length) {
    DOC_INFO_1W document = {const_cast<wchar_t*>(L"test job"), nullptr, const_cast<wchar_t*>(L"RAW")};
    DWORD written = 0;
    const bool sent = StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&document)) && StartPagePrinter(printer) &&
                      WritePrinter(printer, const_cast<void*>(bytes), static_cast<DWORD>(length), &written) &&
                      EndPagePrinter(printer);
    return EndDocPrinter(printer) && sent && written == length;
}

bool SubmitRawJob(const std::wstring& printerName, const Bytes& bytes) {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), &printer, nullptr)) return false;
    const bool sent = SubmitRawJob(printer, bytes.data(), bytes.size());
    ClosePrinter(printer);
    return sent;
}

bool PortJobs::Reset(const std::wstring& dataFile, std::wstring& error) {
    folder_ = L"C:\\zelt\\jobs\\" + host::ModelName(dataFile);
    next_ = 1;
    return ClearFolder(folder_, L"job-*.prn", error);
}

std::wstring PortJobs::PathOf(int number) const {
    wchar_t name[32];
    swprintf(name, 32, L"\\job-%03d.prn", number);
    return folder_ + name;
}

std::wstring PortJobs::NextPath() { return PathOf(next_++); }

Bytes AwaitFile(const std::wstring& path, const Bytes& expected) {
    std::optional<Bytes> content;
    for (int attempt = 0; attempt < 200; ++attempt) {
        content = ReadWholeFile(path);
        if (content == expected) break;
        Sleep(50);
    }
    return content.value_or("(no job)");
}

Bytes PortJobs::Next(const Bytes& expected) { return AwaitFile(NextPath(), expected); }

Bytes PortJobs::Next() {
    const std::wstring path = NextPath();
    std::optional<Bytes> previous;
    for (int attempt = 0; attempt < 200; ++attempt) {
        std::optional<Bytes> content = ReadWholeFile(path);
        if (content && previous && *content == *previous) return *content;
        previous = content;
        Sleep(100);
    }
    return "(no job)";
}

bool PortJobs::NoneSince(const std::wstring& printerName) {
    return SubmitRawJob(printerName, "marker job") && Next("marker job") == "marker job";
}

bool PortJobs::Arrived(int number, std::uint64_t length, DWORD timeoutMs) const {
    const std::wstring path = PathOf(number);
    const DWORD start = GetTickCount();
    do {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
            (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) == length) {
            return true;
        }
        Sleep(1);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

std::string Narrow(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? length - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::string TestNameOf(const std::wstring& dataFile) {
    std::string name;
    for (char c : Narrow(dataFile)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

std::wstring PluginString(HMODULE plugin, UINT id) {
    wchar_t text[200] = {};
    const int length = LoadStringW(plugin, id, text, 200);
    return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace zelt::test
