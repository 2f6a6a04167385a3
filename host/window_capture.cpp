#include "window_capture.h"

#include "host_error.h"

namespace zelt::host {

bool CaptureWindow(HWND window, RgbImage& image, std::wstring& error) {
    RECT bounds = {};
    if (!IsWindow(window) || !GetClientRect(window, &bounds)) {
        error = L"no window to capture";
        return false;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) {
        error = L"the window has an unusable size " + std::to_wstring(width) + L"x" + std::to_wstring(height);
        return false;
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0,
                        SMTO_ABORTIFHUNG, 10000, &ignored);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A round trip through the window's thread: the repaint is done when it answers.
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);

    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HDC windowDc = GetDC(window);
    HDC memoryDc = windowDc ? CreateCompatibleDC(windowDc) : nullptr;
    HBITMAP bitmap = memoryDc ? CreateDIBSection(memoryDc, &format, DIB_RGB_COLORS, &pixels, nullptr, 0) : nullptr;
    bool copied = false;
    if (bitmap && pixels) {
        HGDIOBJ previous = SelectObject(memoryDc, bitmap);
        copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memoryDc, previous);
    }
    if (copied) {
        image.width = width;
        image.height = height;
        image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
        const auto* bgrx = static_cast<const BYTE*>(pixels);
        for (std::size_t i = 0, count = static_cast<std::size_t>(width) * height; i < count; ++i) {
            image.rgb[i * 3] = bgrx[i * 4 + 2];
            image.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
            image.rgb[i * 3 + 2] = bgrx[i * 4];
        }
    } else {
        error = Win32Failure(L"copying the window's pixels");
    }
    if (bitmap) DeleteObject(bitmap);
    if (memoryDc) DeleteDC(memoryDc);
    if (windowDc) ReleaseDC(window, windowDc);
    return copied;
}

}  // namespace zelt::host
