// The logo stream builder over a folder whose files appear, vanish, grow,
// shrink and stop opening between its listing and its walk, and during the
// walk. A stream, when one is made, holds exactly its records and the
// closing bytes, every logo byte in it was read by the builder, and no file
// or search is left open.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "spool/logo_stream.h"

namespace {

using namespace zelt;

constexpr wchar_t kPrinter[] = L"Fuzz Printer";
constexpr int kMaxLogos = 6;

void Require(bool condition) {
    if (!condition) std::abort();
}

std::wstring LogoPath(int position, std::int32_t number) {
    wchar_t path[kLogoPathCapacity];
    Require(FormatLogoPath(3, kPrinter, LogoPositionFolder(position), number, path));
    return path;
}

FakeFileSystem::Bytes ConsumeLogo(FuzzedDataProvider& input) {
    const std::string bytes = input.ConsumeRandomLengthString(48);
    return FakeFileSystem::Bytes(bytes.begin(), bytes.end());
}

// One change to the folder, as the rendering side or the user might make it.
void ChangeFolder(FuzzedDataProvider& input, FakeFileSystem& files, int position) {
    if (input.remaining_bytes() == 0) return;
    const std::wstring path = LogoPath(position, input.ConsumeIntegralInRange(-1, kMaxLogos));
    switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0:
            files.files[path] = ConsumeLogo(input);
            break;
        case 1:
            files.files.erase(path);
            break;
        case 2:
            files.files[path].resize(input.ConsumeIntegralInRange<std::size_t>(0, 64));
            break;
        case 3:
            files.unreadable.insert(path);
            break;
        case 4:
            files.unreadable.erase(path);
            break;
        case 5:
            files.reportedLength[path] = -1;
            break;
        case 6:
            files.reportedLength.erase(path);
            break;
        default:
            break;  // no change this time
    }
}

// Reads as the fake answers them, with where they went and what they delivered.
struct Read {
    unsigned char* into;
    FakeFileSystem::Bytes bytes;
};

class RecordingFiles final : public FileSystem {
public:
    explicit RecordingFiles(FakeFileSystem& files) : files_(files) {}
    int CurrentDrive() override { return files_.CurrentDrive(); }
    File OpenForReading(const wchar_t* path) override { return files_.OpenForReading(path); }
    std::int64_t Length(File file) override { return files_.Length(file); }
    bool SeekToStart(File file) override { return files_.SeekToStart(file); }
    std::size_t Read(File file, unsigned char* into, std::size_t count) override {
        const std::size_t got = files_.Read(file, into, count);
        Require(got <= count);
        reads.push_back({into, FakeFileSystem::Bytes(into, into + got)});
        return got;
    }
    void Close(File file) override { files_.Close(file); }
    bool Rename(const wchar_t* from, const wchar_t* to) override { return files_.Rename(from, to); }
    Search FindFirst(const wchar_t* pattern, FolderEntry& entry) override { return files_.FindFirst(pattern, entry); }
    bool FindNext(Search search, FolderEntry& entry) override { return files_.FindNext(search, entry); }
    void FindClose(Search search) override { files_.FindClose(search); }

    std::vector<::Read> reads;

private:
    FakeFileSystem& files_;
};

// Walks the stream record by record. Allocations freed by failed attempts
// stay in the sanitizer's quarantine, so the reads into the returned stream
// are those of the pass that filled it, in logo order.
void CheckStream(const LogoStream& stream, const std::vector<::Read>& reads) {
    Require(stream.length >= kLogoClosingLength);
    const unsigned char* end = stream.bytes + stream.length;
    const unsigned char* at = stream.bytes;
    std::int32_t number = 0;
    for (const ::Read& read : reads) {
        if (read.into < stream.bytes || read.into >= end) continue;
        unsigned char label[kLogoLabelLength];
        FormatLogoLabel(number++, label);
        Require(read.into == at + kLogoPreambleLength);
        Require(std::memcmp(at, label, sizeof label) == 0);
        Require(static_cast<std::size_t>(end - read.into) >= read.bytes.size() + kLogoPostambleLength);
        Require(read.bytes.empty() || std::memcmp(read.into, read.bytes.data(), read.bytes.size()) == 0);
        at = read.into + read.bytes.size() + kLogoPostambleLength;
    }
    Require(number > 0);
    Require(at + kLogoClosingLength == end);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int position = input.ConsumeIntegralInRange<int>(0, kLogoPositionCount);
    FakeFileSystem fake;
    const int folder = position < kLogoPositionCount ? position : 0;
    const int logos = input.ConsumeIntegralInRange(0, kMaxLogos);
    for (int number = 0; number < logos; ++number) fake.files[LogoPath(folder, number)] = ConsumeLogo(input);
    if (input.ConsumeBool()) fake.files[LogoPath(folder, kPendingLogo)] = ConsumeLogo(input);
    fake.onOpen = [&](const std::wstring&, int) { ChangeFolder(input, fake, folder); };
    fake.onRead = [&](const std::wstring&) { ChangeFolder(input, fake, folder); };

    RecordingFiles files(fake);
    const LogoStream stream = PrepareAllLogos(files, kPrinter, position);
    Require(fake.openNow == 0);
    Require(fake.searchesOpen == 0);
    Require((stream.bytes == nullptr) == (stream.length == 0));
    if (stream.bytes != nullptr) CheckStream(stream, files.reads);
    std::free(stream.bytes);
    return 0;
}
