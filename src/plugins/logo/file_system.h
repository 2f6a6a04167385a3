// The C runtime's file and folder calls the logo and journal stores make,
// behind one interface, so that the rules above them run (and are tested)
// without Windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zelt {

constexpr std::size_t kFolderEntryNameCapacity = 260;  // a folder entry's name as the listing gives it

struct FolderEntry {
    wchar_t name[kFolderEntryNameCapacity];  // cut to fit
    std::uint64_t size;                      // in bytes, as the listing reports it
};

class FileSystem {
public:
    using File = void*;
    using Search = void*;
    virtual ~FileSystem() = default;
    // 1 = A, 2 = B, ...; 0 when the process has no current drive.
    virtual int CurrentDrive() = 0;
    // The file opened for reading bytes, or null.
    virtual File OpenForReading(const wchar_t* path) = 0;
    // The length found by seeking to the end; -1 when it cannot be found.
    virtual std::int64_t Length(File file) = 0;
    virtual bool SeekToStart(File file) = 0;
    // The number of bytes read.
    virtual std::size_t Read(File file, unsigned char* into, std::size_t count) = 0;
    virtual void Close(File file) = 0;
    // Never replaces an existing target.
    virtual bool Rename(const wchar_t* from, const wchar_t* to) = 0;
    // The first entry matching the pattern; null when there is none.
    virtual Search FindFirst(const wchar_t* pattern, FolderEntry& entry) = 0;
    virtual bool FindNext(Search search, FolderEntry& entry) = 0;
    virtual void FindClose(Search search) = 0;
};

}  // namespace zelt
