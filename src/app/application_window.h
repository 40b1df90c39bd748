// The application's hidden window: the owner of every other window of the program, so none
// of them has a taskbar button, and a real top-level window, so the end-of-session messages
// and other broadcasts reach the program.
#pragma once

#include "platform/window_system.h"

#include <windows.h>
#include <functional>

namespace petarino::app {

class ApplicationWindow {
public:
    // Made hidden, titled "ペタリノ", with the tool-window style added as the program starts.
    ApplicationWindow(platform::WindowSystem& windows, HICON icon);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND Handle() const { return window_; }
    // A close request to this window closes the main form, which may refuse.
    void OnCloseRequest(std::function<void()> closeMainForm) {
        closeMainForm_ = std::move(closeMainForm);
    }

    // A global hotkey of the program was pressed: its id.
    void OnHotkey(std::function<void(int id)> pressed) { hotkeyPressed_ = std::move(pressed); }

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wp, LPARAM lp);
    platform::WindowSystem& Windows() { return windows_; }

private:
    platform::WindowSystem& windows_;
    HWND window_ = nullptr;
    std::function<void()> closeMainForm_;
    std::function<void(int)> hotkeyPressed_;
};

} // namespace petarino::app
