// What the forms share besides their window procedure: an owned window, a
// form's window at its client size, the forms' font, child controls at pixel positions, and the
// text of a window in CP932.
#pragma once

#include "platform/win32/font_win32.h"
#include "platform/win32/unique_handle.h"
#include "text/memo_text.h"

#include <windows.h>
#include <string>
#include <string_view>

namespace petarino::forms {

inline void DestroyWindowHandle(HWND window) {
    DestroyWindow(window);
}
using UniqueWindow = win32::UniqueHandle<HWND, DestroyWindowHandle>;

// A hidden top-level window of a registered class, bound to `form`, owned by `owner`, with a
// client area of the size given in pixels, not scaled with the screen's density.
UniqueWindow CreateForm(const wchar_t* className, void* form, HWND owner, std::string_view caption,
                        DWORD style, DWORD exStyle, SIZE client);

struct Place {
    int left;
    int top;
    int width;
    int height;
};

// A visible child control in the given font, or in the system's until it is given one.
HWND CreateControl(HWND parent, const wchar_t* windowClass, std::string_view caption, DWORD style,
                   const Place& place, int id, HFONT font, DWORD exStyle = 0);

// A label as large as its caption in its font, on one line, its top left corner kept.
void FitToCaption(HWND label);

// In the middle of the screen; the first time a form is shown.
void CentreOnScreen(HWND form);

// "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS.
win32::UniqueFont CreateFormFont();

bool Checked(HWND checkBox);
void Check(HWND checkBox, bool checked);

std::string TextOf(HWND window);
void SetText(HWND window, std::string_view text);
// A memo's text or title, or the search box's, exactly as the control holds it.
MemoText MemoTextOf(HWND window);
void SetMemoText(HWND window, MemoTextView text);

} // namespace petarino::forms
