#include "dialog_controls.h"

#include <commctrl.h>

#include "frame/module_state.h"
#include "message_box.h"
#include "numeric_entry.h"

namespace zelt {

ListFiller::ListFiller(HWND page, int listId) : list_(GetDlgItem(page, listId)) {
    if (list_ != nullptr) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

ListFiller::~ListFiller() {
    if (list_ == nullptr) return;
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    // Drawing again does not redraw by itself; a hidden page paints when shown.
    if (IsWindowVisible(list_)) InvalidateRect(list_, nullptr, TRUE);
}

void ListFiller::AddString(std::uint16_t stringId) {
    wchar_t text[kMessageBufferLength] = {};
    LoadStringW(ModuleHandle(), stringId, text, kMessageBufferLength);
    AddText(text);
}

void ListFiller::AddText(const wchar_t* text) {
    SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

int ListSelection(HWND page, int listId) {
    const LRESULT selection = SendDlgItemMessageW(page, listId, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void SelectListItem(HWND page, int listId, int position) {
    SendDlgItemMessageW(page, listId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

bool IsChecked(HWND page, int buttonId) { return IsDlgButtonChecked(page, buttonId) == BST_CHECKED; }

void SetChecked(HWND page, int buttonId, bool checked) {
    CheckDlgButton(page, buttonId, checked ? BST_CHECKED : BST_UNCHECKED);
}

namespace {

void SetEnabled(HWND window, bool enabled) {
    if ((IsWindowEnabled(window) != FALSE) != enabled) EnableWindow(window, enabled ? TRUE : FALSE);
}

// The label just before a field in tab order carries the field's access key;
// while it stays enabled, its key would pass the focus on to whatever control
// follows the disabled field.
HWND AccessKeyLabel(HWND field) {
    HWND label = GetWindow(field, GW_HWNDPREV);
    if (label == nullptr || (SendMessageW(label, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) == 0) return nullptr;
    if ((GetWindowLongW(label, GWL_STYLE) & SS_NOPREFIX) != 0) return nullptr;
    wchar_t text[128] = {};
    const int length = GetWindowTextW(label, text, 128);
    for (int i = 0; i + 1 < length; ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return label;
        ++i;  // "&&" shows one ampersand
    }
    return nullptr;
}

}  // namespace

void EnableControl(HWND control, bool enabled) {
    if (control == nullptr) return;
    SetEnabled(control, enabled);
    if (HWND label = AccessKeyLabel(control)) SetEnabled(label, enabled);
}

void SetUpNumericField(HWND page, int editId, int upDownId, int low, int high) {
    SendDlgItemMessageW(page, editId, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageW(page, upDownId, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void SetNumericField(HWND page, int upDownId, std::uint32_t value) {
    SendDlgItemMessageW(page, upDownId, UDM_SETPOS32, 0, static_cast<LPARAM>(value));
}

std::optional<std::uint32_t> ReadNumericField(HWND page, int editId, std::uint32_t low, std::uint32_t high) {
    // Longer than the field's 3 characters only when set from outside the
    // keyboard; such text is read whole and refused by its value.
    wchar_t text[16] = {};
    const int length = GetDlgItemTextW(page, editId, text, 16);
    if (length >= 15) return std::nullopt;
    return ParseNumericEntry(std::wstring_view(text, static_cast<std::size_t>(length)), low, high);
}

}  // namespace zelt
