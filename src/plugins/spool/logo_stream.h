// The byte stream that prints every logo of one position folder: one
// labelled record per logo, in number order, then the closing bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "logo/logo_store.h"

namespace zelt {

constexpr std::size_t kLogoLabelLength = 12;
constexpr std::size_t kLogoPreambleLength = 52;  // the label included
constexpr std::size_t kLogoPostambleLength = 11;
constexpr std::size_t kLogoClosingLength = 4;

// The first 12 bytes of "[LOGO %4d]\n" filled with the number; numbers of
// five digits and more lose the label's last characters.
void FormatLogoLabel(std::int32_t number, unsigned char (&label)[kLogoLabelLength]);

// A malloc'd stream for the caller to free; null bytes when there is nothing
// to print.
struct LogoStream {
    unsigned char* bytes = nullptr;
    std::size_t length = 0;
};

// Sizes the stream from the folder listing, allocates it once and fills it in
// one walk that opens and reads each logo once (with kNumber the pending
// logo gets the first free number on the way). Null when the folder holds no logo, when the stream
// cannot be held in memory, or when the files keep changing.
LogoStream BuildLogoStream(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                           PendingLogo pending = PendingLogo::kLeave);

// What "Print All Logos" prints for a position: a pending logo of the two
// document positions first gets its number; the page positions print their
// folders as found.
LogoStream PrepareAllLogos(FileSystem& files, const wchar_t* printerName, int position);

}  // namespace zelt
