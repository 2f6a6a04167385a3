// The logo files through the C runtime's calls.
#pragma once

#include "logo_store.h"

namespace zelt {

class CrtLogoFiles final : public LogoFileSystem {
public:
    int CurrentDrive() override;
    File OpenForReading(const wchar_t* path) override;
    std::int64_t Length(File file) override;
    bool SeekToStart(File file) override;
    std::size_t Read(File file, unsigned char* into, std::size_t count) override;
    void Close(File file) override;
    void Rename(const wchar_t* from, const wchar_t* to) override;
};

}  // namespace zelt
