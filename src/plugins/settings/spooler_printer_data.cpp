#include "spooler_printer_data.h"

#include <winspool.h>

namespace zelt {

std::uint32_t SpoolerPrinterData::Get(const wchar_t* name, std::uint32_t* type, unsigned char* buffer,
                                      std::uint32_t size, std::uint32_t* needed) {
    DWORD storedType = 0;
    DWORD storedSize = 0;
    const DWORD status = GetPrinterDataW(printer_, const_cast<LPWSTR>(name), &storedType, buffer, size, &storedSize);
    *type = storedType;
    *needed = storedSize;
    return status;
}

std::uint32_t SpoolerPrinterData::Set(const wchar_t* name, std::uint32_t type, const unsigned char* data,
                                      std::uint32_t size) {
    return SetPrinterDataW(printer_, const_cast<LPWSTR>(name), type, const_cast<BYTE*>(data), size);
}

}  // namespace zelt
