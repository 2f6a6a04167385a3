#include "apply_verdict.h"

namespace zelt {

ApplyVerdict DecideApply(bool writeRefused, bool numberRejected, bool notSavedShown) {
    if (writeRefused) return {!notSavedShown, false, ApplyAnswer::kInvalidStayOnPage};
    if (numberRejected) return {false, true, ApplyAnswer::kInvalid};
    return {false, false, ApplyAnswer::kAccepted};
}

}  // namespace zelt
