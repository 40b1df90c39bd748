#include "app/application_window.h"

#include "forms/form_window.h"

#include <stdexcept>

namespace petarino::app {

ApplicationWindow::ApplicationWindow(platform::WindowSystem& windows, HICON icon)
    : windows_(windows) {
    forms::FormWindow<ApplicationWindow>::RegisterClassOnce(L"TApplication", 0, nullptr, icon);
    window_ = CreateWindowExW(0, L"TApplication", L"ペタリノ", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                              0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) throw std::runtime_error("ｱﾌﾟﾘｹｰｼｮﾝｳｨﾝﾄﾞｳを作成できません");
    const LONG_PTR exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
    SetWindowLongPtrW(window_, GWL_EXSTYLE, exStyle | WS_EX_TOOLWINDOW);
}

ApplicationWindow::~ApplicationWindow() {
    DestroyWindow(window_);
}

LRESULT ApplicationWindow::HandleMessage(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_CLOSE:
        if (closeMainForm_) closeMainForm_();
        return 0;
    case WM_HOTKEY:
        if (hotkeyPressed_) hotkeyPressed_(static_cast<int>(wp));
        return 0;
    case WM_QUERYENDSESSION: return TRUE; // the main form's close query answers for the program
    default: return DefWindowProcW(window, message, wp, lp);
    }
}

} // namespace petarino::app
