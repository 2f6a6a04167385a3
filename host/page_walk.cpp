#include "page_walk.h"

#include "printer_names.h"
#include "window_capture.h"

namespace zelt::host {
namespace {

constexpr int kSimpleCopy = 1047;
constexpr int kSaveAsButton = 1056;
constexpr int kSaveAsCancel = 1093;
constexpr DWORD kDialogWaitMs = 10000;
// Between two sheets on the screen and in their picture.
constexpr int kSheetGap = 12;

// Save As archives the current journal, so the dialog opens only when there
// is one: make an empty journal (and its folders) unless one is there.
bool EnsureCurrentJournal(const std::wstring& printerName, std::wstring& error) {
    std::wstring path;
    for (const std::wstring& folder : {std::wstring(L"\\Zelt"), L"\\" + printerName, std::wstring(L"\\ZeltRasterJournalData")}) {
        path += folder;
        CreateDirectoryW(path.c_str(), nullptr);
    }
    path += L"\\CurrentJournal.zrj";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = L"cannot make the current journal " + path;
        return false;
    }
    CloseHandle(file);
    return true;
}

struct DialogSearch {
    HWND sheet;
    HWND found;
};

BOOL CALLBACK FindSaveAsDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    if (window != search->sheet && IsWindowVisible(window) && GetDlgItem(window, kSaveAsCancel) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Shows the Copy Options page (the page with the Save As button); null when
// the sheet has none.
HWND ShowCopyOptionsPage(SheetSession& sheet) {
    for (int index = 0; index < sheet.PageCount(); ++index) {
        if (!sheet.SelectPage(index)) continue;
        HWND page = sheet.PageWindow(index);
        if (page != nullptr && GetDlgItem(page, kSaveAsButton) != nullptr) return page;
    }
    return nullptr;
}

// Opens Save As from the Copy Options page, captures the dialog and cancels it.
bool CaptureSaveAs(SheetSession& sheet, const WalkRequest& request, int shotIndex, PageSeen& seen,
                   std::wstring& error) {
    HWND copyPage = ShowCopyOptionsPage(sheet);
    if (copyPage == nullptr) {
        error = L"the sheet has no Copy Options page";
        return false;
    }
    if (!EnsureCurrentJournal(request.printerName, error)) return false;
    HWND button = GetDlgItem(copyPage, kSaveAsButton);
    // "Simple Copy" switches the journal actions off; clear it as a user would.
    if (!IsWindowEnabled(button) && IsDlgButtonChecked(copyPage, kSimpleCopy) == BST_CHECKED) {
        SendMessageW(GetDlgItem(copyPage, kSimpleCopy), BM_CLICK, 0, 0);
    }
    if (!IsWindowEnabled(button)) {
        error = L"the Save As button is disabled";
        return false;
    }
    // Posted: the dialog runs modal on the sheet's thread.
    PostMessageW(copyPage, WM_COMMAND, MAKEWPARAM(kSaveAsButton, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    DialogSearch search{sheet.window(), nullptr};
    const DWORD thread = GetWindowThreadProcessId(sheet.window(), nullptr);
    for (DWORD waited = 0; search.found == nullptr && waited < kDialogWaitMs; waited += 50) {
        Sleep(50);
        EnumThreadWindows(thread, &FindSaveAsDialog, reinterpret_cast<LPARAM>(&search));
    }
    if (search.found == nullptr) {
        error = L"the Save As dialog did not appear";
        return false;
    }
    Sleep(300);  // let it paint
    wchar_t title[128] = {};
    GetWindowTextW(search.found, title, 128);
    seen.caption = title;
    seen.shotPath = request.shotsFolder + L"\\" + ShotFileName(request.model, request.language, shotIndex, seen.caption);
    RgbImage image;
    const bool captured = CaptureWindow(search.found, image, error) && WritePngFile(seen.shotPath, image, error);
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(kSaveAsCancel, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(search.found, kSaveAsCancel)));
    for (DWORD waited = 0; IsWindow(search.found) && waited < kDialogWaitMs; waited += 50) Sleep(50);
    return captured;
}

}  // namespace

bool VisitPages(SheetSession& sheet, const WalkRequest& request, std::vector<PageSeen>& pages, std::wstring& error) {
    const int count = sheet.PageCount();
    if (count <= 0) {
        error = L"the sheet has no pages";
        return false;
    }
    for (int index = 0; index < count; ++index) {
        PageSeen page;
        page.caption = sheet.TabCaption(index);
        if (!sheet.SelectPage(index)) {
            error = L"could not show page " + std::to_wstring(index + 1) + L" (" + page.caption + L")";
            return false;
        }
        if (!request.shotsFolder.empty()) {
            RgbImage image;
            page.shotPath = request.shotsFolder + L"\\" +
                            ShotFileName(request.model, request.language, index + 1, page.caption);
            if (!CaptureWindow(sheet.window(), image, error) || !WritePngFile(page.shotPath, image, error)) {
                return false;
            }
        }
        pages.push_back(page);
    }
    if (request.saveAsShot && !request.shotsFolder.empty()) {
        PageSeen dialog;
        if (!CaptureSaveAs(sheet, request, count + 1, dialog, error)) return false;
        pages.push_back(dialog);
    }
    return true;
}

bool CloseSheet(SheetSession& sheet, bool apply, std::wstring& error) {
    if (!sheet.Press(apply ? SheetButton::kOk : SheetButton::kCancel)) {
        error = L"the sheet did not take the closing button press";
        return false;
    }
    return sheet.WaitClosed(error);
}

bool WalkPages(SheetSession& sheet, const WalkRequest& request, std::vector<PageSeen>& pages, std::wstring& error) {
    return VisitPages(sheet, request, pages, error) && CloseSheet(sheet, request.apply, error);
}

void PlaceBeside(HWND left, HWND right) {
    RECT bounds = {};
    if (!GetWindowRect(left, &bounds)) return;
    SetWindowPos(right, nullptr, bounds.right + kSheetGap, bounds.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CaptureOnCopyOptions(SheetSession& left, SheetSession& right, const std::wstring& path, std::wstring& error) {
    RgbImage leftImage, rightImage;
    for (auto [sheet, image] : {std::pair{&left, &leftImage}, std::pair{&right, &rightImage}}) {
        if (ShowCopyOptionsPage(*sheet) == nullptr) {
            error = L"a sheet has no Copy Options page";
            return false;
        }
        if (!CaptureWindow(sheet->window(), *image, error)) return false;
    }
    return WritePngFile(path, SideBySide(leftImage, rightImage, kSheetGap), error);
}

std::wstring UiLanguageTag() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? L"ja" : L"en";
}

}  // namespace zelt::host
