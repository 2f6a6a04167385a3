#include "journal/journal_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fake_file_system.h"

namespace zelt {
namespace {

const std::wstring kFolder = L"C:\\Zelt\\Receipt\\ZeltRasterJournalData\\";

std::wstring Path(int drive, const wchar_t* printer, const wchar_t* name, JournalName form) {
    wchar_t path[kJournalPathCapacity];
    return FormatJournalPath(drive, printer, name, form, path) ? std::wstring(path) : L"(refused)";
}

TEST(JournalPath, BothFormsOnTheCurrentDrive) {
    EXPECT_EQ(Path(3, L"Receipt", L"CurrentJournal", JournalName::kBaseName), kFolder + L"CurrentJournal.zrj");
    EXPECT_EQ(Path(3, L"Receipt", L"A.zrj", JournalName::kFileName), kFolder + L"A.zrj");
    EXPECT_EQ(Path(3, L"Receipt", L"Monday.zrj", JournalName::kBaseName), kFolder + L"Monday.zrj.zrj");
    EXPECT_EQ(Path(3, L"Receipt", L"", JournalName::kBaseName), kFolder + L".zrj");
    EXPECT_EQ(Path(4, L"Receipt", L"*", JournalName::kBaseName), L"D:\\Zelt\\Receipt\\ZeltRasterJournalData\\*.zrj");
    // The printer name goes in unchanged.
    EXPECT_EQ(Path(3, L"Front\\Desk", L"x", JournalName::kFileName), L"C:\\Zelt\\Front\\Desk\\ZeltRasterJournalData\\x");
}

TEST(JournalPath, RefusedWithoutDriveOrPrinterAndWhenTooLong) {
    EXPECT_EQ(Path(0, L"Receipt", L"a", JournalName::kBaseName), L"(refused)");
    EXPECT_EQ(Path(27, L"Receipt", L"a", JournalName::kBaseName), L"(refused)");
    EXPECT_EQ(Path(3, L"", L"a", JournalName::kBaseName), L"(refused)");

    // A name that fills the path to 257 characters fits; one more does not.
    const std::size_t room = kJournalPathCapacity - 1 - kFolder.size();
    const std::wstring fits(room, L'n');
    EXPECT_EQ(Path(3, L"Receipt", fits.c_str(), JournalName::kFileName), kFolder + fits);
    EXPECT_EQ(Path(3, L"Receipt", (fits + L"n").c_str(), JournalName::kFileName), L"(refused)");
    const std::wstring base(room - 4, L'n');
    EXPECT_EQ(Path(3, L"Receipt", base.c_str(), JournalName::kBaseName), kFolder + base + L".zrj");
    EXPECT_EQ(Path(3, L"Receipt", (base + L"n").c_str(), JournalName::kBaseName), L"(refused)");
}

TEST(ArchiveName, OnlyNamesThatStayInTheFolderAndFitAreUsable) {
    const struct {
        std::wstring name;
        bool usable;
    } cases[] = {
        {L"ArchiveJournal__term_n__mm_dd_yyyy__hhmm", true},
        {L"Monday.zrj", true},
        {L"", true},
        {L" padded ", true},
        {L"...", true},
        {L".", false},
        {L"..", false},
        {L"..\\Outside", false},
        {L"sub/name", false},
        {L"C:name", false},
        {std::wstring(255, L'a'), true},
        {std::wstring(256, L'a'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsUsableArchiveName(c.name.c_str()), c.usable) << c.name.size();
}

class Collected final : public JournalListSink {
public:
    void Add(const wchar_t* fileName) override { names.emplace_back(fileName); }
    std::vector<std::wstring> names;
};

std::vector<std::wstring> Listed(FakeFileSystem& files, bool leaveOutCurrent) {
    Collected list;
    ListJournals(files, L"Receipt", leaveOutCurrent, list);
    EXPECT_EQ(files.searchesOpen, 0);
    return list.names;
}

TEST(JournalList, ListingOrderWithTheCurrentJournalLeftOutCaseSensitively) {
    FakeFileSystem files;
    files.Put(kFolder + L"B.zrj");
    files.Put(kFolder + L"CurrentJournal.zrj");
    files.Put(kFolder + L"notes.txt");
    files.Put(kFolder + L"currentjournal.zrj");
    files.Put(kFolder + L"A.zrj");
    files.Put(L"C:\\Zelt\\Other\\ZeltRasterJournalData\\C.zrj");

    EXPECT_EQ(Listed(files, true), (std::vector<std::wstring>{L"B.zrj", L"currentjournal.zrj", L"A.zrj"}));
    EXPECT_EQ(Listed(files, false),
              (std::vector<std::wstring>{L"B.zrj", L"CurrentJournal.zrj", L"currentjournal.zrj", L"A.zrj"}));
    EXPECT_EQ(files.patterns.back(), kFolder + L"*.zrj");
}

TEST(JournalList, EmptyFolderAndUnknownPrinterListNothing) {
    FakeFileSystem files;
    EXPECT_TRUE(Listed(files, true).empty());
    files.Put(kFolder + L"CurrentJournal.zrj");
    EXPECT_TRUE(Listed(files, true).empty());
    Collected list;
    ListJournals(files, L"", false, list);
    EXPECT_TRUE(list.names.empty());
    EXPECT_EQ(files.patterns.size(), 2u) << "no search without a printer name";
}

TEST(JournalArchive, RenamesTheCurrentJournalWithExtensionAppended) {
    FakeFileSystem files;
    EXPECT_FALSE(CurrentJournalExists(files, L"Receipt"));
    files.Put(kFolder + L"CurrentJournal.zrj", {1, 2, 3});
    EXPECT_TRUE(CurrentJournalExists(files, L"Receipt"));
    EXPECT_FALSE(ArchiveExists(files, L"Receipt", L"Monday.zrj"));

    EXPECT_TRUE(ArchiveJournal(files, L"Receipt", L"Monday.zrj"));
    EXPECT_TRUE(files.Exists(kFolder + L"Monday.zrj.zrj"));
    EXPECT_FALSE(CurrentJournalExists(files, L"Receipt"));
    EXPECT_TRUE(ArchiveExists(files, L"Receipt", L"Monday.zrj"));
    EXPECT_EQ(files.openNow, 0);
}

TEST(JournalArchive, ExistingTargetsUnusableNamesAndLongPathsRenameNothing) {
    FakeFileSystem files;
    files.Put(kFolder + L"CurrentJournal.zrj", {1});
    files.Put(kFolder + L"Taken.zrj", {2});
    EXPECT_FALSE(ArchiveJournal(files, L"Receipt", L"Taken"));

    for (const wchar_t* name : {L"..\\..\\Escaped", L"sub/x", L"D:x", L".", L".."}) {
        EXPECT_FALSE(ArchiveExists(files, L"Receipt", name)) << name;
        EXPECT_FALSE(ArchiveJournal(files, L"Receipt", name)) << name;
    }
    const std::wstring tooLong(kJournalPathCapacity - kFolder.size() - 4, L'x');
    EXPECT_FALSE(ArchiveJournal(files, L"Receipt", tooLong.c_str()));
    // Only the refused existing target reached the file system.
    ASSERT_EQ(files.renames.size(), 1u);
    EXPECT_TRUE(files.Exists(kFolder + L"CurrentJournal.zrj"));
}

TEST(JournalArchive, AnUnreadableArchivePassesTheCheckButTheRenameFails) {
    FakeFileSystem files;
    files.Put(kFolder + L"CurrentJournal.zrj", {1});
    files.Put(kFolder + L"Locked.zrj", {2});
    files.unreadable.insert(kFolder + L"Locked.zrj");
    EXPECT_FALSE(ArchiveExists(files, L"Receipt", L"Locked"));
    EXPECT_FALSE(ArchiveJournal(files, L"Receipt", L"Locked"));
    files.unreadable.insert(kFolder + L"CurrentJournal.zrj");
    EXPECT_FALSE(CurrentJournalExists(files, L"Receipt"));
}

struct ReadOutcome {
    JournalRead result;
    std::vector<unsigned char> bytes;
};

ReadOutcome Read(FakeFileSystem& files, const std::wstring& path) {
    JournalBytes journal;
    ReadOutcome outcome{ReadJournal(files, path.c_str(), journal), {}};
    if (journal.length > 0) outcome.bytes.assign(journal.bytes, journal.bytes + journal.length);
    std::free(journal.bytes);
    EXPECT_EQ(files.openNow, 0) << "every opened journal is closed";
    return outcome;
}

TEST(JournalRead, WholeFilesOnlyAndNothingUnread) {
    FakeFileSystem files;
    const std::wstring path = kFolder + L"A.zrj";
    EXPECT_EQ(Read(files, path).result, JournalRead::kNotOpened);

    std::vector<unsigned char> content(70000);
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<unsigned char>(i * 13);
    files.Put(path, content);
    ReadOutcome whole = Read(files, path);
    EXPECT_EQ(whole.result, JournalRead::kRead);
    EXPECT_EQ(whole.bytes, content);

    files.Put(path, {});
    ReadOutcome empty = Read(files, path);
    EXPECT_EQ(empty.result, JournalRead::kRead);
    EXPECT_TRUE(empty.bytes.empty());

    files.Put(path, content);
    files.shrinkOnSeek[path] = 100;
    EXPECT_EQ(Read(files, path).result, JournalRead::kShort);
    files.shrinkOnSeek.clear();

    files.reportedLength[path] = -1;
    EXPECT_EQ(Read(files, path).result, JournalRead::kTooLarge);
    files.reportedLength[path] = std::int64_t{1} << 31;
    EXPECT_EQ(Read(files, path).result, JournalRead::kTooLarge);
}

TEST(JournalRead, AJournalThatGrewIsSentAsLongAsItWasMeasured) {
    FakeFileSystem files;
    const std::wstring path = kFolder + L"CurrentJournal.zrj";
    files.Put(path, {1, 2, 3, 4, 5, 6});
    files.reportedLength[path] = 4;
    ReadOutcome outcome = Read(files, path);
    EXPECT_EQ(outcome.result, JournalRead::kRead);
    EXPECT_EQ(outcome.bytes, (std::vector<unsigned char>{1, 2, 3, 4}));
}

TEST(JournalPrint, PlanForEachSelection) {
    const struct {
        int selection, items;
        bool current;
        int first, end;
    } cases[] = {
        {0, 2, true, 0, 0},  {0, 5, true, 0, 0},   {1, 2, false, 2, 2}, {1, 5, false, 2, 5},
        {3, 5, false, 3, 4}, {2, 5, false, 2, 3},  {5, 5, false, 0, 0}, {-1, 5, false, 0, 0},
    };
    for (const auto& c : cases) {
        const JournalPrintPlan plan = PlanJournalPrint(c.selection, c.items);
        EXPECT_EQ(plan.currentJournal, c.current) << c.selection;
        EXPECT_EQ(plan.firstEntry, c.first) << c.selection;
        EXPECT_EQ(plan.endEntry, c.end) << c.selection;
    }
}

}  // namespace
}  // namespace zelt
