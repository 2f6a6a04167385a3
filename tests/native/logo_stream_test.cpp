#include "logo/logo_stream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "fake_file_system.h"

namespace zelt {
namespace {

using Bytes = std::vector<unsigned char>;

const wchar_t kPrinter[] = L"Receipt";

std::wstring Logo(std::int32_t number, const wchar_t* folder = L"StartDoc") {
    wchar_t path[kLogoPathCapacity];
    EXPECT_TRUE(FormatLogoPath(3, kPrinter, folder, number, path));
    return path;
}

Bytes Of(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The expected stream, written out from the record layout by hand.
Bytes Record(const std::string& label, const Bytes& logo) {
    Bytes record = Of(label);
    const Bytes preamble = Of(std::string("\x1B*rR\0" "\x1B*rA\0" "\x1B*rQ0\0\0" "\x1B*rF1\0\0"
                                          "\x1B*rE1\0\0" "\x1B*rP0\0\0" "\0\0", 40));
    record.insert(record.end(), preamble.begin(), preamble.end());
    record.insert(record.end(), logo.begin(), logo.end());
    const Bytes postamble = Of(std::string("\x1B\x0C\0" "\x04\x1B*rB\0" "\n\0", 11));
    record.insert(record.end(), postamble.begin(), postamble.end());
    return record;
}

const Bytes kClosing = {0x1B, 'd', 0x02, 0x00};

Bytes Stream(const std::vector<Bytes>& records) {
    Bytes stream;
    for (const Bytes& record : records) stream.insert(stream.end(), record.begin(), record.end());
    stream.insert(stream.end(), kClosing.begin(), kClosing.end());
    return stream;
}

Bytes Pattern(std::size_t size, unsigned char seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(seed + i * 7);
    return bytes;
}

// Whether there was a stream, and when not, whether the user is told.
struct Built {
    bool stream = true;
    bool unreadable = true;
};

// The built stream as bytes, freed.
Bytes Build(FakeFileSystem& files, Built* built = nullptr, const wchar_t* folder = L"StartDoc") {
    LogoStream stream = BuildLogoStream(files, kPrinter, folder);
    if (built != nullptr) *built = {stream.bytes != nullptr, stream.unreadable};
    Bytes bytes(stream.bytes, stream.bytes + stream.length);
    std::free(stream.bytes);
    EXPECT_EQ(files.openNow, 0) << "every file opened is closed";
    return bytes;
}

// --- Labels -------------------------------------------------------------------
struct LabelCase {
    std::int32_t number;
    const char* label;  // 12 bytes
};

const LabelCase kLabels[] = {
    {0, "[LOGO    0]\n"},    {7, "[LOGO    7]\n"},    {12, "[LOGO   12]\n"},
    {9999, "[LOGO 9999]\n"}, {10000, "[LOGO 10000]"}, {123456, "[LOGO 123456"},
    {2147483647, "[LOGO 214748"},
};

TEST(FormatLogoLabel, TakesTheFirstTwelveBytesOfTheFormattedText) {
    for (const LabelCase& c : kLabels) {
        SCOPED_TRACE(c.number);
        unsigned char label[kLogoLabelLength + 1];
        label[kLogoLabelLength] = 0xEE;
        FormatLogoLabel(c.number, reinterpret_cast<unsigned char(&)[kLogoLabelLength]>(label));
        EXPECT_EQ(std::string(label, label + kLogoLabelLength), std::string(c.label, 12));
        EXPECT_EQ(label[kLogoLabelLength], 0xEE) << "nothing written beyond the label";
    }
    unsigned char seven[kLogoLabelLength];
    FormatLogoLabel(7, seven);
    EXPECT_EQ(Bytes(seven, seven + 12), (Bytes{0x5B, 0x4C, 0x4F, 0x47, 0x4F, 0x20, 0x20, 0x20, 0x20, 0x37, 0x5D, 0x0A}));
}

// --- Streams ------------------------------------------------------------------
TEST(BuildLogoStream, NoLogoNoStream) {
    FakeFileSystem files;
    files.files[Logo(1)] = {1};
    files.files[Logo(-1)] = {1};
    Built built;
    EXPECT_TRUE(Build(files, &built).empty());
    EXPECT_FALSE(built.stream);
    EXPECT_FALSE(built.unreadable) << "nothing to print is no failure";
}

TEST(BuildLogoStream, OneLogoOfOneHundredBytesIsA167ByteJob) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(100, 3);
    const Bytes stream = Build(files);
    ASSERT_EQ(stream.size(), 167u);
    EXPECT_EQ(stream, Stream({Record("[LOGO    0]\n", Pattern(100, 3))}));
    EXPECT_EQ(Bytes(stream.end() - 6, stream.end()), (Bytes{0x0A, 0x00, 0x1B, 0x64, 0x02, 0x00}));
}

TEST(BuildLogoStream, AZeroByteLogoIsAFrameOf63Bytes) {
    FakeFileSystem files;
    files.files[Logo(0)] = {};
    const Bytes stream = Build(files);
    ASSERT_EQ(stream.size(), 67u);
    EXPECT_EQ(stream, Stream({Record("[LOGO    0]\n", {})}));
}

TEST(BuildLogoStream, StopsAtTheFirstGap) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(5, 0);
    files.files[Logo(1)] = Pattern(9, 1);
    files.files[Logo(3)] = Pattern(4, 3);
    files.files[Logo(-1)] = Pattern(4, 9);
    EXPECT_EQ(Build(files), Stream({Record("[LOGO    0]\n", Pattern(5, 0)), Record("[LOGO    1]\n", Pattern(9, 1))}));
}

TEST(BuildLogoStream, ManyLogosInNumberOrder) {
    FakeFileSystem files;
    std::vector<Bytes> records;
    for (int n = 0; n < 120; ++n) {
        files.files[Logo(n)] = Pattern(static_cast<std::size_t>(n * 3), static_cast<unsigned char>(n));
        char label[32];
        std::snprintf(label, sizeof label, "[LOGO %4d]\n", n);
        records.push_back(Record(label, files.files[Logo(n)]));
    }
    EXPECT_EQ(Build(files), Stream(records));
}

TEST(BuildLogoStream, ReadsOnlyTheGivenFolder) {
    FakeFileSystem files;
    files.files[Logo(0, L"EndPage")] = Pattern(3, 1);
    files.files[Logo(0, L"StartPage")] = Pattern(8, 2);
    EXPECT_EQ(Build(files, nullptr, L"EndPage"), Stream({Record("[LOGO    0]\n", Pattern(3, 1))}));
}

TEST(BuildLogoStream, NothingWithoutADriveOrAPrinterName) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(3, 1);
    files.drive = 0;
    Built built;
    Build(files, &built);
    EXPECT_FALSE(built.stream);
    EXPECT_FALSE(built.unreadable);
    files.drive = 3;
    LogoStream stream = BuildLogoStream(files, L"", L"StartDoc");
    EXPECT_EQ(stream.bytes, nullptr);
}

