#include "logo_stream.h"

#include <cstdlib>
#include <cstring>

namespace zelt {
namespace {

// Preamble after the label: ESC * r R, ESC * r A, ESC * r Q 0, ESC * r F 1,
// ESC * r E 1, ESC * r P 0 with their NULs, then two NULs.
constexpr unsigned char kPreambleCommands[kLogoPreambleLength - kLogoLabelLength] = {
    0x1B, 0x2A, 0x72, 0x52, 0x00,                    //
    0x1B, 0x2A, 0x72, 0x41, 0x00,                    //
    0x1B, 0x2A, 0x72, 0x51, 0x30, 0x00, 0x00,        //
    0x1B, 0x2A, 0x72, 0x46, 0x31, 0x00, 0x00,        //
    0x1B, 0x2A, 0x72, 0x45, 0x31, 0x00, 0x00,        //
    0x1B, 0x2A, 0x72, 0x50, 0x30, 0x00, 0x00,        //
    0x00, 0x00,
};
// ESC FF NUL, EOT ESC * r B NUL, LF NUL.
constexpr unsigned char kPostamble[kLogoPostambleLength] = {0x1B, 0x0C, 0x00, 0x04, 0x1B, 0x2A,
                                                            0x72, 0x42, 0x00, 0x0A, 0x00};
// ESC d 2 NUL.
constexpr unsigned char kClosing[kLogoClosingLength] = {0x1B, 0x64, 0x02, 0x00};

constexpr std::uint64_t kRecordFrameLength = kLogoPreambleLength + kLogoPostambleLength;
// The largest block malloc is asked for.
constexpr std::uint64_t kLargestStream = static_cast<std::uint64_t>(PTRDIFF_MAX);

// The stream is sized from the folder listing and filled in one walk that
// opens each logo once, writing only within that size and only bytes it has
// just read. When the folder no longer matches the listing (a logo grew
// beyond the room left, or a read came short), the stream is started over
// from a new listing. A folder still changing after this many attempts
// prints nothing.
constexpr int kBuildAttempts = 3;

enum class Fill { kFilling, kChanged, kUnusable };

// Appends each logo the walk opens as one record.
class StreamFiller final : public LogoVisitor {
public:
    StreamFiller(FileSystem& files, unsigned char* stream, std::size_t capacity)
        : files_(files), stream_(stream), capacity_(capacity) {}

    bool Visit(std::int32_t number, FileSystem::File logo) override {
        const std::int64_t length = files_.Length(logo);
        if (length < 0) {
            outcome_ = Fill::kUnusable;  // a logo whose length cannot be found
            return false;
        }
        const std::size_t room = capacity_ - offset_ - kLogoClosingLength;
        if (static_cast<std::uint64_t>(length) + kRecordFrameLength > room || !files_.SeekToStart(logo)) {
            outcome_ = Fill::kChanged;
            return false;
        }
        const auto size = static_cast<std::size_t>(length);
        unsigned char* record = stream_ + offset_;
        unsigned char label[kLogoLabelLength];
        FormatLogoLabel(number, label);
        std::memcpy(record, label, sizeof label);
        std::memcpy(record + sizeof label, kPreambleCommands, sizeof kPreambleCommands);
        if (files_.Read(logo, record + kLogoPreambleLength, size) != size) {
            outcome_ = Fill::kChanged;
            return false;
        }
        std::memcpy(record + kLogoPreambleLength + size, kPostamble, sizeof kPostamble);
        offset_ += kLogoPreambleLength + size + kLogoPostambleLength;
        return true;
    }

    Fill outcome() const { return outcome_; }
    // The stream's length once closed; 0 when the walk found no logo.
    std::size_t Close() {
        if (offset_ == 0) return 0;
        std::memcpy(stream_ + offset_, kClosing, sizeof kClosing);
        return offset_ + kLogoClosingLength;
    }

private:
    FileSystem& files_;
    unsigned char* stream_;
    std::size_t capacity_;
    std::size_t offset_ = 0;
    Fill outcome_ = Fill::kFilling;
};

// Numbers the pending logo when no stream is built.
class OpenOnly final : public LogoVisitor {
public:
    bool Visit(std::int32_t, FileSystem::File) override { return true; }
};

}  // namespace

void FormatLogoLabel(std::int32_t number, unsigned char (&label)[kLogoLabelLength]) {
    // "[LOGO %4d]\n" written out by hand: the runtime's formatting would
    // bring its whole printf family into the module for this one label.
    char digits[11];
    int count = 0;
    std::uint32_t magnitude = number < 0 ? 0u - static_cast<std::uint32_t>(number) : static_cast<std::uint32_t>(number);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) digits[count++] = '-';
    // Room for the longest text, "[LOGO -2147483648]\n".
    char text[20] = {'[', 'L', 'O', 'G', 'O', ' '};
    std::size_t at = 6;
    for (int width = count; width < 4; ++width) text[at++] = ' ';
    while (count > 0) text[at++] = digits[--count];
    text[at++] = ']';
    text[at] = '\n';
    std::memcpy(label, text, kLogoLabelLength);
}

LogoStream BuildLogoStream(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                           PendingLogo pending) {
    for (int attempt = 0; attempt < kBuildAttempts; ++attempt) {
        const ListedLogos listed = ListLogos(files, printerName, positionFolder, pending);
        if (listed.count == 0 || listed.bytes > kLargestStream) break;
        const std::uint64_t total = listed.bytes + listed.count * kRecordFrameLength + kLogoClosingLength;
        if (total > kLargestStream) break;
        auto* stream = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(total)));
        if (stream == nullptr) break;
        StreamFiller filler(files, stream, static_cast<std::size_t>(total));
        WalkLogos(files, printerName, positionFolder, pending, filler);
        if (filler.outcome() == Fill::kFilling) {
            const std::size_t length = filler.Close();
            if (length > 0) return {stream, length};
        }
        std::free(stream);
        if (filler.outcome() != Fill::kChanged) break;
    }
    // Nothing to print; a pending logo still gets its number, as the press promises.
    if (pending == PendingLogo::kNumber) {
        OpenOnly walk;
        WalkLogos(files, printerName, positionFolder, pending, walk);
    }
    return {};
}

LogoStream PrepareAllLogos(FileSystem& files, const wchar_t* printerName, int position) {
    const wchar_t* folder = LogoPositionFolder(position);
    if (folder == nullptr) return {};
    const bool numberPending = position == kDocumentTop || position == kDocumentBottom;
    return BuildLogoStream(files, printerName, folder, numberPending ? PendingLogo::kNumber : PendingLogo::kLeave);
}

}  // namespace zelt
