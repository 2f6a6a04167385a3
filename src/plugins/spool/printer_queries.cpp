#include "printer_queries.h"

#include <winspool.h>

#include <cstdlib>
#include <cwchar>

namespace zelt {

void GetPrinterName(HANDLE printer, wchar_t* name, std::size_t capacity) {
    if (name == nullptr || capacity == 0) return;
    std::wmemset(name, L'\0', capacity);
    DWORD needed = 0;
    GetPrinterW(printer, 4, nullptr, 0, &needed);
    if (needed < sizeof(PRINTER_INFO_4W)) return;
    auto* info = static_cast<PRINTER_INFO_4W*>(std::malloc(needed));
    if (info == nullptr) return;
    if (GetPrinterW(printer, 4, reinterpret_cast<BYTE*>(info), needed, &needed) && info->pPrinterName != nullptr &&
        std::wcslen(info->pPrinterName) < capacity) {
        std::wcscpy(name, info->pPrinterName);
    }
    std::free(info);
}

DriverDataFile::DriverDataFile(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 4, nullptr, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_4W)) return;
    info_ = static_cast<DRIVER_INFO_4W*>(std::malloc(needed));
    if (info_ == nullptr) return;
    if (!GetPrinterDriverW(printer, nullptr, 4, reinterpret_cast<BYTE*>(info_), needed, &needed)) {
        std::free(info_);
        info_ = nullptr;
    }
}

DriverDataFile::~DriverDataFile() { std::free(info_); }

const wchar_t* DriverDataFile::path() const { return info_ != nullptr ? info_->pDataFile : nullptr; }

}  // namespace zelt