TEST(BuildLogoStream, AnUnmeasurableLogoPrintsNothing) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(3, 1);
    files.files[Logo(1)] = Pattern(3, 1);
    files.reportedLength[Logo(1)] = -1;
    Built built;
    Build(files, &built);
    EXPECT_FALSE(built.stream);
    EXPECT_TRUE(built.unreadable);
}

// --- Files that change between the listing and the walk -----------------------
// Changes logo `number` just before the walk opens it (after the listing that
// sized the stream).
void ChangeBeforeOpen(FakeFileSystem& files, std::int32_t number, std::function<void(FakeFileSystem&)> change) {
    const std::wstring path = Logo(number);
    files.onOpen = [&files, path, change](const std::wstring& opened, int count) {
        if (opened == path && count == 1) change(files);
    };
}

struct ChangeCase {
    const char* what;
    std::function<void(FakeFileSystem&)> change;
    std::vector<Bytes> expected;  // the logos of the stream sent
};

TEST(BuildLogoStream, CarriesTheLengthsFoundWhenOpenedWhenFilesChange) {
    const ChangeCase cases[] = {
        {"logo 1 grows", [](FakeFileSystem& f) { f.files[Logo(1)] = Pattern(40, 9); },
         {Pattern(10, 0), Pattern(40, 9), Pattern(10, 2)}},
        {"logo 1 shrinks", [](FakeFileSystem& f) { f.files[Logo(1)] = Pattern(2, 9); },
         {Pattern(10, 0), Pattern(2, 9), Pattern(10, 2)}},
        {"logo 1 vanishes", [](FakeFileSystem& f) { f.files.erase(Logo(1)); }, {Pattern(10, 0)}},
        {"logo 1 becomes empty", [](FakeFileSystem& f) { f.files[Logo(1)] = {}; },
         {Pattern(10, 0), {}, Pattern(10, 2)}},
        // The walk reaches it; the stream sized without it makes room.
        {"a new logo 3 appears", [](FakeFileSystem& f) { f.files[Logo(3)] = Pattern(5, 5); },
         {Pattern(10, 0), Pattern(10, 1), Pattern(10, 2), Pattern(5, 5)}},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileSystem files;
        for (int n = 0; n < 3; ++n) files.files[Logo(n)] = Pattern(10, static_cast<unsigned char>(n));
        ChangeBeforeOpen(files, 1, c.change);
        std::vector<Bytes> records;
        for (std::size_t n = 0; n < c.expected.size(); ++n) {
            char label[32];
            std::snprintf(label, sizeof label, "[LOGO %4d]\n", static_cast<int>(n));
            records.push_back(Record(label, c.expected[n]));
        }
        EXPECT_EQ(Build(files), Stream(records));
    }
}

