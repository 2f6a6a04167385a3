// Logo and journal paths built from arbitrary printer names, typed archive
// names, drives and numbers: a path is either the whole text within its
// buffer or refused as empty, and an archive never leaves the journal folder.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "fake_file_system.h"
#include "journal/journal_store.h"
#include "logo/logo_store.h"

namespace {

using namespace zelt;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Each byte pair a UTF-16 unit; the text ends at the first NUL as the C
// strings handed in do.
std::wstring ConsumeWideText(FuzzedDataProvider& input, std::size_t maxBytes) {
    const std::string bytes = input.ConsumeRandomLengthString(maxBytes);
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                               static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    return text;
}

std::wstring DrivePrefix(int drive) { return std::wstring(1, static_cast<wchar_t>(64 + drive)) + L":\\Zelt\\"; }

// The made path against the text it should hold, or against refusal.
template <std::size_t N>
void RequirePathOrRefusal(bool made, const wchar_t (&path)[N], bool valid, const std::wstring& expected) {
    const bool fits = expected.size() < N;
    Require(made == (valid && fits));
    if (made) {
        Require(expected == path);
    } else {
        Require(path[0] == L'\0');
    }
}

void CheckLogoPath(FuzzedDataProvider& input, int drive, const std::wstring& printer) {
    const int position = input.ConsumeIntegralInRange<int>(0, kLogoPositionCount - 1);
    const auto number = input.ConsumeIntegral<std::int32_t>();
    wchar_t path[kLogoPathCapacity];
    const bool made = FormatLogoPath(drive, printer.c_str(), LogoPositionFolder(position), number, path);
    const std::wstring expected = DrivePrefix(drive) + printer + L"\\ZeltRasterLogoData\\" +
                                  LogoPositionFolder(position) + L"\\" + std::to_wstring(number) + L".zrl";
    RequirePathOrRefusal(made, path, drive >= 1 && drive <= 26 && !printer.empty(), expected);
}

void CheckJournalPath(int drive, const std::wstring& printer, const std::wstring& name, JournalName form) {
    wchar_t path[kJournalPathCapacity];
    const bool made = FormatJournalPath(drive, printer.c_str(), name.c_str(), form, path);
    const std::wstring expected = DrivePrefix(drive) + printer + L"\\ZeltRasterJournalData\\" + name +
                                  (form == JournalName::kBaseName ? L".zrj" : L"");
    RequirePathOrRefusal(made, path, drive >= 1 && drive <= 26 && !printer.empty(), expected);
}

// The archive, when renamed, lands in the printer's journal folder itself.
void CheckArchive(const std::wstring& printer, const std::wstring& typed) {
    FakeFileSystem files;
    const std::wstring folder = DrivePrefix(files.drive) + printer + L"\\ZeltRasterJournalData\\";
    files.Put(folder + kCurrentJournalFileName);
    const bool archived = ArchiveJournal(files, printer.c_str(), typed.c_str());
    Require(files.openNow == 0);
    if (!archived) return;
    Require(IsUsableArchiveName(typed.c_str()));
    const std::wstring& target = files.renames.back().second;
    Require(target.compare(0, folder.size(), folder) == 0);
    const std::wstring inFolder = target.substr(folder.size());
    Require(inFolder.find_first_of(L"\\/:") == std::wstring::npos);
    Require(inFolder != L".zrj" || typed.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int drive = input.ConsumeIntegralInRange(-1, 28);
    const std::wstring printer = ConsumeWideText(input, 600);
    const std::wstring typed = ConsumeWideText(input, 600);

    CheckLogoPath(input, drive, printer);
    CheckJournalPath(drive, printer, typed, JournalName::kBaseName);
    CheckJournalPath(drive, printer, typed, JournalName::kFileName);

    const bool usable = IsUsableArchiveName(typed.c_str());
    Require(usable == (typed.size() <= kArchiveNameMaxLength && typed != L"." && typed != L".." &&
                       typed.find_first_of(L"\\/:") == std::wstring::npos));
    CheckArchive(printer, typed);
    return 0;
}
