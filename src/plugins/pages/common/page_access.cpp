#include "page_access.h"

#include <prsht.h>

#include "message_box.h"

namespace zelt {
namespace {

static_assert(static_cast<int>(ApplyAnswer::kAccepted) == PSNRET_NOERROR, "answers are PSNRET values");
static_assert(static_cast<int>(ApplyAnswer::kInvalid) == PSNRET_INVALID, "answers are PSNRET values");
static_assert(static_cast<int>(ApplyAnswer::kInvalidStayOnPage) == PSNRET_INVALID_NOCHANGEPAGE,
              "answers are PSNRET values");

// With the page window while the page is read-only.
constexpr wchar_t kReadOnlyProperty[] = L"ZeltRasUI.ReadOnly";
// With the sheet window from the moment a page has told the user that the
// settings were not saved until the sheet's Apply is over, so that no other
// page of the same Apply tells it again.
constexpr wchar_t kNotSavedShownProperty[] = L"ZeltRasUI.NotSavedShown";
// Posted by the page that told, after its message box has closed: the sheet
// sends PSN_APPLY to its pages in one pass within one message, so this
// arrives once that pass is over.
constexpr UINT kApplyOverMessage = WM_APP;

HANDLE Present() { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1)); }

}  // namespace

bool IsPageReadOnly(HWND page) { return GetPropW(page, kReadOnlyProperty) != nullptr; }

void MarkPageReadOnly(HWND page) {
    if (!IsPageReadOnly(page)) SetPropW(page, kReadOnlyProperty, Present());
}

ApplyVerdict ConcludeApply(HWND page, bool writeRefused, bool numberRejected) {
    HWND sheet = GetParent(page);
    const ApplyVerdict verdict =
        DecideApply(writeRefused, numberRejected, GetPropW(sheet, kNotSavedShownProperty) != nullptr);
    if (verdict.showNotSaved) {
        SetPropW(sheet, kNotSavedShownProperty, Present());
        ShowMessage(page, kNotSavedMessageId, kDriverCaption, MB_ICONEXCLAMATION | MB_OK);
        // Without the end-of-Apply message, a later Apply would stay silent.
        if (!PostMessageW(page, kApplyOverMessage, 0, 0)) RemovePropW(sheet, kNotSavedShownProperty);
    }
    return verdict;
}

LONG_PTR ApplyResult(const ApplyVerdict& verdict) { return static_cast<LONG_PTR>(verdict.answer); }

INT_PTR HandlePageAccessMessage(HWND page, UINT message) {
    switch (message) {
        case kApplyOverMessage:
            RemovePropW(GetParent(page), kNotSavedShownProperty);
            return TRUE;
        case WM_DESTROY:
            RemovePropW(page, kReadOnlyProperty);
            RemovePropW(GetParent(page), kNotSavedShownProperty);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace zelt
