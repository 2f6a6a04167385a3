#include "crt_journal_files.h"

#include <direct.h>
#include <io.h>

#include <cstdio>
#include <cwchar>

namespace zelt {
namespace {

void CopyName(const wchar_t* found, wchar_t (&name)[kJournalEntryNameCapacity]) {
    std::wcsncpy(name, found, kJournalEntryNameCapacity - 1);
    name[kJournalEntryNameCapacity - 1] = L'\0';
}

}  // namespace

int CrtJournalFiles::CurrentDrive() { return _getdrive(); }

JournalFiles::File CrtJournalFiles::OpenForReading(const wchar_t* path) { return _wfopen(path, L"rb"); }

// The 64-bit calls, so that a journal beyond 2 GiB is measured as such and
// refused whole rather than mistaken for a short one.
std::int64_t CrtJournalFiles::Length(File file) {
    auto* stream = static_cast<std::FILE*>(file);
    if (_fseeki64(stream, 0, SEEK_END) != 0) return -1;
    return _ftelli64(stream);
}

bool CrtJournalFiles::SeekToStart(File file) { return _fseeki64(static_cast<std::FILE*>(file), 0, SEEK_SET) == 0; }

std::size_t CrtJournalFiles::Read(File file, unsigned char* into, std::size_t count) {
    return count == 0 ? 0 : std::fread(into, 1, count, static_cast<std::FILE*>(file));
}

void CrtJournalFiles::Close(File file) { std::fclose(static_cast<std::FILE*>(file)); }

// _wrename fails when the target exists, so no journal is ever replaced.
bool CrtJournalFiles::Rename(const wchar_t* from, const wchar_t* to) { return _wrename(from, to) == 0; }

// The runtime's search handle is never 0 (it is -1 on failure), so it serves
// as the search itself.
JournalFiles::Search CrtJournalFiles::FindFirst(const wchar_t* pattern, wchar_t (&name)[kJournalEntryNameCapacity]) {
    _wfinddata_t found;
    const intptr_t search = _wfindfirst(pattern, &found);
    if (search == -1) return nullptr;
    CopyName(found.name, name);
    return reinterpret_cast<Search>(search);
}

bool CrtJournalFiles::FindNext(Search search, wchar_t (&name)[kJournalEntryNameCapacity]) {
    _wfinddata_t found;
    if (_wfindnext(reinterpret_cast<intptr_t>(search), &found) != 0) return false;
    CopyName(found.name, name);
    return true;
}

void CrtJournalFiles::FindClose(Search search) { _findclose(reinterpret_cast<intptr_t>(search)); }

}  // namespace zelt