TEST(BuildLogoStream, SizesBalancingOutStillGiveTheBytesRead) {
    // Logo 0 shrinks by 4 and logo 1 grows by 4: the total stays as listed,
    // and each record carries the length found when it was filled.
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(10, 0);
    files.files[Logo(1)] = Pattern(10, 1);
    files.onOpen = [&files](const std::wstring& opened, int count) {
        if (opened == Logo(0) && count == 1) {
            files.files[Logo(0)] = Pattern(6, 7);
            files.files[Logo(1)] = Pattern(14, 8);
        }
    };
    EXPECT_EQ(Build(files), Stream({Record("[LOGO    0]\n", Pattern(6, 7)), Record("[LOGO    1]\n", Pattern(14, 8))}));
}

TEST(BuildLogoStream, ALogoThatKeepsShrinkingWhileReadPrintsNothingAndIsTold) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(10, 0);
    std::size_t length = 10;
    files.onRead = [&files, &length](const std::wstring&) { files.files[Logo(0)] = Pattern(--length, 0); };
    Built built;
    Build(files, &built);
    EXPECT_FALSE(built.stream);
    EXPECT_TRUE(built.unreadable);
    EXPECT_EQ(files.opens[Logo(0)], 3) << "three attempts";
}

TEST(BuildLogoStream, AListedLogoThatDoesNotOpenEndsTheRun) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(5, 0);
    files.files[Logo(1)] = Pattern(5000, 1);
    files.files[Logo(2)] = Pattern(5, 2);
    files.unreadable.insert(Logo(1));
    EXPECT_EQ(Build(files), Stream({Record("[LOGO    0]\n", Pattern(5, 0))}));
}

// --- A stale listing ----------------------------------------------------------------
// Sizes the listing reports, as a directory cache, a hard link or a file the
// rendering side holds open may leave them; the stream always carries the
// lengths of the files it opened.
TEST(BuildLogoStream, TakesEachLengthFromTheOpenedFileWhateverTheListingSays) {
    const struct {
        const char* what;
        std::uint64_t listed[3];
    } cases[] = {
        {"as listed", {10, 700, 3}},
        {"one under-reported", {10, 2, 3}},
        {"all listed empty", {0, 0, 0}},
        {"one over-reported", {10, 70000, 3}},
        {"beyond 4 GiB", {10, (std::uint64_t{5} << 30), 3}},
        {"beyond what any stream holds", {10, UINT64_MAX / 2, UINT64_MAX / 2}},
    };
    const std::vector<Bytes> logos = {Pattern(10, 0), Pattern(700, 1), Pattern(3, 2)};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileSystem files;
        for (int n = 0; n < 3; ++n) {
            files.files[Logo(n)] = logos[n];
            files.listedSize[Logo(n)] = c.listed[n];
        }
        EXPECT_EQ(Build(files), Stream({Record("[LOGO    0]\n", logos[0]), Record("[LOGO    1]\n", logos[1]),
                                        Record("[LOGO    2]\n", logos[2])}));
        for (int n = 0; n < 3; ++n) EXPECT_EQ(files.opens[Logo(n)], 1) << "opened once: " << n;
    }
}

