// Small helpers over the dialog controls the pages use.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace zelt {

// Adds each string of the module's string table to a drop-down list, in order.
void FillList(HWND page, int listId, std::initializer_list<std::uint16_t> stringIds);
void AddListItem(HWND page, int listId, const wchar_t* text);
// The selected position, -1 when nothing is selected.
int ListSelection(HWND page, int listId);
void SelectListItem(HWND page, int listId, int position);

bool IsChecked(HWND page, int buttonId);
void SetChecked(HWND page, int buttonId, bool checked);

void EnableControls(HWND page, std::initializer_list<int> ids, bool enabled);

// An up-down control bound to a digits-only edit field of at most 3 characters.
void SetUpNumericField(HWND page, int editId, int upDownId, int low, int high);
void SetNumericField(HWND page, int upDownId, std::uint32_t value);
// The number in the bound field when it is a whole number in low..high.
std::optional<std::uint32_t> ReadNumericField(HWND page, int editId, std::uint32_t low, std::uint32_t high);

}  // namespace zelt
