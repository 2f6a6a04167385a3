#include "logo/logo_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fake_file_system.h"

namespace zelt {
namespace {

std::wstring PathOf(int drive, const wchar_t* printer, const wchar_t* folder, std::int32_t number) {
    wchar_t path[kLogoPathCapacity];
    if (!FormatLogoPath(drive, printer, folder, number, path)) return L"(refused)";
    return path;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

struct PathCase {
    int drive;
    const wchar_t* printer;
    int position;
    std::int32_t number;
    const wchar_t* expected;
};

const PathCase kPathCases[] = {
    {3, L"Receipt", kDocumentTop, 0, L"C:\\Zelt\\Receipt\\ZeltRasterLogoData\\StartDoc\\0.zrl"},
    {3, L"Receipt", kDocumentTop, -1, L"C:\\Zelt\\Receipt\\ZeltRasterLogoData\\StartDoc\\-1.zrl"},
    {4, L"Receipt", kPageTop, 12, L"D:\\Zelt\\Receipt\\ZeltRasterLogoData\\StartPage\\12.zrl"},
    {1, L"R", kPageBottom, 2147483647, L"A:\\Zelt\\R\\ZeltRasterLogoData\\EndPage\\2147483647.zrl"},
    {26, L"R", kDocumentBottom, 10000, L"Z:\\Zelt\\R\\ZeltRasterLogoData\\EndDoc\\10000.zrl"},
    // Backslashes in the name add folder levels; nothing is escaped.
    {3, L"\\\\server\\Receipt", kDocumentTop, 3, L"C:\\Zelt\\\\\\server\\Receipt\\ZeltRasterLogoData\\StartDoc\\3.zrl"},
    {3, L"Shop 1 (front)", kDocumentBottom, 7, L"C:\\Zelt\\Shop 1 (front)\\ZeltRasterLogoData\\EndDoc\\7.zrl"},
    // No current drive, a drive beyond Z, no printer name: no path at all.
    {0, L"Receipt", kDocumentTop, 0, L"(refused)"},
    {27, L"Receipt", kDocumentTop, 0, L"(refused)"},
    {-1, L"Receipt", kDocumentTop, 0, L"(refused)"},
    {3, L"", kDocumentTop, 0, L"(refused)"},
};

TEST(FormatLogoPath, FillsTheFormatOnTheGivenDrive) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(Narrow(c.expected));
        EXPECT_EQ(PathOf(c.drive, c.printer, LogoPositionFolder(c.position), c.number), c.expected);
    }
}

TEST(FormatLogoPath, PositionFoldersInListOrder) {
    EXPECT_STREQ(LogoPositionFolder(0), L"StartDoc");
    EXPECT_STREQ(LogoPositionFolder(1), L"StartPage");
    EXPECT_STREQ(LogoPositionFolder(2), L"EndPage");
    EXPECT_STREQ(LogoPositionFolder(3), L"EndDoc");
    EXPECT_EQ(LogoPositionFolder(4), nullptr);
    EXPECT_EQ(LogoPositionFolder(-1), nullptr);
}

// "C:\Zelt\" + name + "\ZeltRasterLogoData\StartDoc\" + "0.zrl" is 42 + name.
TEST(FormatLogoPath, RefusesAPathLongerThan257Characters) {
    const std::wstring fits(257 - 42, L'n');
    const std::wstring tooLong(258 - 42, L'n');
    const std::wstring longest = PathOf(3, fits.c_str(), L"StartDoc", 0);
    EXPECT_EQ(longest.size(), 257u);
    EXPECT_EQ(longest.substr(longest.size() - 6), L"\\0.zrl");
    EXPECT_EQ(PathOf(3, tooLong.c_str(), L"StartDoc", 0), L"(refused)");
    // One more digit tips the same name over.
    EXPECT_EQ(PathOf(3, fits.c_str(), L"StartDoc", 10), L"(refused)");
    EXPECT_EQ(PathOf(3, std::wstring(255, L'n').c_str(), L"StartDoc", 0), L"(refused)");
}

TEST(FormatLogoPath, NeverWritesBeyondItsBuffer) {
    // With "StartPage" and "2147483647.zrl" the fixed parts take 52 characters.
    for (std::size_t nameLength : {205u, 206u, 255u, 1000u}) {
        SCOPED_TRACE(nameLength);
        wchar_t guarded[kLogoPathCapacity + 1];
        guarded[kLogoPathCapacity] = L'#';
        const std::wstring name(nameLength, L'n');
        const bool fits = FormatLogoPath(3, name.c_str(), L"StartPage", 2147483647,
                                         reinterpret_cast<wchar_t(&)[kLogoPathCapacity]>(guarded));
        EXPECT_EQ(guarded[kLogoPathCapacity], L'#');
        EXPECT_EQ(fits, nameLength == 205u);
        if (fits) EXPECT_EQ(std::wstring(guarded).size(), 257u);
        if (!fits) EXPECT_EQ(guarded[0], L'\0') << "a refused path is left empty";
    }
}

// --- Numbering the pending logo ------------------------------------------------
const wchar_t kPrinter[] = L"Receipt";

// The numbering as "Print All Logos" makes it: a walk that gives the pending
// logo the first free number, here with a visitor that reads nothing.
class OpenOnly final : public LogoVisitor {
public:
    bool Visit(std::int32_t number, FileSystem::File) override {
        visited.push_back(number);
        return true;
    }
    std::vector<std::int32_t> visited;
};

void AssignLogoNumber(FileSystem& files, const wchar_t* printer, const wchar_t* folder) {
    OpenOnly walk;
    PendingLogo pending = PendingLogo::kNumber;
    WalkLogos(files, printer, folder, pending, walk);
    EXPECT_EQ(pending, PendingLogo::kLeave);
}

std::wstring Logo(std::int32_t number, const wchar_t* folder = L"StartDoc") {
    return PathOf(3, kPrinter, folder, number);
}

struct AssignCase {
    const char* what;
    std::vector<std::int32_t> present;  // -1 is the pending logo
    std::vector<std::int32_t> after;
};

const AssignCase kAssignCases[] = {
    {"only a pending logo", {-1}, {0}},
    {"a full run", {0, 1, 2, -1}, {0, 1, 2, 3}},
    {"a gap", {0, 2, -1}, {0, 1, 2}},
    {"no logo 0", {1, 2, -1}, {0, 1, 2}},
    {"no pending logo", {0, 1}, {0, 1}},
    {"an empty folder", {}, {}},
};

TEST(AssignLogoNumber, GivesThePendingLogoTheFirstGap) {
    for (const AssignCase& c : kAssignCases) {
        SCOPED_TRACE(c.what);
        FakeFileSystem files;
        for (std::int32_t n : c.present) files.files[Logo(n)] = {static_cast<unsigned char>(n)};
        const auto pendingBytes = files.files.count(Logo(-1)) ? files.files[Logo(-1)] : FakeFileSystem::Bytes{};
        AssignLogoNumber(files, kPrinter, L"StartDoc");
        std::vector<std::int32_t> after;
        for (const auto& [path, bytes] : files.files) {
            for (std::int32_t n = -1; n < 10; ++n) {
                if (path == Logo(n)) after.push_back(n);
            }
        }
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(files.openNow, 0) << "every file opened is closed";
        if (!pendingBytes.empty()) {
            EXPECT_EQ(files.renames.size(), 1u);
            EXPECT_EQ(files.renames[0].first, Logo(-1));
        }
    }
}

TEST(AssignLogoNumber, RenamedLogoKeepsItsBytesAndOthersStay) {
    FakeFileSystem files;
    files.files[Logo(0)] = {'a'};
    files.files[Logo(2)] = {'c'};
    files.files[Logo(-1)] = {'p', 'q'};
    AssignLogoNumber(files, kPrinter, L"StartDoc");
    EXPECT_EQ(files.files[Logo(1)], (FakeFileSystem::Bytes{'p', 'q'}));
    EXPECT_EQ(files.files[Logo(0)], FakeFileSystem::Bytes{'a'});
    EXPECT_EQ(files.files[Logo(2)], FakeFileSystem::Bytes{'c'});
}

TEST(AssignLogoNumber, AnUnreadableLogoCountsAsFreeAndIsNeverReplaced) {
    FakeFileSystem files;
    files.files[Logo(0)] = {'a'};
    files.files[Logo(1)] = {'b'};
    files.unreadable.insert(Logo(1));
    files.files[Logo(-1)] = {'p'};
    AssignLogoNumber(files, kPrinter, L"StartDoc");
    ASSERT_EQ(files.renames.size(), 1u);
    EXPECT_EQ(files.renames[0].second, Logo(1));
    EXPECT_EQ(files.files[Logo(1)], FakeFileSystem::Bytes{'b'});
    EXPECT_EQ(files.files[Logo(-1)], FakeFileSystem::Bytes{'p'}) << "the pending logo stays pending";
}

TEST(AssignLogoNumber, WorksOnlyInTheGivenFolderOnTheCurrentDrive) {
    FakeFileSystem files;
    files.drive = 4;
    const std::wstring pendingOnD = PathOf(4, kPrinter, L"EndDoc", -1);
    files.files[pendingOnD] = {'p'};
    files.files[Logo(-1, L"EndDoc")] = {'c'};  // the same folder on drive C
    AssignLogoNumber(files, kPrinter, L"EndDoc");
    EXPECT_EQ(files.files.count(PathOf(4, kPrinter, L"EndDoc", 0)), 1u);
    EXPECT_EQ(files.files.count(Logo(-1, L"EndDoc")), 1u);
    EXPECT_EQ(files.files.count(Logo(0, L"EndDoc")), 0u);
}

TEST(AssignLogoNumber, DoesNothingWithoutADriveOrAName) {
    for (int drive : {0, 27}) {
        FakeFileSystem files;
        files.drive = drive;
        AssignLogoNumber(files, kPrinter, L"StartDoc");
        EXPECT_TRUE(files.renames.empty());
        EXPECT_TRUE(files.opens.empty());
    }
    FakeFileSystem files;
    files.files[L"C:\\Zelt\\\\ZeltRasterLogoData\\StartDoc\\-1.zrl"] = {'p'};
    AssignLogoNumber(files, L"", L"StartDoc");
    EXPECT_TRUE(files.renames.empty());
}

TEST(AssignLogoNumber, NoRenameWhenThePathsDoNotFit) {
    // Logo 0's path takes all 257 characters; the pending logo's one more.
    const std::wstring name(257 - 42, L'n');
    FakeFileSystem files;
    AssignLogoNumber(files, name.c_str(), L"StartDoc");
    EXPECT_TRUE(files.renames.empty());
}

// --- The walk ------------------------------------------------------------------
TEST(WalkLogos, VisitsTheRunInOrderAndJoinsWhatTheNumberedLogoReaches) {
    const struct {
        const char* what;
        std::vector<std::int32_t> present;
        PendingLogo pending;
        std::vector<std::int32_t> visited;
    } cases[] = {
        {"a run", {0, 1, 2, 4}, PendingLogo::kLeave, {0, 1, 2}},
        {"a run, pending left", {0, 1, 3, -1}, PendingLogo::kLeave, {0, 1}},
        {"a gap filled", {0, 1, 3, 4, -1}, PendingLogo::kNumber, {0, 1, 2, 3, 4}},
        {"only a pending logo", {-1}, PendingLogo::kNumber, {0}},
        {"no pending logo", {0, 2}, PendingLogo::kNumber, {0}},
        {"empty", {}, PendingLogo::kNumber, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileSystem files;
        for (std::int32_t n : c.present) files.files[Logo(n)] = {1};
        OpenOnly walk;
        PendingLogo pending = c.pending;
        EXPECT_TRUE(WalkLogos(files, kPrinter, L"StartDoc", pending, walk));
        EXPECT_EQ(walk.visited, c.visited);
        EXPECT_EQ(pending, PendingLogo::kLeave);
        EXPECT_EQ(files.openNow, 0);
    }
}

TEST(WalkLogos, AVisitorThatStopsLeavesThePendingLogoUnnumbered) {
    class StopAtOne final : public LogoVisitor {
    public:
        bool Visit(std::int32_t number, FileSystem::File) override { return number < 1; }
    } stop;
    FakeFileSystem files;
    for (std::int32_t n : {0, 1, 2, -1}) files.files[Logo(n)] = {1};
    PendingLogo pending = PendingLogo::kNumber;
    EXPECT_FALSE(WalkLogos(files, kPrinter, L"StartDoc", pending, stop));
    EXPECT_EQ(pending, PendingLogo::kNumber);
    EXPECT_TRUE(files.renames.empty());
    EXPECT_EQ(files.opens.count(Logo(2)), 0u);
    EXPECT_EQ(files.openNow, 0);
}

// --- The listing ---------------------------------------------------------------
TEST(ListLogos, CountsTheRunTheWalkWillFindFromTheNamesAndSizes) {
    const std::wstring folder = L"C:\\Zelt\\Receipt\\ZeltRasterLogoData\\StartDoc\\";
    const struct {
        const char* what;
        std::vector<std::pair<std::wstring, std::size_t>> files;  // name and size
        PendingLogo pending;
        std::int32_t count;
        std::uint64_t bytes;
    } cases[] = {
        {"a run", {{L"0.zrl", 10}, {L"1.zrl", 20}, {L"2.zrl", 0}}, PendingLogo::kLeave, 3, 30},
        {"up to the gap", {{L"0.zrl", 10}, {L"2.zrl", 20}}, PendingLogo::kLeave, 1, 10},
        {"the pending logo fills the gap", {{L"0.zrl", 10}, {L"2.zrl", 20}, {L"-1.zrl", 5}}, PendingLogo::kNumber, 3,
         35},
        {"the pending logo left", {{L"0.zrl", 10}, {L"-1.zrl", 5}}, PendingLogo::kLeave, 1, 10},
        {"only the pending logo", {{L"-1.zrl", 5}}, PendingLogo::kNumber, 1, 5},
        {"no logo 0", {{L"1.zrl", 10}}, PendingLogo::kNumber, 0, 0},
        {"the extension in any case", {{L"0.ZRL", 10}, {L"1.Zrl", 20}}, PendingLogo::kLeave, 2, 30},
        {"names that are no logo's",
         {{L"0.zrl", 1}, {L"01.zrl", 2}, {L"-0.zrl", 3}, {L"1.zrl.zrl", 4}, {L"x1.zrl", 5}, {L"1 .zrl", 6},
          {L"+1.zrl", 7}, {L".zrl", 8}, {L"-.zrl", 9}, {L"2147483648.zrl", 10}, {L"1.zr", 11}},
         PendingLogo::kNumber, 1, 1},
        {"numbers far beyond the listing", {{L"0.zrl", 1}, {L"2147483647.zrl", 2}, {L"-5.zrl", 3}},
         PendingLogo::kNumber, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileSystem files;
        for (const auto& [name, size] : c.files) files.Put(folder + name, FakeFileSystem::Bytes(size, 7));
        const ListedLogos listed = ListLogos(files, kPrinter, L"StartDoc", c.pending);
        EXPECT_EQ(listed.count, c.count);
        EXPECT_EQ(listed.bytes, c.bytes);
        EXPECT_EQ(files.patterns.back(), folder + L"*.zrl");
        EXPECT_EQ(files.searchesOpen, 0);
        EXPECT_TRUE(files.opens.empty()) << "the listing opens no logo";
    }
}

TEST(ListLogos, NothingWithoutADriveOrAName) {
    FakeFileSystem files;
    files.files[Logo(0)] = {1};
    files.drive = 0;
    EXPECT_EQ(ListLogos(files, kPrinter, L"StartDoc", PendingLogo::kLeave).count, 0);
    files.drive = 3;
    EXPECT_EQ(ListLogos(files, L"", L"StartDoc", PendingLogo::kLeave).count, 0);
    EXPECT_TRUE(files.patterns.empty());
}

}  // namespace
}  // namespace zelt
