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
// A listing may be stale: the first allocation follows it only this far, so
// that one over-reporting a size costs no more memory than this.
constexpr std::uint64_t kMostListedLength = std::uint64_t{64} << 20;

// Each record takes its logo's length from the file the walk opened, and
// carries only bytes just read from it. When a read comes short (the file
// shrank while read), the stream is started over; a folder still changing
// after this many attempts prints nothing.
constexpr int kBuildAttempts = 3;

enum class Fill { kWhole, kChanged, kUnusable };

// Appends each logo the walk opens as one record, in a buffer first sized
// from the folder listing, which may be stale: a logo longer than listed
// makes room, one shorter leaves room unused.
class StreamFiller final : public LogoVisitor {
public:
    StreamFiller(FileSystem& files, std::uint64_t listedLength) : files_(files), listedLength_(listedLength) {}
    StreamFiller(const StreamFiller&) = delete;
    StreamFiller& operator=(const StreamFiller&) = delete;
    ~StreamFiller() { std::free(stream_); }

    bool Visit(std::int32_t number, FileSystem::File logo) override {
        const std::int64_t length = files_.Length(logo);
        // A logo whose length cannot be found, or that cannot be held.
        if (length < 0 || !MakeRoom(static_cast<std::uint64_t>(length) + kRecordFrameLength)) {
            return Stop(Fill::kUnusable);
        }
        if (!files_.SeekToStart(logo)) return Stop(Fill::kChanged);
        const auto size = static_cast<std::size_t>(length);
        unsigned char* record = stream_ + offset_;
        unsigned char label[kLogoLabelLength];
        FormatLogoLabel(number, label);
        std::memcpy(record, label, sizeof label);
        std::memcpy(record + sizeof label, kPreambleCommands, sizeof kPreambleCommands);
        if (files_.Read(logo, record + kLogoPreambleLength, size) != size) return Stop(Fill::kChanged);
        std::memcpy(record + kLogoPreambleLength + size, kPostamble, sizeof kPostamble);
        offset_ += kLogoPreambleLength + size + kLogoPostambleLength;
        return true;
    }

    Fill outcome() const { return outcome_; }

    // The closed stream, handed to the caller; none when the walk found no logo.
    LogoStream Take() {
        if (offset_ == 0) return {};
        std::memcpy(stream_ + offset_, kClosing, sizeof kClosing);
        LogoStream stream{stream_, offset_ + kLogoClosingLength};
        stream_ = nullptr;
        return stream;
    }

private:
    bool Stop(Fill outcome) {
        outcome_ = outcome;
        return false;
    }

    // Room for one more record and the closing bytes: at first the listing's
    // length, then half as much again as held, so that a right listing takes
    // one allocation and an under-reporting one a few; just the room needed
    // when that much cannot be had.
    bool MakeRoom(std::uint64_t record) {
        if (record > kLargestStream - kLogoClosingLength - offset_) return false;
        const std::uint64_t needed = offset_ + record + kLogoClosingLength;
        if (needed <= capacity_) return true;
        std::uint64_t wanted = capacity_ == 0 ? listedLength_ : capacity_ + capacity_ / 2;
        if (wanted < needed || wanted > kLargestStream) wanted = needed;
        void* grown = std::realloc(stream_, static_cast<std::size_t>(wanted));
        if (grown == nullptr && wanted > needed) {
            wanted = needed;
            grown = std::realloc(stream_, static_cast<std::size_t>(wanted));
        }
        if (grown == nullptr) return false;
        stream_ = static_cast<unsigned char*>(grown);
        capacity_ = static_cast<std::size_t>(wanted);
        return true;
    }

    FileSystem& files_;
    std::uint64_t listedLength_;
    unsigned char* stream_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t offset_ = 0;
    Fill outcome_ = Fill::kWhole;
};

// The stream's length as the folder listing tells it, up to kMostListedLength;
// 0 when it lists no logo.
std::uint64_t ListedStreamLength(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                                 PendingLogo pending) {
    const ListedLogos listed = ListLogos(files, printerName, positionFolder, pending);
    if (listed.count == 0) return 0;
    const std::uint64_t frames = static_cast<std::uint64_t>(listed.count) * kRecordFrameLength + kLogoClosingLength;
    if (listed.bytes > kMostListedLength || frames > kMostListedLength) return kMostListedLength;
    return listed.bytes + frames < kMostListedLength ? listed.bytes + frames : kMostListedLength;
}

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
    Fill outcome = Fill::kChanged;
    LogoStream stream;
    for (int attempt = 0; attempt < kBuildAttempts && outcome == Fill::kChanged; ++attempt) {
        StreamFiller filler(files, ListedStreamLength(files, printerName, positionFolder, pending));
        WalkLogos(files, printerName, positionFolder, pending, filler);
        outcome = filler.outcome();
        if (outcome == Fill::kWhole) stream = filler.Take();
    }
    if (outcome == Fill::kWhole) return stream;
    // Nothing can be printed; a pending logo still gets its number, as the press promises.
    if (pending == PendingLogo::kNumber) {
        OpenOnly walk;
        WalkLogos(files, printerName, positionFolder, pending, walk);
    }
    stream.unreadable = true;
    return stream;
}

LogoStream PrepareAllLogos(FileSystem& files, const wchar_t* printerName, int position) {
    const wchar_t* folder = LogoPositionFolder(position);
    if (folder == nullptr) return {};
    const bool numberPending = position == kDocumentTop || position == kDocumentBottom;
    return BuildLogoStream(files, printerName, folder, numberPending ? PendingLogo::kNumber : PendingLogo::kLeave);
}

}  // namespace zelt
