// What the program's forms share: a window class whose one window procedure hands every
// message to the form and reports what escapes it, the forms' font, their child controls and
// the text of a window in CP932.
#pragma once

#include "platform/win32/font_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/window_system.h"
#include "store/error_report.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace petarino::forms {

inline void DestroyWindowHandle(HWND window) {
    DestroyWindow(window);
}
using UniqueWindow = win32::UniqueHandle<HWND, DestroyWindowHandle>;

// The form is bound to its window from WM_NCCREATE to WM_NCDESTROY; it answers
// OnMessage(window, message, wParam, lParam) and Windows(), where its errors are reported.
template <typename Form>
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return form->OnMessage(window, message, wParam, lParam);
    } catch (...) {
        ReportCurrentException(form->Windows());
        return 0;
    }
}

struct FormClass {
    const wchar_t* name;
    WNDPROC procedure;
};

// A hidden top-level window of the class, registered on first use, owned by `owner`, with a
// client area of the size given in pixels, not scaled with the screen's density.
UniqueWindow CreateForm(const FormClass& formClass, void* form, HWND owner,
                        std::string_view caption, DWORD style, DWORD exStyle, SIZE client);

struct Place {
    int left;
    int top;
    int width;
    int height;
};

// A visible child control in the form's font.
HWND CreateControl(HWND parent, const wchar_t* windowClass, std::string_view caption, DWORD style,
                   const Place& place, int id, HFONT font, DWORD exStyle = 0);

// "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS.
win32::UniqueFont CreateFormFont();

std::string TextOf(HWND window);
void SetText(HWND window, std::string_view text);

} // namespace petarino::forms
