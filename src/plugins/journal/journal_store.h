// The printer's journal folder on the current drive: the current journal the
// driver's rendering side appends copies to, and the journals archived from
// it under names the user chose.
#pragma once

#include <cstddef>
#include <cstdint>

#include "logo/file_system.h"
#include "spool/raw_job.h"

namespace zelt {

constexpr std::size_t kJournalPathCapacity = 258;       // 257 characters and the terminator
constexpr std::size_t kArchiveNameCapacity = 258;       // the name buffer the page hands the Save As dialog
constexpr std::size_t kArchiveNameMaxLength = 255;      // the longest typed name taken

constexpr wchar_t kCurrentJournalBaseName[] = L"CurrentJournal";
constexpr wchar_t kCurrentJournalFileName[] = L"CurrentJournal.zrj";
// A pattern for the user to edit; nothing is filled into it.
constexpr wchar_t kProposedArchiveName[] = L"ArchiveJournal__term_n__mm_dd_yyyy__hhmm";

// A base name gets ".zrj" appended; a file name (read back from the folder
// listing) is taken unchanged.
enum class JournalName { kBaseName, kFileName };

// "<drive>:\Zelt\<printer>\ZeltRasterJournalData\<name>[.zrj]". False, with an
// empty path, when it would not fit 257 characters, when there is no current
// drive, and when the printer name is empty (a name the spooler did not report
// must not lead into the tree's top folders).
bool FormatJournalPath(int drive, const wchar_t* printerName, const wchar_t* name, JournalName form,
                       wchar_t (&path)[kJournalPathCapacity]);

// A typed archive name the rename may use: at most 255 characters, and one
// that keeps the archive inside the journal folder (no backslash, slash or
// colon, and neither "." nor ".."). Anything else, the empty name and an
// extension included, is used as typed.
bool IsUsableArchiveName(const wchar_t* name);

// Where the listing's entries go (the page's drop-down list).
class JournalListSink {
public:
    virtual ~JournalListSink() = default;
    virtual void Add(const wchar_t* fileName) = 0;
};

// Adds every ".zrj" entry of the printer's journal folder, in listing order.
// `leaveOutCurrent` leaves out the entry named exactly "CurrentJournal.zrj"
// (case-sensitive), as the first filling of the list does; the refresh after
// an archive lists it.
void ListJournals(FileSystem& files, const wchar_t* printerName, bool leaveOutCurrent, JournalListSink& list);

// True when the printer's current journal opens for reading.
bool CurrentJournalExists(FileSystem& files, const wchar_t* printerName);

// True when the archive of that typed name already opens for reading.
bool ArchiveExists(FileSystem& files, const wchar_t* printerName, const wchar_t* typedName);

// Renames the current journal to the typed name with ".zrj" appended. False,
// with nothing renamed, for a name that is not usable or a path that does not
// fit; false too when the rename fails.
bool ArchiveJournal(FileSystem& files, const wchar_t* printerName, const wchar_t* typedName);

// A journal goes to the printer in parts of this size, read and written in
// turn inside one job, so that printing one needs the same memory whatever
// its length.
constexpr std::size_t kJournalPartSize = std::size_t{1} << 20;

enum class JournalSend {
    kSent,
    kNotOpened,  // missing or unreadable: skipped silently, no job begun
    kNotSent,    // could not be measured or read whole, or the spooler refused it
};

// Sends the journal as one raw job, its length as measured when opened (the
// part appended meanwhile waits for the next print). A read that comes short
// aborts the job: a partial journal at the printer would pass for a complete
// one.
JournalSend SendJournal(FileSystem& files, const wchar_t* path, RawJobSpooler& spooler);

// What "Print" sends for the journal list's selection: the current journal
// for "<Current>" (0), every archived entry from index 2 to the end of the
// list for "<All>" (1), the selected entry for 2 and on, nothing for no
// selection. Entries are the list's indexes [firstEntry, endEntry).
struct JournalPrintPlan {
    bool currentJournal = false;
    int firstEntry = 0;
    int endEntry = 0;
};
constexpr int kCurrentJournalItem = 0;
constexpr int kAllJournalsItem = 1;
constexpr int kFirstArchiveItem = 2;
JournalPrintPlan PlanJournalPrint(int selection, int itemCount);

}  // namespace zelt
