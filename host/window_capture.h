// A window's pixels as they are drawn, for screenshots of the sheet.
#pragma once

#include <windows.h>

#include <string>

#include "png_writer.h"

namespace zelt::host {

// Repaints the window and its children (on their own thread) with the
// keyboard cues on, as after the user pressed Alt, so that the access keys
// show underlined and the focus framed; then copies its client area. The
// frame is left out: without a window manager Wine leaves it unpainted.
bool CaptureWindow(HWND window, RgbImage& image, std::wstring& error);

}  // namespace zelt::host
