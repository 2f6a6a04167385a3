#include "crt_logo_files.h"

#include <direct.h>

#include <cstdio>

namespace zelt {

int CrtLogoFiles::CurrentDrive() { return _getdrive(); }

LogoFileSystem::File CrtLogoFiles::OpenForReading(const wchar_t* path) { return _wfopen(path, L"rb"); }

std::int64_t CrtLogoFiles::Length(File file) {
    auto* stream = static_cast<std::FILE*>(file);
    if (std::fseek(stream, 0, SEEK_END) != 0) return -1;
    return std::ftell(stream);  // -1 for a file beyond what ftell can tell
}

bool CrtLogoFiles::SeekToStart(File file) { return std::fseek(static_cast<std::FILE*>(file), 0, SEEK_SET) == 0; }

std::size_t CrtLogoFiles::Read(File file, unsigned char* into, std::size_t count) {
    return count == 0 ? 0 : std::fread(into, 1, count, static_cast<std::FILE*>(file));
}

void CrtLogoFiles::Close(File file) { std::fclose(static_cast<std::FILE*>(file)); }

// _wrename fails when the target exists, so a logo is never replaced.
void CrtLogoFiles::Rename(const wchar_t* from, const wchar_t* to) { _wrename(from, to); }

}  // namespace zelt
