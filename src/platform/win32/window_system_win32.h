// The window-system services over user32: message boxes owned by the application's hidden
// window, and the tooltip delay of every tooltip the program makes.
#pragma once

#include "platform/window_system.h"

#include <windows.h>

namespace petarino::win32 {

class Win32WindowSystem final : public platform::WindowSystem {
public:
    // The owner of every message box; null until the application window exists.
    explicit Win32WindowSystem(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) override;
    int ShowMessageBox(std::u16string_view text, std::string_view caption, uint32_t style) override;
    void SetTooltipDelay(int milliseconds) override;
    int TooltipDelay() const override { return tooltipDelay_; }
    // The key's state as the program's own question reads it: ORed with 1, anything but 1
    // means down.
    bool ShiftHeldNow() override { return (GetAsyncKeyState(VK_SHIFT) | 1) != 1; }
    bool RegisterHotkey(int id, uint32_t modifiers, uint8_t virtualKey) override {
        return RegisterHotKey(owner_, id, modifiers, virtualKey) != FALSE;
    }
    void UnregisterHotkey(int id) override { UnregisterHotKey(owner_, id); }
    void PlayNotificationSound() override { MessageBeep(MB_ICONASTERISK); }
    std::vector<platform::WorkArea> MonitorWorkAreas() const override;

private:
    HWND owner_;
    int tooltipDelay_ = 500;
};

// A tooltip control for the controls of a window, at the program's tooltip delay.
HWND CreateTooltips(HWND window, const platform::WindowSystem& windows);

} // namespace petarino::win32
