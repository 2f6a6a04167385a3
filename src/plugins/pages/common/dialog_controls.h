// Small helpers over the dialog controls the pages use.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace zelt {

// Adds items to one drop-down list, whose window is looked up once rather
// than for every item (each lookup walks the page's children), with its
// drawing held while it fills.
class ListFiller {
public:
    ListFiller(HWND page, int listId);
    ListFiller(const ListFiller&) = delete;
    ListFiller& operator=(const ListFiller&) = delete;
    ~ListFiller();
    // The string of the module's string table.
    void AddString(std::uint16_t stringId);
    void AddText(const wchar_t* text);

private:
    HWND list_;
};

// Adds each string of the module's string table to a drop-down list, in order.
template <typename StringIds>
void FillList(HWND page, int listId, const StringIds& stringIds) {
    ListFiller list(page, listId);
    for (std::uint16_t id : stringIds) list.AddString(id);
}
inline void FillList(HWND page, int listId, std::initializer_list<std::uint16_t> stringIds) {
    FillList<std::initializer_list<std::uint16_t>>(page, listId, stringIds);
}
// The selected position, -1 when nothing is selected.
int ListSelection(HWND page, int listId);
void SelectListItem(HWND page, int listId, int position);

bool IsChecked(HWND page, int buttonId);
void SetChecked(HWND page, int buttonId, bool checked);

// Changes a control's enabled state only where it differs: every change costs
// the window system a round trip and the control a repaint. The label that
// carries the control's access key follows its state, so that a disabled
// control's key does nothing. A control the template lacks is passed over.
void EnableControl(HWND control, bool enabled);
inline void EnableControl(HWND page, int id, bool enabled) { EnableControl(GetDlgItem(page, id), enabled); }
template <typename Ids>
void EnableControls(HWND page, const Ids& ids, bool enabled) {
    for (int id : ids) EnableControl(page, id, enabled);
}
inline void EnableControls(HWND page, std::initializer_list<int> ids, bool enabled) {
    EnableControls<std::initializer_list<int>>(page, ids, enabled);
}

// An up-down control bound to a digits-only edit field of at most 3 characters.
void SetUpNumericField(HWND page, int editId, int upDownId, int low, int high);
void SetNumericField(HWND page, int upDownId, std::uint32_t value);
// The number in the bound field when it is a whole number in low..high.
std::optional<std::uint32_t> ReadNumericField(HWND page, int editId, std::uint32_t low, std::uint32_t high);

}  // namespace zelt
