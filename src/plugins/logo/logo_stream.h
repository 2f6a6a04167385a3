// The byte stream that prints every logo of one position folder: one
// labelled record per logo, in number order, then the closing bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "logo_store.h"

namespace zelt {

constexpr std::size_t kLogoLabelLength = 12;
constexpr std::size_t kLogoPreambleLength = 52;  // the label included
constexpr std::size_t kLogoPostambleLength = 11;
constexpr std::size_t kLogoClosingLength = 4;

// The first 12 bytes of "[LOGO %4d]\n" filled with the number; numbers of
// five digits and more lose the label's last characters.
void FormatLogoLabel(std::int32_t number, unsigned char (&label)[kLogoLabelLength]);

// A malloc'd stream for the caller to free; null bytes when there is nothing
// to print, and then `unreadable` when the folder's logos could not be read
// whole or held in memory (the user is told; an empty folder is silent).
struct LogoStream {
    unsigned char* bytes = nullptr;
    std::size_t length = 0;
    bool unreadable = false;
};

// Walks the folder once, opening and reading each logo once and taking its
// length from the opened file, into a buffer first sized from the folder
// listing (with kNumber the pending logo gets the first free number on the
// way). A logo that shrinks while read starts the stream over.
LogoStream BuildLogoStream(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                           PendingLogo pending = PendingLogo::kLeave);

// What "Print All Logos" prints for a position: a pending logo of the two
// document positions first gets its number; the page positions print their
// folders as found.
LogoStream PrepareAllLogos(FileSystem& files, const wchar_t* printerName, int position);

}  // namespace zelt
