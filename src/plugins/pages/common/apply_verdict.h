// What a page answers when the spooler refuses a write at apply, or the user
// typed a number out of range: a plain rule, no window involved.
#pragma once

#include <cstdint>

#include "resources/resource.h"

namespace zelt {

// "The settings could not be saved ...": shown once per Apply of the sheet.
constexpr std::uint16_t kNotSavedMessageId = IDS_NOT_SAVED;

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
