// The Copy Options page's journal actions: its journal list, "Print" and
// "Save As" with the modal Save As dialog.
#pragma once

#include <windows.h>

namespace zelt {

// Fills the page's journal list: "<Current>", "<All>", then the printer's
// archived journals in listing order.
void FillJournalList(HWND page, const wchar_t* printerName);

// Keeps "<Current>" and "<All>" and lists the folder again, every ".zrj"
// entry included.
void RefreshJournalList(HWND page, const wchar_t* printerName);

// Sends the journal or journals the list's selection names, each file as one
// raw job.
void PrintJournal(HWND page, HANDLE printer);

// Archives the current journal under a name asked for in the Save As dialog.
void ArchiveCurrentJournal(HWND page, HANDLE printer);

}  // namespace zelt
