// A window's pixels as they are drawn, for screenshots of the sheet.
#pragma once

#include <windows.h>

#include <string>

#include "png_writer.h"

namespace zelt::host {

// Repaints the window and its children (on their own thread) and copies its
// client area. The frame is left out: without a window manager Wine leaves
// it unpainted.
bool CaptureWindow(HWND window, RgbImage& image, std::wstring& error);

}  // namespace zelt::host
