#include "host_error.h"

namespace zelt::host {

std::wstring Win32Failure(const std::wstring& action, DWORD code) {
    std::wstring text = action + L" failed: error " + std::to_wstring(code);
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (length > 0 && message) {
        std::wstring detail(message, length);
        while (!detail.empty() && (detail.back() == L'\n' || detail.back() == L'\r' || detail.back() == L'.')) {
            detail.pop_back();
        }
        if (!detail.empty()) text += L" (" + detail + L")";
    }
    if (message) LocalFree(message);
    return text;
}

}  // namespace zelt::host
