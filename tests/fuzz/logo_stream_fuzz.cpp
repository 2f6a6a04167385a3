// The logo stream builder over a folder whose files appear, vanish, grow,
// shrink and stop opening between its listing and its walk, and during the
// walk, and whose listing reports sizes that are not the files'. A stream,
// when one is made, holds exactly its records and the closing bytes, every
// logo byte in it was read by the builder's last walk, and no file or search
// is left open.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "logo/logo_stream.h"

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
    switch (input.ConsumeIntegralInRange(0, 8)) {
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
        case 7:  // a stale listing
            files.listedSize[path] = input.ConsumeIntegralInRange<std::uint64_t>(0, 96);
            break;
        default:
            break;  // no change this time
    }
}

// Reads as the fake answers them: what each delivered, and the walk it
// belongs to (each walk follows a listing of its own).
struct Read {
    int walk;
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
        reads.push_back({walks, FakeFileSystem::Bytes(into, into + got)});
        return got;
    }
    void Close(File file) override { files_.Close(file); }
    bool Rename(const wchar_t* from, const wchar_t* to) override { return files_.Rename(from, to); }
    Search FindFirst(const wchar_t* pattern, FolderEntry& entry) override {
        ++walks;
        return files_.FindFirst(pattern, entry);
    }
    bool FindNext(Search search, FolderEntry& entry) override { return files_.FindNext(search, entry); }
    void FindClose(Search search) override { files_.FindClose(search); }

    std::vector<::Read> reads;
    int walks = 0;

private:
    FakeFileSystem& files_;
};

// The stream is the last walk's reads, one per logo in number order, each
// framed as its record (the layout written out by hand), and the closing bytes.
void CheckStream(const LogoStream& stream, const std::vector<::Read>& reads, int lastWalk) {
    static const std::string kPreamble(
        "\x1B*rR\0" "\x1B*rA\0" "\x1B*rQ0\0\0" "\x1B*rF1\0\0" "\x1B*rE1\0\0" "\x1B*rP0\0\0" "\0\0", 40);
    static const std::string kPostamble("\x1B\x0C\0" "\x04\x1B*rB\0" "\n\0", 11);
    std::string expected;
    std::int32_t number = 0;
    for (const ::Read& read : reads) {
        if (read.walk != lastWalk) continue;
        unsigned char label[kLogoLabelLength];
        FormatLogoLabel(number++, label);
        expected.append(reinterpret_cast<const char*>(label), sizeof label);
        expected += kPreamble;
        expected.append(read.bytes.begin(), read.bytes.end());
        expected += kPostamble;
    }
    Require(number > 0);
    expected += std::string("\x1B" "d\x02\0", 4);
    Require(stream.length == expected.size());
    Require(std::memcmp(stream.bytes, expected.data(), expected.size()) == 0);
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
    Require(stream.bytes == nullptr || !stream.unreadable);
    if (stream.bytes != nullptr) CheckStream(stream, files.reads, files.walks);
    std::free(stream.bytes);
    return 0;
}
