#include "typing.h"

#include "deadline.h"
#include "window_search.h"

namespace petarino::remote {

bool TypeOver(HWND edit, std::wstring_view text) {
    if (!edit) return false;
    Send(edit, EM_SETSEL, 0, -1);
    for (wchar_t character : text)
        PostMessageW(edit, WM_CHAR, character, 0);
    return WaitFor([&] { return TextOf(edit) == text; });
}

} // namespace petarino::remote
