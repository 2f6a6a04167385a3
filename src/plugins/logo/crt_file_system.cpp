#include "crt_file_system.h"

#include <direct.h>
#include <io.h>

#include <cstdio>
#include <cwchar>

namespace zelt {
namespace {

void Take(const _wfinddata64_t& found, FolderEntry& entry) {
    std::wcsncpy(entry.name, found.name, kFolderEntryNameCapacity - 1);
    entry.name[kFolderEntryNameCapacity - 1] = L'\0';
    entry.size = found.size < 0 ? 0 : static_cast<std::uint64_t>(found.size);
}

}  // namespace

int CrtFileSystem::CurrentDrive() { return _getdrive(); }

FileSystem::File CrtFileSystem::OpenForReading(const wchar_t* path) { return _wfopen(path, L"rb"); }

// The 64-bit calls, so that a file beyond 2 GiB is measured as such and
// refused whole rather than mistaken for a short one.
std::int64_t CrtFileSystem::Length(File file) {
    auto* stream = static_cast<std::FILE*>(file);
    if (_fseeki64(stream, 0, SEEK_END) != 0) return -1;
    return _ftelli64(stream);
}

bool CrtFileSystem::SeekToStart(File file) { return _fseeki64(static_cast<std::FILE*>(file), 0, SEEK_SET) == 0; }

std::size_t CrtFileSystem::Read(File file, unsigned char* into, std::size_t count) {
    return count == 0 ? 0 : std::fread(into, 1, count, static_cast<std::FILE*>(file));
}

void CrtFileSystem::Close(File file) { std::fclose(static_cast<std::FILE*>(file)); }

// _wrename fails when the target exists, so no logo or journal is ever replaced.
bool CrtFileSystem::Rename(const wchar_t* from, const wchar_t* to) { return _wrename(from, to) == 0; }

// The runtime's search handle is never 0 (it is -1 on failure), so it serves
// as the search itself.
FileSystem::Search CrtFileSystem::FindFirst(const wchar_t* pattern, FolderEntry& entry) {
    _wfinddata64_t found;
    const intptr_t search = _wfindfirst64(pattern, &found);
    if (search == -1) return nullptr;
    Take(found, entry);
    return reinterpret_cast<Search>(search);
}

bool CrtFileSystem::FindNext(Search search, FolderEntry& entry) {
    _wfinddata64_t found;
    if (_wfindnext64(reinterpret_cast<intptr_t>(search), &found) != 0) return false;
    Take(found, entry);
    return true;
}

void CrtFileSystem::FindClose(Search search) { _findclose(reinterpret_cast<intptr_t>(search)); }

}  // namespace zelt
