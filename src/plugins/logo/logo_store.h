// The logo file tree on the current drive: one folder per printer and logo
// position, holding the logos 0, 1, 2, ... and the pending logo -1 that the
// driver's rendering side leaves there.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zelt {

// The index is the item of the "Generate To" list and the value of
// LOGO_LOGOGENERATETO.
enum LogoPosition : int { kDocumentTop = 0, kPageTop, kPageBottom, kDocumentBottom, kLogoPositionCount };

// The position's folder name, or null for an index that names no position.
const wchar_t* LogoPositionFolder(int position);

constexpr std::size_t kPrinterNameCapacity = 256;  // 255 characters and the terminator
constexpr std::size_t kLogoPathCapacity = 258;     // 257 characters and the terminator
constexpr std::int32_t kPendingLogo = -1;

// The C runtime's file calls the store and the logo stream need, so that the
// rules above them run (and are tested) without Windows.
class LogoFileSystem {
public:
    using File = void*;
    virtual ~LogoFileSystem() = default;
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
    // Never replaces an existing target; the outcome is not examined.
    virtual void Rename(const wchar_t* from, const wchar_t* to) = 0;
};

// "<drive>:\Zelt\<printer>\ZeltRasterLogoData\<folder>\<number>.zrl", the
// printer name unchanged (backslashes in it add folder levels). False, with
// an empty path, when the result would not fit 257 characters, when there is
// no current drive (0, or beyond Z) and when the printer name is empty: a
// name the spooler did not report must not lead into the tree's top folders.
bool FormatLogoPath(int drive, const wchar_t* printerName, const wchar_t* positionFolder, std::int32_t number,
                    wchar_t (&path)[kLogoPathCapacity]);

// Logo `number` of the folder opened for reading, or null when it cannot be
// opened or its path cannot be made. The drive is asked for anew each time.
LogoFileSystem::File OpenLogo(LogoFileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                              std::int32_t number);

// Gives the folder's pending logo the first number of the run that is free
// (the first gap, not one past the highest). Nothing changes when there is
// no pending logo or the rename fails.
void AssignLogoNumber(LogoFileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder);

}  // namespace zelt
