#include "forms/modal_loop.h"

#include "forms/form_controls.h"

#include <vector>

namespace petarino::forms {
namespace {

// Every other visible and enabled window of the thread, disabled for as long as this lives, as
// a modal window has them; what is shown meanwhile takes input.
class DisabledWindows {
public:
    DisabledWindows(HWND dialog, HWND companion) : dialog_(dialog), companion_(companion) {
        EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(this));
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() {
        for (const HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    }

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM self) noexcept {
        auto& windows = *reinterpret_cast<DisabledWindows*>(self);
        if (window == windows.dialog_ || window == windows.companion_) return TRUE;
        if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
        try {
            windows.disabled_.push_back(window);
        } catch (...) {
            return FALSE; // what is not listed is not disabled either
        }
        EnableWindow(window, FALSE);
        return TRUE;
    }

    HWND dialog_;
    HWND companion_;
    std::vector<HWND> disabled_;
};

} // namespace

int ModalRun::Run(HWND dialog, HWND focus, int cancel, HWND companion) {
    const HWND previous = GetActiveWindow();
    if (!shownBefore_) {
        CentreOnScreen(dialog);
        shownBefore_ = true;
    }
    running_ = true;
    result_ = 0;
    result_ = Loop(dialog, focus, cancel, companion);
    ShowWindow(dialog, SW_HIDE);
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    running_ = false;
    return result_;
}

int ModalRun::Loop(HWND dialog, HWND focus, int cancel, HWND companion) {
    const DisabledWindows disabled(dialog, companion);
    ShowWindow(dialog, SW_SHOW);
    SetActiveWindow(dialog);
    SetFocus(focus);
    MSG message{};
    while (result_ == 0) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the quit goes on to the loop that waits for it.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            return cancel;
        }
        if (IsDialogMessageW(dialog, &message)) continue;
        if (companion && IsDialogMessageW(companion, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return result_;
}

} // namespace petarino::forms
