#include "logo_store.h"

#include <climits>

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

}  // namespace

const wchar_t* LogoPositionFolder(int position) {
    return position >= 0 && position < kLogoPositionCount ? kPositionFolders[position] : nullptr;
}

bool FormatLogoPath(int drive, const wchar_t* printerName, const wchar_t* positionFolder, std::int32_t number,
                    wchar_t (&path)[kLogoPathCapacity]) {
    path[0] = L'\0';
    if (drive < 1 || drive > 26 || printerName == nullptr || printerName[0] == L'\0' || positionFolder == nullptr) {
        return false;
    }
    PathWriter writer(path);
    writer.Put(static_cast<wchar_t>(64 + drive));
    writer.Put(L":\\Zelt\\");
    writer.Put(printerName);
    writer.Put(L"\\ZeltRasterLogoData\\");
    writer.Put(positionFolder);
    writer.Put(L'\\');
    writer.PutNumber(number);
    writer.Put(L".zrl");
    return writer.Finish();
}

LogoFileSystem::File OpenLogo(LogoFileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder,
                              std::int32_t number) {
    wchar_t path[kLogoPathCapacity];
    if (!FormatLogoPath(files.CurrentDrive(), printerName, positionFolder, number, path)) return nullptr;
    return files.OpenForReading(path);
}

void AssignLogoNumber(LogoFileSystem& files, const wchar_t* printerName, const wchar_t* positionFolder) {
    std::int32_t free = 0;
    for (; free < INT_MAX; ++free) {
        LogoFileSystem::File logo = OpenLogo(files, printerName, positionFolder, free);
        if (logo == nullptr) break;
        files.Close(logo);
    }
    wchar_t pending[kLogoPathCapacity];
    wchar_t target[kLogoPathCapacity];
    if (!FormatLogoPath(files.CurrentDrive(), printerName, positionFolder, kPendingLogo, pending) ||
        !FormatLogoPath(files.CurrentDrive(), printerName, positionFolder, free, target)) {
        return;
    }
    files.Rename(pending, target);
}

}  // namespace zelt
