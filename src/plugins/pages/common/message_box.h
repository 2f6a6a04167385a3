// Message boxes of the pages: the text from the string table, a fixed caption.
#pragma once

#include <windows.h>

namespace zelt {

// The caption of every message, except the range messages of the two
// presenter-capable pages, which use kPresenterPageCaption.
constexpr wchar_t kDriverCaption[] = L"Zelt Raster Printer Driver";
constexpr wchar_t kPresenterPageCaption[] = L"ZeltRas Printer Driver";

// Holds every message of the string table whole.
constexpr int kMessageBufferLength = 200;

int ShowMessage(HWND owner, UINT stringId, const wchar_t* caption, UINT style);

// "The data could not be sent to the printer.", once per press of the page's button.
void ShowNotSent(HWND page);

}  // namespace zelt
