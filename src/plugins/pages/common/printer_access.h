// Whether a page may change the printer's values, and what it answers when
// the spooler refuses a write at apply: plain rules, no window involved.
#pragma once

#include <cstdint>

#include "resources/resource.h"
#include "settings/setting_store.h"

namespace zelt {

// DPS_NOPERMISSION in the driver's OEMUIPSPARAM.dwFlags: the user may not
// update the device settings. No other flag bit concerns the pages.
constexpr std::uint32_t kNoPermissionFlag = 0x0001;

// What the spooler answers for a read or write on a null or closed handle.
constexpr std::uint32_t kInvalidHandleError = 6;
// What a read-only page's store answers for a write it does not send.
constexpr std::uint32_t kAccessDeniedError = 5;

// "The settings could not be saved ...": shown once per Apply of the sheet.
constexpr std::uint16_t kNotSavedMessageId = IDS_NOT_SAVED;

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

// A page's answer to PSN_APPLY; the numbers are those of PSNRET_NOERROR,
// PSNRET_INVALID and PSNRET_INVALID_NOCHANGEPAGE.
enum class ApplyAnswer : int { kAccepted = 0, kInvalid = 1, kInvalidStayOnPage = 2 };

struct ApplyVerdict {
    bool showNotSaved;  // tell the user now that the settings were not saved
    bool showRejected;  // show the rejected number's message and reset its field
    ApplyAnswer answer;
};

// One page's end of PSN_APPLY. A refused write keeps the sheet open where the
// user is and is told once per Apply (`notSavedShown`: a page of this Apply
// has told it already); it outweighs a rejected number, so that the page
// shows one message at most. A rejected number alone keeps the sheet open on
// the page, as it always has.
ApplyVerdict DecideApply(bool writeRefused, bool numberRejected, bool notSavedShown);

}  // namespace zelt
