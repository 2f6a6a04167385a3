#include "logo_store.h"

#include <climits>
#include <cstdlib>

namespace zelt {
namespace {

constexpr const wchar_t* kPositionFolders[kLogoPositionCount] = {L"StartDoc", L"StartPage", L"EndPage", L"EndDoc"};

// Appends to a fixed buffer; once anything does not fit, the whole text is refused.
class PathWriter {
public:
    explicit PathWriter(wchar_t (&path)[kLogoPathCapacity]) : path_(path) { path_[0] = L'\0'; }

    void Put(wchar_t c) {
        if (length_ + 1 >= kLogoPathCapacity) {
            fits_ = false;
            return;
        }
        path_[length_++] = c;
    }
    void Put(const wchar_t* text) {
        for (; *text != L'\0' && fits_; ++text) Put(*text);
    }
    void PutNumber(std::int32_t number) {
        wchar_t digits[12];
        int count = 0;
        // Through the unsigned magnitude so that no value overflows.
        std::uint32_t magnitude = number < 0 ? 0u - static_cast<std::uint32_t>(number) : static_cast<std::uint32_t>(number);
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (number < 0) Put(L'-');
        while (count > 0 && fits_) Put(digits[--count]);
    }
    bool Finish() {
        path_[fits_ ? length_ : 0] = L'\0';
        return fits_;
    }

private:
    wchar_t (&path_)[kLogoPathCapacity];
    std::size_t length_ = 0;
    bool fits_ = true;
};

bool StartInFolder(PathWriter& writer, int drive, const wchar_t* printerName, const wchar_t* positionFolder) {
    if (drive < 1 || drive > 26 || printerName == nullptr || printerName[0] == L'\0' || positionFolder == nullptr) {
        return false;
    }
    writer.Put(static_cast<wchar_t>(64 + drive));
    writer.Put(L":\\Zelt\\");
    writer.Put(printerName);
    writer.Put(L"\\ZeltRasterLogoData\\");
    writer.Put(positionFolder);
    writer.Put(L'\\');
    return true;
}

FileSystem::File OpenLogo(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                          std::int32_t number) {
    wchar_t path[kLogoPathCapacity];
    if (!FormatLogoPath(files.CurrentDrive(), printerName, positionFolder, number, path)) return nullptr;
    return files.OpenForReading(path);
}

bool NumberPendingLogo(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                       std::int32_t freeNumber) {
    wchar_t pending[kLogoPathCapacity];
    wchar_t target[kLogoPathCapacity];
    return FormatLogoPath(files.CurrentDrive(), printerName, positionFolder, kPendingLogo, pending) &&
           FormatLogoPath(files.CurrentDrive(), printerName, positionFolder, freeNumber, target) &&
           files.Rename(pending, target);
}

// The logo number a listed name stands for: the name FormatLogoPath gives it
// ("-1.zrl", "0.zrl", "12.zrl"; the extension in any case, as the file
// system matches it). Other names, "007.zrl" among them, are no logo's.
bool LogoNumberOfName(const wchar_t* name, std::int32_t& number) {
    const bool negative = *name == L'-';
    const wchar_t* digit = negative ? name + 1 : name;
    if (*digit < L'0' || *digit > L'9' || (*digit == L'0' && (negative || digit[1] != L'.'))) return false;
    std::int64_t value = 0;
    for (; *digit >= L'0' && *digit <= L'9'; ++digit) {
        value = value * 10 + (*digit - L'0');
        if (value > INT_MAX) return false;
    }
    const wchar_t extension[] = L".zrl";
    for (const wchar_t expected : extension) {
        const wchar_t lower = *digit >= L'A' && *digit <= L'Z' ? static_cast<wchar_t>(*digit + 32) : *digit;
        if (lower != expected) return false;
        ++digit;
    }
    number = static_cast<std::int32_t>(negative ? -value : value);
    return true;
}

// The sizes of listed logos by number, for the numbers a walk can reach:
// a run from 0 is no longer than the listing.
class ListedSizes {
public:
    ListedSizes() = default;
    ListedSizes(const ListedSizes&) = delete;
    ListedSizes& operator=(const ListedSizes&) = delete;
    ~ListedSizes() { std::free(entries_); }
    bool Add(std::int32_t number, std::uint64_t size) {
        if (number == kPendingLogo) {
            if (size > pendingSize_) pendingSize_ = size;
            hasPending_ = true;
            return true;
        }
        if (count_ == capacity_) {
            const std::size_t grown = capacity_ == 0 ? 64 : capacity_ * 2;
            auto* entries = static_cast<Entry*>(std::realloc(entries_, grown * sizeof(Entry)));
            if (entries == nullptr) return false;
            entries_ = entries;
            capacity_ = grown;
        }
        entries_[count_++] = Entry{number, size};
        return true;
    }

