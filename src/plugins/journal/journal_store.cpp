#include "journal_store.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>

namespace zelt {
namespace {

// Appends to a fixed buffer; once anything does not fit, the whole text is refused.
class PathWriter {
public:
    explicit PathWriter(wchar_t (&path)[kJournalPathCapacity]) : path_(path) { path_[0] = L'\0'; }

    void Put(wchar_t c) {
        if (length_ + 1 >= kJournalPathCapacity) {
            fits_ = false;
            return;
        }
        path_[length_++] = c;
    }
    void Put(const wchar_t* text) {
        for (; *text != L'\0' && fits_; ++text) Put(*text);
    }
    bool Finish() {
        path_[fits_ ? length_ : 0] = L'\0';
        return fits_;
    }

private:
    wchar_t (&path_)[kJournalPathCapacity];
    std::size_t length_ = 0;
    bool fits_ = true;
};

bool PathFor(FileSystem& files, const wchar_t* printerName, const wchar_t* name, JournalName form,
             wchar_t (&path)[kJournalPathCapacity]) {
    return FormatJournalPath(files.CurrentDrive(), printerName, name, form, path);
}

bool Opens(FileSystem& files, const wchar_t* path) {
    FileSystem::File file = files.OpenForReading(path);
    if (file == nullptr) return false;
    files.Close(file);
    return true;
}

// Reads `count` bytes in as many reads as the file needs; false when it ends first.
bool ReadWhole(FileSystem& files, FileSystem::File file, unsigned char* into, std::size_t count) {
    while (count > 0) {
        const std::size_t got = files.Read(file, into, count);
        if (got == 0) return false;
        into += got;
        count -= got;
    }
    return true;
}

JournalSend SendOpenJournal(FileSystem& files, FileSystem::File file, RawJobSpooler& spooler) {
    const std::int64_t length = files.Length(file);
    if (length < 0 || !files.SeekToStart(file)) return JournalSend::kNotSent;
    auto remaining = static_cast<std::uint64_t>(length);
    const std::size_t partSize = remaining < kJournalPartSize ? static_cast<std::size_t>(remaining) : kJournalPartSize;
    // An empty journal is a job with no write, and needs no part.
    unsigned char* part = partSize > 0 ? static_cast<unsigned char*>(std::malloc(partSize)) : nullptr;
    if (partSize > 0 && part == nullptr) return JournalSend::kNotSent;
    RawJob job(spooler);
    bool sending = job.Begin();
    while (sending && remaining > 0) {
        const std::size_t count = remaining < partSize ? static_cast<std::size_t>(remaining) : partSize;
        sending = ReadWhole(files, file, part, count) && job.Write(part, count);
        remaining -= count;
    }
    std::free(part);
    // A job left unfinished is aborted as it ends here.
    return sending && job.End() ? JournalSend::kSent : JournalSend::kNotSent;
}

}  // namespace

bool FormatJournalPath(int drive, const wchar_t* printerName, const wchar_t* name, JournalName form,
                       wchar_t (&path)[kJournalPathCapacity]) {
    path[0] = L'\0';
    if (drive < 1 || drive > 26 || printerName == nullptr || printerName[0] == L'\0' || name == nullptr) return false;
    PathWriter writer(path);
    writer.Put(static_cast<wchar_t>(64 + drive));
    writer.Put(L":\\Zelt\\");
    writer.Put(printerName);
    writer.Put(L"\\ZeltRasterJournalData\\");
    writer.Put(name);
    if (form == JournalName::kBaseName) writer.Put(L".zrj");
    return writer.Finish();
}

bool IsUsableArchiveName(const wchar_t* name) {
    if (name == nullptr) return false;
    const std::size_t length = std::wcslen(name);
    if (length > kArchiveNameMaxLength) return false;
    if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) return false;
    return std::wcspbrk(name, L"\\/:") == nullptr;
}

void ListJournals(FileSystem& files, const wchar_t* printerName, bool leaveOutCurrent, JournalListSink& list) {
    wchar_t pattern[kJournalPathCapacity];
    if (!PathFor(files, printerName, L"*", JournalName::kBaseName, pattern)) return;
    FolderEntry entry;
    FileSystem::Search search = files.FindFirst(pattern, entry);
    if (search == nullptr) return;
    do {
        if (!leaveOutCurrent || std::wcscmp(entry.name, kCurrentJournalFileName) != 0) list.Add(entry.name);
    } while (files.FindNext(search, entry));
    files.FindClose(search);
}

bool CurrentJournalExists(FileSystem& files, const wchar_t* printerName) {
    wchar_t path[kJournalPathCapacity];
    return PathFor(files, printerName, kCurrentJournalBaseName, JournalName::kBaseName, path) && Opens(files, path);
}

bool ArchiveExists(FileSystem& files, const wchar_t* printerName, const wchar_t* typedName) {
    wchar_t path[kJournalPathCapacity];
    return IsUsableArchiveName(typedName) && PathFor(files, printerName, typedName, JournalName::kBaseName, path) &&
           Opens(files, path);
}

bool ArchiveJournal(FileSystem& files, const wchar_t* printerName, const wchar_t* typedName) {
    if (!IsUsableArchiveName(typedName)) return false;
    wchar_t current[kJournalPathCapacity];
    wchar_t archive[kJournalPathCapacity];
    if (!PathFor(files, printerName, kCurrentJournalBaseName, JournalName::kBaseName, current) ||
        !PathFor(files, printerName, typedName, JournalName::kBaseName, archive)) {
        return false;
    }
    return files.Rename(current, archive);
}

JournalSend SendJournal(FileSystem& files, const wchar_t* path, RawJobSpooler& spooler) {
    FileSystem::File file = files.OpenForReading(path);
    if (file == nullptr) return JournalSend::kNotOpened;
    const JournalSend sent = SendOpenJournal(files, file, spooler);
    files.Close(file);
    return sent;
}

JournalPrintPlan PlanJournalPrint(int selection, int itemCount) {
    JournalPrintPlan plan;
    if (selection == kCurrentJournalItem) {
        plan.currentJournal = true;
    } else if (selection == kAllJournalsItem) {
        plan.firstEntry = kFirstArchiveItem;
        plan.endEntry = itemCount > kFirstArchiveItem ? itemCount : kFirstArchiveItem;
    } else if (selection >= kFirstArchiveItem && selection < itemCount) {
        plan.firstEntry = selection;
        plan.endEntry = selection + 1;
    }
    return plan;
}

}  // namespace zelt
