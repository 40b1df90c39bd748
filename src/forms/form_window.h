// The one way a form of the program becomes a window: the class is registered once, the
// object is bound to its window on WM_NCCREATE and dropped on WM_NCDESTROY, and nothing a
// handler throws leaves the window procedure: it goes to the general error report.
#pragma once

#include "platform/window_system.h"
#include "store/error_report.h"

#include <windows.h>
#include <exception>

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
        try {
            return form->HandleMessage(window, message, wp, lp);
        } catch (const std::exception& error) {
            ReportGeneralError(form->Windows(), error.what());
        } catch (...) {
            ReportGeneralError(form->Windows(), "予期しないエラーが発生しました");
        }
        // Not the default handling: for WM_CLOSE that would destroy the window the failed
        // handler meant to keep, and 0 refuses an end-of-session query.
        return 0;
    }
};

} // namespace petarino::forms
