// Whether a page may change the printer's values, and the printer's values
// as a read-only page reaches them: plain rules, no window involved.
#pragma once

#include <cstdint>

#include "setting_store.h"

namespace zelt {

// DPS_NOPERMISSION in the driver's OEMUIPSPARAM.dwFlags: the user may not
// update the device settings. No other flag bit concerns the pages.
constexpr std::uint32_t kNoPermissionFlag = 0x0001;

// What the spooler answers for a read or write on a null or closed handle.
constexpr std::uint32_t kInvalidHandleError = 6;
// What a read-only page's store answers for a write it does not send.
constexpr std::uint32_t kAccessDeniedError = 5;

constexpr bool MayChangePrinter(std::uint32_t flags) { return (flags & kNoPermissionFlag) == 0; }

// The printer's values as one page reaches them. A read-only page -- the user
// may not change the printer, or a read has found that the printer cannot be
// read at all -- sends no write to the spooler, so it neither repairs at load
// nor stores at apply. Otherwise every write goes through and a refused one
// (any result but success) is remembered.
class PageStore final : public PrinterData {
public:
    PageStore(PrinterData& printer, bool mayChange) : printer_(printer), mayChange_(mayChange) {}

    std::uint32_t Get(const wchar_t* name, std::uint32_t* type, unsigned char* buffer, std::uint32_t size,
                      std::uint32_t* needed) override;
    std::uint32_t Set(const wchar_t* name, std::uint32_t type, const unsigned char* data,
                      std::uint32_t size) override;

    bool readOnly() const { return !mayChange_ || unreadable_; }
    bool writeRefused() const { return writeRefused_; }

private:
    PrinterData& printer_;
    bool mayChange_;
    bool unreadable_ = false;
    bool writeRefused_ = false;
};

}  // namespace zelt
