#include "message_box.h"

#include "frame/module_state.h"

namespace zelt {

int ShowMessage(HWND owner, UINT stringId, const wchar_t* caption, UINT style) {
    wchar_t text[kMessageBufferLength] = {};
    LoadStringW(ModuleHandle(), stringId, text, kMessageBufferLength);
    return MessageBoxW(owner, text, caption, style);
}

}  // namespace zelt
