// The printer's named data as the print spooler keeps it.
#pragma once

#include <windows.h>

#include "setting_store.h"

namespace zelt {

class SpoolerPrinterData final : public PrinterData {
public:
    explicit SpoolerPrinterData(HANDLE printer) : printer_(printer) {}
    std::uint32_t Get(const wchar_t* name, std::uint32_t* type, unsigned char* buffer, std::uint32_t size,
                      std::uint32_t* needed) override;
    std::uint32_t Set(const wchar_t* name, std::uint32_t type, const unsigned char* data,
                      std::uint32_t size) override;

private:
    HANDLE printer_;
};

}  // namespace zelt
