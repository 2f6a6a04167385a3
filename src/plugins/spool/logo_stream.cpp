#include "logo_stream.h"

#include <climits>
#include <cstdio>
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

// A file can change between the two passes. The filling pass writes only
// within the counted total and only bytes it has just read; when the folder
// no longer matches the count (a logo vanished, a length changed, a read came
// short), the stream is started over from a new count. A folder still
// changing after this many attempts prints nothing.
constexpr int kBuildAttempts = 3;

// The stream's total length, or 0 when the folder holds no logo or the
// stream could not be held in memory (a logo whose length cannot be found
// counts as such). `logoCount` receives the number of logos counted.
std::uint64_t CountStream(LogoFileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                          std::int32_t& logoCount) {
    std::uint64_t total = 0;
    logoCount = 0;
    for (; logoCount < INT_MAX; ++logoCount) {
        LogoFileSystem::File logo = OpenLogo(files, printerName, positionFolder, logoCount);
        if (logo == nullptr) break;
        const std::int64_t length = files.Length(logo);
        files.Close(logo);
        if (length < 0) return 0;
        total += kRecordFrameLength + static_cast<std::uint64_t>(length);
        if (total > kLargestStream) return 0;
    }
    if (total == 0) return 0;
    total += kLogoClosingLength;
    return total <= kLargestStream ? total : 0;
}

// Fills `stream` (of the counted `total` length) with the first `logoCount`
// logos. False when the folder no longer matches the count.
bool FillStream(LogoFileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                std::int32_t logoCount, unsigned char* stream, std::size_t total) {
    std::size_t offset = 0;
    for (std::int32_t number = 0; number < logoCount; ++number) {
        LogoFileSystem::File logo = OpenLogo(files, printerName, positionFolder, number);
        if (logo == nullptr) return false;
        const std::int64_t length = files.Length(logo);
        const std::size_t room = total - offset - kLogoClosingLength;
        if (length < 0 || static_cast<std::uint64_t>(length) + kRecordFrameLength > room ||
            !files.SeekToStart(logo)) {
            files.Close(logo);
            return false;
        }
        const auto size = static_cast<std::size_t>(length);
        unsigned char label[kLogoLabelLength];
        FormatLogoLabel(number, label);
        std::memcpy(stream + offset, label, sizeof label);
        std::memcpy(stream + offset + sizeof label, kPreambleCommands, sizeof kPreambleCommands);
        offset += kLogoPreambleLength;
        const std::size_t read = files.Read(logo, stream + offset, size);
        files.Close(logo);
        if (read != size) return false;
        offset += size;
        std::memcpy(stream + offset, kPostamble, sizeof kPostamble);
        offset += sizeof kPostamble;
    }
    if (offset + kLogoClosingLength != total) return false;
    std::memcpy(stream + offset, kClosing, sizeof kClosing);
    return true;
}

}  // namespace

void FormatLogoLabel(std::int32_t number, unsigned char (&label)[kLogoLabelLength]) {
    // Room for the longest text the format gives, "[LOGO -2147483648]\n".
    char text[32];
    std::snprintf(text, sizeof text, "[LOGO %4d]\n", static_cast<int>(number));
    std::memcpy(label, text, kLogoLabelLength);
}

LogoStream BuildLogoStream(LogoFileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder) {
    for (int attempt = 0; attempt < kBuildAttempts; ++attempt) {
        std::int32_t logoCount = 0;
        const std::uint64_t total = CountStream(files, printerName, positionFolder, logoCount);
        if (total == 0) return {};
        auto* stream = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(total)));
        if (stream == nullptr) return {};
        if (FillStream(files, printerName, positionFolder, logoCount, stream, static_cast<std::size_t>(total))) {
            return {stream, static_cast<std::size_t>(total)};
        }
        std::free(stream);
    }
    return {};
}

LogoStream PrepareAllLogos(LogoFileSystem& files, const wchar_t* printerName, int position) {
    const wchar_t* folder = LogoPositionFolder(position);
    if (folder == nullptr) return {};
    if (position == kDocumentTop || position == kDocumentBottom) AssignLogoNumber(files, printerName, folder);
    return BuildLogoStream(files, printerName, folder);
}

}  // namespace zelt
