#include "journal_actions.h"

#include <cwchar>

#include "copy_model.h"
#include "frame/module_state.h"
#include "frame/page_plan.h"
#include "journal_store.h"
#include "logo/crt_file_system.h"
#include "logo/logo_store.h"
#include "pages/common/dialog_controls.h"
#include "pages/common/help.h"
#include "pages/common/message_box.h"
#include "resources/resource.h"
#include "spool/printer_queries.h"
#include "spool/spooler_job.h"

namespace zelt {
namespace {

class ListBoxSink final : public JournalListSink {
public:
    explicit ListBoxSink(HWND page) : list_(page, kCopyJournalList) {}
    void Add(const wchar_t* fileName) override { list_.AddText(fileName); }

private:
    ListFiller list_;
};

struct SaveAsParams {
    HANDLE printer;
    wchar_t* name;  // kArchiveNameCapacity characters
};

INT_PTR CALLBACK SaveAsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetDlgItemTextW(dialog, IDC_SAVE_AS_NAME, reinterpret_cast<const SaveAsParams*>(lParam)->name);
            return TRUE;
        }
        case WM_COMMAND: {
            if (HIWORD(wParam) != 0) return FALSE;
            const auto* params = reinterpret_cast<const SaveAsParams*>(GetWindowLongPtrW(dialog, DWLP_USER));
            if (LOWORD(wParam) == IDC_SAVE_AS_OK && params != nullptr) {
                // Up to 257 characters, so that a name beyond the 255 taken is
                // seen as too long and refused, not cut.
                GetDlgItemTextW(dialog, IDC_SAVE_AS_NAME, params->name, static_cast<int>(kArchiveNameCapacity));
                wchar_t printerName[kPrinterNameCapacity];
                GetPrinterName(params->printer, printerName, kPrinterNameCapacity);
                CrtFileSystem files;
                if (ArchiveExists(files, printerName, params->name)) {
                    ShowMessage(dialog, IDS_NAME_TAKEN, kDriverCaption, MB_ICONHAND | MB_OK);
                } else {
                    EndDialog(dialog, 1);
                }
            } else if (LOWORD(wParam) == IDC_SAVE_AS_CANCEL || LOWORD(wParam) == IDCANCEL) {
                // Escape, Alt+F4 and the close box arrive as IDCANCEL (the
                // dialog manager turns WM_CLOSE into it): each is Cancel.
                EndDialog(dialog, 0);
            }
            // Every other command does nothing.
            return TRUE;
        }
        case WM_HELP:
            ShowControlHelp(reinterpret_cast<const HELPINFO*>(lParam), HelpTableId::kSaveAs);
            return TRUE;
        default:
            return FALSE;
    }
}

// The list item's text, refused when it would not fit a folder entry's name.
bool ListItemText(HWND page, int item, wchar_t (&text)[kFolderEntryNameCapacity]) {
    const LRESULT length = SendDlgItemMessageW(page, kCopyJournalList, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (length == CB_ERR || length >= static_cast<LRESULT>(kFolderEntryNameCapacity)) return false;
    return SendDlgItemMessageW(page, kCopyJournalList, CB_GETLBTEXT, static_cast<WPARAM>(item),
                               reinterpret_cast<LPARAM>(text)) != CB_ERR;
}

}  // namespace

void FillJournalList(HWND page, const wchar_t* printerName) {
    FillList(page, kCopyJournalList, {IDS_JOURNAL_CURRENT, IDS_JOURNAL_ALL});
    CrtFileSystem files;
    ListBoxSink list(page);
    ListJournals(files, printerName, true, list);
}

void RefreshJournalList(HWND page, const wchar_t* printerName) {
    while (SendDlgItemMessageW(page, kCopyJournalList, CB_GETCOUNT, 0, 0) > kFirstArchiveItem) {
        SendDlgItemMessageW(page, kCopyJournalList, CB_DELETESTRING, kFirstArchiveItem, 0);
    }
    CrtFileSystem files;
    ListBoxSink list(page);
    ListJournals(files, printerName, false, list);
}

void PrintJournal(HWND page, HANDLE printer) {
    wchar_t printerName[kPrinterNameCapacity];
    GetPrinterName(printer, printerName, kPrinterNameCapacity);
    const int items = static_cast<int>(SendDlgItemMessageW(page, kCopyJournalList, CB_GETCOUNT, 0, 0));
    const JournalPrintPlan plan = PlanJournalPrint(ListSelection(page, kCopyJournalList), items);
    CrtFileSystem files;
    SpoolerJob spooler(printer);
    wchar_t path[kJournalPathCapacity];
    bool sending = true;
    if (plan.currentJournal &&
        FormatJournalPath(files.CurrentDrive(), printerName, kCurrentJournalBaseName, JournalName::kBaseName, path)) {
        sending = SendJournal(files, path, spooler) != JournalSend::kNotSent;
    }
    for (int item = plan.firstEntry; sending && item < plan.endEntry; ++item) {
        wchar_t fileName[kFolderEntryNameCapacity];
        if (ListItemText(page, item, fileName) &&
            FormatJournalPath(files.CurrentDrive(), printerName, fileName, JournalName::kFileName, path)) {
            sending = SendJournal(files, path, spooler) != JournalSend::kNotSent;
        }
    }
    // Told once: the first journal not sent ends the press.
    if (!sending) ShowNotSent(page);
}

void ArchiveCurrentJournal(HWND page, HANDLE printer) {
    wchar_t printerName[kPrinterNameCapacity];
    GetPrinterName(printer, printerName, kPrinterNameCapacity);
    CrtFileSystem files;
    if (!CurrentJournalExists(files, printerName)) {
        ShowMessage(page, IDS_NO_CURRENT_JOURNAL, kDriverCaption, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    wchar_t name[kArchiveNameCapacity];
    std::wcscpy(name, kProposedArchiveName);
    SaveAsParams params{printer, name};
    if (DialogBoxParamW(ModuleHandle(), MAKEINTRESOURCEW(kSaveAs), page, SaveAsDialogProc,
                        reinterpret_cast<LPARAM>(&params)) != 1) {
        return;
    }
    if (ArchiveJournal(files, printerName, name)) {
        ShowMessage(page, IDS_SAVE_AS_COMPLETED, kDriverCaption, MB_OK);
        RefreshJournalList(page, printerName);
    } else {
        ShowMessage(page, IDS_SAVE_AS_FAILED, kDriverCaption, MB_ICONEXCLAMATION | MB_OK);
    }
}

}  // namespace zelt
