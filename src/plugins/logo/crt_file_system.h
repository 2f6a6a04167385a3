// The logo and journal files through the C runtime's calls.
#pragma once

#include "file_system.h"

namespace zelt {

class CrtFileSystem final : public FileSystem {
public:
    int CurrentDrive() override;
    File OpenForReading(const wchar_t* path) override;
    std::int64_t Length(File file) override;
    bool SeekToStart(File file) override;
    std::size_t Read(File file, unsigned char* into, std::size_t count) override;
    void Close(File file) override;
    bool Rename(const wchar_t* from, const wchar_t* to) override;
    Search FindFirst(const wchar_t* pattern, FolderEntry& entry) override;
    bool FindNext(Search search, FolderEntry& entry) override;
    void FindClose(Search search) override;
};

}  // namespace zelt
