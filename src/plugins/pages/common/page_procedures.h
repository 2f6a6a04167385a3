// The dialog procedure of each page family.
#pragma once

#include <windows.h>

namespace zelt {

INT_PTR CALLBACK RasterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CopyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ZoomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EtbPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zelt
