// The logo file tree on the current drive: one folder per printer and logo
// position, holding the logos 0, 1, 2, ... and the pending logo -1 that the
// driver's rendering side leaves there.
#pragma once

#include <cstddef>
#include <cstdint>

#include "file_system.h"

namespace zelt {

// The index is the item of the "Generate To" list and the value of
// LOGO_LOGOGENERATETO.
enum LogoPosition : int { kDocumentTop = 0, kPageTop, kPageBottom, kDocumentBottom, kLogoPositionCount };

// The position's folder name, or null for an index that names no position.
const wchar_t* LogoPositionFolder(int position);

constexpr std::size_t kPrinterNameCapacity = 256;  // 255 characters and the terminator
constexpr std::size_t kLogoPathCapacity = 258;     // 257 characters and the terminator
constexpr std::int32_t kPendingLogo = -1;

// "<drive>:\Zelt\<printer>\ZeltRasterLogoData\<folder>\<number>.zrl", the
// printer name unchanged (backslashes in it add folder levels). False, with
// an empty path, when the result would not fit 257 characters, when there is
// no current drive (0, or beyond Z) and when the printer name is empty: a
// name the spooler did not report must not lead into the tree's top folders.
bool FormatLogoPath(int drive, const wchar_t* printerName, const wchar_t* positionFolder, std::int32_t number,
                    wchar_t (&path)[kLogoPathCapacity]);

// "<drive>:\Zelt\<printer>\ZeltRasterLogoData\<folder>\*.zrl", the pattern
// that lists the folder's logos; refused as FormatLogoPath refuses.
bool FormatLogoPattern(int drive, const wchar_t* printerName, const wchar_t* positionFolder,
                       wchar_t (&pattern)[kLogoPathCapacity]);

// Whether a walk gives the folder's pending logo its number; once a walk has
// reached the first gap and tried, it holds kLeave, so that one press numbers
// at most one logo.
enum class PendingLogo { kLeave, kNumber };

// What a walk does with each logo it opens; the walk closes the file
// afterwards. False stops the walk.
class LogoVisitor {
public:
    virtual ~LogoVisitor() = default;
    virtual bool Visit(std::int32_t number, FileSystem::File logo) = 0;
};

// Opens logo 0, 1, 2, ... of the folder once each, the drive asked for anew
// each time, and hands each to `visitor` until an open fails: the folder's
// run of logos. With kNumber, the pending logo is then renamed to that first
// free number (the first gap, not one past the highest) and the walk goes on
// from it, over the logos beyond the gap it joins to the run. The rename
// never replaces a file; when it fails, or there is no pending logo, the
// walk ends at the gap. False when the visitor stopped the walk.
bool WalkLogos(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder, PendingLogo& pending,
               LogoVisitor& visitor);

// What the folder listing says, before any logo is opened, of the logos a
// walk will visit when nothing changes meanwhile: how many, and their sizes
// added up. With kNumber, the pending logo counts at the first gap.
struct ListedLogos {
    std::int32_t count = 0;
    std::uint64_t bytes = 0;
};
ListedLogos ListLogos(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                      PendingLogo pending);

}  // namespace zelt
