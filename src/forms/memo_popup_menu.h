// The memo's menu pMenu, made from its table the first time it opens (a desktop of a
// hundred memos mostly never opens it).
#pragma once

#include "memos/memo_menu.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace petarino::forms {

using UniqueMenu = win32::UniqueHandle<HMENU, DestroyMenu>;

class MemoPopupMenu {
public:
    // pMenuPopup, then the menu centred horizontally on the screen point; the chosen item
    // comes to `window` as a WM_COMMAND with its MemoCommand as identifier.
    void Open(HWND window, POINT at, const TextAreaState& state);

private:
    void Make();

    UniqueMenu menu_;
};

} // namespace petarino::forms