    // The run from 0, with the pending logo at its first gap when numbered.
    ListedLogos Run(PendingLogo pending) {
        ListedLogos run;
        // The run holds at most the listed logos and the pending one, so only
        // numbers up to count_ matter. Each slot holds its size plus 1, 0 for
        // none; the last stays 0 and ends the run.
        auto* slots = static_cast<std::uint64_t*>(std::calloc(count_ + 2, sizeof(std::uint64_t)));
        if (slots == nullptr) return run;
        for (std::size_t i = 0; i < count_; ++i) {
            const Entry& entry = entries_[i];
            // Names that differ only in case (possible on a Unix folder) open
            // as one of them: the larger counts.
            if (entry.number >= 0 && static_cast<std::size_t>(entry.number) <= count_ &&
                entry.size + 1 > slots[entry.number]) {
                slots[entry.number] = entry.size + 1;
            }
        }
        bool numbering = pending == PendingLogo::kNumber && hasPending_;
        for (std::size_t number = 0; number <= count_ + 1 && run.count < INT_MAX; ++number) {
            std::uint64_t slot = slots[number];
            if (slot == 0 && numbering) {
                slot = pendingSize_ + 1;
                numbering = false;
            }
            if (slot == 0) break;
            ++run.count;
            run.bytes = slot - 1 > UINT64_MAX - run.bytes ? UINT64_MAX : run.bytes + (slot - 1);
        }
        std::free(slots);
        return run;
    }

private:
    struct Entry {
        std::int32_t number;
        std::uint64_t size;
    };
    Entry* entries_ = nullptr;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
    std::uint64_t pendingSize_ = 0;
    bool hasPending_ = false;
};

}  // namespace

const wchar_t* LogoPositionFolder(int position) {
    return position >= 0 && position < kLogoPositionCount ? kPositionFolders[position] : nullptr;
}

bool FormatLogoPath(int drive, const wchar_t* printerName, const wchar_t* positionFolder, std::int32_t number,
                    wchar_t (&path)[kLogoPathCapacity]) {
    PathWriter writer(path);
    if (!StartInFolder(writer, drive, printerName, positionFolder)) return false;
    writer.PutNumber(number);
    writer.Put(L".zrl");
    return writer.Finish();
}

bool FormatLogoPattern(int drive, const wchar_t* printerName, const wchar_t* positionFolder,
                       wchar_t (&pattern)[kLogoPathCapacity]) {
    PathWriter writer(pattern);
    if (!StartInFolder(writer, drive, printerName, positionFolder)) return false;
    writer.Put(L"*.zrl");
    return writer.Finish();
}

bool WalkLogos(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder, PendingLogo& pending,
               LogoVisitor& visitor) {
    for (std::int32_t number = 0; number < INT_MAX; ++number) {
        FileSystem::File logo = OpenLogo(files, printerName, positionFolder, number);
        if (logo == nullptr && pending == PendingLogo::kNumber) {
            pending = PendingLogo::kLeave;
            if (NumberPendingLogo(files, printerName, positionFolder, number)) {
                logo = OpenLogo(files, printerName, positionFolder, number);
            }
        }
        if (logo == nullptr) return true;
        const bool goOn = visitor.Visit(number, logo);
        files.Close(logo);
        if (!goOn) return false;
    }
    return true;
}

ListedLogos ListLogos(FileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                      PendingLogo pending) {
    wchar_t pattern[kLogoPathCapacity];
    if (!FormatLogoPattern(files.CurrentDrive(), printerName, positionFolder, pattern)) return {};
    FolderEntry entry;
    FileSystem::Search search = files.FindFirst(pattern, entry);
    if (search == nullptr) return {};
    ListedSizes sizes;
    bool complete = true;
    do {
        std::int32_t number = 0;
        if (LogoNumberOfName(entry.name, number)) complete = sizes.Add(number, entry.size);
    } while (complete && files.FindNext(search, entry));
    files.FindClose(search);
    return complete ? sizes.Run(pending) : ListedLogos{};
}

}  // namespace zelt