TEST(BuildLogoStream, ALogoShrinkingWhileReadUnderAStaleListingStartsOver) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(10, 0);
    files.files[Logo(1)] = Pattern(30, 1);
    files.listedSize[Logo(1)] = 5;
    int reads = 0;
    files.onRead = [&files, &reads](const std::wstring& path) {
        if (path == Logo(1) && ++reads == 1) files.files[Logo(1)] = Pattern(12, 3);
    };
    EXPECT_EQ(Build(files), Stream({Record("[LOGO    0]\n", Pattern(10, 0)), Record("[LOGO    1]\n", Pattern(12, 3))}));
}

// --- Print All Logos ------------------------------------------------------------
TEST(PrepareAllLogos, NumbersThePendingLogoOnlyForTheDocumentPositions) {
    const struct {
        int position;
        const wchar_t* folder;
        bool numbered;
    } cases[] = {
        {kDocumentTop, L"StartDoc", true},
        {kPageTop, L"StartPage", false},
        {kPageBottom, L"EndPage", false},
        {kDocumentBottom, L"EndDoc", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        FakeFileSystem files;
        files.files[Logo(0, c.folder)] = Pattern(3, 0);
        files.files[Logo(1, c.folder)] = Pattern(4, 1);
        files.files[Logo(-1, c.folder)] = Pattern(5, 2);
        LogoStream stream = PrepareAllLogos(files, kPrinter, c.position);
        const Bytes bytes(stream.bytes, stream.bytes + stream.length);
        std::free(stream.bytes);
        std::vector<Bytes> records = {Record("[LOGO    0]\n", Pattern(3, 0)), Record("[LOGO    1]\n", Pattern(4, 1))};
        if (c.numbered) records.push_back(Record("[LOGO    2]\n", Pattern(5, 2)));
        EXPECT_EQ(bytes, Stream(records));
        EXPECT_EQ(files.files.count(Logo(-1, c.folder)), c.numbered ? 0u : 1u);
    }
}

TEST(PrepareAllLogos, OpensEachLogoOncePerPress) {
    for (int position : {kDocumentTop, kPageTop}) {
        SCOPED_TRACE(position);
        const wchar_t* folder = LogoPositionFolder(position);
        FakeFileSystem files;
        for (int n = 0; n < 5; ++n) files.files[Logo(n, folder)] = Pattern(8, static_cast<unsigned char>(n));
        files.files[Logo(6, folder)] = Pattern(8, 6);  // beyond the gap
        files.files[Logo(-1, folder)] = Pattern(3, 9);
        LogoStream stream = PrepareAllLogos(files, kPrinter, position);
        std::free(stream.bytes);
        for (int n = 0; n < 5; ++n) EXPECT_EQ(files.opens[Logo(n, folder)], 1) << n;
        EXPECT_EQ(files.opens[Logo(-1, folder)], 0) << "the pending logo is renamed, not read";
        if (position == kDocumentTop) {
            // The gap is tried, then opened again as the numbered pending logo,
            // which joins logo 6 to the run.
            EXPECT_EQ(files.opens[Logo(5, folder)], 2);
            EXPECT_EQ(files.opens[Logo(6, folder)], 1);
            EXPECT_EQ(files.opens[Logo(7, folder)], 1);
        } else {
            EXPECT_EQ(files.opens[Logo(5, folder)], 1);
            EXPECT_EQ(files.opens.count(Logo(6, folder)), 0u);
        }
        EXPECT_EQ(files.openNow, 0);
        EXPECT_EQ(files.searchesOpen, 0);
    }
}

TEST(PrepareAllLogos, NumbersThePendingLogoEvenWhenNothingCanBePrinted) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(3, 0);
    files.files[Logo(-1)] = Pattern(3, 1);
    files.reportedLength[Logo(0)] = -1;
    LogoStream stream = PrepareAllLogos(files, kPrinter, kDocumentTop);
    EXPECT_EQ(stream.bytes, nullptr);
    EXPECT_EQ(files.files.count(Logo(1)), 1u);
    EXPECT_EQ(files.files.count(Logo(-1)), 0u);
}

TEST(PrepareAllLogos, NothingForNoPosition) {
    FakeFileSystem files;
    files.files[Logo(0)] = Pattern(3, 0);
    for (int position : {-1, 4, INT_MAX}) {
        LogoStream stream = PrepareAllLogos(files, kPrinter, position);
        EXPECT_EQ(stream.bytes, nullptr);
    }
    EXPECT_TRUE(files.opens.empty());
}

}  // namespace
}  // namespace zelt
