// The program's global hotkeys: registered with the system as the settings hold them, and
// what the hotkey control's value means to the system and to the user.
#pragma once

#include "memos/hotkey_settings.h"
#include "platform/window_system.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace petarino {

// The system's modifier flags of a hotkey control's value: the control's shift, control
// and alt swapped into the system's order, and no auto-repeat, so a held key makes one memo.
uint32_t HotkeyModifiers(uint16_t controlValue);
// "Ctrl+Alt+N", as the control shows it.
std::string HotkeyText(uint16_t controlValue);

// Another program holds the key.
class EHotkeyTaken : public std::runtime_error {
public:
    explicit EHotkeyTaken(const std::string& keyText)
        : std::runtime_error("ホットキー " + keyText +
                             " は他のプログラムが使用しているため登録できません") {}
};

class GlobalHotkeys {
public:
    GlobalHotkeys(HotkeySettings& settings, platform::WindowSystem& windows)
        : settings_(settings), windows_(windows) {}

    // The key the setting now holds replaces the one registered for it. A key another
    // program holds is taken out of the setting and throws EHotkeyTaken; nothing else
    // changes.
    void Register(GlobalHotkey which);
    // Both, as the store has just set them; the first refusal throws once both were tried.
    void RegisterAll();
    void UnregisterAll();

    // The id the system sends with the key's presses.
    static int Id(GlobalHotkey which) { return static_cast<int>(which) + 1; }

private:
    HotkeySettings& settings_;
    platform::WindowSystem& windows_;
};

} // namespace petarino
