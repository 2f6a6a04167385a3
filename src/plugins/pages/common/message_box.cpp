#include "message_box.h"

#include "frame/module_state.h"
#include "resources/resource.h"

namespace zelt {

int ShowMessage(HWND owner, UINT stringId, const wchar_t* caption, UINT style) {
    wchar_t text[kMessageBufferLength] = {};
    LoadStringW(ModuleHandle(), stringId, text, kMessageBufferLength);
    return MessageBoxW(owner, text, caption, style);
}

void ShowNotSent(HWND page) { ShowMessage(page, IDS_NOT_SENT, kDriverCaption, MB_ICONEXCLAMATION | MB_OK); }

}  // namespace zelt
