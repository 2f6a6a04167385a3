#include "journal/journal_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "fake_spooler.h"

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

// --- Sending a journal ----------------------------------------------------------------
struct SendCase {
    const char* what;
    std::function<void(FakeFileSystem&, FakeSpooler&)> setUp;
    JournalSend result;
    std::string calls;
    std::size_t sentBytes;  // the journal's first bytes the spooler took
};

TEST(JournalSend, ReadAndWrittenInPartsWholeOrAborted) {
    const std::wstring path = kFolder + L"A.zrj";
    std::vector<unsigned char> content(3 * kJournalPartSize + 5);
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<unsigned char>(i * 13 + i / 4099);
    const std::string part = std::to_string(kJournalPartSize);
    const std::string parts = "Write " + part + ", Write " + part + ", Write " + part + ", Write 5";
    const std::string whole = "StartDoc, StartPage, " + parts + ", EndPage, EndDoc";
    const SendCase cases[] = {
        {"missing: no job", [&](FakeFileSystem& f, FakeSpooler&) { f.files.erase(path); }, JournalSend::kNotOpened,
         "", 0},
        {"unreadable: no job", [&](FakeFileSystem& f, FakeSpooler&) { f.unreadable.insert(path); },
         JournalSend::kNotOpened, "", 0},
        {"whole, in parts", [](FakeFileSystem&, FakeSpooler&) {}, JournalSend::kSent, whole, content.size()},
        {"empty: a job with no write", [&](FakeFileSystem& f, FakeSpooler&) { f.files[path] = {}; },
         JournalSend::kSent, "StartDoc, StartPage, EndPage, EndDoc", 0},
        {"one short part", [&](FakeFileSystem& f, FakeSpooler&) { f.files[path].resize(70000); }, JournalSend::kSent,
         "StartDoc, StartPage, Write 70000, EndPage, EndDoc", 70000},
        {"grown since measured: sent as measured", [&](FakeFileSystem& f, FakeSpooler&) { f.reportedLength[path] = 9; },
         JournalSend::kSent, "StartDoc, StartPage, Write 9, EndPage, EndDoc", 9},
        {"length unknown: no job", [&](FakeFileSystem& f, FakeSpooler&) { f.reportedLength[path] = -1; },
         JournalSend::kNotSent, "", 0},
        {"shrunk once measured", [&](FakeFileSystem& f, FakeSpooler&) { f.shrinkOnSeek[path] = 100; },
         JournalSend::kNotSent, "StartDoc, StartPage, Abort", 0},
        {"a read failing half way",
         [&](FakeFileSystem& f, FakeSpooler&) { f.readFailsAt[path] = kJournalPartSize + kJournalPartSize / 2; },
         JournalSend::kNotSent, "StartDoc, StartPage, Write " + part + ", Abort", kJournalPartSize},
        {"the spooler refusing the document", [](FakeFileSystem&, FakeSpooler& s) { s.refused = "StartDoc"; },
         JournalSend::kNotSent, "StartDoc", 0},
        {"the spooler refusing a part",
         [](FakeFileSystem&, FakeSpooler& s) {
             s.refused = "Write";
             s.refusedTime = 2;
         },
         JournalSend::kNotSent, "StartDoc, StartPage, Write " + part + ", Write " + part + ", Abort",
         kJournalPartSize},
    };
    for (const SendCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileSystem files;
        files.Put(path, content);
        FakeSpooler spooler;
        c.setUp(files, spooler);
        EXPECT_EQ(SendJournal(files, path.c_str(), spooler), c.result);
        EXPECT_EQ(spooler.Calls(), c.calls);
        ASSERT_EQ(spooler.received.size(), c.sentBytes);
        EXPECT_TRUE(std::equal(spooler.received.begin(), spooler.received.end(), content.begin()));
        EXPECT_EQ(files.openNow, 0) << "every opened journal is closed";
    }
}

// Beyond what 32 bits count, read and written in parts of the one fixed size:
// every byte in its place, in as many parts as the size takes.
TEST(JournalSend, AJournalBeyondFourGibibytesGoesWholeInOrder) {
    const std::wstring path = kFolder + L"CurrentJournal.zrj";
    const std::uint64_t size = (std::uint64_t{4} << 30) + kJournalPartSize + 7;
    FakeFileSystem files;
    files.generated[path] = size;
    FakeSpooler spooler;
    std::uint64_t offset = 0;
    std::uint64_t misplaced = 0;
    std::size_t largestPart = 0;
    spooler.onBytes = [&](const unsigned char* bytes, std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) misplaced += bytes[i] != FakeFileSystem::GeneratedByte(offset + i);
        offset += count;
        largestPart = std::max<std::size_t>(largestPart, count);
    };
    EXPECT_EQ(SendJournal(files, path.c_str(), spooler), JournalSend::kSent);
    EXPECT_EQ(offset, size);
    EXPECT_EQ(misplaced, 0u);
    EXPECT_EQ(largestPart, kJournalPartSize);
    ASSERT_EQ(spooler.calls.size(), 4098u + 4u) << "4096 + 1 whole parts, the 7 bytes, and the job's four calls";
    EXPECT_EQ(spooler.calls.front(), "StartDoc");
    EXPECT_EQ(spooler.calls[spooler.calls.size() - 3], "Write 7");
    EXPECT_EQ(spooler.calls.back(), "EndDoc");
    EXPECT_EQ(files.openNow, 0);
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
