#include "printer_names.h"

#include <cwctype>

namespace zelt::host {
namespace {

bool EndsWithGpd(const std::wstring& name) {
    if (name.size() < 4) return false;
    const std::wstring tail = name.substr(name.size() - 4);
    return tail[0] == L'.' && std::towupper(tail[1]) == L'G' && std::towupper(tail[2]) == L'P' &&
           std::towupper(tail[3]) == L'D';
}

bool IsPlainFileCharacter(wchar_t c) {
    return c >= 0x20 && std::wstring_view(L"<>:\"/|?*").find(c) == std::wstring_view::npos;
}

}  // namespace

bool IsUsableDataFile(const std::wstring& dataFile, std::wstring& why) {
    if (!EndsWithGpd(dataFile) || dataFile.size() == 4) {
        why = L"it must name a .GPD file";
        return false;
    }
    std::size_t partStart = 0;
    for (std::size_t i = 0; i <= dataFile.size(); ++i) {
        if (i < dataFile.size() && dataFile[i] != L'\\') {
            if (!IsPlainFileCharacter(dataFile[i])) {
                why = L"it must be a path relative to the driver folder, with plain file names";
                return false;
            }
            continue;
        }
        const std::wstring part = dataFile.substr(partStart, i - partStart);
        if (part.empty() || part == L"." || part == L"..") {
            why = L"every part of the path must be a folder or file name";
            return false;
        }
        partStart = i + 1;
    }
    return true;
}

bool IsUsablePrinterName(const std::wstring& name, std::wstring& why) {
    if (name.empty() || name.size() > 220) {
        why = L"it must have 1 to 220 characters";
        return false;
    }
    for (wchar_t c : name) {
        if (c == L'\\' || c == L',' || c < 0x20) {
            why = L"it may not hold backslashes, commas or control characters";
            return false;
        }
    }
    return true;
}

std::wstring ModelName(const std::wstring& dataFile) {
    std::wstring model = EndsWithGpd(dataFile) ? dataFile.substr(0, dataFile.size() - 4) : dataFile;
    for (wchar_t& c : model) {
        if (c == L'\\') c = L'-';
    }
    return model;
}

std::wstring DefaultPrinterName(const std::wstring& dataFile) { return L"Zelt Raster " + ModelName(dataFile); }

std::wstring DriverName(const std::wstring& dataFile) { return L"Zelt Raster Driver " + ModelName(dataFile); }

std::wstring ShotFileName(const std::wstring& model, const std::wstring& language, int index,
                          const std::wstring& caption) {
    std::wstring name = model + L"-" + language + L"-" + std::to_wstring(index) + L"-" + caption;
    for (wchar_t& c : name) {
        const bool asciiKept = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
                               c == L'-' || c == L'_';
        const bool nonAsciiText = c >= 0xA0 && !std::iswspace(c);
        if (!asciiKept && !nonAsciiText) c = L'_';
    }
    return name + L".png";
}

}  // namespace zelt::host
