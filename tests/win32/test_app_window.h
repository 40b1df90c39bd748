// A stand-in for the application's hidden window in tests of modal forms.
#pragma once

#include <windows.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace petarino::forms {

// The application's hidden window: it owns the forms, and what is posted to it runs in
// whichever message loop takes it, the dialog's modal loop among them. Its timer stands for
// the clock's.
class AppWindow {
public:
    AppWindow() {
        const WNDCLASSEXW windowClass{.cbSize = sizeof(WNDCLASSEXW),
                                      .lpfnWndProc = Procedure,
                                      .hInstance = GetModuleHandleW(nullptr),
                                      .lpszClassName = L"PetarinoTestApp"};
        RegisterClassExW(&windowClass);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"PetarinoTestApp", L"ペタリノ", WS_POPUP, 0, 0,
                                  0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    }
    ~AppWindow() { DestroyWindow(window_); }

    HWND Handle() const { return window_; }
    void Post(std::function<void()> step) {
        PostMessageW(window_, WM_APP, 0,
                     reinterpret_cast<LPARAM>(new std::function<void()>(std::move(step))));
    }
    // Every 10 ms until the tick returns false. A timer's message comes only once nothing is
    // posted any more.
    void Tick(std::function<bool()> tick) {
        tick_ = std::move(tick);
        SetTimer(window_, 1, 10, nullptr);
    }
    void StopTicking() { KillTimer(window_, 1); }
    // A dialog's modal run, watched: a run still open once every posted step has run has
    // failed to close, and is cancelled rather than left hanging.
    int RunWatched(HWND dialog, std::function<void()> cancel, const std::function<int()>& run) {
        Tick([=] {
            if (IsWindowVisible(dialog)) {
                ADD_FAILURE() << "the dialog stayed open";
                cancel();
            }
            return false;
        });
        const int result = run();
        StopTicking();
        return result;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(
                window, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<AppWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_APP) {
            const std::unique_ptr<std::function<void()>> step(
                reinterpret_cast<std::function<void()>*>(lp));
            (*step)();
            return 0;
        }
        if (message == WM_TIMER && self && !self->tick_()) KillTimer(window, 1);
        return DefWindowProcW(window, message, wp, lp);
    }

    HWND window_ = nullptr;
    std::function<bool()> tick_;
};

} // namespace petarino::forms
