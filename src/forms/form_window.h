// The one way a form of the program becomes a window: the class is registered once, the
// object is bound to its window on WM_NCCREATE and dropped on WM_NCDESTROY, and nothing a
// handler throws leaves the window procedure: it goes to the general error report.
#pragma once

#include "forms/handler_errors.h"
#include "platform/window_system.h"
#include "store/error_report.h"

#include <windows.h>

namespace petarino::forms {

// Form must have `LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM)` and
// `platform::WindowSystem& Windows()`.
template <typename Form> class FormWindow {
public:
    // Registers the class on first use; its procedure hands every message to the form.
    static ATOM RegisterClassOnce(const wchar_t* className, UINT style = 0,
                                  HBRUSH background = nullptr, HICON icon = nullptr) {
        static const ATOM atom = [&] {
            const WNDCLASSEXW windowClass{.cbSize = sizeof(WNDCLASSEXW),
                                          .style = style,
                                          .lpfnWndProc = Procedure,
                                          .hInstance = GetModuleHandleW(nullptr),
                                          .hIcon = icon,
                                          .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                                          .hbrBackground = background,
                                          .lpszClassName = className};
            return RegisterClassExW(&windowClass);
        }();
        return atom;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) noexcept {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (!form) return DefWindowProcW(window, message, wp, lp);
        platform::WindowSystem& windows = form->Windows();
        return ReportingErrors([&] { return form->HandleMessage(window, message, wp, lp); },
                               [&](std::string_view error) { ReportGeneralError(windows, error); });
    }
};

} // namespace petarino::forms
