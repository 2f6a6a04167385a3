#include "printer_queries.h"

#include <winspool.h>

#include <cstdlib>
#include <cwchar>

namespace zelt {
namespace {

// Runs a spooler query that fills a caller's buffer, first with room for
// what it usually answers, so that one call mostly suffices (each call costs
// the spooler the whole answer); again with the size it asks for when that
// was too small. A malloc'd block (freed by the caller), or null when the
// query fails or its answer keeps growing.
template <typename Query>
void* QuerySpooler(DWORD firstGuess, Query&& query) {
    DWORD size = firstGuess;
    for (int attempt = 0; attempt < 2; ++attempt) {
        void* block = std::malloc(size);
        if (block == nullptr) return nullptr;
        DWORD needed = 0;
        if (query(static_cast<BYTE*>(block), size, &needed)) return block;
        std::free(block);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) return nullptr;
        size = needed;
    }
    return nullptr;
}

// Room for a level-4 answer with paths of usual lengths.
constexpr DWORD kPrinterInfoGuess = sizeof(PRINTER_INFO_4W) + 2 * 260 * sizeof(wchar_t);
constexpr DWORD kDriverInfoGuess = 4096;

}  // namespace

void GetPrinterName(HANDLE printer, wchar_t* name, std::size_t capacity) {
    if (name == nullptr || capacity == 0) return;
    std::wmemset(name, L'\0', capacity);
    auto* info = static_cast<PRINTER_INFO_4W*>(QuerySpooler(kPrinterInfoGuess, [&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterW(printer, 4, buffer, size, needed) != FALSE;
    }));
    if (info == nullptr) return;
    if (info->pPrinterName != nullptr && std::wcslen(info->pPrinterName) < capacity) {
        std::wcscpy(name, info->pPrinterName);
    }
    std::free(info);
}

DriverDataFile::DriverDataFile(HANDLE printer)
    : info_(static_cast<DRIVER_INFO_4W*>(QuerySpooler(kDriverInfoGuess, [&](BYTE* buffer, DWORD size, DWORD* needed) {
          return GetPrinterDriverW(printer, nullptr, 4, buffer, size, needed) != FALSE;
      }))) {}

DriverDataFile::~DriverDataFile() { std::free(info_); }

const wchar_t* DriverDataFile::path() const { return info_ != nullptr ? info_->pDataFile : nullptr; }

}  // namespace zelt
